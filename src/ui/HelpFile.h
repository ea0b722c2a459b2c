#pragma once

#include <QStringList>

namespace tillora {

// The help the program can show, in the order to try it: the help file beside the program (its
// name with the extension ".chm", in any letter case, as it may come from a Windows copy), then
// the user guide installed with the program (<program folder>/../share/doc/tillora/index.html).
// Only what is there is listed.
QStringList HelpLocations(const QString& programPath);

} // namespace tillora
