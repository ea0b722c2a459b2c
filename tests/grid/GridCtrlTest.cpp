#include "grid/GridCtrl.h"

#include "grid/GridEditor.h"
#include "grid/QtText.h"
#include "support/ModelInForce.h"
#include "tables/TableSetup.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <memory>

using namespace tillora;
using tillora::test::ModelInForce;

namespace {

// The articles table on the screen: name, barcode, price, tax group, subgroup, payment, stock.
constexpr int Name = 1;
constexpr int Barcode = 2;
constexpr int Price = 3;
constexpr int TaxGroup = 4;
constexpr int Stock = 7;

} // namespace

class GridCtrlTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CCellGrid> m_cells;
    std::unique_ptr<CGridCtrl> m_grid;
    std::unique_ptr<ModelInForce> m_model;

    CGridCtrl& Grid() { return *m_grid; }
    QString Text(int row, int column) { return FromCp1251(m_cells->GetItemText(row, column)); }
    CInPlaceEdit* Editor() { return qobject_cast<CInPlaceEdit*>(QApplication::focusWidget()); }
    QWidget* KeyTarget() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus : m_grid.get();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(KeyTarget(), key, modifiers);
    }
    void Type(const QString& text) {
        for (QChar c : text) {
            QTest::keyClicks(KeyTarget(), QString(c));
        }
    }
    void Focus(int row, int column) {
        Grid().SetFocusCell(row, column);
        Grid().SetSelectedRange({row, column, row, column});
    }
    CCellID FocusCell() { return Grid().GetFocusCell(); }
    void Put(const QString& text) { QApplication::clipboard()->setText(text); }
    QPoint CellCentre(int row, int column) {
        return Grid().visualRect(Grid().Model()->IndexOf(row, column)).center();
    }

private slots:
    void init() {
        m_model = std::make_unique<ModelInForce>(0);
        m_cells = std::make_unique<CCellGrid>();
        SetupTable(*m_cells, TableKind::Articles);
        m_grid = std::make_unique<CGridCtrl>(*m_cells);
        m_grid->resize(900, 400);
        m_grid->show();
        QApplication::setActiveWindow(m_grid.get());
        QVERIFY(QTest::qWaitForWindowActive(m_grid.get()));
        m_grid->setFocus();
        Focus(1, Name);
    }
    void cleanup() {
        m_grid.reset();
        m_cells.reset();
        m_model.reset();
    }

    void typingThenEnterGoesDownTheColumn() {
        Type("abc");
        QVERIFY(Editor() != nullptr);
        Key(Qt::Key_Return);
        QCOMPARE(Text(1, Name), QString("abc"));
        QCOMPARE(FocusCell(), (CCellID{2, Name}));
        QVERIFY(Editor() != nullptr);
        Type("x");
        Key(Qt::Key_Return);
        QCOMPARE(Text(2, Name), QString("x"));
        QCOMPARE(FocusCell(), (CCellID{3, Name}));
    }

    void escapeLeavesTheCellAndTheFocus() {
        m_cells->SetItemText(1, Name, "old");
        Type("new");
        Key(Qt::Key_Escape);
        QCOMPARE(Text(1, Name), QString("old"));
        QCOMPARE(FocusCell(), (CCellID{1, Name}));
        QVERIFY(!Grid().IsEditing());
    }

    void copyOfATwoByThreeBlock() {
        const char* texts[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 3; ++c) {
                m_cells->SetCellType(r + 1, c + 1, ClassOf<CGridCell>());
                m_cells->SetItemText(r + 1, c + 1, texts[r][c]);
            }
        }
        Grid().SetSelectedRange({1, 1, 2, 3});
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("a\tb\tc\nd\te\tf"));
    }

    void pasteOfCommaAndTab() {
        Put("x,y\tz");
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Text(1, Name), QString("x"));
        QCOMPARE(Text(1, Barcode), QString(""));
        QCOMPARE(Text(1, Price), QString(""));
        Focus(1, Price);
        Put("1,2\t3");
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Text(1, Price), QString("1.00"));
        QCOMPARE(Text(1, TaxGroup), QString("2"));
        QCOMPARE(Text(1, 5), QString("3"));
        QCOMPARE(Grid().GetSelectedCellRange(), (CCellRange{1, Price, 1, 5}));
    }

    void undoOfAPasteIsOneStep() {
        Put("a\nb\nc");
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Text(3, Name), QString("c"));
        QCOMPARE(Grid().UndoStack()->count(), 1);
        Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text(1, Name), QString(""));
        QCOMPARE(Text(3, Name), QString(""));
        Key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Text(2, Name), QString("b"));
    }

    void commaTypedIntoAPrice() {
        Focus(1, Price);
        Type("12,5");
        Key(Qt::Key_Return);
        QCOMPARE(Text(1, Price), QString("12.50"));
    }

    void tabAtTheLastCellStays() {
        Focus(2600, Stock);
        Key(Qt::Key_Tab);
        QCOMPARE(FocusCell(), (CCellID{2600, Stock}));
        QVERIFY(Grid().hasFocus());
    }
};

QTEST_MAIN(GridCtrlTest)
#include "GridCtrlTest.moc"
