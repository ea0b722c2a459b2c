#include "ui/TestSteps.h"

#include "grid/QtText.h"
#include "ui/Commands.h"
#include "ui/FileCommands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFontInfo>
#include <QTabWidget>
#include <QTimer>

#include <utility>

namespace tillora {
namespace {

constexpr int ExitStepFailed = 1;

} // namespace

CTestSteps::CTestSteps(CMainFrame& frame, QStringList steps, QString logFile)
    : QObject(&frame), m_frame(frame), m_steps(std::move(steps)), m_logFile(std::move(logFile)) {
    QFile(m_logFile).remove();
}

QStringList CTestSteps::ReadSteps(const QString& file, bool& read) {
    QFile in(file);
    read = in.open(QIODevice::ReadOnly);
    QStringList steps;
    for (const QString& line : QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'))) {
        const QString step = line.trimmed();
        if (!step.isEmpty() && !step.startsWith(QLatin1Char('#'))) {
            steps.append(step);
        }
    }
    return steps;
}

void CTestSteps::Start() {
    QTimer::singleShot(0, this, [this] { RunFrom(0); });
}

// One step at a time from the event loop, so that the window paints between them.
void CTestSteps::RunFrom(int index) {
    if (index >= m_steps.size()) {
        return;
    }
    const QString& step = m_steps[index];
    const bool done = RunStep(step);
    Log(step + QLatin1Char('\t') + (done ? m_frame.Panes().Message() : QStringLiteral("FAILED")));
    if (!done) {
        QApplication::exit(ExitStepFailed);
        return;
    }
    QTimer::singleShot(0, this, [this, index] { RunFrom(index + 1); });
}

bool CTestSteps::RunStep(const QString& step) {
    const qsizetype space = step.indexOf(QLatin1Char(' '));
    const QString verb = step.left(space);
    const QString argument = space < 0 ? QString() : step.mid(space + 1);
    bool number = false;
    const int value = argument.toInt(&number);
    if (verb == QLatin1String("tab") && number && value >= 0 &&
        value < m_frame.View().Tabs()->count()) {
        m_frame.View().SetCurtab(value);
        return true;
    }
    if ((verb == QLatin1String("open") || verb == QLatin1String("save-as")) &&
        !argument.isEmpty()) {
        const std::string path = ToPath(argument);
        m_frame.Files().SetChooser([path](FileDialogKind, const std::string&) {
            return std::optional<ChosenFile>(ChosenFile{path, 1});
        });
        const bool done = verb == QLatin1String("open") ? m_frame.Files().OnFileOpen()
                                                        : m_frame.Files().OnFileSaveAs();
        m_frame.Files().SetChooser([this](FileDialogKind kind, const std::string& folder) {
            return RunTableFileDialog(&m_frame, kind, folder);
        });
        return done;
    }
    if (verb == QLatin1String("command") && number) {
        QAction* action = m_frame.Commands().Action(value);
        if (action == nullptr || !action->isEnabled()) {
            return false;
        }
        action->trigger();
        return true;
    }
    if (verb == QLatin1String("pause") && number) {
        QEventLoop wait;
        QTimer::singleShot(value, &wait, &QEventLoop::quit);
        wait.exec();
        return true;
    }
    if (verb == QLatin1String("font") && argument.isEmpty()) {
        // What the tables are shown in, as the system resolved the font asked for.
        const QFontInfo used(m_frame.View().CurrentGrid().font());
        m_frame.Panes().SetMessage(used.fixedPitch() ? QStringLiteral("fixed pitch")
                                                     : QStringLiteral("proportional"));
        return true;
    }
    if (verb == QLatin1String("quit") && argument.isEmpty()) {
        QApplication::exit(0);
        return true;
    }
    return false;
}

void CTestSteps::Log(const QString& line) {
    QFile out(m_logFile);
    if (out.open(QIODevice::Append)) {
        out.write((line + QLatin1Char('\n')).toUtf8());
    }
}

} // namespace tillora
