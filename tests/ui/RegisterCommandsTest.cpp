#include "RegisterTestSupport.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/SettingsDialog.h"
#include "ui/StartOptions.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"
#include "ui/TransferProgress.h"

#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "link/PortSettings.h"
#include "res/StringIds.h"
#include "sim/SimRegister.h"
#include "tables/TableSetup.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace tillora;
using tillora::test::ModalWatch;

namespace {

QString Message(unsigned id) {
    return QString::fromStdString(FormatMessage(id));
}

const std::string Articles = TILLORA_SOURCE_DIR "/examples/articles.txt";

} // namespace

class RegisterCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // The window keeps its recent files and state where a test cannot spoil the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        ConnectionSettings() = {};
        temp = std::make_unique<test::TempFolder>("tillora-register-commands");
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

    void sendAllIsEnabledOnTheFourProgrammableTablesOnly() {
        QAction* sendAll = Action(cmd::SendAll);
        for (int tab = 0; tab < 6; ++tab) {
            frame->View().SetCurtab(tab);
            QCOMPARE(sendAll->isEnabled(), tab < 4);
        }
        QVERIFY(Action(cmd::ReadReport)->isEnabled());
        QVERIFY(Action(cmd::RegisterSettings)->isEnabled());
    }

    void sendSelectedAlsoNeedsASelection() {
        QAction* sendSelected = Action(cmd::SendSelected);
        for (int tab = 0; tab < 6; ++tab) {
            frame->View().SetCurtab(tab);
            CTableGrid& grid = frame->View().CurrentGrid();
            grid.SetSelectedRange({});
            QVERIFY(!sendSelected->isEnabled());
            grid.SetSelectedRange({1, 1, 2, 1});
            QCOMPARE(sendSelected->isEnabled(), tab < 4);
        }
        // A command disabled is not run by its key either.
        ModalWatch watch;
        QTest::keyClick(frame, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(watch.Boxes().size(), std::size_t(0));
    }

    void incompleteSettingsStopEveryTransferWithTheirMessage() {
        frame->View().Grid(TableKind::Articles).SetSelectedRange({1, 1, 1, 1});
        const std::pair<EcrSettings, unsigned> cases[] = {{{-1, 0, 123}, ids::NoModel},
                                                          {{0, 4, 123}, ids::NoComPort},
                                                          {{0, 0, 0}, ids::NoSerial}};
        for (const auto& [settings, id] : cases) {
            ConnectionSettings() = settings;
            for (int command : {cmd::SendAll, cmd::SendSelected, cmd::ReadReport}) {
                ModalWatch watch;
                Action(command)->trigger();
                QCOMPARE(watch.Texts(), QStringList{Message(id)});
                QCOMPARE(watch.Boxes()[0].icon, QMessageBox::Critical);
                // Nothing was started: the report tab was not shown.
                QCOMPARE(frame->View().CurrentTable(), TableKind::Articles);
                QVERIFY(Bar()->isHidden());
            }
        }
    }

    void aPortThatCannotBeOpenedNamesItsDeviceAndReason() {
        const std::string missing = (temp->Path() / "ttyUSB9").string();
        Connect({test::WriteIni(*temp, "[Ports]\nCOM2=" + missing + "\n"), false, ""});
        ConnectionSettings() = {0, 1, 123};
        QVERIFY(frame->OpenStartFile(Articles));
        ModalWatch watch;
        Action(cmd::SendAll)->trigger();
        QCOMPARE(watch.Texts(), QStringList{QStringLiteral("COM2  не може да бъде отворен!")});
        const QString detail = watch.Boxes()[0].informative;
        QVERIFY2(detail.contains(QString::fromStdString(missing)), qPrintable(detail));
        QVERIFY(detail.contains(QString::fromStdString(FormatMessage(ids::PortAdviceMissing))));
        QVERIFY(Bar()->isHidden());
    }

    void demoModeMakesTheSettingsDescribeItsRegister() {
        // A model that the file gives but the catalogue lacks: the company lines have no flag.
        ConnectionSettings() = {12, 0, 0};
        CTableGrid& company = frame->View().Grid(TableKind::Company);
        ApplyModelColumns(company.Cells(), 12);
        Connect({"", true, ""});
        QVERIFY(frame->Register().DemoRegister() != nullptr);
        QCOMPARE(ConnectionSettings().EcrType, 0);
        QCOMPARE(ConnectionSettings().EcrSerial, 123u);
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tillora - [Mirel Fintale, COM1, 000123]"));
        QVERIFY(!company.isColumnHidden(company.Model()->IndexOf(1, 2).column()));
        QVERIFY(!frame->Register().SettingsAccepted());
    }

    void aSendShowsItsProgressAndTheRowsSent() {
        Connect({test::WriteIni(*temp, "[ECR]\nFrameGapMs=0\n"), true, ""});
        QVERIFY(frame->OpenStartFile(Articles));
        std::vector<int> shown;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            if (Bar()->isVisible()) {
                shown.push_back(Bar()->value());
            }
        });
        sampler.start(20);
        ModalWatch watch;
        Action(cmd::SendAll)->trigger();
        sampler.stop();
        QVERIFY(watch.Boxes().empty());
        const std::size_t rows = frame->Register().DemoRegister()->Records('r').size();
        QCOMPARE(rows, std::size_t(33));
        QCOMPARE(frame->Panes().Message(), QStringLiteral("33 реда изпратени успешно!"));
        QVERIFY(Bar()->isHidden());
        QVERIFY2(shown.size() >= 3, "the bar is seen while the records go");
        QVERIFY(std::is_sorted(shown.begin(), shown.end()));
        QVERIFY(shown.back() > 50);
    }

    void theReportShowsItsTablesAndABarWithoutAShare() {
        Connect({test::WriteIni(*temp, "[ECR]\nFrameGapMs=0\n"), true, ""});
        bool busy = false;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout,
                         [&] { busy = busy || (Bar()->isVisible() && Bar()->maximum() == 0); });
        sampler.start(20);
        Action(cmd::ReadReport)->trigger();
        QVERIFY(busy);
        QCOMPARE(frame->View().CurrentTable(), TableKind::SubgroupReport);
        QVERIFY(!frame->View().Grid(TableKind::Report).GetItemText(1, 1).empty());
        QVERIFY(Bar()->isHidden());
    }

    void okInTheSettingsDialogPutsTheSettingsInForce() {
        const std::string ini = test::WriteIni(*temp, "[ECR]\nEcrType=1\n");
        Connect({ini, false, ""});
        ConnectionSettings() = {1, 0, 55};
        ModalWatch watch;
        watch.OnDialog([](QWidget* window) {
            auto* dialog = qobject_cast<CSettingsDialog*>(window);
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->SerialEdit()->text(), QStringLiteral("000055"));
            dialog->ModelList()->setCurrentIndex(5);
            dialog->ComList()->setCurrentIndex(1);
            dialog->DeviceList()->setEditText(QStringLiteral("/dev/ttyACM3"));
            dialog->SerialEdit()->setText(QStringLiteral("4711"));
            dialog->OkButton()->click();
        });
        Action(cmd::RegisterSettings)->trigger();
        QVERIFY(watch.Boxes().empty());
        QCOMPARE(ConnectionSettings().EcrType, 5);
        QCOMPARE(ConnectionSettings().EcrCom, 1);
        QCOMPARE(ConnectionSettings().EcrSerial, 4711u);
        QVERIFY(frame->Register().SettingsAccepted());
        QVERIFY(frame->windowTitle().endsWith(QStringLiteral(", COM2, 004711]")));
        // Models 2 to 9 have no flag column in the company lines.
        const CTableGrid& company = frame->View().Grid(TableKind::Company);
        QCOMPARE(company.Cells().GetColumnWidth(2), 0);
        QVERIFY(company.isColumnHidden(company.Model()->IndexOf(1, 2).column()));
        // The device is in the file at once; the settings themselves only at exit.
        EcrIniFile file(ini);
        QCOMPARE(LoadPortDevices(file)[1], std::string("/dev/ttyACM3"));
        QCOMPARE(LoadEcrSettings(file).EcrType, 1);
        QCOMPARE(LoadEcrSettings(file).EcrSerial, 0u);
    }

    void backToAModelWithTheFlagColumnShowsIt() {
        Connect({test::WriteIni(*temp, ""), false, ""});
        ConnectionSettings() = {5, 0, 55};
        CTableGrid& company = frame->View().Grid(TableKind::Company);
        ApplyModelColumns(company.Cells(), 5);
        QVERIFY(company.isColumnHidden(company.Model()->IndexOf(1, 2).column()));
        ModalWatch watch;
        watch.OnDialog([](QWidget* window) {
            auto* dialog = qobject_cast<CSettingsDialog*>(window);
            dialog->ModelList()->setCurrentIndex(0);
            dialog->OkButton()->click();
        });
        Action(cmd::RegisterSettings)->trigger();
        QVERIFY(company.Cells().GetColumnWidth(2) > 0);
        const int shown = company.Model()->IndexOf(1, 2).column();
        QVERIFY(!company.isColumnHidden(shown));
        QVERIFY(company.columnWidth(shown) > 0);
    }

    void cancelInTheSettingsDialogChangesNothing() {
        const std::string ini = test::WriteIni(*temp, "");
        Connect({ini, false, ""});
        ConnectionSettings() = {1, 0, 55};
        const QString title = frame->windowTitle();
        ModalWatch watch;
        watch.OnDialog([](QWidget* window) {
            auto* dialog = qobject_cast<CSettingsDialog*>(window);
            dialog->ModelList()->setCurrentIndex(7);
            dialog->DeviceList()->setEditText(QStringLiteral("/dev/ttyACM3"));
            dialog->reject();
        });
        Action(cmd::RegisterSettings)->trigger();
        QCOMPARE(ConnectionSettings().EcrType, 1);
        QCOMPARE(frame->windowTitle(), title);
        QVERIFY(!frame->Register().SettingsAccepted());
        QCOMPARE(LoadPortDevices(EcrIniFile(ini)), DefaultPortDevices());
    }

    void theInformationButtonAsksTheDemoRegister() {
        Connect({test::WriteIni(*temp, ""), true, ""}); // the demo register's serial is 000123
        QString serial;
        ModalWatch watch;
        watch.OnDialog([&serial](QWidget* window) {
            auto* dialog = qobject_cast<CSettingsDialog*>(window);
            dialog->SerialEdit()->clear();
            dialog->InfoButton()->click();
            serial = dialog->SerialEdit()->text();
            dialog->reject();
        });
        Action(cmd::RegisterSettings)->trigger();
        QVERIFY(watch.Boxes().empty());
        QCOMPARE(serial, QStringLiteral("000123"));
    }

    void theInformationButtonAsksOnThePortOfTheSettingsInForce() {
        const std::string missing = (temp->Path() / "ttyS7").string();
        const std::string other = (temp->Path() / "ttyUSB4").string();
        Connect({test::WriteIni(*temp, "[Ports]\nCOM1=" + missing + "\nCOM4=" + other + "\n"),
                 false, ""});
        ModalWatch watch;
        QString serial;
        watch.OnDialog([&serial](QWidget* window) {
            auto* dialog = qobject_cast<CSettingsDialog*>(window);
            dialog->ComList()->setCurrentIndex(3); // not in force before OK
            dialog->InfoButton()->click();
            serial = dialog->SerialEdit()->text();
            dialog->reject();
        });
        Action(cmd::RegisterSettings)->trigger();
        QCOMPARE(watch.Texts(), QStringList{QStringLiteral("COM1  не може да бъде отворен!")});
        QVERIFY(watch.Boxes()[0].informative.contains(QString::fromStdString(missing)));
        QCOMPARE(serial, QStringLiteral("000000"));
    }

    void theCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("demo");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << QStringList{} << true << "" << false << "";
        QTest::newRow("a file") << QStringList{"prices.txt"} << true << "" << false << "prices.txt";
        QTest::newRow("everything") << QStringList{"--ini", "my.ini", "--demo", "a.txt"} << true
                                    << "my.ini" << true << "a.txt";
        // UTF-8 on every system, as the core's file functions take names.
        QTest::newRow("Cyrillic names") << QStringList{"--ini", "настройки.ini", "артикули.txt"}
                                        << true << "настройки.ini" << false << "артикули.txt";
        QTest::newRow("options after the file")
            << QStringList{"a.txt", "--demo"} << true << "" << true << "a.txt";
        QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << false << "" << false << "";
        QTest::newRow("unknown option") << QStringList{"--port", "x"} << false << "" << false << "";
        QTest::newRow("ini without its file") << QStringList{"--ini"} << false << "" << false << "";
    }
    void theCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, parsed);
        QFETCH(QString, ini);
        QFETCH(bool, demo);
        QFETCH(QString, file);
        arguments.prepend(QStringLiteral("tillora"));
        int exitCode = -1;
        const std::optional<StartOptions> options = ParseStartOptions(arguments, exitCode);
        QCOMPARE(options.has_value(), parsed);
        QCOMPARE(exitCode, parsed ? 0 : 2);
        if (options) {
            QCOMPARE(QString::fromStdString(options->connection.iniFile), ini);
            QCOMPARE(options->connection.demo, demo);
            QCOMPARE(QString::fromStdString(options->file), file);
        }
    }

    void aTraceFileIsCheckedBeforeTheWindowOpens() {
        const QString trace = QString::fromStdString((temp->Path() / "trace.txt").string());
        int exitCode = -1;
        auto options = ParseStartOptions({"tillora", "--trace", trace}, exitCode);
        QVERIFY(options.has_value());
        QCOMPARE(QString::fromStdString(options->connection.traceFile), trace);
        options =
            ParseStartOptions({"tillora", "--trace", "/nonexistent/folder/trace.txt"}, exitCode);
        QVERIFY(!options.has_value());
        QCOMPARE(exitCode, 2);
        options = ParseStartOptions({"tillora", "--help"}, exitCode);
        QVERIFY(!options.has_value());
        QCOMPARE(exitCode, 0);
    }

private:
    QAction* Action(int id) const { return frame->Commands().Action(id); }
    QProgressBar* Bar() const { return frame->Register().Progress().Bar(); }
    void Connect(const RegisterConnection& connection) { frame->Register().Connect(connection); }

    CMainFrame* frame = nullptr;
    std::unique_ptr<test::TempFolder> temp;
};

QTEST_MAIN(RegisterCommandsTest)
#include "RegisterCommandsTest.moc"
