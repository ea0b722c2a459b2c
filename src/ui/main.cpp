#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/IniLocation.h"
#include "ui/AppIcon.h"
#include "ui/MainFrame.h"
#include "ui/RegisterCommands.h"
#include "ui/StartOptions.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tillora"));
    QApplication::setWindowIcon(tillora::AppIcon());

    // Qt has taken its own options (-platform and the like) out of the arguments by now.
    int exitCode = 0;
    const std::optional<tillora::StartOptions> options =
        tillora::ParseStartOptions(QApplication::arguments(), exitCode);
    if (!options) {
        return exitCode;
    }

    // Qt's own texts (the editor's context menu, standard dialogs) in the users' language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Bulgarian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    tillora::RegisterConnection connection = options->connection;
    if (connection.iniFile.empty()) {
        connection.iniFile = tillora::LocateIniFile("tillora");
    }
    tillora::EcrIniFile ini(connection.iniFile);
    tillora::ConnectionSettings() = tillora::LoadEcrSettings(ini);

    int result = 0;
    bool saveSettings = true;
    {
        tillora::CMainFrame frame;
        frame.Register().Connect(connection);
        frame.show();
        if (!options->file.empty()) {
            frame.OpenStartFile(options->file);
        }
        result = QApplication::exec();
        // The demo register's model and serial stand in for missing settings only while the demo
        // runs; the file keeps the user's own unless the user confirmed others in the dialog.
        saveSettings = !connection.demo || frame.Register().SettingsAccepted();
    }
    if (saveSettings) {
        tillora::SaveEcrSettings(ini, tillora::ConnectionSettings());
    }
    return result;
}
