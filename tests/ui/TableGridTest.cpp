#include "ui/TableGrid.h"
#include "ui/Commands.h"

#include "tables/TableSetup.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tillora;

class TableGridTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        cells = std::make_unique<CCellGrid>();
        SetupTable(*cells, TableKind::Report);
        window = new QWidget;
        commands = new CCommands(window);
        grid = new CTableGrid(*cells, TableKind::Report, window);
        window->resize(300, 200); // far narrower than the report's ten columns
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup() {
        delete window;
        cells.reset();
    }

    void noHorizontalScrollBarEvenWhenTheColumnsDoNotFit() {
        grid->resize(300, 200);
        QCoreApplication::processEvents();
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
        QVERIFY(grid->verticalScrollBar()->isVisible());
    }

    void theKeyboardMenuOpensBesideTheTopLeftCornerWithTheTooltips() {
        grid->SetCommands(commands);
        auto* other = new QLineEdit(window);
        other->show();
        other->setFocus();
        QTRY_COMPARE(window->focusWidget(), other);
        QPoint shownAt;
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            shownAt = menu->pos();
            for (QAction* item : menu->actions()) {
                texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(grid, &event);
        QCOMPARE(shownAt, grid->mapToGlobal(QPoint(10, 10)));
        QCOMPARE(texts.first(), QStringLiteral("Изрежи"));
        QVERIFY(texts.contains(QStringLiteral("Избери всичко")));
        QCOMPARE(window->focusWidget(), grid);
    }

private:
    std::unique_ptr<CCellGrid> cells;
    QWidget* window = nullptr;
    CCommands* commands = nullptr;
    CTableGrid* grid = nullptr;
};

QTEST_MAIN(TableGridTest)
#include "TableGridTest.moc"
