#include "ui/KassivoView.h"
#include "ui/TableGrid.h"

#include "link/Cp1251.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>

using namespace tillora;

// The tables' font on a machine with neither "Courier New" nor the Liberation fonts that stand in
// for it: on Linux fontconfig is given the DejaVu fonts alone, before the application reads its
// fonts; a Wine prefix has no "Courier New" of its own.
class TableFontTest : public QObject {
    Q_OBJECT
private slots:
    void aMachineWithoutCourierNewShowsTheTablesInAMonospaceFont() {
#ifdef Q_OS_WIN
        // Qt's offscreen platform reads no Windows fonts; the window's run under Wine on the
        // windows platform checks the font there (scripts/test-windows.sh).
        if (QFontDatabase::families().isEmpty()) {
            QSKIP("this platform offers no fonts");
        }
#else
        if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE")) {
            QSKIP("the DejaVu fonts are not installed here");
        }
#endif
        CKassivoView view;
        const QFont font = view.Grid(TableKind::Articles).font();
        const QFontInfo used(font);
        QVERIFY2(used.fixedPitch(), qPrintable(used.family()));
#ifndef Q_OS_WIN
        QVERIFY2(!used.family().contains(QStringLiteral("Liberation")), qPrintable(used.family()));
#endif

        // The columns are measured in the font the cells are drawn in.
        CTableGrid& grid = view.Grid(TableKind::Articles);
        const QString name = QStringLiteral("Прясно мляко 3,6%");
        grid.SetItemText(1, 1, Utf8ToCp1251(name.toStdString()));
        grid.AutoSizeColumn(1);
        QVERIFY(grid.columnWidth(0) >=
                QFontMetrics(font).horizontalAdvance(name)); // column 1 is the view's first
    }
};

int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString fonts = QStringLiteral("/usr/share/fonts/truetype/dejavu");
    if (QDir(fonts).exists() && folder.isValid()) {
        QFile config(folder.filePath(QStringLiteral("fonts.conf")));
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>%1</dir>\n"
                                    "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n"
                                    "<cachedir>%2</cachedir>\n</fontconfig>\n")
                         .arg(fonts, folder.filePath(QStringLiteral("cache")))
                         .toUtf8());
        config.close();
        qputenv("FONTCONFIG_FILE", config.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    TableFontTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TableFontTest.moc"
