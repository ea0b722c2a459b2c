#include "grid/GridModel.h"

#include "grid/QtText.h"
#include "support/ModelInForce.h"
#include "tables/TableSetup.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QSignalSpy>
#include <QTest>

using namespace tillora;
using tillora::test::ModelInForce;

class GridModelTest : public QObject {
    Q_OBJECT

private slots:
    void passesTheModelTester_data() {
        QTest::addColumn<int>("table");
        for (TableKind kind : AllTables) {
            QTest::newRow(QByteArray::number(TableIndex(kind)).constData()) << TableIndex(kind);
        }
    }
    void passesTheModelTester() {
        QFETCH(int, table);
        CCellGrid cells;
        SetupTable(cells, static_cast<TableKind>(table));
        CGridModel model(cells);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), cells.GetRowCount() - 1);
        QCOMPARE(model.columnCount(), cells.GetColumnCount() - 1);
        // What the grid announces reaches the views as the tester expects it.
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        cells.SetItemText(1, 1, "x");
        QCOMPARE(changed.count(), 1);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        cells.SetRowCount(cells.GetRowCount() - 1);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), cells.GetRowCount() - 1);
    }

    void headersAreTheFixedCells() {
        CCellGrid cells;
        SetupTable(cells, TableKind::Subgroups);
        CGridModel model(cells);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(),
                 FromCp1251(cells.GetItemText(0, 1)));
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QString("0"));
        QCOMPARE(model.headerData(9, Qt::Vertical).toString(), QString("9"));
        QVERIFY(!model.headerData(10, Qt::Vertical).isValid());
    }

    void cellsMapToIndexes() {
        CCellGrid cells;
        SetupTable(cells, TableKind::Articles);
        CGridModel model(cells);
        QCOMPARE(model.IndexOf(1, 1), model.index(0, 0));
        QCOMPARE(model.CellOf(model.index(2599, 6)), (CCellID{2600, 7}));
        QVERIFY(!model.IndexOf(0, 3).isValid());
        QVERIFY(!model.IndexOf(4, 0).isValid());
        QCOMPARE(model.CellOf(QModelIndex()), CCellID{});
    }

    void rolesComeFromTheCells() {
        CCellGrid cells;
        SetupTable(cells, TableKind::Articles);
        CGridModel model(cells);
        cells.SetItemText(1, 1, "\xC0\xE1\xE2"); // Windows-1251 "Абв"
        cells.SetItemText(1, 3, "1.5");
        QCOMPARE(model.index(0, 0).data().toString(), QString::fromUtf8("Абв"));
        QCOMPARE(model.index(0, 2).data().toString(), QString("1.50"));
        QCOMPARE(model.index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignHCenter | Qt::AlignVCenter);
        QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
        QCOMPARE(model.index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 224));
    }

    void flagsFollowEditability() {
        CCellGrid cells;
        SetupTable(cells, TableKind::Report);
        CGridModel model(cells);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable);
        QVERIFY(!model.setData(model.index(0, 0), "x"));
        QCOMPARE(cells.GetItemText(1, 1), std::string());
    }

    void checkCellsAreCheckBoxes() {
        const ModelInForce model0(0);
        CCellGrid cells;
        SetupTable(cells, TableKind::Company);
        CGridModel model(cells);
        const QModelIndex flag = model.index(0, 1);
        cells.SetItemState(1, 2, CellState::ReadOnly);
        QVERIFY(model.flags(flag) & Qt::ItemIsUserCheckable);
        QVERIFY(!(model.flags(flag) & Qt::ItemIsEditable));
        QVERIFY(!flag.data().isValid());
        QCOMPARE(flag.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(flag, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(cells.GetItemText(1, 2), std::string("1"));
        QVERIFY(!(cells.GetItemState(1, 2) & CellState::Modified));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!model.setData(flag, Qt::Checked, Qt::CheckStateRole));
    }

    void setDataNormalisesThroughTheCell() {
        CCellGrid cells;
        SetupTable(cells, TableKind::Articles);
        CGridModel model(cells);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.index(0, 1), "123"));
        QCOMPARE(cells.GetItemText(1, 2), std::string("000000000123"));
        QVERIFY(!model.setData(model.index(0, 1), "000000000123"));
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_MAIN(GridModelTest)
#include "GridModelTest.moc"
