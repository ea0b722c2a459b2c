#include "ui/RegisterChooser.h"

#include "grid/QtText.h"
#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "link/RegisterInForce.h"
#include "link/RegisterModels.h"
#include "res/StringIds.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QLabel>
#include <QToolBar>

namespace tillora {
namespace {

constexpr int ShortestWidthInChars = 28;

QString EntryText(const NamedRegister& reg) {
    if (!reg.name.empty()) {
        return FromCp1251(reg.name);
    }
    return IsValidRegisterModel(reg.settings.EcrType) ? FromUtf8(RegisterSummary(reg)) : QString();
}

} // namespace

CRegisterChooser::CRegisterChooser(QToolBar& toolbar, std::function<std::string()> iniFile,
                                   const EcrSettings& inForce, IFeedback& feedback)
    : QObject(&toolbar), m_combo(new QComboBox(&toolbar)), m_iniFile(std::move(iniFile)),
      m_inForce(inForce), m_feedback(feedback) {
    m_combo->setObjectName(QStringLiteral("registerChooser"));
    m_combo->setAccessibleName(UiText(ids::ChooserName));
    m_combo->setToolTip(UiText(ids::ChooserName));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_combo->setMinimumContentsLength(ShortestWidthInChars);
    m_combo->setFocusPolicy(Qt::StrongFocus);
    toolbar.addSeparator();
    toolbar.addWidget(LabelFor(ids::ChooserLabel, m_combo));
    toolbar.addWidget(m_combo);
    // Only the user's choice puts a register in force; filling the list does not.
    connect(m_combo, &QComboBox::activated, this, &CRegisterChooser::Choose);
    Refresh();
}

int CRegisterChooser::EntryInForce(const NamedRegister& inForce) const {
    int first = -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (!IsSameRegister(m_entries[i], inForce)) {
            continue;
        }
        if (m_entries[i].name == m_chosen) {
            return static_cast<int>(i);
        }
        if (first < 0) {
            first = static_cast<int>(i);
        }
    }
    return first;
}

void CRegisterChooser::Refresh() {
    const EcrIniFile ini(m_iniFile());
    const NamedRegister inForce = RegisterInForce(ini, m_inForce);
    m_entries = LoadRegisters(ini);
    int current = EntryInForce(inForce);
    if (current < 0) {
        m_entries.insert(m_entries.begin(), inForce);
        current = 0;
    }
    const QSignalBlocker quiet(m_combo);
    m_combo->clear();
    for (const NamedRegister& reg : m_entries) {
        m_combo->addItem(EntryText(reg));
        if (!reg.name.empty()) {
            m_combo->setItemData(m_combo->count() - 1, FromUtf8(RegisterSummary(reg)),
                                 Qt::ToolTipRole);
        }
    }
    m_combo->setCurrentIndex(current);
}

std::string CRegisterChooser::FrameTitle() const {
    const int current = m_combo->currentIndex();
    if (current < 0 || m_entries[static_cast<std::size_t>(current)].name.empty()) {
        return tillora::FrameTitle(m_inForce);
    }
    return NamedFrameTitle(m_entries[static_cast<std::size_t>(current)]);
}

void CRegisterChooser::Choose(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) {
        return;
    }
    const NamedRegister reg = m_entries[static_cast<std::size_t>(index)];
    if (reg.name.empty()) {
        return; // the register in force already
    }
    m_chosen = reg.name;
    EcrIniFile ini(m_iniFile());
    if (!SaveRegisterInForce(ini, reg)) {
        ShowError(m_feedback, ids::SettingsNotWritten, ini.GetPath().c_str());
    }
    emit registerChosen(reg.settings);
}

} // namespace tillora
