#include "grid/GridCtrl.h"

#include "grid/InPlaceEdit.h"
#include "grid/QtText.h"
#include "support/ModelInForce.h"
#include "tables/TableSetup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <memory>

using namespace tillora;
using tillora::test::ModelInForce;

Q_DECLARE_METATYPE(tillora::CCellRange)

namespace QTest {
template <> char* toString(const CCellID& cell) {
    return qstrdup(QByteArray::number(cell.row) + "," + QByteArray::number(cell.col));
}
template <> char* toString(const CCellRange& r) {
    return qstrdup(
        QString("%1,%2-%3,%4").arg(r.minRow).arg(r.minCol).arg(r.maxRow).arg(r.maxCol).toLatin1());
}
} // namespace QTest

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
        m_cells->SetItemText(2, Name, "pre");
        Type("abc");
        QVERIFY(Editor() != nullptr);
        Key(Qt::Key_Return);
        QCOMPARE(Text(1, Name), QString("abc"));
        QCOMPARE(FocusCell(), (CCellID{2, Name}));
        QVERIFY(Editor() != nullptr);
        QCOMPARE(Editor()->text(), QString("pre"));
        QCOMPARE(Editor()->cursorPosition(), 3);
        QVERIFY(!Editor()->hasSelectedText());
        Editor()->clear();
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

    // Each expected cell as "row,column=text".
    void paste_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("refused");
        QTest::newRow("comma and tab")
            << 1 << Price << "1,2\t3" << QStringList{"1,3=1.00", "1,4=2", "1,5=3"} << 0;
        QTest::newRow("CR LF") << 1 << Name << "one\r\ntwo\r\n"
                               << QStringList{"1,1=one", "2,1=two", "3,1="} << 0;
        QTest::newRow("more rows than the grid")
            << 2599 << Name << "a\nb\nc\nd" << QStringList{"2599,1=a", "2600,1=b"} << 0;
        QTest::newRow("a price rounded as written")
            << 1 << Price << "2.675" << QStringList{"1,3=2.68"} << 0;
        QTest::newRow("a comma price")
            << 1 << Price << "12,50" << QStringList{"1,3=12.00", "1,4="} << 1;
    }
    void paste() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, clipboard);
        QSignalSpy refusals(&Grid(), &CGridCtrl::valueRefused);
        Focus(row, column);
        Put(clipboard);
        Key(Qt::Key_V, Qt::ControlModifier);
        QFETCH(QStringList, cells);
        for (const QString& cell : cells) {
            const QStringList place = cell.section('=', 0, 0).split(',');
            QCOMPARE(Text(place[0].toInt(), place[1].toInt()), cell.section('=', 1));
        }
        QCOMPARE(m_cells->GetRowCount(), 2601);
        QFETCH(int, refused);
        QCOMPARE(refusals.count(), refused);
        QCOMPARE(Grid().GetSelectedCellRange().TopLeft(), (CCellID{row, column}));
    }

    void undoOfAPasteIsOneStep() {
        Put("a\nb\nc");
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Text(3, Name), QString("c"));
        QCOMPARE(m_cells->UndoCount(), std::size_t(1));
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

    void keyMovesTheFocus_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toColumn");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("right") << 1 << Name << int(Qt::Key_Right) << none << 1 << Barcode;
        QTest::newRow("right at the end") << 1 << Stock << int(Qt::Key_Right) << none << 1 << Stock;
        QTest::newRow("left at the start") << 1 << Name << int(Qt::Key_Left) << none << 1 << Name;
        QTest::newRow("up at the top") << 1 << Name << int(Qt::Key_Up) << none << 1 << Name;
        QTest::newRow("enter") << 5 << Price << int(Qt::Key_Return) << none << 6 << Price;
        QTest::newRow("down at the bottom")
            << 2600 << Name << int(Qt::Key_Down) << none << 2600 << Name;
        QTest::newRow("tab wraps") << 1 << Stock << int(Qt::Key_Tab) << none << 2 << Name;
        QTest::newRow("shift tab wraps") << 2 << Name << int(Qt::Key_Backtab) << none << 1 << Stock;
        QTest::newRow("shift tab at the first cell")
            << 1 << Name << int(Qt::Key_Backtab) << none << 1 << Name;
        QTest::newRow("home") << 9 << Price << int(Qt::Key_Home) << none << 9 << Name;
        QTest::newRow("end") << 9 << Price << int(Qt::Key_End) << none << 9 << Stock;
        QTest::newRow("ctrl home") << 9 << Price << int(Qt::Key_Home) << ctrl << 1 << Name;
        QTest::newRow("ctrl end") << 9 << Price << int(Qt::Key_End) << ctrl << 2600 << Stock;
        QTest::newRow("page up at the top")
            << 3 << Price << int(Qt::Key_PageUp) << none << 1 << Price;
    }
    void keyMovesTheFocus() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Focus(row, column);
        Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QFETCH(int, toRow);
        QFETCH(int, toColumn);
        QCOMPARE(FocusCell(), (CCellID{toRow, toColumn}));
        QCOMPARE(Grid().GetSelectedCellRange(), (CCellRange{toRow, toColumn, toRow, toColumn}));
    }

    void pageDownMovesAsFarAsTheView() {
        Focus(2, Price);
        const int top = Grid().rowAt(0);
        Key(Qt::Key_PageDown);
        const int moved = Grid().rowAt(0) - top;
        QVERIFY(moved > 0);
        QCOMPARE(FocusCell(), (CCellID{2 + moved, Price}));
    }

    void shiftExtendsFromTheAnchorAndTabMovesIt() {
        Focus(2, Name);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        Key(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(Grid().GetSelectedCellRange(), (CCellRange{2, Name, 3, Barcode}));
        QCOMPARE(Grid().GetSelectedCount(), 4);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(Grid().GetSelectedCellRange(), (CCellRange{3, Price, 4, Price}));
    }

    void arrowsInAnEditor_data() {
        QTest::addColumn<bool>("byF2");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("ends");
        QTest::newRow("F2, left") << true << int(Qt::Key_Left) << false;
        QTest::newRow("F2, right") << true << int(Qt::Key_Right) << false;
        QTest::newRow("F2, down") << true << int(Qt::Key_Down) << false;
        QTest::newRow("typed, left") << false << int(Qt::Key_Left) << true;
        QTest::newRow("typed, right") << false << int(Qt::Key_Right) << true;
    }
    void arrowsInAnEditor() {
        QFETCH(bool, byF2);
        QFETCH(int, key);
        QFETCH(bool, ends);
        Focus(1, Barcode);
        m_cells->SetItemText(1, Barcode, "123");
        if (byF2) {
            Key(Qt::Key_F2);
        } else {
            Type("45");
        }
        QVERIFY(Editor() != nullptr);
        const int caret = Editor()->cursorPosition();
        Key(Qt::Key(key));
        if (ends) {
            QCOMPARE(Text(1, Barcode), QString("000000000045"));
            QCOMPARE(FocusCell(), (CCellID{1, key == Qt::Key_Left ? Name : Price}));
            QVERIFY(Editor() != nullptr); // the edit goes on in the next cell
        } else {
            QCOMPARE(FocusCell(), (CCellID{1, Barcode}));
            QCOMPARE(Editor()->cursorPosition(), key == Qt::Key_Left ? caret - 1 : caret);
        }
    }

    void pasteIntoAnOpenEditor() {
        Put("xyz");
        Type("ab");
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Editor()->text(), QString("abxyz"));
        Grid().OnEditPaste();
        QCOMPARE(Editor()->text(), QString("abxyzxyz"));
        Grid().EndEditing();
        QCOMPARE(Text(1, Name), QString("abxyzxyz"));
        QCOMPARE(Text(2, Name), QString(""));
    }

    void deleteOfABlockWithAReadOnlyColumn() {
        for (int r = 1; r <= 2; ++r) {
            m_cells->SetItemText(r, Name, "n");
            m_cells->SetItemText(r, Barcode, "1");
            m_cells->SetItemState(r, Barcode, CellState::ReadOnly);
            m_cells->SetItemText(r, Price, "2");
        }
        Grid().SetSelectedRange({1, Name, 2, Price});
        Key(Qt::Key_Delete);
        for (int r = 1; r <= 2; ++r) {
            QCOMPARE(Text(r, Name), QString(""));
            QCOMPARE(Text(r, Barcode), QString("000000000001"));
            QCOMPARE(Text(r, Price), QString(""));
        }
        QCOMPARE(m_cells->UndoCount(), std::size_t(1));
        Grid().Undo();
        QCOMPARE(Text(2, Price), QString("2.00"));
    }

    void cutCopiesAndEmpties() {
        m_cells->SetItemText(1, Name, "a");
        m_cells->SetItemText(2, Name, "b");
        Grid().SetSelectedRange({1, Name, 2, Name});
        Key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("a\nb"));
        QCOMPARE(Text(1, Name), QString(""));
        QCOMPARE(m_cells->UndoCount(), std::size_t(1));
    }

    void refusedTypedValueIsTold() {
        QSignalSpy refused(&Grid(), &CGridCtrl::valueRefused);
        Focus(1, TaxGroup);
        Type("Z");
        Key(Qt::Key_Return);
        QCOMPARE(Text(1, TaxGroup), QString(""));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.at(0).at(0).toInt(), 1);
        QCOMPARE(refused.at(0).at(2).toString(), QString("Z"));
    }

    void aTextSetOutsideAnEditIsShownAndEmptiesTheHistory() {
        Type("a");
        Key(Qt::Key_Return);
        QCOMPARE(m_cells->UndoCount(), std::size_t(1));
        QSignalSpy history(&Grid(), &CGridCtrl::historyChanged);
        m_cells->SetItemText(5, Name, "from the register");
        QCOMPARE(m_cells->UndoCount(), std::size_t(0));
        QCOMPARE(history.count(), 1);
        QCOMPARE(Grid().model()->index(4, 0).data().toString(), QString("from the register"));
    }

    void clicksSelect_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<CCellRange>("selection");
        QTest::addColumn<int>("count");
        QTest::newRow("plain") << int(Qt::NoModifier) << CCellRange{4, Price, 4, Price} << 1;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << CCellRange{2, Name, 4, Price} << 9;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << CCellRange{2, Name, 4, Price} << 2;
    }
    void clicksSelect() {
        QFETCH(int, modifiers);
        Focus(2, Name);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers),
                          CellCentre(4, Price));
        QFETCH(CCellRange, selection);
        QFETCH(int, count);
        QCOMPARE(Grid().GetSelectedCellRange(), selection);
        QCOMPARE(Grid().GetSelectedCount(), count);
        QCOMPARE(FocusCell(), (CCellID{4, Price}));
    }

    void dragSelectsABlockAndMovesTheFocus() {
        QTest::mousePress(Grid().viewport(), Qt::LeftButton, {}, CellCentre(2, Name));
        QMouseEvent move(QEvent::MouseMove, CellCentre(4, Price),
                         Grid().viewport()->mapToGlobal(CellCentre(4, Price)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Grid().viewport(), &move);
        QTest::mouseRelease(Grid().viewport(), Qt::LeftButton, {}, CellCentre(4, Price));
        QCOMPARE(Grid().GetSelectedCellRange(), (CCellRange{2, Name, 4, Price}));
        QCOMPARE(FocusCell(), (CCellID{4, Price}));
        QVERIFY(!Grid().IsEditing());
    }

    void dragBelowTheViewScrollsAndExtends() {
        QTest::mousePress(Grid().viewport(), Qt::LeftButton, {}, CellCentre(2, Name));
        const QPoint below(CellCentre(2, Name).x(), Grid().viewport()->height() + 20);
        QMouseEvent move(QEvent::MouseMove, below, Grid().viewport()->mapToGlobal(below),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Grid().viewport(), &move);
        const int top = Grid().rowAt(0);
        QTRY_VERIFY(Grid().rowAt(0) > top + 2);
        QTest::mouseRelease(Grid().viewport(), Qt::LeftButton, {}, below);
        const CCellRange selection = Grid().GetSelectedCellRange();
        QCOMPARE(selection.minRow, 2);
        QVERIFY(selection.maxRow > Grid().rowAt(0) + 1);
        QCOMPARE(FocusCell().row, selection.maxRow);
    }

    void clickInsideASelectionMovesTheFocusThere() {
        Grid().SetSelectedRange({1, Name, 5, Price});
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(3, Barcode));
        QCOMPARE(FocusCell(), (CCellID{3, Barcode}));
        QCOMPARE(Grid().GetSelectedCount(), 1);
    }

    void doubleClickEditsWithTheCaretAtTheEnd() {
        m_cells->SetItemText(5, Name, "abc");
        QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(5, Name));
        QVERIFY(Editor() != nullptr);
        QCOMPARE(Editor()->cursorPosition(), 3);
    }

    void signalsFollowTheFocusAndTheEditor() {
        QSignalSpy focus(&Grid(), &CGridCtrl::focusCellChanged);
        QSignalSpy typed(&Grid(), &CGridCtrl::editorTextChanged);
        Key(Qt::Key_Down);
        QCOMPARE(focus.count(), 1);
        QCOMPARE(focus.at(0).at(0).toInt(), 2);
        Type("q");
        QVERIFY(typed.count() > 0);
        QCOMPARE(typed.last().at(0).toInt(), 2);
        QCOMPARE(typed.last().at(2).toString(), QString("q"));
    }

    void clickOnTheFocusCellEdits() {
        m_cells->SetItemText(1, Name, "abc");
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(1, Name));
        QVERIFY(Editor() != nullptr);
        QCOMPARE(Editor()->cursorPosition(), 3);
        QVERIFY(!Editor()->hasSelectedText());
    }

    void rightClickMovesOnlyTheFocus() {
        Grid().SetSelectedRange({1, Name, 2, Barcode});
        QTest::mouseClick(Grid().viewport(), Qt::RightButton, {}, CellCentre(6, Stock));
        QCOMPARE(FocusCell(), (CCellID{6, Stock}));
        QCOMPARE(Grid().GetSelectedCellRange(), (CCellRange{1, Name, 2, Barcode}));
    }

    void headerClicksSelectColumnsAndRows_data() {
        QTest::addColumn<bool>("columnHeader");
        QTest::addColumn<CCellRange>("selection");
        QTest::newRow("column") << true << CCellRange{1, Price, 2600, Price};
        QTest::newRow("row") << false << CCellRange{3, Name, 3, Stock};
    }
    void headerClicksSelectColumnsAndRows() {
        QFETCH(bool, columnHeader);
        QHeaderView* header = columnHeader ? Grid().horizontalHeader() : Grid().verticalHeader();
        const int position = header->sectionViewportPosition(columnHeader ? Price - 1 : 2) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          columnHeader ? QPoint(position, 5) : QPoint(5, position));
        QFETCH(CCellRange, selection);
        QCOMPARE(Grid().GetSelectedCellRange(), selection);
    }

    void selectAllTakesEveryDataCell() {
        Key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(Grid().GetSelectedCount(), 2600 * 7);
        QVERIFY(Grid().CanCopy());
        Focus(1, Name);
        auto* corner = Grid().findChild<QAbstractButton*>();
        QVERIFY(corner != nullptr);
        QTest::mouseClick(corner, Qt::LeftButton);
        QCOMPARE(Grid().GetSelectedCount(), 2600 * 7);
    }

    void theWheelScrollsThreeRowsAndEndsAnEdit() {
        Type("wheeled");
        const QPoint point = CellCentre(3, Price);
        QWheelEvent wheel(point, Grid().viewport()->mapToGlobal(point), {}, QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Grid().viewport(), &wheel);
        QCOMPARE(Grid().rowAt(0), 3);
        QVERIFY(!Grid().IsEditing());
        QCOMPARE(Text(1, Name), QString("wheeled"));
    }

    void hiddenRowsFollowTheCells() {
        m_cells->SetRowHeight(4, 0);
        QVERIFY(Grid().isRowHidden(3));
        Focus(3, Name);
        Key(Qt::Key_Down);
        QCOMPARE(FocusCell(), (CCellID{5, Name}));
        m_cells->SetRowHeight(4, 30);
        QVERIFY(!Grid().isRowHidden(3));
        QCOMPARE(Grid().rowHeight(3), 30);
    }

    void fittingAColumnByItsHeaderBorder() {
        m_cells->SetItemText(3, Name, "a rather long article name for the column");
        emit Grid().horizontalHeader()->sectionHandleDoubleClicked(Name - 1);
        const int wanted = m_cells->GetCellExtent(3, Name, Grid().Measure()).width;
        QCOMPARE(m_cells->GetColumnWidth(Name), wanted);
        QCOMPARE(Grid().columnWidth(Name - 1), wanted);
    }

    void aColumnDraggedToNothingIsHidden() {
        Grid().horizontalHeader()->resizeSection(Price - 1, 0);
        QVERIFY(Grid().isColumnHidden(Price - 1));
        QCOMPARE(m_cells->GetColumnWidth(Price), 0);
        Focus(1, Barcode);
        Key(Qt::Key_Right);
        QCOMPARE(FocusCell(), (CCellID{1, TaxGroup}));
    }

    void titleTipOnlyForTextThatDoesNotFit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");
        QTest::newRow("fits") << "ab" << false;
        QTest::newRow("too long") << QString(60, QLatin1Char('W')) << true;
    }
    void titleTipOnlyForTextThatDoesNotFit() {
        QFETCH(QString, text);
        QFETCH(bool, shown);
        QToolTip::hideText();
        m_cells->SetItemText(2, Name, ToCp1251(text));
        const QPoint point = CellCentre(2, Name);
        QHelpEvent help(QEvent::ToolTip, point, Grid().viewport()->mapToGlobal(point));
        QApplication::sendEvent(Grid().viewport(), &help);
        QCOMPARE(QToolTip::isVisible(), shown);
        if (shown) {
            QCOMPARE(QToolTip::text(), text);
            Key(Qt::Key_Down);
            QTRY_VERIFY(!QToolTip::isVisible());
        }
    }

    void aCheckBoxClickIsOneUndoStep() {
        CCellGrid company;
        SetupTable(company, TableKind::Company);
        CGridCtrl grid(company);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QStyleOptionViewItem option;
        option.initFrom(&grid);
        option.rect = grid.visualRect(grid.Model()->IndexOf(2, 2));
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QPoint box =
            grid.style()
                ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &grid)
                .center();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, box);
        QCOMPARE(company.GetItemText(2, 2), std::string("1"));
        QCOMPARE(company.UndoCount(), std::size_t(1));
        grid.Undo();
        QCOMPARE(company.GetItemText(2, 2), std::string("0"));
        QCOMPARE(grid.GetFocusCell(), (CCellID{2, 2}));
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(company.GetItemText(2, 2), std::string("1"));
        QCOMPARE(company.UndoCount(), std::size_t(1));
    }

    void typingIsOneUndoStepPerCell() {
        Type("ab");
        Key(Qt::Key_Return);
        Type("cd");
        Key(Qt::Key_Tab);
        QCOMPARE(m_cells->UndoCount(), std::size_t(2));
        Key(Qt::Key_Escape);
        Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text(2, Name), QString(""));
        QCOMPARE(Text(1, Name), QString("ab"));
        QCOMPARE(FocusCell(), (CCellID{2, Name}));
        Key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Text(2, Name), QString("cd"));
        Type("unfinished");
        Grid().Undo();
        QVERIFY(!Grid().IsEditing());
        QCOMPARE(Text(2, Name), QString(""));
        QCOMPARE(m_cells->UndoCount(), std::size_t(1));
        QVERIFY(Grid().CanRedo());
    }

    void keysTheControlLeavesToTheWindow() {
        m_cells->SetItemText(4, Name, "apple");
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Tab, Qt::ControlModifier}, std::pair{Qt::Key_A, Qt::AltModifier}}) {
            QKeyEvent press(QEvent::KeyPress, key, modifiers, key == Qt::Key_A ? "a" : "\t");
            QApplication::sendEvent(&Grid(), &press);
            QVERIFY(!press.isAccepted());
        }
        QCOMPARE(FocusCell(), (CCellID{1, Name}));
        QVERIFY(!Grid().IsEditing());
    }

    // A tab page hidden while its grid or editor has the keyboard focus makes Qt look for the
    // next focus widget; that must not move the grid's focus cell as a Tab key would.
    void hidingTheGridWithAnEditorOpenLeavesTheFocusCell() {
        CCellGrid cells; // outlives the grid's model, which the tab widget deletes
        QTabWidget tabs;
        SetupTable(cells, TableKind::Articles);
        auto* grid = new CGridCtrl(cells);
        tabs.addTab(grid, "grid");
        tabs.addTab(new QWidget, "other");
        tabs.resize(900, 400);
        tabs.show();
        QApplication::setActiveWindow(&tabs);
        QVERIFY(QTest::qWaitForWindowActive(&tabs));
        grid->setFocus();
        grid->SetFocusCell(3, Name);
        QTest::keyClicks(QApplication::focusWidget(), "x");
        tabs.setCurrentIndex(1);
        QCOMPARE(grid->GetFocusCell(), (CCellID{3, Name}));
        tabs.setCurrentIndex(0);
        grid->setFocus();
        tabs.setCurrentIndex(1);
        QCOMPARE(grid->GetFocusCell(), (CCellID{3, Name}));
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
