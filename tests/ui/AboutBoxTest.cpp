#include "ui/AboutBox.h"
#include "MouseSteps.h"

#include <QLabel>
#include <QTest>

using namespace tillora;

namespace {

enum class Gesture { LeftClick, LeftDoubleClick, RightClick, Enter, Space, Escape };

} // namespace

Q_DECLARE_METATYPE(Gesture)

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void theBoxShowsThePictureWithTheVersionAndNoFrame() {
        CAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("За програмата"));
        QVERIFY(box.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(box.size(), QSize(450, 230));
        QCOMPARE(box.Picture()->pixmap().size(), QSize(450, 230));
        QCOMPARE(box.Version()->text(), QStringLiteral("Версия " TILLORA_VERSION));
        QCOMPARE(box.CloseHint()->text(),
                 QStringLiteral("Затваряне: двойно щракване или десен бутон"));
    }

    void gestures_data() {
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("result");
        QTest::newRow("single left click") << Gesture::LeftClick << false << 0;
        QTest::newRow("left double click") << Gesture::LeftDoubleClick << true << 1;
        QTest::newRow("right button released") << Gesture::RightClick << true << 1;
        QTest::newRow("Enter") << Gesture::Enter << true << 1;
        QTest::newRow("Space") << Gesture::Space << true << 1;
        QTest::newRow("Esc") << Gesture::Escape << true << 0;
    }
    void gestures() {
        QFETCH(Gesture, gesture);
        QFETCH(bool, closes);
        QFETCH(int, result);
        CAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QPoint at(200, 100);
        switch (gesture) {
        case Gesture::LeftClick:
            QTest::mouseClick(&box, Qt::LeftButton, {}, at);
            break;
        case Gesture::LeftDoubleClick:
            QTest::mouseDClick(&box, Qt::LeftButton, {}, at);
            break;
        case Gesture::RightClick:
            QTest::mousePress(&box, Qt::RightButton, {}, at);
            QVERIFY(box.isVisible()); // the press alone does not close it
            QTest::mouseRelease(&box, Qt::RightButton, {}, at);
            break;
        case Gesture::Enter:
            QTest::keyClick(&box, Qt::Key_Return);
            break;
        case Gesture::Space:
            QTest::keyClick(&box, Qt::Key_Space);
            break;
        case Gesture::Escape:
            QTest::keyClick(&box, Qt::Key_Escape);
            break;
        }
        QCOMPARE(!box.isVisible(), closes);
        QCOMPARE(box.result(), result);
    }

    void theLeftButtonDragsTheBoxWithoutClosingIt() {
        CAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QPoint start = box.pos();
        test::Drag(box, Qt::LeftButton, QPoint(30, 30), QPoint(-20, 35));
        QCOMPARE(box.pos(), start + QPoint(-20, 35));
        QVERIFY(box.isVisible());
    }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
