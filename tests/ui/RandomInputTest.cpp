#include "FileCommandsFixture.h"

#include <QPushButton> // ModalSteps.h presses buttons

#include "ModalSteps.h"
#include "RandomInputChecks.h"
#include "RandomInputEvents.h"

#include "link/EcrSettings.h"
#include "link/PlatformFiles.h"
#include "tables/Find.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/TableGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

using namespace tillora;
using namespace tillora::test;

namespace {

// A short run by default; TILLORA_RANDOM_SEED and TILLORA_RANDOM_EVENTS choose one run of any
// length (QTest stops a test after five minutes: a long run raises QTEST_FUNCTION_TIMEOUT, in
// milliseconds), and TILLORA_RANDOM_TRACE=1 prints every event before it is sent (for a crash).
constexpr unsigned DefaultSeeds[] = {1, 2, 3};
constexpr long DefaultEvents = 1200;
// Every table is looked at in full this often; in between only the current one.
constexpr long FullCheckEvery = 250;
constexpr std::size_t EventsShownOnFault = 25;

long EnvironmentNumber(const char* name, long fallback) {
    const std::string value = EnvironmentValue(name);
    return value.empty() ? fallback : std::stol(value);
}

// QTest says so for every key or click a widget leaves unhandled, which is most of them here,
// and the offscreen platform for every menu it cannot grab the keyboard for.
QtMessageHandler previousHandler = nullptr;
void QuietAboutUnhandledInput(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if (type == QtWarningMsg && (message.contains(QLatin1String("not accepted by receiving")) ||
                                 message.startsWith(QLatin1String("This plugin does not")))) {
        return;
    }
    previousHandler(type, context, message);
}

// The last events sent, to show with a fault; with TILLORA_RANDOM_TRACE=1 every event is printed
// before it is sent, so that even a crash shows what came last.
class EventLog {
public:
    explicit EventLog(unsigned seed)
        : m_seed(seed), m_trace(!EnvironmentValue("TILLORA_RANDOM_TRACE").empty()) {}

    void Add(long index, const std::string& text) {
        if (m_trace) {
            std::fprintf(stderr, "%ld %s\n", index, text.c_str());
        }
        m_recent.emplace_back(index, text);
        if (m_recent.size() > EventsShownOnFault) {
            m_recent.pop_front();
        }
    }

    std::string Report(const std::string& fault) const {
        const long last = m_recent.empty() ? 0 : m_recent.back().first;
        std::string text = fault + "\nseed " + std::to_string(m_seed) + ", event " +
                           std::to_string(last) +
                           "; replay with TILLORA_RANDOM_SEED=" + std::to_string(m_seed) +
                           " TILLORA_RANDOM_EVENTS=" + std::to_string(last + 1) + "\nlast events:";
        for (const auto& [index, event] : m_recent) {
            text += "\n  " + std::to_string(index) + " " + event;
        }
        return text;
    }

private:
    unsigned m_seed;
    bool m_trace;
    std::deque<std::pair<long, std::string>> m_recent;
};

} // namespace

class RandomInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        UseOwnSettings(settings.Path());
        previousHandler = qInstallMessageHandler(QuietAboutUnhandledInput);
    }

    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void init() {
        StartAsFirstRun();
        ConnectionSettings().EcrType = 0; // a model whose tax groups are А, Б, В
        TheLastSearch() = {};
        QApplication::clipboard()->clear();
        frame = new CMainFrame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->activateWindow();
        QTRY_VERIFY(frame->View().Grid(TableKind::Articles).hasFocus());
        FillTables();
    }

    void cleanup() {
        delete frame;
        frame = nullptr;
    }

    void randomInputKeepsTheTablesSound_data() {
        QTest::addColumn<unsigned>("seed");
        const long seed = EnvironmentNumber("TILLORA_RANDOM_SEED", -1);
        if (seed >= 0) {
            QTest::newRow(std::to_string(seed).c_str()) << static_cast<unsigned>(seed);
            return;
        }
        for (unsigned each : DefaultSeeds) {
            QTest::newRow(std::to_string(each).c_str()) << each;
        }
    }

    void randomInputKeepsTheTablesSound() {
        QFETCH(unsigned, seed);
        const long events = EnvironmentNumber("TILLORA_RANDOM_EVENTS", DefaultEvents);
        RandomInput input(*frame, seed);
        SoundnessCheck check(*frame);
        EventLog log(seed);
        for (long i = 0; i < events; ++i) {
            const InputEvent event = input.Next();
            log.Add(i, event.text);
            // An edit that a tab switch commits lands in the table that was current before.
            const TableKind before = frame->View().CurrentTable();
            std::string fault = Send(event);
            if (fault.empty()) {
                fault = check.Fault(before, (i + 1) % FullCheckEvery == 0);
            }
            if (!fault.empty()) {
                QFAIL(log.Report(fault).c_str());
            }
        }
        std::string fault = check.Fault(TableKind::Articles, true);
        // Events that never reached the tables would prove nothing.
        QVERIFY(events < 100 || UndoSteps() > 0);
        qInfo("%ld events, %d undo steps", events, UndoSteps());
        if (fault.empty()) {
            fault = check.UndoFault();
        }
        if (!fault.empty()) {
            QFAIL(log.Report(fault).c_str());
        }
    }

private:
    // The example tables, and report rows made from the articles, so that undo has texts to
    // give back and searches have texts to find.
    void FillTables() {
        const std::pair<TableKind, const char*> files[] = {{TableKind::Articles, "articles.txt"},
                                                           {TableKind::Operators, "operators.txt"},
                                                           {TableKind::Subgroups, "subgroups.txt"},
                                                           {TableKind::Company, "company.txt"}};
        RecordingFeedback feedback;
        for (const auto& [kind, name] : files) {
            // Set up, not edited: undoing everything comes back to these tables.
            const CEditStep setUp(frame->View().Grid(kind).Cells(), EditKind::Unrecorded);
            QVERIFY(frame->View().Reader(kind).ReadTableFile(
                std::string(TILLORA_SOURCE_DIR "/examples/") + name, feedback));
        }
        const CCellGrid& articles = frame->View().Grid(TableKind::Articles).Cells();
        for (TableKind kind : {TableKind::Report, TableKind::SubgroupReport}) {
            CCellGrid& report = frame->View().Grid(kind).Cells();
            for (int row = 1; row < std::min(report.GetRowCount(), 40); ++row) {
                for (int column = 1; column < report.GetColumnCount(); ++column) {
                    report.SetItemText(row, column, articles.GetItemText(row, column));
                }
            }
        }
    }

    int UndoSteps() const {
        int steps = 0;
        for (TableKind kind : AllTables) {
            steps += static_cast<int>(frame->View().Grid(kind).Cells().UndoCount());
        }
        return steps;
    }

    // Sends the event; a message box that it was not meant to open is a fault (and is closed).
    std::string Send(const InputEvent& event) {
        std::vector<BoxSeen> unexpected;
        {
            ModalSteps guard;
            if (!event.answersItsWindows) {
                guard.Then<QMessageBox>(ReadAndClose(unexpected));
            }
            event.act();
            QCoreApplication::processEvents();
            // The editors that closed go now, as they would at the next turn of the event loop.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (guard.TimedOut()) {
                return "a window stayed open";
            }
        }
        // The offscreen platform gives the window back its activation after a dialog only when
        // asked, as a window manager would on its own.
        if (!frame->isActiveWindow()) {
            frame->activateWindow();
            if (!QTest::qWaitForWindowActive(frame)) {
                return "the window could not be made active again";
            }
        }
        if (!unexpected.empty()) {
            return "unexpected message \"" + unexpected.front().text.toStdString() + "\"";
        }
        return {};
    }

    TempFolder settings{"tillora-random-input"};
    CMainFrame* frame = nullptr;
};

QTEST_MAIN(RandomInputTest)
#include "RandomInputTest.moc"
