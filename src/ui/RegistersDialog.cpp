#include "ui/RegistersDialog.h"

#include "link/Cp1251.h"
#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "link/PortSettings.h"
#include "link/RegisterInForce.h"
#include "res/StringIds.h"
#include "ui/QtFeedback.h"
#include "ui/RegisterEditDialog.h"
#include "ui/UiText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tillora {
namespace {

QString ListText(const NamedRegister& reg) {
    return MessageText(RegisterListLine(reg));
}

} // namespace

CRegistersDialog::CRegistersDialog(std::string iniFile, std::vector<SerialDevice> present,
                                   const EcrSettings& newRegister, QWidget* parent)
    : QDialog(parent), m_iniFile(std::move(iniFile)), m_present(std::move(present)),
      m_newRegister(newRegister), m_list(new QListWidget(this)),
      m_add(new QPushButton(UiText(ids::RegistersAdd), this)),
      m_edit(new QPushButton(UiText(ids::RegistersEdit), this)),
      m_copy(new QPushButton(UiText(ids::RegistersCopy), this)),
      m_remove(new QPushButton(UiText(ids::RegistersRemove), this)) {
    setWindowTitle(UiText(ids::RegistersCaption));
    m_list->setObjectName(QStringLiteral("registerList"));
    m_list->setAccessibleName(UiText(ids::RegistersListName));
    m_list->setMinimumSize(600, 220);
    auto* close = new QPushButton(UiText(ids::RegistersClose), this);
    close->setObjectName(QStringLiteral("closeButton"));

    // Enter on a register edits it (the list's activation) and presses no button besides.
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_add, m_edit, m_copy, m_remove, close}) {
        button->setAutoDefault(false);
    }
    for (QPushButton* button : {m_add, m_edit, m_copy, m_remove}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &CRegistersDialog::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CRegistersDialog::OnEdit);
    connect(m_copy, &QPushButton::clicked, this, &CRegistersDialog::OnCopy);
    connect(m_remove, &QPushButton::clicked, this, &CRegistersDialog::OnRemove);
    connect(close, &QPushButton::clicked, this, &CRegistersDialog::accept);
    connect(m_list, &QListWidget::itemActivated, this, &CRegistersDialog::OnEdit);
    connect(m_list, &QListWidget::currentRowChanged, this, &CRegistersDialog::UpdateButtons);
    Reload({});
    m_list->setFocus();
}

CRegistersDialog::~CRegistersDialog() = default;

IFeedback& CRegistersDialog::Feedback() {
    if (m_feedback == nullptr) {
        m_feedback = new CQtFeedback(this, nullptr); // the dialog's child
    }
    return *m_feedback;
}

void CRegistersDialog::Reload(const std::string& current) {
    m_registers = LoadRegisters(EcrIniFile(m_iniFile));
    m_list->clear();
    int row = m_registers.empty() ? -1 : 0;
    for (std::size_t i = 0; i < m_registers.size(); ++i) {
        m_list->addItem(ListText(m_registers[i]));
        if (!current.empty() && m_registers[i].name == current) {
            row = static_cast<int>(i);
        }
    }
    m_list->setCurrentRow(row);
    UpdateButtons();
}

void CRegistersDialog::UpdateButtons() {
    const bool chosen = Current() != nullptr;
    m_edit->setEnabled(chosen);
    m_copy->setEnabled(chosen);
    m_remove->setEnabled(chosen);
}

const NamedRegister* CRegistersDialog::Current() const {
    const int row = m_list->currentRow();
    return row >= 0 && static_cast<std::size_t>(row) < m_registers.size()
               ? &m_registers[static_cast<std::size_t>(row)]
               : nullptr;
}

void CRegistersDialog::Edit(const NamedRegister& reg, const std::string& replacing) {
    EcrIniFile ini(m_iniFile);
    // Names match without regard to case: the register edited may change the case of its own.
    const auto taken = [&ini, replacing](const std::string& name) {
        const std::optional<NamedRegister> found = FindRegister(ini, name);
        return found.has_value() && found->name != replacing;
    };
    CRegisterEditDialog dialog(reg, LoadPortDevices(ini), m_present, taken, this);
    dialog.SetFeedback(&Feedback());
    const bool accepted = m_editor ? m_editor(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted) {
        return;
    }
    const NamedRegister& edited = dialog.Register();
    bool written = SaveRegister(ini, edited);
    // Renamed: the register is under its new name alone (a change of case alone the list
    // makes itself).
    if (const auto old = replacing.empty() ? std::nullopt : FindRegister(ini, replacing);
        written && old && old->name != edited.name) {
        written = RemoveRegister(ini, replacing) != RemoveResult::NotWritten;
    }
    if (!written) {
        ShowError(Feedback(), ids::RegisterNotSaved, ini.GetPath().c_str());
    }
    Reload(edited.name);
}

void CRegistersDialog::OnAdd() {
    NamedRegister reg;
    reg.settings = m_newRegister;
    Edit(reg, {});
}

void CRegistersDialog::OnEdit() {
    if (const NamedRegister* reg = Current()) {
        Edit(*reg, reg->name);
    }
}

void CRegistersDialog::OnCopy() {
    const NamedRegister* reg = Current();
    if (reg == nullptr) {
        return;
    }
    NamedRegister copy = *reg;
    const std::string name = Cp1251ToUtf8(reg->name);
    copy.name = Utf8ToCp1251(FormatMessage(ids::RegisterCopyName, name.c_str()));
    Edit(copy, {});
}

void CRegistersDialog::OnRemove() {
    const NamedRegister* reg = Current();
    if (reg == nullptr) {
        return;
    }
    const std::string name = reg->name;
    const std::string shown = Cp1251ToUtf8(name);
    if (!Feedback().AskYesNo(ids::RegisterRemoveQuestion,
                             FormatMessage(ids::RegisterRemoveQuestion, shown.c_str()),
                             MessageIcon::Question, true)) {
        return;
    }
    EcrIniFile ini(m_iniFile);
    if (RemoveRegister(ini, name) == RemoveResult::NotWritten) {
        ShowError(Feedback(), ids::RegisterNotSaved, ini.GetPath().c_str());
    }
    Reload({});
}

} // namespace tillora
