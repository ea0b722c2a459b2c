#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/IniLocation.h"
#include "ui/MainFrame.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string>

namespace {

// The table file named on the command line: the first argument that is not an option. Qt has
// taken its own options out of argv by then.
std::string StartFile(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-') {
            return argv[i];
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tillora"));

    // Qt's own texts (the editor's context menu, standard dialogs) in the users' language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Bulgarian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    tillora::EcrIniFile ini(tillora::LocateIniFile("tillora"));
    tillora::ConnectionSettings() = tillora::LoadEcrSettings(ini);

    int result = 0;
    {
        tillora::CMainFrame frame;
        frame.show();
        const std::string file = StartFile(argc, argv);
        if (!file.empty()) {
            frame.OpenStartFile(file);
        }
        result = QApplication::exec();
    }
    tillora::SaveEcrSettings(ini, tillora::ConnectionSettings());
    return result;
}
