#include "ui/Splash.h"
#include "MouseSteps.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace tillora;

namespace {

QPixmap Picture() {
    QPixmap picture(120, 60);
    picture.fill(Qt::darkBlue);
    return picture;
}

} // namespace

class SplashTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void theProgramsPictureIsShownCentredWithoutFrameAndWithTheBusyCursor() {
        CSplash splash;
        splash.ShowAndPaint();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.size(), QSize(450, 230));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash.cursor().shape(), Qt::WaitCursor);
        QCOMPARE(splash.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
        splash.Finish();
    }

    void aCloseRequestIsIgnoredUntilTheWindowHasBeenShownAndPainted() {
        CSplash splash(Picture());
        splash.ShowAndPaint();
        QWidget window;
        splash.CloseAfterPainting(window);

        QVERIFY(!splash.close());
        QTest::keyClick(&splash, Qt::Key_F4, Qt::AltModifier);
        QTest::qWait(50);
        QVERIFY(splash.isVisible());
        QVERIFY(!splash.CloseAllowed());

        window.show();
        QTRY_VERIFY(!splash.isVisible());
        QVERIFY(splash.CloseAllowed());
    }

    void theLeftButtonDragsTheSplashAndTheRightDoesNot() {
        CSplash splash(Picture());
        splash.ShowAndPaint();
        const QPoint start = splash.pos();

        test::Drag(splash, Qt::RightButton, QPoint(10, 10), QPoint(40, 25));
        QCOMPARE(splash.pos(), start);
        test::Drag(splash, Qt::LeftButton, QPoint(10, 10), QPoint(40, 25));
        QCOMPARE(splash.pos(), start + QPoint(40, 25));
        QVERIFY(splash.isVisible());
        splash.Finish();
    }
};

QTEST_MAIN(SplashTest)
#include "SplashTest.moc"
