#include "ui/AppIcon.h"

#include <QApplication>
#include <QImage>
#include <QTest>

using namespace tillora;

class AppIconTest : public QObject {
    Q_OBJECT
private slots:
    // Every size is drawn, not scaled from another, and none is blank.
    void everySizeIsItsOwnPicture() {
        const QIcon icon = AppIcon();
        for (const int size : {16, 32, 48, 64, 128, 256}) {
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                     qPrintable(QString::number(size)));
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(size / 2, size * 5 / 8)), 255); // the register's body
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);                     // and around it, nothing
        }
    }
};

QTEST_MAIN(AppIconTest)
#include "AppIconTest.moc"
