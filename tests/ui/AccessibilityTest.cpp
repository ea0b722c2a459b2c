#include "FileCommandsFixture.h"
#include "ui/AboutBox.h"
#include "ui/FindDialog.h"
#include "ui/GoToRowDialog.h"
#include "ui/ImportDialog.h"
#include "ui/KassivoView.h"
#include "ui/LogoDialog.h"
#include "ui/LogoPicture.h"
#include "ui/MainFrame.h"
#include "ui/SettingsDialog.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"

#include "link/Cp1251.h"
#include "tables/TableSetup.h"

#include <QAccessible>
#include <QTest>

#include <functional>

using namespace tillora;

namespace {

bool IsControl(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::ProgressBar:
    case QAccessible::Graphic:
        return true;
    default:
        return false;
    }
}

// Every visible control under the window that a screen reader would announce without a name.
// A combo box's own list and line edit are Qt's parts of one control, named by the combo box.
QStringList UnnamedControls(QAccessibleInterface* node) {
    QStringList unnamed;
    if (!node || node->state().invisible) {
        return unnamed;
    }
    if (IsControl(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
        unnamed << QString::fromLatin1(node->object()->metaObject()->className()) + " " +
                       node->object()->objectName();
    }
    if (node->role() == QAccessible::ComboBox || node->role() == QAccessible::Table ||
        node->role() == QAccessible::List) {
        return unnamed;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        unnamed << UnnamedControls(node->child(i));
    }
    return unnamed;
}

QStringList UnnamedControls(QWidget& window) {
    window.show();
    return UnnamedControls(QAccessible::queryAccessibleInterface(&window));
}

QStringList ChildNames(QAccessibleInterface* node, QAccessible::Role role) {
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->role() == role) {
            names << node->child(i)->text(QAccessible::Name);
        }
    }
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { temp.emplace("accessibility"); }
    void init() {
        test::UseOwnSettings(temp->Path());
        test::StartAsFirstRun();
    }

    void theGridReadsAsItsTableWithTitlesAndCells() {
        CMainFrame frame;
        frame.show();
        CTableGrid& articles = frame.View().Grid(TableKind::Articles);
        articles.SetItemText(2, 1, Utf8ToCp1251("Баница")); // the tables hold Windows-1251
        articles.SetItemText(2, 3, "1.20");

        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&articles);
        QCOMPARE(grid->role(), QAccessible::Table);
        QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Артикули"));
        QAccessibleTableInterface* table = grid->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->columnCount(),
                 ShapeOf(TableKind::Articles).columns - 1); // without the row numbers
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("Баница"));
        QCOMPARE(table->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("1.20"));
        const QStringList titles = ChildNames(grid, QAccessible::ColumnHeader);
        QCOMPARE(titles.size(), table->columnCount());
        QCOMPARE(titles.first(), QStringLiteral("Име"));
        QCOMPARE(ChildNames(grid, QAccessible::RowHeader).value(1), QStringLiteral("2"));
    }

    void theTabsAndTheStatusPanesReadAsShown() {
        CMainFrame frame;
        frame.show();
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&frame);
        QStringList tabs;
        QStringList panes;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            if (node->role() == QAccessible::PageTabList) {
                tabs = ChildNames(node, QAccessible::PageTab);
            }
            if (node->role() == QAccessible::StatusBar) {
                for (int i = 0; i < node->childCount(); ++i) {
                    panes << node->child(i)->text(QAccessible::Name);
                }
            }
            for (int i = 0; i < node->childCount(); ++i) {
                walk(node->child(i));
            }
        };
        frame.Panes().SetMessage("Прочетени 33 реда");
        walk(window);
        QCOMPARE(tabs, (QStringList{"Артикули", "Оператори", "Подгрупи", "Данни за фирмата",
                                    "Отчет", "Отчет по подгрупи"}));
        QVERIFY2(panes.contains(QStringLiteral("Прочетени 33 реда")), qPrintable(panes.join('|')));
        QVERIFY2(panes.contains(frame.Panes().FocusPane()), qPrintable(panes.join('|')));
        QCOMPARE(UnnamedControls(frame), QStringList());
    }

    void everyDialogControlHasAName() {
        CFindDialog find;
        QCOMPARE(UnnamedControls(find), QStringList());
        test::RecordingFeedback feedback;
        CGoToRowDialog goTo(2600, feedback);
        QCOMPARE(UnnamedControls(goTo), QStringList());
        CSettingsDialog settings(EcrSettings{}, PortDevices{}, {});
        QCOMPARE(UnnamedControls(settings), QStringList());
        SheetSource source;
        source.path = "prices.csv";
        source.sheet.rows = {{1, {{"Баница", {}}, {"1.20", {}}}}};
        CImportDialog import(source, TableKind::Articles, 0);
        QCOMPARE(UnnamedControls(import), QStringList());
        CLogoPicture picture;
        CLogoDialog logo(picture,
                         {(temp->Path() / "ecr.ini").string(), temp->Path().string(), 0, {}});
        QCOMPARE(UnnamedControls(logo), QStringList());
        CAboutBox about;
        QCOMPARE(UnnamedControls(about), QStringList());
    }

private:
    std::optional<test::TempFolder> temp;
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
