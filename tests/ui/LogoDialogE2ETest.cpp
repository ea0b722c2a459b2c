#include "ModalSteps.h"
#include "RegisterTestSupport.h"
#include "support/BitmapWriter.h"
#include "support/SimProcess.h"
#include "ui/Commands.h"
#include "ui/LogoCommand.h"
#include "ui/LogoDialog.h"
#include "ui/UiText.h"

#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "logo/LogoSend.h"
#include "res/StringIds.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

Q_DECLARE_METATYPE(tillora::test::BitmapShape)

using namespace tillora;
using test::BitmapShape;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A message box as the user saw it and what its Enter key would have answered.
struct Box {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool enterSaysNo = false;
};

QString Text(unsigned id) {
    return MessageText(FormatMessage(id));
}

Bytes FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The length of every write the program made, from the line's trace.
QList<int> WritesIn(const std::filesystem::path& trace) {
    QList<int> writes;
    std::ifstream file(trace);
    std::string line;
    while (std::getline(file, line)) {
        const auto at = line.find("PC>ECR");
        if (at == std::string::npos) {
            continue;
        }
        std::istringstream bytes(line.substr(at + 6));
        writes.append(static_cast<int>(std::distance(std::istream_iterator<std::string>(bytes),
                                                     std::istream_iterator<std::string>())));
    }
    return writes;
}

// The writes of a logo: the head, then the pieces.
QList<int> LogoWrites(int pieces, int piece, int last) {
    QList<int> writes{8};
    for (int i = 0; i < pieces; ++i) {
        writes.append(piece);
    }
    if (last > 0) {
        writes.append(last);
    }
    return writes;
}

} // namespace

class LogoDialogE2ETest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        ConnectionSettings() = {0, 0, 123};
        temp = std::make_unique<test::TempFolder>("tillora-logo-e2e");
        frame = new CMainFrame;
        frame->Logo().SetDefaultsBase(Path("programs"));
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        ini = test::WriteIni(*temp, "[ECR]\nFrameGapMs=0\n[Ports]\nCOM1=" + Path("no-tty") + "\n");
        frame->Register().Connect({ini, false, Path("trace.txt")});
    }
    void cleanup() {
        delete frame;
        frame = nullptr;
        sim.reset();
        temp.reset();
        ConnectionSettings() = {};
    }

    void startSendsTheFileBehindTheHeadInAHundredPieces_data() {
        QTest::addColumn<BitmapShape>("shape");
        QTest::addColumn<QString>("answers"); // Y or N for each question, in order
        QTest::addColumn<QList<unsigned>>("questions");
        // The head, then pieces of a hundredth of the file until it ends; none: the port stays
        // closed.
        QTest::addColumn<QList<int>>("writes");

        const QList<int> none;
        QTest::newRow("monochrome, 2302 bytes")
            << BitmapShape{224, 80, 1} << "" << QList<unsigned>{} << LogoWrites(100, 23, 2);
        QTest::newRow("4096 bytes") << BitmapShape{224, 80, 1, false, false, 1794} << ""
                                    << QList<unsigned>{} << LogoWrites(102, 40, 16);
        QTest::newRow("4097 bytes, sent")
            << BitmapShape{224, 80, 1, false, false, 1795} << "Y"
            << QList<unsigned>{ids::ConfirmPictureTooLarge} << LogoWrites(102, 40, 17);
        QTest::newRow("4097 bytes, kept") << BitmapShape{224, 80, 1, false, false, 1795} << "N"
                                          << QList<unsigned>{ids::ConfirmPictureTooLarge} << none;
        QTest::newRow("24-bit colour, kept") << BitmapShape{400, 90, 24} << "N"
                                             << QList<unsigned>{ids::ConfirmTooManyColours} << none;
        QTest::newRow("24-bit colour, sent")
            << BitmapShape{16, 16, 24} << "Y" << QList<unsigned>{ids::ConfirmTooManyColours}
            << LogoWrites(102, 8, 6);
    }
    void startSendsTheFileBehindTheHeadInAHundredPieces() {
        QFETCH(BitmapShape, shape);
        QFETCH(QString, answers);
        QFETCH(QList<unsigned>, questions);
        QFETCH(QList<int>, writes);
        const std::filesystem::path picture = temp->Path() / "picture.bmp";
        const Bytes file = test::WriteBitmap(picture, shape);
        StartSim({});

        QList<int> bar;
        RunDialog(answers, [&](CLogoDialog& dialog) {
            QVERIFY(dialog.LoadPicture(picture.string()));
            QCOMPARE(dialog.PreviewImage().size(),
                     QSize(std::min(shape.width, 384), std::min(shape.height, 80)));
            QSignalSpy values(dialog.Progress(), &QProgressBar::valueChanged);
            dialog.StartButton()->click();
            for (const QList<QVariant>& value : values) {
                bar.append(value[0].toInt());
            }
            QVERIFY(dialog.StartButton()->isEnabled());
        });

        QList<unsigned> asked;
        for (const Box& box : boxes) {
            QVERIFY2(box.icon != QMessageBox::Critical, qPrintable(box.text));
            asked.append(box.text == Text(ids::ConfirmTooManyColours)
                             ? ids::ConfirmTooManyColours
                             : ids::ConfirmPictureTooLarge);
        }
        QCOMPARE(asked, questions);
        QCOMPARE(WritesIn(temp->Path() / "trace.txt"), writes);
        QCOMPARE(sim->Stop(), 0);
        if (writes.isEmpty()) {
            QVERIFY(bar.isEmpty());
            QVERIFY(!std::filesystem::exists(temp->Path() / "trace.txt"));
            QVERIFY(!std::filesystem::exists(temp->Path() / "received.bmp"));
        } else {
            QList<int> climb;
            for (int value = 5; value <= LogoProgressEnd; ++value) {
                climb.append(value);
            }
            QCOMPARE(bar, climb);
            QCOMPARE(FileBytes(temp->Path() / "received.bmp"), file);
        }
    }

    void aMissingDefaultLeavesNoPictureToSend() {
        const std::filesystem::path picture = temp->Path() / "mono.bmp";
        test::WriteBitmap(picture, BitmapShape{224, 80, 1});
        RunDialog("NYO", [&](CLogoDialog& dialog) {
            QVERIFY(dialog.LoadPicture(picture.string()));
            const QString information = dialog.Information()->text();
            QCOMPARE(information, QStringLiteral("Ширина: 224   Височина: 80   Цвята: 2"));
            dialog.DefaultButton()->click(); // No: nothing changes
            QCOMPARE(dialog.PreviewImage().size(), QSize(224, 80));
            dialog.DefaultButton()->click(); // Yes: the default is not there
            QVERIFY(dialog.PreviewImage().isNull());
            QCOMPARE(dialog.Information()->text(), information);
            QCOMPARE(Remembered(), picture.string());
            dialog.StartButton()->click();
        });
        QCOMPARE(boxes.size(), std::size_t{3});
        for (std::size_t i = 0; i < 2; ++i) {
            QCOMPARE(boxes[i].text, Text(ids::ConfirmDefaultPicture));
            QCOMPARE(boxes[i].icon, QMessageBox::Question);
            QVERIFY(boxes[i].enterSaysNo);
        }
        QCOMPARE(boxes[2].text, Text(ids::ChooseFile));
        QCOMPARE(boxes[2].icon, QMessageBox::Critical);
        QVERIFY(!std::filesystem::exists(temp->Path() / "trace.txt"));
    }

    // Nothing remembered loads and the model has no default: the built-in picture, which has no
    // file to send. Once the default is there, it comes before the built-in picture.
    void theBuiltInPictureIsShownButNeverSent() {
        EcrIniFile(ini).WriteString("logoman", "image", Path("gone.bmp"));
        RunDialog("O", [&](CLogoDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Logo Менажер"));
            QCOMPARE(dialog.Hint()->text(),
                     QStringLiteral("Ширина: 224   Височина: 80   Цвята: 2"));
            QCOMPARE(dialog.Information()->text(), QString());
            QCOMPARE(dialog.PreviewImage().size(), QSize(384, 80));
            QCOMPARE(dialog.Progress()->maximum(), LogoProgressEnd);
            QCOMPARE(Remembered(), std::string());
            dialog.StartButton()->click();
        });
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, Text(ids::ChooseFile));
        QVERIFY(!std::filesystem::exists(temp->Path() / "trace.txt"));

        ConnectionSettings().EcrType = 5;
        std::filesystem::create_directories(temp->Path() / "programs" / "EcrLogo");
        test::WriteBitmap(temp->Path() / "programs" / "EcrLogo" / "Vexo2MZB.bmp",
                          BitmapShape{384, 80, 1});
        RunDialog("", [&](CLogoDialog& dialog) {
            QCOMPARE(dialog.Hint()->text(),
                     QStringLiteral("Ширина: 384   Височина: 80   Цвята: 2"));
            QCOMPARE(dialog.Information()->text(),
                     QStringLiteral("Ширина: 384   Височина: 80   Цвята: 2"));
        });
        QCOMPARE(Remembered(), Path("programs/EcrLogo/Vexo2MZB.bmp"));
    }

    // Keys and clicks while the pieces go out neither close the window nor start anything; the
    // window is drawn all the while.
    void theWindowIsPaintedAndDeafDuringASend() {
        const std::filesystem::path picture = temp->Path() / "picture.bmp";
        const Bytes file = test::WriteBitmap(picture, BitmapShape{224, 80, 1});
        StartSim({"--pace", "9600"});
        int paints = 0;
        bool startEnabled = true;
        RunDialog("", [&](CLogoDialog& dialog) {
            QVERIFY(dialog.LoadPicture(picture.string()));
            PaintCounter counter(dialog.Progress(), paints);
            QTimer::singleShot(800, &dialog, [&] {
                startEnabled = dialog.StartButton()->isEnabled();
                paints = 0;
                QTest::keyClick(&dialog, Qt::Key_Escape);
                QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
                QTest::mouseClick(dialog.ExitButton(), Qt::LeftButton);
                QTest::keyClick(frame, Qt::Key_L, Qt::ControlModifier);
                QCoreApplication::postEvent(
                    &dialog, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            });
            dialog.StartButton()->click();
            QTest::qWait(200); // nothing held back acts afterwards either
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.Progress()->value(), LogoProgressEnd);
        });
        QVERIFY(boxes.empty());
        QVERIFY(!startEnabled);
        QVERIFY(paints > 0);
        QCOMPARE(sim->Stop(), 0);
        QCOMPARE(FileBytes(temp->Path() / "received.bmp"), file);
    }

private:
    // Counts the paint events of a widget while it lives.
    class PaintCounter : public QObject {
    public:
        PaintCounter(QWidget* widget, int& paints) : m_paints(paints) {
            widget->installEventFilter(this);
        }
        bool eventFilter(QObject* /*watched*/, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                ++m_paints;
            }
            return false;
        }

    private:
        int& m_paints;
    };

    // Opens the logo manager with its key, hands it to act and closes it with "&Изход". The
    // boxes that come meanwhile are read and answered in order: Y or N for a question, O for OK.
    void RunDialog(const QString& answers, const std::function<void(CLogoDialog&)>& act) {
        boxes.clear();
        test::ModalSteps steps;
        bool opened = false;
        steps.Then<CLogoDialog>([&](CLogoDialog* dialog) {
            opened = true;
            act(*dialog);
            dialog->ExitButton()->click();
        });
        for (const QChar answer : answers) {
            steps.Then<QMessageBox>([this, answer](QMessageBox* box) {
                const bool enterSaysNo =
                    box->buttonRole(box->defaultButton()) == QMessageBox::NoRole;
                boxes.push_back({box->text(), box->icon(), enterSaysNo});
                const auto role = answer == 'Y'   ? QMessageBox::YesRole
                                  : answer == 'N' ? QMessageBox::NoRole
                                                  : QMessageBox::AcceptRole;
                for (QAbstractButton* button : box->buttons()) {
                    if (box->buttonRole(button) == role) {
                        button->click();
                    }
                }
            });
        }
        frame->activateWindow(); // offscreen, the window a dialog closed over stays inactive
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keyClick(frame, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(opened);
        QVERIFY(steps.Done());
        QVERIFY(!steps.TimedOut());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
    void StartSim(std::vector<std::string> args) {
        args.insert(args.end(), {"--logo-file", Path("received.bmp")});
        sim = std::make_unique<test::SimProcess>(args);
        QVERIFY(!sim->Device().empty());
        ini = test::WriteIni(*temp, "[ECR]\nFrameGapMs=0\n[Ports]\nCOM1=" + sim->Device() + "\n");
    }
    std::string Path(const std::string& name) const { return (temp->Path() / name).string(); }
    std::string Remembered() const {
        return EcrIniFile(ini).GetString("logoman", "image", "<unset>");
    }

    CMainFrame* frame = nullptr;
    std::unique_ptr<test::TempFolder> temp;
    std::unique_ptr<test::SimProcess> sim;
    std::string ini;
    std::vector<Box> boxes;
};

QTEST_MAIN(LogoDialogE2ETest)
#include "LogoDialogE2ETest.moc"
