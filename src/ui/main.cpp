#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/IniLocation.h"
#include "ui/AppIcon.h"
#include "ui/MainFrame.h"
#include "ui/QtTranslations.h"
#include "ui/RegisterCommands.h"
#include "ui/Splash.h"
#include "ui/StartOptions.h"
#include "ui/TestSteps.h"

#include <QApplication>
#include <QTranslator>

#include <optional>

namespace {

// What the program ends with when the file named on its command line cannot be opened.
constexpr int ExitStartFileNotOpened = 1;

// The hidden test option: the steps run once the window is up; a steps file that cannot be read
// ends the program as a step that fails does.
void StartTestSteps(tillora::CMainFrame& frame, const tillora::StartOptions& options) {
    if (options.testSteps.isEmpty()) {
        return;
    }
    bool read = false;
    QStringList steps = tillora::CTestSteps::ReadSteps(options.testSteps, read);
    if (!read) {
        steps = QStringList{QStringLiteral("unreadable steps file")};
    }
    (new tillora::CTestSteps(frame, steps, options.testLog))->Start();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tillora"));
    QApplication::setApplicationVersion(QStringLiteral(TILLORA_VERSION));
    QApplication::setWindowIcon(tillora::AppIcon());

    // Qt's own texts (the editor's context menu, standard dialogs and buttons) in the users'
    // language, before any window can show one.
    QTranslator qtTexts;
    tillora::InstallQtTranslations(qtTexts);

    // Qt has taken its own options (-platform and the like) out of the arguments by now.
    int exitCode = 0;
    const std::optional<tillora::StartOptions> options =
        tillora::ParseStartOptions(QApplication::arguments(), exitCode);
    if (!options) {
        return exitCode;
    }

    tillora::CSplash splash;
    splash.ShowAndPaint();

    tillora::RegisterConnection connection = options->connection;
    connection.iniFile = tillora::IniFileInUse(connection.iniFile);
    tillora::EcrIniFile ini(connection.iniFile);

    int result = 0;
    std::optional<tillora::EcrSettings> settingsToSave;
    {
        tillora::CMainFrame frame;
        frame.Register().PutInForce(tillora::LoadEcrSettings(ini));
        frame.Register().Connect(connection);
        const std::string& file = options->file;
        // A file named on the command line that cannot even be opened ends the start, once its
        // message has been shown; one that opens but reads badly has said why and the window
        // comes up all the same.
        const bool started = file.empty() || frame.OpenStartFile(file);
        if (started) {
            splash.CloseAfterPainting(frame);
            frame.show();
            StartTestSteps(frame, *options);
            result = QApplication::exec();
        } else {
            result = ExitStartFileNotOpened;
        }
        // The demo register's model and serial stand in for missing settings only while the demo
        // runs; the file keeps the user's own unless the user confirmed others in the dialog.
        if (!connection.demo || frame.Register().SettingsAccepted()) {
            settingsToSave = frame.Register().SettingsInForce();
        }
    }
    if (settingsToSave) {
        tillora::SaveEcrSettings(ini, *settingsToSave);
    }
    return result;
}
