#pragma once

#include "link/RegisterList.h"
#include "ui/SettingsDialog.h"

#include <functional>
#include <string>

class QSpinBox;

namespace tillora {

// One register of the list, added, changed or copied: the settings dialog's model list, serial
// field and port list (with, where the system has devices, the device that the register opens),
// and the register's name and frame gap. OK checks as the list does (CheckRegister) and refuses a
// name that another register has.
class CRegisterEditDialog : public CSettingsDialog {
    Q_OBJECT
public:
    // devices: the devices behind the COM ports ([Ports]); a register whose port differs from
    // its COM port's device keeps it as its own. taken: whether another register has the name.
    CRegisterEditDialog(const NamedRegister& reg, const PortDevices& devices,
                        std::vector<SerialDevice> present,
                        std::function<bool(const std::string& name)> taken,
                        QWidget* parent = nullptr);

    // After OK: the register, name in Windows-1251.
    const NamedRegister& Register() const { return m_register; }

    QLineEdit* NameEdit() const { return m_name; }
    QSpinBox* GapEdit() const { return m_gap; }

    void accept() override;

private:
    NamedRegister RegisterOfFields() const;

    PortDevices m_comDevices;
    std::function<bool(const std::string&)> m_taken;
    NamedRegister m_register;
    QLineEdit* m_name;
    QSpinBox* m_gap;
};

} // namespace tillora
