#pragma once

#include "link/EcrSettings.h"
#include "link/Feedback.h"
#include "link/SerialDevices.h"
#include "link/SerialPort.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tillora {

// "Настройки на касата": the register's model, its serial number and its COM port, and where the
// system has serial devices (not Windows), which device each COM port opens. The dialog works on
// copies; the command that opened it takes them after OK. "&Информация" asks the register for its
// serial number on the port of the settings in force and writes the answer into the serial field.
class CSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // The register's answer to the information query, or none after its message was shown.
    using InfoQuery = std::function<std::optional<std::string>(IFeedback& feedback)>;

    // present: the serial devices the user may choose from for a COM port.
    CSettingsDialog(const EcrSettings& settings, const PortDevices& devices,
                    std::vector<SerialDevice> present, QWidget* parent = nullptr);
    ~CSettingsDialog() override;

    // Without a query the information button is disabled.
    void SetInfoQuery(InfoQuery query);
    // Where the checks' messages and the query's go; by default, message boxes over the dialog.
    void SetFeedback(IFeedback* feedback);

    // After OK: the values that passed the check, and the device of each COM port (a device left
    // empty is the port's default).
    const EcrSettings& Settings() const { return m_settings; }
    PortDevices Devices() const;

    QComboBox* ModelList() const { return m_models; }
    QLineEdit* SerialEdit() const { return m_serial; }
    QComboBox* ComList() const { return m_ports; }
    // Null where the platform names its ports itself (Windows).
    QComboBox* DeviceList() const { return m_device; }
    QPushButton* InfoButton() const { return m_info; }
    QPushButton* OkButton() const { return m_ok; }

    // The OK button: the check, its message and the dialog staying open, or closing with OK.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    IFeedback& Feedback();

private:
    void OnInfo();
    void ShowDeviceOfPort(int com);
    void DeviceEdited(const QString& text);
    QString PortLabel(int com) const;

    EcrSettings m_settings;
    PortDevices m_devices;
    std::vector<SerialDevice> m_present;
    InfoQuery m_query;
    IFeedback* m_feedback = nullptr; // by default, message boxes over the dialog
    bool m_showingDevice = false;

    QComboBox* m_models;
    QLineEdit* m_serial;
    QComboBox* m_ports;
    QComboBox* m_device = nullptr;
    QPushButton* m_info;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace tillora
