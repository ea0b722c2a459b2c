#include "ui/HelpFile.h"

#include <QDir>
#include <QFileInfo>

namespace tillora {
namespace {

// A folder may hold the file in several spellings; the first in name order is taken, so that
// the choice does not depend on the file system's order.
QString HelpFileBeside(const QFileInfo& program) {
    const QString wanted = program.completeBaseName() + QStringLiteral(".chm");
    const QDir folder = program.absoluteDir();
    // Name filters match in any letter case unless told otherwise.
    const QStringList names = folder.entryList(
        {QStringLiteral("*.chm")}, QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return folder.filePath(name);
        }
    }
    return {};
}

} // namespace

QStringList HelpLocations(const QString& programPath) {
    const QFileInfo program(programPath);
    QStringList found;
    if (const QString helpFile = HelpFileBeside(program); !helpFile.isEmpty()) {
        found.append(helpFile);
    }
    // Cleaned first, so that the guide is found even where the program's own folder is not
    // there to step out of.
    const QFileInfo guide(QDir::cleanPath(
        program.absoluteDir().filePath(QStringLiteral("../share/doc/tillora/index.html"))));
    if (guide.isFile()) {
        found.append(guide.absoluteFilePath());
    }
    return found;
}

} // namespace tillora
