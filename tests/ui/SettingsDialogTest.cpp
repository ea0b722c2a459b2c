#include "ui/SettingsDialog.h"
#include "support/RecordingFeedback.h"

#include "link/Message.h"
#include "res/StringIds.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tillora;

namespace {

const PortDevices Devices{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};

const std::vector<SerialDevice> Present{
    {"/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0", "/dev/ttyUSB0"},
    {"/dev/ttyUSB0", ""},
    {"/dev/ttyS0", ""},
};

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        delete dialog;
        dialog = nullptr;
        feedback = {};
    }

    void theListsAndTheSerialShowTheSettingsInForce() {
        Open({3, 2, 123});
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Настройки на касата"));
        QCOMPARE(dialog->ModelList()->count(), 10);
        QCOMPARE(dialog->ModelList()->currentIndex(), 3);
        // Two blanks after the slash, as the catalogue has them.
        QCOMPARE(dialog->ModelList()->currentText(),
                 QStringLiteral("Vexo v2.00ZB /  WEM 3001 v1.00ZB"));
        QCOMPARE(dialog->ComList()->count(), 4);
        QCOMPARE(dialog->ComList()->currentIndex(), 2);
        QCOMPARE(dialog->SerialEdit()->text(), QStringLiteral("000123"));
        QCOMPARE(dialog->SerialEdit()->maxLength(), 6);
        QVERIFY(dialog->SerialEdit()->alignment() & Qt::AlignRight);
        QVERIFY(dialog->OkButton()->isDefault());
        QCOMPARE(dialog->InfoButton()->text(), QStringLiteral("&Информация"));
    }

    void settingsOutsideTheListsLeaveThemWithoutASelection() {
        Open({-1, 7, 0});
        QCOMPARE(dialog->ModelList()->currentIndex(), -1);
        QCOMPARE(dialog->ComList()->currentIndex(), -1);
        QCOMPARE(dialog->SerialEdit()->text(), QStringLiteral("000000"));
        QVERIFY(!dialog->DeviceList()->isEnabled());
    }

    void okChecksModelThenPortThenSerial_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("com");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<unsigned>("message");
        QTest::addColumn<unsigned>("stored");
        QTest::newRow("123 is kept as 123") << 4 << 1 << "123" << 0u << 123u;
        QTest::newRow("999999 is the largest") << 9 << 3 << "999999" << 0u << 999999u;
        QTest::newRow("leading zeros") << 0 << 0 << "000042" << 0u << 42u;
        QTest::newRow("0") << 0 << 0 << "0" << ids::NoSerial << 0u;
        QTest::newRow("000000") << 0 << 0 << "000000" << ids::NoSerial << 0u;
        QTest::newRow("12a pasted") << 0 << 0 << "12a" << ids::NoSerial << 0u;
        QTest::newRow("empty") << 0 << 0 << "" << ids::NoSerial << 0u;
        QTest::newRow("blank") << 0 << 0 << " 123" << ids::NoSerial << 0u;
        QTest::newRow("no model, serial wrong too") << -1 << 0 << "12a" << ids::NoModel << 0u;
        QTest::newRow("no port") << 2 << -1 << "123" << ids::NoComPort << 0u;
    }
    void okChecksModelThenPortThenSerial() {
        QFETCH(int, model);
        QFETCH(int, com);
        QFETCH(QString, serial);
        QFETCH(unsigned, message);
        QFETCH(unsigned, stored);
        Open({-1, 0, 0});
        dialog->ModelList()->setCurrentIndex(model);
        dialog->ComList()->setCurrentIndex(com);
        dialog->SerialEdit()->setText(serial);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        if (message != 0) {
            QCOMPARE(feedback.Ids(), std::vector<unsigned>{message});
            QCOMPARE(feedback.messages[0].icon, MessageIcon::Error);
            QCOMPARE(feedback.messages[0].text, FormatMessage(message));
            // The dialog stays open with everything the user entered.
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
            QCOMPARE(dialog->ModelList()->currentIndex(), model);
            QCOMPARE(dialog->ComList()->currentIndex(), com);
            QCOMPARE(dialog->SerialEdit()->text(), serial);
        } else {
            QVERIFY(feedback.messages.empty());
            QVERIFY(!dialog->isVisible());
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
            QCOMPARE(dialog->Settings().EcrType, model);
            QCOMPARE(dialog->Settings().EcrCom, com);
            QCOMPARE(dialog->Settings().EcrSerial, stored);
        }
    }

    void enterInTheSerialFieldIsOk() {
        Open({1, 0, 5});
        dialog->SerialEdit()->setFocus();
        QTest::keyClick(dialog->SerialEdit(), Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->Settings().EcrSerial, 5u);
    }

    void cancelTakesNothing() {
        Open({1, 0, 5});
        dialog->SerialEdit()->setText(QStringLiteral("77"));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(dialog->Settings().EcrSerial, 5u);
        QVERIFY(feedback.messages.empty());
    }

    void theSerialFieldTakesTypedDigitsOnly() {
        Open({0, 0, 0});
        QLineEdit* serial = dialog->SerialEdit();
        serial->clear();
        serial->setFocus();
        QTest::keyClicks(serial, QStringLiteral("12a-3 4"));
        QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("б"));
        QApplication::sendEvent(serial, &cyrillic);
        QCOMPARE(serial->text(), QStringLiteral("1234"));
        QTest::keyClick(serial, Qt::Key_Backspace);
        QCOMPARE(serial->text(), QStringLiteral("123"));
        QTest::keyClicks(serial, QStringLiteral("45678"));
        QCOMPARE(serial->text(), QStringLiteral("123456"));
    }

    void theInformationQueryWritesTheSerialField() {
        Open({0, 0, 123});
        IFeedback* given = nullptr;
        dialog->SetInfoQuery([&given](IFeedback& used) -> std::optional<std::string> {
            given = &used;
            return "004711";
        });
        QVERIFY(dialog->InfoButton()->isEnabled());
        QTest::mouseClick(dialog->InfoButton(), Qt::LeftButton);
        QCOMPARE(dialog->SerialEdit()->text(), QStringLiteral("004711"));
        QCOMPARE(given, static_cast<IFeedback*>(&feedback));
        // The settings are taken only with OK.
        QCOMPARE(dialog->Settings().EcrSerial, 123u);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        QCOMPARE(dialog->Settings().EcrSerial, 4711u);
    }

    void aFailedQueryLeavesTheSerialField() {
        Open({0, 0, 123});
        dialog->SetInfoQuery([](IFeedback& used) -> std::optional<std::string> {
            ShowError(used, ids::ChecksumError);
            return std::nullopt;
        });
        dialog->SerialEdit()->setText(QStringLiteral("55"));
        QTest::mouseClick(dialog->InfoButton(), Qt::LeftButton);
        QCOMPARE(feedback.Ids(), std::vector<unsigned>{ids::ChecksumError});
        QCOMPARE(dialog->SerialEdit()->text(), QStringLiteral("55"));
        QVERIFY(dialog->isVisible());
    }

    void withoutAQueryTheButtonIsDisabled() {
        Open({0, 0, 123});
        dialog->SetInfoQuery(nullptr);
        QVERIFY(!dialog->InfoButton()->isEnabled());
    }

    void eachPortShowsItsDevice() {
        Open({0, 0, 123});
        QCOMPARE(dialog->ComList()->itemText(0), QStringLiteral("COM1 (/dev/ttyUSB0)"));
        QCOMPARE(dialog->ComList()->itemText(3), QStringLiteral("COM4 (/dev/ttyS3)"));
        QCOMPARE(dialog->DeviceList()->currentText(), QStringLiteral("/dev/ttyUSB0"));
        dialog->ComList()->setCurrentIndex(1);
        QCOMPARE(dialog->DeviceList()->currentText(), QStringLiteral("/dev/ttyS1"));
        QVERIFY(dialog->DeviceList()->isEnabled());
    }

    void theDevicesPresentAreOfferedWithWhatTheyStandFor() {
        Open({0, 0, 123});
        QComboBox* list = dialog->DeviceList();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QString::fromStdString(Present[0].path));
        QCOMPARE(list->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(list->itemText(2), QStringLiteral("/dev/ttyS0"));
    }

    void aDevicePickedIsTheSelectedPortsOnly() {
        Open({0, 2, 123});
        dialog->DeviceList()->setCurrentIndex(0);
        QCOMPARE(dialog->ComList()->itemText(2),
                 QStringLiteral("COM3 (%1)").arg(QString::fromStdString(Present[0].path)));
        dialog->ComList()->setCurrentIndex(0);
        QCOMPARE(dialog->DeviceList()->currentText(), QStringLiteral("/dev/ttyUSB0"));
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        const PortDevices expected{"/dev/ttyUSB0", "/dev/ttyS1", Present[0].path, "/dev/ttyS3"};
        QCOMPARE(dialog->Devices(), expected);
        QCOMPARE(dialog->Settings().EcrCom, 0);
    }

    void aDeviceTypedInIsTakenAndAnEmptyOneIsThePortsDefault() {
        Open({0, 1, 123});
        QLineEdit* typed = dialog->DeviceList()->lineEdit();
        typed->selectAll();
        QTest::keyClicks(typed, QStringLiteral("/dev/pts/7"));
        QCOMPARE(dialog->ComList()->itemText(1), QStringLiteral("COM2 (/dev/pts/7)"));
        dialog->ComList()->setCurrentIndex(0);
        dialog->DeviceList()->lineEdit()->clear();
        const std::string standard = DefaultPortDevices()[0]; // /dev/ttyS0, or COM1 on Windows
        QCOMPARE(dialog->ComList()->itemText(0),
                 standard == "COM1"
                     ? QStringLiteral("COM1")
                     : QStringLiteral("COM1 (%1)").arg(QString::fromStdString(standard)));
        const PortDevices expected{standard, "/dev/pts/7", "/dev/ttyS2", "/dev/ttyS3"};
        QCOMPARE(dialog->Devices(), expected);
    }

    // Windows: the ports present by their COM names; an adapter at COM7 serves as COM1.
    void aComPortBeyondCom4IsTakenForOneOfTheFour() {
        dialog = new CSettingsDialog({0, 0, 123}, {"COM1", "COM2", "COM3", "COM4"},
                                     {{"COM1", "\\Device\\Serial0"}, {"COM7", "\\Device\\VCP0"}});
        dialog->SetFeedback(&feedback);
        QCOMPARE(dialog->ComList()->itemText(0), QStringLiteral("COM1"));
        QCOMPARE(dialog->DeviceList()->itemData(1, Qt::ToolTipRole).toString(),
                 QStringLiteral("\\Device\\VCP0"));
        dialog->DeviceList()->setCurrentIndex(1);
        QCOMPARE(dialog->ComList()->itemText(0), QStringLiteral("COM1 (COM7)"));
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        const PortDevices expected{"COM7", "COM2", "COM3", "COM4"};
        QCOMPARE(dialog->Devices(), expected);
        QCOMPARE(dialog->Settings().EcrCom, 0);
    }

private:
    void Open(const EcrSettings& settings) {
        dialog = new CSettingsDialog(settings, Devices, Present);
        dialog->SetFeedback(&feedback);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }

    CSettingsDialog* dialog = nullptr;
    test::RecordingFeedback feedback;
};

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"
