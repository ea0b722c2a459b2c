#include "RegisterTestSupport.h"
#include "support/RecordingFeedback.h"
#include "support/SimProcess.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/RegisterDifferences.h"
#include "ui/SettingsDialog.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"
#include "ui/TransferProgress.h"
#include "ui/UiText.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <memory>
#include <sstream>

using namespace tillora;
using tillora::test::ModalWatch;

namespace {

const std::string Articles = TILLORA_SOURCE_DIR "/examples/articles.txt";
constexpr int ArticleRows = 33; // the example's rows, 1 to 33

// What the register did with each frame it received, as its log says: "a ack", "r nak", ...
QStringList FramesOf(const std::string& log) {
    QStringList frames;
    std::ifstream file(log);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string number;
        std::string kind;
        std::string reply;
        std::getline(fields, number, '\t');
        std::getline(fields, kind, '\t');
        std::getline(fields, reply, '\t');
        frames.append(QString::fromStdString(kind + " " + reply));
    }
    return frames;
}

// A table as the register saved it, read as the program reads a file.
class SavedTable {
public:
    SavedTable(TableKind kind, const std::string& path) {
        SetupTable(grid, kind);
        test::RecordingFeedback feedback;
        read = TableReader(access).ReadTableFile(path, feedback);
    }
    CCellGrid grid;
    CMemoryGridAccess access{grid};
    bool read = false;
};

// Every text of the table, for comparing before and after.
std::string Snapshot(const CCellGrid& grid) {
    std::string texts;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        for (int column = 0; column < grid.GetColumnCount(); ++column) {
            texts += grid.GetItemText(row, column) + '\t';
        }
        texts += '\n';
    }
    return texts;
}

// Calls back on every paint of a widget while it lives.
class PaintTimes : public QObject {
public:
    PaintTimes(QWidget* widget, std::function<void()> painted)
        : m_widget(widget), m_painted(std::move(painted)) {
        widget->installEventFilter(this);
    }
    ~PaintTimes() override { m_widget->removeEventFilter(this); }
    PaintTimes(const PaintTimes&) = delete;
    PaintTimes& operator=(const PaintTimes&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_widget && event->type() == QEvent::Paint) {
            m_painted();
        }
        return false;
    }

private:
    QWidget* m_widget;
    std::function<void()> m_painted;
};

QStringList Repeated(const QString& text, int times) {
    QStringList list;
    for (int i = 0; i < times; ++i) {
        list.append(text);
    }
    return list;
}

} // namespace

class RegisterCommandsE2ETest : public QObject {
    Q_OBJECT
private slots:
    // The window keeps its recent files and state where a test cannot spoil the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        ConnectionSettings() = {0, 0, 123};
        temp = std::make_unique<test::TempFolder>("tillora-register-e2e");
        // What the registers are known to hold, apart for each test.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(temp->Path().string()));
        frame = new CMainFrame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->activateWindow();
    }
    void cleanup() {
        delete frame;
        frame = nullptr;
        sim.reset();
        temp.reset();
        ConnectionSettings() = {};
    }

    void sendAllTakesAnEditInProgressAndEveryRowToTheRegister() {
        StartSim({});
        QVERIFY(frame->OpenStartFile(Articles));
        CTableGrid& articles = Grid(TableKind::Articles);
        TypePriceOfRowTwo();

        ModalWatch watch;
        Action(cmd::SendAll)->trigger();
        QVERIFY(watch.Boxes().empty());
        QCOMPARE(frame->Panes().Message(), QStringLiteral("33 реда изпратени успешно!"));
        QCOMPARE(articles.GetItemText(2, 3), std::string("9.99"));

        QCOMPARE(sim->Stop(), 0);
        QStringList expected{QStringLiteral("a ack")}; // the protocol's first frame, nothing before
        expected += Repeated(QStringLiteral("r ack"), ArticleRows);
        expected += QStringList{QStringLiteral("z ack"), QStringLiteral("ack none")};
        QCOMPARE(FramesOf(Log()), expected);
        SavedTable held(TableKind::Articles, Saved("articles"));
        QVERIFY(held.read);
        for (int row = 1; row <= ArticleRows; ++row) {
            QCOMPARE(held.grid.GetItemText(row, 3), articles.GetItemText(row, 3));
            QCOMPARE(held.grid.GetItemText(row, 1).empty(), articles.GetItemText(row, 1).empty());
        }
    }

    void sendSelectedTakesOnlyTheSelectedPrices() {
        StartSim({});
        QVERIFY(frame->OpenStartFile(Articles));
        CTableGrid& articles = Grid(TableKind::Articles);
        QTest::mouseClick(articles.viewport(), Qt::LeftButton, {}, CellCentre(articles, 1, 3));
        QTest::mouseClick(articles.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          CellCentre(articles, 10, 3));
        QCOMPARE(articles.GetSelectedCount(), 10);
        QVERIFY(Action(cmd::SendSelected)->isEnabled());

        ModalWatch watch;
        Action(cmd::SendSelected)->trigger();
        QVERIFY(watch.Boxes().empty());
        QCOMPARE(frame->Panes().Message(),
                 QStringLiteral("Избраните клетки бяха изпратени успешно!"));

        QCOMPARE(sim->Stop(), 0);
        QStringList expected{QStringLiteral("a ack")}; // the protocol's first frame, nothing before
        expected += Repeated(QStringLiteral("r ack"), 10);
        expected += QStringList{QStringLiteral("z ack"), QStringLiteral("ack none")};
        QCOMPARE(FramesOf(Log()), expected);
        // The register started empty and took prices alone.
        SavedTable held(TableKind::Articles, Saved("articles"));
        QVERIFY(held.read);
        for (int row = 1; row <= 10; ++row) {
            QCOMPARE(held.grid.GetItemText(row, 3), articles.GetItemText(row, 3));
            QCOMPARE(held.grid.GetItemText(row, 1), std::string());
            QCOMPARE(held.grid.GetItemText(row, 2), std::string());
        }
        QCOMPARE(held.grid.GetItemText(11, 3), std::string());
    }

    void theReportComesIntoTheArticleReportAndEndsOnTheSubgroupReport() {
        StartSim({"--articles", Articles});
        Grid(TableKind::Report).SetItemText(2000, 1, "left from before");
        QSignalSpy tabs(&frame->View(), &CKassivoView::currentTableChanged);
        ModalWatch watch;
        Action(cmd::ReadReport)->trigger();
        QVERIFY(watch.Boxes().empty());
        QCOMPARE(tabs.size(), 2);
        QCOMPARE(tabs[0][0].value<TableKind>(), TableKind::Report);
        QCOMPARE(tabs[1][0].value<TableKind>(), TableKind::SubgroupReport);
        QCOMPARE(frame->Panes().Message(), QStringLiteral("Успешно прочетени 33 артикула"));
        const CTableGrid& report = Grid(TableKind::Report);
        QVERIFY(!report.GetItemText(1, 1).empty());
        QCOMPARE(report.GetItemText(1, 3), std::string("1.20"));
        QCOMPARE(report.GetItemText(2000, 1), std::string());
        QCOMPARE(sim->Stop(), 0);
        QCOMPARE(FramesOf(Log()), QStringList{QStringLiteral("f ack")});
    }

    void aReportThatBreaksOffLeavesTheArticleReportInFront() {
        StartSim({"--articles", Articles, "--report-lines", "5"});
        ModalWatch watch;
        Action(cmd::ReadReport)->trigger();
        QCOMPARE(watch.Texts(),
                 QStringList{QString::fromStdString(FormatMessage(ids::AnswerTimeout))});
        QCOMPARE(frame->View().CurrentTable(), TableKind::Report);
        QCOMPARE(frame->Panes().Message(), QStringLiteral("Успешно прочетени 5 артикула"));
        QVERIFY(!Grid(TableKind::Report).GetItemText(5, 1).empty());
    }

    void aRefusalMidSendShowsOneBoxAndSendsNoEnd() {
        StartSim({"--refuse-frame", "3"}); // "a", the first record, the second
        QVERIFY(frame->OpenStartFile(Articles));
        ModalWatch watch;
        Action(cmd::SendAll)->trigger();
        QCOMPARE(watch.Texts(),
                 QStringList{QString::fromStdString(FormatMessage(ids::RegisterRefused))});
        QCOMPARE(watch.Boxes()[0].icon, QMessageBox::Critical);
        QCOMPARE(frame->Panes().Message(), QStringLiteral("Изпращане на ред номер 2"));
        QCOMPARE(sim->Stop(), 0);
        QCOMPARE(FramesOf(Log()), (QStringList{QStringLiteral("a ack"), QStringLiteral("r ack"),
                                               QStringLiteral("r nak")}));
    }

    void keysAndClicksDuringASendChangeNoCellAndStartNoCommand() {
        StartSim({"--pace", "9600"});
        QVERIFY(frame->OpenStartFile(Articles));
        CTableGrid& articles = Grid(TableKind::Articles);
        const std::string before = Snapshot(articles.Cells());
        articles.SetFocus();
        articles.SetFocusCell(5, 1);
        QApplication::clipboard()->setText(QStringLiteral("Подправка\t123"));
        QTabBar* tabBar = frame->View().Tabs()->tabBar();

        int injected = 0;
        auto inject = [&] {
            ++injected;
            QTest::keyClicks(&articles, QStringLiteral("xyz"));
            QTest::keyClick(&articles, Qt::Key_Delete);
            QTest::keyClick(&articles, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
            QTest::keyClick(frame, Qt::Key_F6);
            QTest::mouseDClick(articles.viewport(), Qt::LeftButton, {}, CellCentre(articles, 2, 1));
            QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(4).center());
            // Input that the system queues rather than delivers at once.
            QCoreApplication::postEvent(
                &articles,
                new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q")));
            QCoreApplication::postEvent(
                frame, new QKeyEvent(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier));
        };
        QTimer::singleShot(300, frame, inject);
        QTimer::singleShot(900, frame, inject);

        ModalWatch watch;
        Action(cmd::SendAll)->trigger();
        QCOMPARE(injected, 2); // both came while the records went out
        QTest::qWait(300);     // nothing held back acts afterwards either

        QVERIFY(watch.Boxes().empty());
        QCOMPARE(frame->Panes().Message(), QStringLiteral("33 реда изпратени успешно!"));
        QCOMPARE(Snapshot(articles.Cells()), before);
        QCOMPARE(frame->View().CurrentTable(), TableKind::Articles);
        QVERIFY(frame->View().OpenEditor() == nullptr);
        QCOMPARE(articles.GetFocusCell(), (CCellID{5, 1}));
        QCOMPARE(sim->Stop(), 0);
        const QStringList frames = FramesOf(Log());
        QCOMPARE(frames.size(), ArticleRows + 3); // a, the records, z, our acknowledgement
        QCOMPARE(frames.count(QStringLiteral("a ack")), 1);
        QVERIFY(frames.filter(QStringLiteral("f ")).isEmpty());
    }

    // The Stop button beside the progress bar, or Esc, during a send: the run ends after the
    // answer in flight, sends no "z" and says how many rows the register took.
    void stopDuringASendEndsItAfterTheAnswerInFlight_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::addRow("Stop button") << false;
        QTest::addRow("Esc") << true;
    }
    void stopDuringASendEndsItAfterTheAnswerInFlight() {
        QFETCH(bool, byEscape);
        StartSim({"--pace", "9600"});
        QVERIFY(frame->OpenStartFile(Articles));
        auto* stop = frame->findChild<QToolButton*>(QStringLiteral("transferStop"));
        QVERIFY(stop != nullptr);
        QVERIFY(!stop->isVisible());
        bool shown = false;
        QTimer::singleShot(600, frame, [&] {
            shown = stop->isVisible();
            if (byEscape) {
                QTest::keyClick(frame, Qt::Key_Escape);
            } else {
                QTest::mouseClick(stop, Qt::LeftButton);
            }
        });
        ModalWatch watch;
        Action(cmd::SendAll)->trigger();
        QVERIFY(shown);
        QVERIFY(!stop->isVisible());
        QCOMPARE(sim->Stop(), 0);
        const QStringList frames = FramesOf(Log());
        const auto records = static_cast<unsigned>(frames.count(QStringLiteral("r ack")));
        QVERIFY(records > 0 && records < ArticleRows);
        QCOMPARE(frames.last(), QStringLiteral("r ack"));
        QCOMPARE(frames.count(QStringLiteral("z ack")), 0);
        QCOMPARE(watch.Texts(), QStringList{QString::fromStdString(FormatMessage(
                                    ids::SendStopped, records, unsigned{ArticleRows}))});
    }

    // For each transfer and each way a register fails: the one message the core gives, the tables
    // as they were, and meanwhile a window that paints and takes no input.
    void aFailingRegisterGivesOneMessageAndLeavesTheWindowAsItWas_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<unsigned>("message"); // 0: the transfer ends well
        QTest::addColumn<bool>("waits");       // a second or more with no answer
        const struct {
            const char* name;
            int command;
            const char* frame; // the first record's frame, or the report's request
        } commands[] = {{"send all", cmd::SendAll, "2"}, // after "a"
                        {"send selected", cmd::SendSelected, "2"},
                        {"report", cmd::ReadReport, "1"}};
        for (const auto& c : commands) {
            const QString at = QString::fromLatin1(c.frame);
            QTest::addRow("%s, refused", c.name)
                << c.command << QStringList{"--refuse-frame", at} << ids::RegisterRefused << false;
            QTest::addRow("%s, silent", c.name)
                << c.command << QStringList{"--silent-from", at} << ids::AnswerTimeout << true;
            QTest::addRow("%s, line closed", c.name)
                << c.command << QStringList{"--close-after", at} << ids::AnswerTimeout << false;
            QTest::addRow("%s, late", c.name)
                << c.command << QStringList{"--late-frame", at, "--late-ms", "1500"} << 0u << true;
        }
    }
    void aFailingRegisterGivesOneMessageAndLeavesTheWindowAsItWas() {
        QFETCH(int, command);
        QFETCH(QStringList, fault);
        QFETCH(unsigned, message);
        QFETCH(bool, waits);
        std::vector<std::string> args{"--articles", Articles};
        for (const QString& arg : fault) {
            args.push_back(arg.toStdString());
        }
        StartSim(args);
        QVERIFY(frame->OpenStartFile(Articles));
        CTableGrid& articles = Grid(TableKind::Articles);
        articles.SetSelectedRange({1, 3, 10, 3});
        std::vector<std::string> before;
        for (TableKind kind : AllTables) {
            before.push_back(Snapshot(Grid(kind).Cells()));
        }

        // While the transfer runs (the wait cursor is up), the screen asks for paints and the user
        // types and clicks.
        const auto running = [] { return QApplication::overrideCursor() != nullptr; };
        QElapsedTimer clock;
        clock.start();
        std::vector<qint64> paints;
        // The report brings its own table to the front: that is the one on the screen.
        QWidget* shown =
            Grid(command == cmd::ReadReport ? TableKind::Report : TableKind::Articles).viewport();
        PaintTimes paintTimes(shown, [&] {
            if (running()) {
                paints.push_back(clock.elapsed());
            }
        });
        ModalWatch watch;
        QTimer meanwhile;
        QObject::connect(&meanwhile, &QTimer::timeout, [&] {
            // Once the message is up, the transfer is over for the user: the box takes the input.
            if (!running() || QApplication::activeModalWidget() != nullptr ||
                !watch.Boxes().empty()) {
                return;
            }
            shown->update();
            QTest::keyClicks(&articles, QStringLiteral("x9"));
            QTest::keyClick(&articles, Qt::Key_Delete);
            QTest::keyClick(&articles, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(frame, Qt::Key_F6);
            QTest::mouseDClick(articles.viewport(), Qt::LeftButton, {}, CellCentre(articles, 2, 1));
        });
        meanwhile.start(20);
        QApplication::clipboard()->setText(QStringLiteral("Подправка\t123"));

        Action(command)->trigger();
        meanwhile.stop();
        QTest::qWait(100); // nothing held back acts afterwards either

        const QStringList expected =
            message == 0 ? QStringList() : QStringList{MessageText(FormatMessage(message))};
        QCOMPARE(watch.Texts(), expected);
        const std::size_t unchanged = message == 0 && command == cmd::ReadReport ? 4 : 6;
        for (std::size_t t = 0; t < unchanged; ++t) {
            QCOMPARE(Snapshot(Grid(AllTables[t]).Cells()), before[t]);
        }
        QCOMPARE(frame->View().CurrentTable(), command == cmd::ReadReport && message == 0
                                                   ? TableKind::SubgroupReport
                                               : command == cmd::ReadReport ? TableKind::Report
                                                                            : TableKind::Articles);
        QVERIFY(frame->View().OpenEditor() == nullptr);

        // A wait of a second or more: the window went on painting all through it.
        if (waits) {
            QVERIFY(paints.size() >= 2 && paints.back() - paints.front() >= 1000);
            qint64 longest = 0;
            qint64 at = 0;
            for (std::size_t i = 1; i < paints.size(); ++i) {
                if (paints[i] - paints[i - 1] > longest) {
                    longest = paints[i] - paints[i - 1];
                    at = paints[i - 1];
                }
            }
            qInfo("%zu paints while waiting, at most %lld ms apart (from %lld ms)", paints.size(),
                  longest, at);
            QVERIFY2(longest < 500, qPrintable(QString::number(longest))); // a frozen window: 1500+
        }
    }

    void theChangesShowInColourAndGoAloneToTheRegister() {
        StartSim({});
        QVERIFY(frame->OpenStartFile(Articles));
        CTableGrid& articles = Grid(TableKind::Articles);
        CRegisterDifferences& differences = frame->Differences();
        Action(cmd::ViewRegisterDifferences)->trigger();
        QCOMPARE(differences.DifferingCells(TableKind::Articles), 0); // nothing known yet
        ModalWatch watch;
        Action(cmd::SendAll)->trigger();

        TypePriceOfRowTwo();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(differences.DifferingCells(TableKind::Articles), 1);
        const QModelIndex price = articles.Model()->IndexOf(2, 3);
        QCOMPARE(articles.Model()->data(price, Qt::BackgroundRole).value<QColor>().name(),
                 QStringLiteral("#ffc48c"));
        QVERIFY(Action(cmd::SendChanges)->isEnabled());

        Action(cmd::SendChanges)->trigger();
        QVERIFY(frame->Panes().Message().startsWith(
            QStringLiteral("Изпратени успешно: 1 реда с промени, от тях нови 0, за ")));
        QCOMPARE(differences.DifferingCells(TableKind::Articles), 0);
        Action(cmd::SendChanges)->trigger();
        QCOMPARE(frame->Panes().Message(), MessageText(FormatMessage(ids::NoChanges)));
        QVERIFY(watch.Boxes().empty());

        QCOMPARE(sim->Stop(), 0);
        QStringList frames = FramesOf(Log());
        QCOMPARE(frames.mid(frames.size() - 4),
                 (QStringList{"a ack", "r ack", "z ack", "ack none"})); // nothing for no changes
        SavedTable held(TableKind::Articles, Saved("articles"));
        QCOMPARE(held.grid.GetItemText(2, 3), articles.GetItemText(2, 3));
        QCOMPARE(articles.GetItemText(2, 3), std::string("9.99"));
        frame->Commands().Action(cmd::ViewRegisterDifferences)->trigger();
        QCOMPARE(articles.Model()->data(price, Qt::BackgroundRole),
                 articles.Model()->data(articles.Model()->IndexOf(2, 3), Qt::BackgroundRole));
    }

    void theInformationButtonAsksTheRegisterOnThePortInForce() {
        StartSim({"--serial", "4711"});
        QString serial;
        ModalWatch watch;
        watch.OnDialog([&serial](QWidget* window) {
            auto* dialog = qobject_cast<CSettingsDialog*>(window);
            QVERIFY(dialog != nullptr);
            dialog->ComList()->setCurrentIndex(3); // COM4 has no device; the query uses COM1
            dialog->InfoButton()->click();
            serial = dialog->SerialEdit()->text();
            dialog->OkButton()->click();
        });
        Action(cmd::RegisterSettings)->trigger();
        QVERIFY(watch.Boxes().empty());
        QCOMPARE(serial, QStringLiteral("004711"));
        QCOMPARE(ConnectionSettings().EcrSerial, 4711u);
        QCOMPARE(ConnectionSettings().EcrCom, 3);
        QCOMPARE(sim->Stop(), 0);
        QCOMPARE(FramesOf(Log()), QStringList{QStringLiteral("? info")});
    }

private:
    // Types 9.99 over the price of article 2 as a user does; the editor stays open.
    void TypePriceOfRowTwo() {
        CTableGrid& articles = Grid(TableKind::Articles);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        articles.SetFocus();
        articles.SetFocusCell(2, 3);
        QTest::keyClick(&articles, '9');
        QTRY_VERIFY(frame->View().OpenEditor() != nullptr);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(".99"));
    }
    void StartSim(std::vector<std::string> args) {
        args.insert(args.end(), {"--log", Log(), "--save-dir", (temp->Path() / "ecr").string()});
        sim = std::make_unique<test::SimProcess>(args);
        QVERIFY(!sim->Device().empty());
        const std::string missing = (temp->Path() / "no-tty").string();
        const std::string ini =
            test::WriteIni(*temp, "[ECR]\nFrameGapMs=0\n[Ports]\nCOM1=" + sim->Device() +
                                      "\nCOM4=" + missing + "\n");
        frame->Register().Connect({ini, false, ""});
    }
    std::string Log() const { return (temp->Path() / "frames.log").string(); }
    std::string Saved(const std::string& table) const {
        return (temp->Path() / "ecr" / (table + ".txt")).string();
    }
    QAction* Action(int id) const { return frame->Commands().Action(id); }
    CTableGrid& Grid(TableKind kind) const { return frame->View().Grid(kind); }
    static QPoint CellCentre(CTableGrid& grid, int row, int column) {
        grid.EnsureVisible(row, column);
        return grid.visualRect(grid.Model()->IndexOf(row, column)).center();
    }

    CMainFrame* frame = nullptr;
    std::unique_ptr<test::TempFolder> temp;
    std::unique_ptr<test::SimProcess> sim;
};

QTEST_MAIN(RegisterCommandsE2ETest)
#include "RegisterCommandsE2ETest.moc"
