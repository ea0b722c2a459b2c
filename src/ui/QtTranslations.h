#pragma once

class QTranslator;

namespace tillora {

// Loads Qt's own texts (the standard dialogs' buttons and labels, the editors' context menus) in
// Bulgarian into translator and installs it: from Qt's translations folder, else from the folder
// "translations" beside the program, where a copy shipped with the program keeps them. False when
// neither has them; Qt then speaks English.
bool InstallQtTranslations(QTranslator& translator);

} // namespace tillora
