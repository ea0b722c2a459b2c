#include "FullTables.h"
#include "GuiFigures.h"
#include "SimProcess.h"
#include "link/EcrSettings.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/QtFeedback.h"
#include "ui/RegisterCommands.h"
#include "ui/StatusPanes.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <string>

#include <sys/resource.h>

namespace tillora::bench {
namespace {

constexpr int SentRows = 200;

// Rows 1 to 200 of the articles with every value a send takes; names short enough for every
// model.
QString WriteSendFile(const QString& folder) {
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    for (int r = 1; r <= SentRows; ++r) {
        for (int c = 1; c < articles.GetColumnCount(); ++c) {
            articles.SetItemText(r, c, SampleValue(articles.GetCell(r, c)->GetClass().name, r));
        }
        articles.SetItemText(r, 1, Utf8ToCp1251("Стока ") + std::to_string(r));
    }
    const QString path = folder + QStringLiteral("/send.txt");
    std::ofstream file(path.toStdString(), std::ios::binary);
    file << TableFileText(articles);
    return file ? path : QString();
}

// The processor time the process has used so far, user and system, in milliseconds.
double ProcessorMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Answers any message box, so that a send that fails ends the figure instead of the program.
class BoxCloser {
public:
    BoxCloser() {
        m_poll.setInterval(100);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::printf("  (message: %s)\n", box->text().toStdString().c_str());
                ++m_boxes;
                box->defaultButton()->click();
            }
        });
        m_poll.start();
    }
    int Boxes() const { return m_boxes; }

private:
    QTimer m_poll;
    int m_boxes = 0;
};

struct WindowSend {
    double ms = 0;
    double processorMs = 0;
    bool sent = false;
};

WindowSend SendFromTheWindow(const std::string& device, const QString& file,
                             const QString& folder) {
    const std::string ini = (folder + QStringLiteral("/window.ini")).toStdString();
    std::ofstream(ini) << "[ECR]\nFrameGapMs=0\n[Ports]\nCOM1=" << device << "\n";
    ConnectionSettings() = {0, 0, 123};
    CMainFrame frame;
    frame.resize(1280, 800);
    frame.show();
    QApplication::processEvents();
    frame.Register().Connect({ini, false, ""});
    WindowSend result;
    CKassivoView& view = frame.View();
    if (!view.Reader(view.CurrentTable()).ReadTableFile(file.toStdString(), frame.Feedback())) {
        return result;
    }
    QApplication::processEvents();
    BoxCloser boxes;
    const double processorBefore = ProcessorMs();
    result.ms = CFigures::MillisecondsOf([&] { frame.Commands().Action(cmd::SendAll)->trigger(); });
    result.processorMs = ProcessorMs() - processorBefore;
    result.sent =
        boxes.Boxes() == 0 &&
        frame.Panes().Message() == QStringLiteral("%1 реда изпратени успешно!").arg(SentRows);
    return result;
}

} // namespace

// Each send runs twice and counts with its better run: on a shared machine other work only ever
// adds to a figure, to the time on the line and to the processor time the system books.
void SendFigures(CFigures& figures, const QString& folder) {
    const QString file = WriteSendFile(folder);
    figures.Check(!file.isEmpty(), "the file of 200 articles is written");
    test::SimProcess sim({"--pace", "9600"});
    figures.Check(!sim.Device().empty(), "tillora-ecr-sim runs");
    if (file.isEmpty() || sim.Device().empty()) {
        return;
    }
    const std::string ini = "TILLORA_INI=" + (folder + QStringLiteral("/cli.ini")).toStdString();
    const std::vector<std::string> line = {"--port",   sim.Device(), "--model", "0",
                                           "--serial", "123",        "--gap",   "0"};
    // The better of two runs of tillora-cli with the command; -1 when a run failed.
    auto cli = [&](const std::string& command) {
        std::vector<std::string> args = line;
        args.insert(args.end(), {command, "articles", file.toStdString()});
        double best = -1;
        for (int run = 0; run < 2; ++run) {
            test::ProgramResult result;
            const double ms = CFigures::MillisecondsOf(
                [&] { result = test::RunProgram("tillora-cli", args, {ini}); });
            if (result.status != 0) {
                return -1.0;
            }
            best = best < 0 ? ms : std::min(best, ms);
        }
        return best;
    };
    // What the command-line tool takes before it sends: starting and reading the file.
    const double startMs = cli("check");
    const double cliMs = cli("send");
    figures.Check(startMs >= 0 && cliMs >= 0, "tillora-cli sends the 200 rows");
    const double cliSendMs = cliMs - startMs;

    double windowMs = -1;
    double processorShare = -1;
    for (int run = 0; run < 2; ++run) {
        const WindowSend window = SendFromTheWindow(sim.Device(), file, folder);
        figures.Check(window.sent, "the window sends the 200 rows");
        std::printf("  (the window: %.0f ms, %.0f ms of processor time)\n", window.ms,
                    window.processorMs);
        const double share = window.processorMs / window.ms * 100;
        windowMs = run == 0 ? window.ms : std::min(windowMs, window.ms);
        processorShare = run == 0 ? share : std::min(processorShare, share);
    }
    std::printf("  (tillora-cli %.0f ms, of which %.0f ms starting and reading the file)\n", cliMs,
                startMs);
    figures.Report("200 article rows at 9600 baud: the window over tillora-cli",
                   windowMs / cliSendMs * 100, "%", 102);
    figures.Report("the processor while the window sends", processorShare, "%", 2);
}

} // namespace tillora::bench
