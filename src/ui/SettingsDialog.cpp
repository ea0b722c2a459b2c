#include "ui/SettingsDialog.h"

#include "grid/QtText.h"
#include "link/Message.h"
#include "link/PortSettings.h"
#include "link/RegisterModels.h"
#include "res/StringIds.h"
#include "ui/QtFeedback.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tillora {
namespace {

// A typed character the serial field does not take: anything printable but a digit. A paste
// goes in whole, as it always did, and the OK check refuses what is not a number.
bool IsTypedNonDigit(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    for (const QChar c : key.text()) {
        if (c.isPrint() && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            return true;
        }
    }
    return false;
}

} // namespace

CSettingsDialog::CSettingsDialog(const EcrSettings& settings, const PortDevices& devices,
                                 std::vector<SerialDevice> present, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_devices(devices), m_present(std::move(present)),
      m_models(new QComboBox(this)), m_serial(new QLineEdit(this)), m_ports(new QComboBox(this)),
      m_info(new QPushButton(UiText(ids::SettingsInfoButton), this)),
      m_ok(new QPushButton(UiText(ids::SettingsOk), this)),
      m_cancel(new QPushButton(UiText(ids::SettingsCancel), this)) {
    setWindowTitle(UiText(ids::SettingsCaption));
    m_models->setObjectName(QStringLiteral("modelList"));
    m_serial->setObjectName(QStringLiteral("serialEdit"));
    m_ports->setObjectName(QStringLiteral("comList"));
    m_info->setObjectName(QStringLiteral("infoButton"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));

    for (int model = 0; model < RegisterModelCount; ++model) {
        const std::string_view name = RegisterModelName(model);
        m_models->addItem(FromUtf8(name));
    }
    // An index that is in no list, such as -1, leaves that list without a selection.
    m_models->setCurrentIndex(IsValidRegisterModel(settings.EcrType) ? settings.EcrType : -1);
    for (int com = 0; com < ComPortCount; ++com) {
        m_ports->addItem(PortLabel(com));
    }
    m_ports->setCurrentIndex(IsValidCom(settings.EcrCom) ? settings.EcrCom : -1);
    m_serial->setMaxLength(SerialDigitCount);
    m_serial->setAlignment(Qt::AlignRight);
    m_serial->setText(FromUtf8(SerialDigits(settings.EcrSerial)));
    m_serial->installEventFilter(this);
    m_info->setEnabled(false);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(LabelFor(ids::SettingsModelLabel, m_models), 0, 0);
    layout->addWidget(m_models, 0, 1, 1, 3);
    layout->addWidget(LabelFor(ids::SettingsSerialLabel, m_serial), 1, 0);
    layout->addWidget(m_serial, 1, 1);
    layout->addWidget(m_info, 1, 2);
    layout->addWidget(m_ok, 1, 3);
    layout->addWidget(LabelFor(ids::SettingsComLabel, m_ports), 2, 0);
    layout->addWidget(m_ports, 2, 1, 1, 2);
    layout->addWidget(m_cancel, 2, 3);
    m_device = new QComboBox(this);
    m_device->setObjectName(QStringLiteral("deviceList"));
    m_device->setEditable(true);
    m_device->setInsertPolicy(QComboBox::NoInsert);
    m_device->setToolTip(UiText(ids::PortDeviceTip));
    for (const SerialDevice& device : m_present) {
        m_device->addItem(FromUtf8(device.path));
        if (!device.target.empty()) {
            m_device->setItemData(m_device->count() - 1, FromUtf8(device.target), Qt::ToolTipRole);
        }
    }
    layout->addWidget(LabelFor(ids::PortDeviceLabel, m_device), 3, 0);
    layout->addWidget(m_device, 3, 1, 1, 3);
    connect(m_device, &QComboBox::editTextChanged, this, &CSettingsDialog::DeviceEdited);
    connect(m_ports, &QComboBox::currentIndexChanged, this, &CSettingsDialog::ShowDeviceOfPort);
    ShowDeviceOfPort(m_ports->currentIndex());
    layout->setColumnStretch(1, 1);

    connect(m_info, &QPushButton::clicked, this, &CSettingsDialog::OnInfo);
    connect(m_ok, &QPushButton::clicked, this, &CSettingsDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CSettingsDialog::reject);
    m_models->setFocus();
}

CSettingsDialog::~CSettingsDialog() = default;

void CSettingsDialog::SetInfoQuery(InfoQuery query) {
    m_query = std::move(query);
    m_info->setEnabled(static_cast<bool>(m_query));
}

void CSettingsDialog::SetFeedback(IFeedback* feedback) {
    m_feedback = feedback;
}

IFeedback& CSettingsDialog::Feedback() {
    if (m_feedback == nullptr) {
        m_feedback = new CQtFeedback(this, nullptr);
    }
    return *m_feedback;
}

PortDevices CSettingsDialog::Devices() const {
    PortDevices devices = m_devices;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i] = DeviceOrDefault(i, devices[i]);
    }
    return devices;
}

QString CSettingsDialog::PortLabel(int com) const {
    const std::string name(LoadString(ids::SettingsCom1 + static_cast<unsigned>(com)));
    const auto index = static_cast<std::size_t>(com);
    const std::string shown = DeviceOrDefault(index, m_devices[index]);
    // On Windows a port left at its own name says nothing more in brackets.
    if (QString::compare(FromUtf8(shown), FromUtf8(name), Qt::CaseInsensitive) == 0) {
        return FromUtf8(name);
    }
    return FromUtf8(FormatMessage(ids::PortWithDevice, name.c_str(), shown.c_str()));
}

void CSettingsDialog::ShowDeviceOfPort(int com) {
    if (m_device == nullptr) {
        return;
    }
    m_device->setEnabled(IsValidCom(com));
    m_showingDevice = true;
    m_device->setCurrentIndex(-1);
    m_device->setEditText(IsValidCom(com) ? FromUtf8(m_devices[static_cast<std::size_t>(com)])
                                          : QString());
    m_showingDevice = false;
}

void CSettingsDialog::DeviceEdited(const QString& text) {
    const int com = m_ports->currentIndex();
    if (m_showingDevice || !IsValidCom(com)) {
        return;
    }
    m_devices[static_cast<std::size_t>(com)] = ToPath(text.trimmed());
    m_ports->setItemText(com, PortLabel(com));
}

void CSettingsDialog::OnInfo() {
    if (!m_query) {
        return;
    }
    if (const std::optional<std::string> serial = m_query(Feedback())) {
        m_serial->setText(FromCp1251(*serial));
    }
}

void CSettingsDialog::accept() {
    const SettingsDialogCheck check = CheckSettingsDialog(
        m_models->currentIndex(), m_ports->currentIndex(), ToUtf8(m_serial->text()));
    if (check.messageId != 0) {
        ShowError(Feedback(), check.messageId);
        return;
    }
    m_settings = check.settings;
    QDialog::accept();
}

bool CSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_serial && event->type() == QEvent::KeyPress &&
        IsTypedNonDigit(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tillora
