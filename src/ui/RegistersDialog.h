#pragma once

#include "link/Feedback.h"
#include "link/RegisterList.h"
#include "link/SerialDevices.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace tillora {

class CRegisterEditDialog;

// "Каси": the register list of the INI file, one line each (name, model, port, serial), with
// "Добави", "Промени", "Копирай" and "Изтрий" (after a question). Every change is written to
// the file at once.
class CRegistersDialog : public QDialog {
    Q_OBJECT
public:
    // How a register is edited: by default the register dialog, modal over this one. Tests give
    // their own to fill it in.
    using Editor = std::function<bool(CRegisterEditDialog& dialog)>;

    // newRegister: the settings a register added starts with (most often another register of the
    // kind in force).
    CRegistersDialog(std::string iniFile, std::vector<SerialDevice> present,
                     const EcrSettings& newRegister, QWidget* parent = nullptr);
    ~CRegistersDialog() override;

    // Where questions and messages go; by default, message boxes over the dialog.
    void SetFeedback(IFeedback* feedback) { m_feedback = feedback; }
    void SetEditor(Editor editor) { m_editor = std::move(editor); }

    QListWidget* List() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* CopyButton() const { return m_copy; }
    QPushButton* RemoveButton() const { return m_remove; }

    void OnAdd();
    void OnEdit();
    void OnCopy();
    void OnRemove();

private:
    void Reload(const std::string& current);
    void UpdateButtons();
    // Edits the register; a changed name replaces the register of the old one.
    void Edit(const NamedRegister& reg, const std::string& replacing);
    const NamedRegister* Current() const;
    IFeedback& Feedback();

    std::string m_iniFile;
    std::vector<SerialDevice> m_present;
    EcrSettings m_newRegister;
    std::vector<NamedRegister> m_registers;
    IFeedback* m_feedback = nullptr;
    Editor m_editor;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_copy;
    QPushButton* m_remove;
};

} // namespace tillora
