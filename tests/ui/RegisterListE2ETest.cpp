#include "RegisterTestSupport.h"
#include "support/RecordingFeedback.h"
#include "support/SimProcess.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/RegisterChooser.h"
#include "ui/RegisterEditDialog.h"
#include "ui/RegistersDialog.h"
#include "ui/SendToRegistersDialog.h"
#include "ui/TableGrid.h"
#include "ui/UiText.h"

#include "link/Cp1251.h"
#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "link/RegisterInForce.h"
#include "link/RegisterList.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

#include <fstream>
#include <memory>

using namespace tillora;

namespace {

const std::string Articles = TILLORA_SOURCE_DIR "/examples/articles.txt";
constexpr int ArticleRows = 33;

std::string Cyrillic(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

// The frames a simulated register logged, "kind reply" each.
QStringList FramesOf(const std::string& log) {
    QStringList frames;
    std::ifstream file(log);
    std::string line;
    while (std::getline(file, line)) {
        const QStringList fields = QString::fromStdString(line).split(QLatin1Char('\t'));
        frames.append(fields.value(1) + QLatin1Char(' ') + fields.value(2));
    }
    return frames;
}

// One simulated register on a pseudo-terminal, with its frame log and saved tables.
struct SimulatedRegister {
    SimulatedRegister(const test::TempFolder& temp, const std::string& name, unsigned serial,
                      std::vector<std::string> faults)
        : log((temp.Path() / (name + ".log")).string()), saved(temp.Path() / name) {
        std::vector<std::string> args{"--serial", std::to_string(serial), "--log",
                                      log,        "--save-dir",           saved.string()};
        args.insert(args.end(), faults.begin(), faults.end());
        sim = std::make_unique<test::SimProcess>(args);
    }
    std::string log;
    std::filesystem::path saved;
    std::unique_ptr<test::SimProcess> sim;
};

} // namespace

class RegisterListE2ETest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        ConnectionSettings() = {0, 0, 123};
        temp = std::make_unique<test::TempFolder>("tillora-register-list-e2e");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(temp->Path().string()));
        frame = new CMainFrame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
    }
    void cleanup() {
        delete frame;
        frame = nullptr;
        temp.reset();
        ConnectionSettings() = {};
    }

    // The chooser lists the registers after the register in force, by the keyboard puts the
    // one chosen in force as [ECR], and the title names it; the settings dialog's own register
    // then shows as before.
    void choosingARegisterPutsItInForceAndInTheTitle() {
        const std::string ini = test::WriteIni(
            *temp, "[ECR]\nEcrType=0\nEcrCom=0\nEcrSerial=123\n[Register:" + Cyrillic("Каса 1") +
                       "]\nEcrType=2\nEcrCom=1\nEcrSerial=4711\nFrameGapMs=40\n"
                       "[Register:Store]\nEcrType=0\nEcrCom=0\nEcrSerial=99\nPort=/dev/ttyUSB7\n");
        frame->Register().Connect({ini, false, ""});
        QComboBox* chooser = frame->Chooser().Combo();
        QCOMPARE(chooser->accessibleName(), UiText(ids::ChooserName));
        QCOMPARE(chooser->count(), 3);
        QCOMPARE(chooser->currentText(), QStringLiteral("Mirel Fintale, COM1, 000123"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tillora - [Mirel Fintale, COM1, 000123]"));

        chooser->setFocus();
        QTest::keyClick(chooser, Qt::Key_Down);
        QCOMPARE(chooser->currentText(), QStringLiteral("Каса 1"));
        QCOMPARE(
            frame->windowTitle(),
            QStringLiteral("Tillora - Каса 1 [Vexo v1.00ZB / WEM 3001 v1.00ZB, COM2, 004711]"));
        QCOMPARE(ConnectionSettings().EcrType, 2);
        QCOMPARE(ConnectionSettings().EcrSerial, 4711u);
        const EcrIniFile file(ini);
        QCOMPARE(file.GetInt("ECR", "EcrType", -1), 2);
        QCOMPARE(file.GetInt("ECR", "EcrCom", -1), 1);
        QCOMPARE(file.GetUnsigned("ECR", "EcrSerial", 0), 4711u);
        QCOMPARE(file.GetInt("ECR", "FrameGapMs", -1), 40);
        QCOMPARE(frame->Register().LineInForce().device, std::string());

        // The own entry is gone: the register in force is one of the list.
        QCOMPARE(chooser->count(), 2);
        QTest::keyClick(chooser, Qt::Key_Down);
        QCOMPARE(frame->windowTitle(),
                 QStringLiteral("Tillora - Store [Mirel Fintale, /dev/ttyUSB7, 000099]"));
        QCOMPARE(EcrIniFile(ini).GetString("ECR", "Port", ""), std::string("/dev/ttyUSB7"));
        QCOMPARE(frame->Register().LineInForce().device, std::string("/dev/ttyUSB7"));
    }

    // Add (a bad name refused, then a Cyrillic one), edit, copy and remove, each in the file.
    void theRegistersDialogAddsEditsCopiesAndRemoves() {
        const std::string ini = test::WriteIni(*temp, "");
        CRegistersDialog dialog(ini, {}, {1, 0, 5}); // a new register starts as the one in force
        test::RecordingFeedback feedback;
        feedback.answer = true;
        dialog.SetFeedback(&feedback);
        QStringList tried;
        std::vector<std::function<void(CRegisterEditDialog&)>> fills;
        dialog.SetEditor([&](CRegisterEditDialog& edit) {
            for (const auto& fill : fills) {
                fill(edit);
                tried.append(edit.NameEdit()->text());
                edit.accept();
                if (edit.result() == QDialog::Accepted) {
                    return true;
                }
            }
            return false;
        });

        fills = {
            [](CRegisterEditDialog& edit) { edit.NameEdit()->setText(QStringLiteral("[Каса]")); },
            [](CRegisterEditDialog& edit) {
                edit.NameEdit()->setText(QStringLiteral("Каса Ъгъл"));
                edit.SerialEdit()->setText(QStringLiteral("4711"));
                edit.GapEdit()->setValue(25);
            }};
        dialog.OnAdd();
        QCOMPARE(feedback.messages.size(), std::size_t{1});
        QCOMPARE(feedback.messages[0].id, ids::RegisterNameInvalid);
        QVERIFY(feedback.messages[0].text.find("[Каса]") != std::string::npos);
        std::optional<NamedRegister> added = FindRegister(EcrIniFile(ini), Cyrillic("каса ъгъл"));
        QVERIFY(added.has_value());
        QCOMPARE(Cp1251ToUtf8(added->name), std::string("Каса Ъгъл"));
        QCOMPARE(added->settings.EcrType, 1); // from the settings in force
        QCOMPARE(added->settings.EcrSerial, 4711u);
        QCOMPARE(added->frameGapMs, std::uint64_t{25});
        QCOMPARE(dialog.List()->currentItem()->text(),
                 QStringLiteral("Каса Ъгъл – Mirel Compact, COM1, 004711"));

        // A copy may not take a name the list has; renamed, it is a register of its own.
        fills = {[](CRegisterEditDialog& edit) {
                     edit.NameEdit()->setText(QStringLiteral("каса ъгъл"));
                 },
                 [](CRegisterEditDialog& edit) {
                     edit.NameEdit()->setText(QStringLiteral("Склад"));
                     edit.SerialEdit()->setText(QStringLiteral("4712"));
                 }};
        dialog.OnCopy();
        QCOMPARE(tried.mid(2), (QStringList{QStringLiteral("каса ъгъл"), QStringLiteral("Склад")}));
        QCOMPARE(feedback.messages.back().id, ids::RegisterNameTaken);
        QCOMPARE(LoadRegisters(EcrIniFile(ini)).size(), std::size_t{2});

        // Renaming replaces the register of the old name.
        fills = {
            [](CRegisterEditDialog& edit) { edit.NameEdit()->setText(QStringLiteral("Склад 2")); }};
        dialog.OnEdit();
        std::vector<NamedRegister> list = LoadRegisters(EcrIniFile(ini));
        QCOMPARE(list.size(), std::size_t{2});
        QCOMPARE(Cp1251ToUtf8(list[1].name), std::string("Склад 2"));
        QCOMPARE(list[1].settings.EcrSerial, 4712u);

        dialog.OnRemove();
        QCOMPARE(feedback.questions.size(), std::size_t{1});
        QCOMPARE(feedback.questions[0].text, FormatMessage(ids::RegisterRemoveQuestion, "Склад 2"));
        QVERIFY(feedback.questions[0].defaultNo);
        list = LoadRegisters(EcrIniFile(ini));
        QCOMPARE(list.size(), std::size_t{1});
        QCOMPARE(dialog.List()->count(), 1);
    }

    // Two simulated registers at once: one takes every record, the other refuses its second;
    // each outcome is one line of the dialog, and no message box opens.
    void aSendToTwoRegistersShowsEachOutcome() {
        SimulatedRegister good(*temp, "good", 101, {});
        SimulatedRegister refusing(*temp, "refusing", 102, {"--refuse-frame", "3"});
        QVERIFY(!good.sim->Device().empty() && !refusing.sim->Device().empty());
        const std::string ini = test::WriteIni(
            *temp, "[Register:" + Cyrillic("Каса 1") + "]\nEcrType=0\nEcrCom=0\nEcrSerial=101\n" +
                       "FrameGapMs=0\nPort=" + good.sim->Device() + "\n[Register:" +
                       Cyrillic("Каса 2") + "]\nEcrType=0\nEcrCom=0\nEcrSerial=102\n" +
                       "FrameGapMs=0\nPort=" + refusing.sim->Device() + "\n");
        frame->Register().Connect({ini, false, ""});
        QVERIFY(frame->OpenStartFile(Articles));
        QAction* send = frame->Commands().Action(cmd::SendToRegisters);
        QVERIFY(send->isEnabled());

        test::ModalWatch watch;
        QStringList outcomes;
        bool ranWhileModal = false;
        watch.OnDialog([&](QWidget* modal) {
            auto* dialog = qobject_cast<CSendToRegistersDialog*>(modal);
            QVERIFY(dialog != nullptr);
            QListWidget* list = dialog->RegisterList();
            QCOMPARE(list->count(), 2);
            list->item(0)->setCheckState(Qt::Checked);
            list->item(1)->setCheckState(Qt::Checked);
            connect(dialog, &CSendToRegistersDialog::runEnded, dialog, [&, dialog] {
                for (int i = 0; i < dialog->Outcomes()->count(); ++i) {
                    outcomes.append(dialog->Outcomes()->item(i)->text());
                }
                QTest::keyClick(dialog, Qt::Key_Escape); // closes once the run has ended
            });
            QTest::mouseClick(dialog->SendButton(), Qt::LeftButton);
            ranWhileModal = dialog->IsRunning() && !dialog->SendButton()->isEnabled();
        });
        send->trigger();
        QVERIFY(ranWhileModal);
        QVERIFY(watch.Boxes().empty());

        const QString refused = MessageText(FormatMessage(ids::RegisterRefused));
        QCOMPARE(outcomes.size(), 3);
        QCOMPARE(outcomes[0], QStringLiteral("Каса 1: потвърдено – 33 реда изпратени успешно!"));
        QVERIFY2(outcomes[1].startsWith(QStringLiteral("Каса 2: не е потвърдено – ") +
                                        refused.section(QLatin1Char('\n'), 0, 0)),
                 qPrintable(outcomes[1]));
        QCOMPARE(outcomes[2], QStringLiteral("Потвърдиха 1 от 2 каси."));

        QCOMPARE(good.sim->Stop(), 0);
        QCOMPARE(refusing.sim->Stop(), 0);
        QStringList all{QStringLiteral("a ack")};
        for (int row = 0; row < ArticleRows; ++row) {
            all.append(QStringLiteral("r ack"));
        }
        all += QStringList{QStringLiteral("z ack"), QStringLiteral("ack none")};
        QCOMPARE(FramesOf(good.log), all);
        QCOMPARE(FramesOf(refusing.log),
                 (QStringList{QStringLiteral("a ack"), QStringLiteral("r ack"),
                              QStringLiteral("r nak")}));
        // The register that confirmed holds every record of the window's table.
        CCellGrid held;
        SetupTable(held, TableKind::Articles);
        CMemoryGridAccess access(held);
        test::RecordingFeedback quiet;
        QVERIFY(TableReader(access).ReadTableFile((good.saved / "articles.txt").string(), quiet));
        const CTableGrid& shown = frame->View().Grid(TableKind::Articles);
        for (int row = 1; row <= ArticleRows; ++row) {
            for (int column = 1; column <= 3; ++column) {
                QCOMPARE(held.GetItemText(row, column).empty(),
                         shown.GetItemText(row, column).empty());
            }
            QCOMPARE(held.GetItemText(row, 3), shown.GetItemText(row, 3));
        }
    }

    // Esc while two paced registers take the table stops both after the answer in flight: no
    // end of transfer at either, and each line says how far it came.
    void escStopsEveryRegisterOfTheSend() {
        SimulatedRegister first(*temp, "first", 101, {"--pace", "9600"});
        SimulatedRegister second(*temp, "second", 102, {"--pace", "9600"});
        const std::string ini = test::WriteIni(
            *temp, "[Register:A]\nEcrType=0\nEcrCom=0\nEcrSerial=101\nFrameGapMs=0\nPort=" +
                       first.sim->Device() +
                       "\n[Register:B]\nEcrType=0\nEcrCom=0\nEcrSerial=102\nFrameGapMs=0\nPort=" +
                       second.sim->Device() + "\n");
        frame->Register().Connect({ini, false, ""});
        QVERIFY(frame->OpenStartFile(Articles));
        const std::string table = TableFileText(frame->View().Grid(TableKind::Articles).Cells());
        CSendToRegistersDialog dialog(TableKind::Articles, table, LoadRegisters(EcrIniFile(ini)),
                                      DefaultPortDevices(), frame->Register().KnownState(), frame);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.RegisterList()->item(0)->setCheckState(Qt::Checked);
        dialog.RegisterList()->item(1)->setCheckState(Qt::Checked);
        QSignalSpy ended(&dialog, &CSendToRegistersDialog::runEnded);
        QTest::mouseClick(dialog.SendButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Bar()->value() > 0, 10000);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible()); // Esc stops the run; it closes the dialog only after
        QVERIFY(ended.wait(10000));
        QVERIFY(dialog.isVisible());

        const std::vector<RegisterOutcome>& outcomes = dialog.LastOutcomes();
        QCOMPARE(outcomes.size(), std::size_t{2});
        for (const auto& [outcome, sim] :
             {std::pair{outcomes[0], &first}, std::pair{outcomes[1], &second}}) {
            QVERIFY(!outcome.confirmed);
            QVERIFY2(QString::fromStdString(outcome.text).startsWith(QStringLiteral("Прекъснато")),
                     outcome.text.c_str());
            QCOMPARE(sim->sim->Stop(), 0);
            const QStringList frames = FramesOf(sim->log);
            QVERIFY(frames.size() < ArticleRows + 1);
            QVERIFY(!frames.contains(QStringLiteral("z ack")));
        }
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

private:
    CMainFrame* frame = nullptr;
    std::unique_ptr<test::TempFolder> temp;
};

QTEST_MAIN(RegisterListE2ETest)
#include "RegisterListE2ETest.moc"
