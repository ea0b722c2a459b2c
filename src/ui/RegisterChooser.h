#pragma once

#include "link/Feedback.h"
#include "link/RegisterList.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QToolBar;

namespace tillora {

// The toolbar's register chooser: the registers of the list by name, and the register of the
// settings in force when it is none of them, shown as "Модел, COM1, 000123". Choosing a register
// puts its model, port, serial and frame gap in force and writes them to the INI file as [ECR]'s
// (RegisterInForce.h), so that every command after, and the command-line tool, take it.
class CRegisterChooser : public QObject {
    Q_OBJECT
signals:
    // The register chosen, now in force in the INI file; its settings are to be put in force.
    void registerChosen(const tillora::EcrSettings& settings);

public:
    // iniFile: the INI file in use at the moment it is asked; inForce: the settings in force,
    // whoever changes them; feedback: where a file that cannot be written is told.
    CRegisterChooser(QToolBar& toolbar, std::function<std::string()> iniFile,
                     const EcrSettings& inForce, IFeedback& feedback);

    QComboBox* Combo() const { return m_combo; }
    // Reads the list anew and shows the register of the settings in force.
    void Refresh();
    // The window's title: with the register's name when the settings in force are a register of
    // the list; UTF-8.
    std::string FrameTitle() const;

private:
    void Choose(int index);
    // The entry that stands for the register in force: the one chosen last when it still
    // matches, else the first that matches; -1 for none.
    int EntryInForce(const NamedRegister& inForce) const;

    QComboBox* m_combo;
    std::function<std::string()> m_iniFile;
    const EcrSettings& m_inForce;
    IFeedback& m_feedback;
    std::vector<NamedRegister> m_entries; // the combo's, in order; the nameless one is in force
    std::string m_chosen;                 // the name chosen last
};

} // namespace tillora
