#include "ui/QtTranslations.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>

using namespace tillora;

class QtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void qtsOwnButtonsSpeakBulgarian() {
        QTranslator translator;
        QVERIFY(InstallQtTranslations(translator));
        QMessageBox box(QMessageBox::Question, QStringLiteral("Tillora"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Не"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отказ"));
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "QtTranslationsTest.moc"
