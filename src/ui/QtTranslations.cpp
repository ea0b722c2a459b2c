#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tillora {

bool InstallQtTranslations(QTranslator& translator) {
    const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
    };
    for (const QString& folder : folders) {
        if (translator.load(bulgarian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            return QCoreApplication::installTranslator(&translator);
        }
    }
    return false;
}

} // namespace tillora
