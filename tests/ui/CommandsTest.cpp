#include "ui/Commands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace tillora;

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        window = new QMainWindow;
        commands = new CCommands(window);
    }
    void cleanup() { delete window; }

    void everyRowIsOneActionOfTheWindow() {
        for (const CommandRow& row : CommandTable()) {
            QAction* action = commands->Action(row.id);
            QVERIFY(action != nullptr);
            QVERIFY(window->actions().contains(action));
        }
        QCOMPARE(commands->Action(12345), nullptr);
    }

    void theMenuTextAndItsKeyComeFromTheStringTable() {
        QAction* cut = commands->Action(cmd::EditCut);
        QCOMPARE(cut->text(), QStringLiteral("&Изрежи\tCtrl+X"));
        QCOMPARE(cut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(commands->Action(cmd::NextTable)->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(commands->Action(cmd::PreviousTable)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    }

    void moreKeysFollowTheShownOne() {
        const QList<QKeySequence> copy = commands->Action(cmd::EditCopy)->shortcuts();
        QCOMPARE(copy, (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C),
                                            QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
        const QList<QKeySequence> redo = commands->Action(cmd::EditRedo)->shortcuts();
        QCOMPARE(redo, (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    }

    void thePromptGoesToTheStatusBarAndTheRestIsTheTooltip() {
        QAction* cut = commands->Action(cmd::EditCut);
        QCOMPARE(cut->statusTip(), QStringLiteral("Изрязва текущия избор и го копира в клипборда"));
        QCOMPARE(cut->toolTip(), QStringLiteral("Изрежи"));
    }

    void aBoundHandlerRunsOnTrigger() {
        int runs = 0;
        commands->Bind(cmd::EditCopy, [&runs] { ++runs; });
        commands->Action(cmd::EditCopy)->trigger();
        QCOMPARE(runs, 1);
    }

    void enableStatesFollowTheirRulesWhenRenewed() {
        bool applies = false;
        commands->BindEnable(cmd::EditPaste, [&applies] { return applies; });
        QVERIFY(!commands->Action(cmd::EditPaste)->isEnabled());
        applies = true;
        QVERIFY(!commands->Action(cmd::EditPaste)->isEnabled());
        commands->UpdateEnables();
        QVERIFY(commands->Action(cmd::EditPaste)->isEnabled());
        QVERIFY(commands->Action(cmd::EditCut)->isEnabled()); // no rule: always
    }

    void theMenusComeInTheirOrderWithSeparatorsBetweenGroups() {
        QMenuBar bar;
        commands->FillMenuBar(&bar);
        QStringList titles;
        for (QAction* menu : bar.actions()) {
            titles << menu->text();
        }
        QCOMPARE(titles, (QStringList{"&Файл", "&Редакция", "&Каса", "&Виж", "&Помощ"}));
        const QList<QAction*> edit = bar.actions()[1]->menu()->actions();
        QCOMPARE(edit.size(), 14);
        QCOMPARE(edit[0], commands->Action(cmd::EditUndo));
        QVERIFY(edit[2]->isSeparator());
        QCOMPARE(edit[3], commands->Action(cmd::EditCut));
        QCOMPARE(edit[7], commands->Action(cmd::EditSelectAll));
        QCOMPARE(edit[13], commands->Action(cmd::GoToRow));
        const QList<QAction*> file = bar.actions()[0]->menu()->actions();
        QCOMPARE(file.size(), 13); // no recent-file group while there is no recent file
        QCOMPARE(file[5], commands->Action(cmd::FileImportSheet));
        QCOMPARE(file[6], commands->Action(cmd::FileExportSheet));
        QCOMPARE(file.last(), commands->Action(cmd::AppExit));
    }

    void theContextMenuShowsTooltips() {
        QMenu menu;
        commands->FillContextMenu(&menu);
        QStringList texts;
        for (QAction* item : menu.actions()) {
            texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        QCOMPARE(texts, (QStringList{"Изрежи", "Копирай", "Залепи", "-", "Избери всичко", "-",
                                     "Изпращане към касата", "Изпращане на избраните клетки",
                                     "Изпращане на промените", "Отчет"}));
    }

    void aContextItemTriggersItsCommandAndCarriesItsEnableState() {
        int copies = 0;
        commands->Bind(cmd::EditCopy, [&copies] { ++copies; });
        commands->BindEnable(cmd::EditCut, [] { return false; });
        QMenu menu;
        commands->FillContextMenu(&menu);
        QVERIFY(!menu.actions()[0]->isEnabled());
        menu.actions()[1]->trigger();
        QCOMPARE(copies, 1);
    }

private:
    QMainWindow* window = nullptr;
    CCommands* commands = nullptr;
};

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
