#include "ui/RegisterEditDialog.h"

#include "grid/QtText.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace tillora {
namespace {

// The register's own port shows as the device of its COM port.
PortDevices DevicesWithPort(PortDevices devices, const NamedRegister& reg) {
    const int com = reg.settings.EcrCom;
    if (!reg.port.empty() && com >= 0 && com < static_cast<int>(devices.size())) {
        devices[static_cast<std::size_t>(com)] = reg.port;
    }
    return devices;
}

} // namespace

CRegisterEditDialog::CRegisterEditDialog(const NamedRegister& reg, const PortDevices& devices,
                                         std::vector<SerialDevice> present,
                                         std::function<bool(const std::string&)> taken,
                                         QWidget* parent)
    : CSettingsDialog(reg.settings, DevicesWithPort(devices, reg), std::move(present), parent),
      m_comDevices(devices), m_taken(std::move(taken)), m_register(reg),
      m_name(new QLineEdit(this)), m_gap(new QSpinBox(this)) {
    setWindowTitle(UiText(ids::RegisterEditCaption));
    m_name->setObjectName(QStringLiteral("registerName"));
    m_name->setText(FromCp1251(reg.name));
    m_gap->setObjectName(QStringLiteral("frameGap"));
    m_gap->setRange(0, static_cast<int>(LargestFrameGapMs));
    m_gap->setValue(static_cast<int>(reg.frameGapMs));
    auto* grid = static_cast<QGridLayout*>(layout());
    const int row = grid->rowCount();
    grid->addWidget(LabelFor(ids::RegisterNameLabel, m_name), row, 0);
    grid->addWidget(m_name, row, 1, 1, 3);
    grid->addWidget(LabelFor(ids::RegisterGapLabel, m_gap), row + 1, 0);
    grid->addWidget(m_gap, row + 1, 1);
    // The name first, as a register is known by it.
    setTabOrder(m_name, ModelList());
    m_name->setFocus();
}

NamedRegister CRegisterEditDialog::RegisterOfFields() const {
    NamedRegister reg;
    reg.name = ToCp1251(m_name->text());
    reg.settings.EcrType = ModelList()->currentIndex();
    reg.settings.EcrCom = ComList()->currentIndex();
    reg.settings.EcrSerial = ParseSerialText(ToUtf8(SerialEdit()->text()));
    reg.frameGapMs = static_cast<std::uint64_t>(m_gap->value());
    // A device other than its COM port's is the register's own port.
    const PortDevices shown = Devices();
    const int com = reg.settings.EcrCom;
    if (DeviceList() != nullptr && com >= 0 && com < static_cast<int>(shown.size()) &&
        shown[static_cast<std::size_t>(com)] != m_comDevices[static_cast<std::size_t>(com)]) {
        reg.port = shown[static_cast<std::size_t>(com)];
    } else if (DeviceList() == nullptr) {
        reg.port = m_register.port; // where the system names its ports, they are kept as given
    }
    return reg;
}

void CRegisterEditDialog::accept() {
    const NamedRegister reg = RegisterOfFields();
    if (CheckRegister(reg, &Feedback()) != 0) {
        if (!IsValidRegisterName(reg.name)) {
            m_name->setFocus();
        }
        return;
    }
    if (m_taken && m_taken(reg.name)) {
        ShowError(Feedback(), ids::RegisterNameTaken, Cp1251ToUtf8(reg.name).c_str());
        m_name->setFocus();
        return;
    }
    m_register = reg;
    // The settings dialog's own check has run as part of the register's.
    QDialog::accept(); // NOLINT(bugprone-parent-virtual-call)
}

} // namespace tillora
