#include "ui/Commands.h"

#include "res/StringIds.h"
#include "ui/UiText.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace tillora {
namespace {

QList<QKeySequence> KeysOf(const CommandRow& row) {
    QList<QKeySequence> keys;
    const QString text = UiText(row.textId);
    const qsizetype tab = text.lastIndexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        keys.append(QKeySequence::fromString(text.mid(tab + 1), QKeySequence::PortableText));
    }
    keys.append(QKeySequence::listFromString(QString::fromLatin1(row.moreKeys),
                                             QKeySequence::PortableText));
    return keys;
}

} // namespace

const std::vector<CommandRow>& CommandTable() {
    static const std::vector<CommandRow> rows = {
        {cmd::FileOpen, ids::MenuFileOpen},
        {cmd::FileSave, ids::MenuFileSave},
        {cmd::FileSaveAs, ids::MenuFileSaveAs},
        {cmd::FileNew, ids::MenuFileClearAll},
        {cmd::FileImportSheet, ids::MenuFileImportSheet},
        {cmd::FileExportSheet, ids::MenuFileExportSheet},
        {cmd::FilePrint, ids::MenuFilePrint},
        {cmd::FilePrintPreview, ids::MenuFilePrintPreview},
        {cmd::FilePrintSetup, ids::MenuFilePrintSetup},
        {cmd::AppExit, ids::MenuFileExit},
        {cmd::EditUndo, ids::MenuEditUndo},
        {cmd::EditRedo, ids::MenuEditRedo, "Ctrl+Shift+Z"},
        {cmd::EditCut, ids::MenuEditCut},
        {cmd::EditCopy, ids::MenuEditCopy, "Ctrl+Ins"},
        {cmd::EditPaste, ids::MenuEditPaste, "Shift+Ins"},
        {cmd::EditSelectAll, ids::MenuEditSelectAll},
        {cmd::EditFind, ids::MenuEditFind},
        {cmd::FindNext, ids::MenuEditFindNext},
        {cmd::FindPrevious, ids::MenuEditFindPrevious},
        {cmd::GoToRow, ids::MenuEditGoToRow},
        {cmd::RegisterSettings, ids::MenuRegisterSettings},
        {cmd::ReportToArticles, ids::MenuRegisterReportToArticles},
        {cmd::SendAll, ids::MenuRegisterSendAll},
        {cmd::SendSelected, ids::MenuRegisterSendSelected},
        {cmd::SendChanges, ids::MenuRegisterSendChanges},
        {cmd::ReadReport, ids::MenuRegisterReport},
        {cmd::SendLogo, ids::MenuRegisterSendLogo},
        {cmd::ViewToolbar, ids::MenuViewToolbar},
        {cmd::ViewStatusBar, ids::MenuViewStatusBar},
        {cmd::NextTable, ids::MenuViewNextTable},
        {cmd::PreviousTable, ids::MenuViewPreviousTable},
        {cmd::ViewRegisterDifferences, ids::MenuViewRegisterDifferences},
        {cmd::HelpContents, ids::MenuHelpContents},
        {cmd::AppAbout, ids::MenuHelpAbout},
        // The register list and one send to several registers at once.
        {cmd::RegisterList, ids::MenuRegisterList},
        {cmd::SendToRegisters, ids::MenuRegisterSendToSeveral},
    };
    return rows;
}

const std::vector<MenuRow>& MenuTable() {
    using namespace cmd;
    // The recent files have actions only while there are any, so their group shows only then.
    static const std::vector<MenuRow> menus = {
        {ids::MenuFile,
         {FileOpen, FileSave, FileSaveAs, FileNew, Separator, FileImportSheet, FileExportSheet,
          Separator, FilePrint, FilePrintPreview, FilePrintSetup, Separator, FileMruFirst,
          FileMruFirst + 1, FileMruFirst + 2, FileMruLast, Separator, AppExit}},
        {ids::MenuEdit,
         {EditUndo, EditRedo, Separator, EditCut, EditCopy, EditPaste, Separator, EditSelectAll,
          Separator, EditFind, FindNext, FindPrevious, Separator, GoToRow}},
        {ids::MenuRegister,
         {RegisterSettings, RegisterList, Separator, ReportToArticles, Separator, SendAll,
          SendSelected, SendChanges, SendToRegisters, ReadReport, SendLogo}},
        {ids::MenuView,
         {ViewToolbar, ViewStatusBar, Separator, NextTable, PreviousTable, Separator,
          ViewRegisterDifferences}},
        {ids::MenuHelp, {HelpContents, Separator, AppAbout}},
    };
    return menus;
}

const std::vector<int>& ContextMenuItems() {
    using namespace cmd;
    static const std::vector<int> items = {EditCut,       EditCopy,  EditPaste, Separator,
                                           EditSelectAll, Separator, SendAll,   SendSelected,
                                           SendChanges,   ReadReport};
    return items;
}

const std::vector<int>& ToolbarItems() {
    using namespace cmd;
    static const std::vector<int> items = {
        FileOpen,   FileSave,         FileNew,   Separator,    FilePrint,    FilePrintPreview,
        Separator,  EditFind,         Separator, EditCut,      EditCopy,     EditPaste,
        Separator,  ReportToArticles, Separator, SendAll,      SendSelected, SendChanges,
        ReadReport, SendLogo,         Separator, HelpContents, AppAbout};
    return items;
}

CCommands::CCommands(QWidget* window) : QObject(window) {
    for (const CommandRow& row : CommandTable()) {
        auto* action = new QAction(UiText(row.textId), window);
        action->setShortcuts(KeysOf(row));
        action->setStatusTip(Prompt(row.id));
        action->setToolTip(ToolTip(row.id));
        window->addAction(action);
        m_actions[row.id] = action;
    }
}

QAction* CCommands::Action(int id) const {
    const auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}

void CCommands::Bind(int id, std::function<void()> handler, OpenEdit openEdit) {
    QAction* action = Action(id);
    if (action == nullptr) {
        return;
    }
    if (openEdit == OpenEdit::Keep) {
        connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    } else {
        connect(action, &QAction::triggered, this,
                [this, handler = std::move(handler)] { Run(handler); });
    }
}

void CCommands::SetEditCommit(std::function<void()> commit) {
    m_commitEdit = std::move(commit);
}

void CCommands::Run(const std::function<void()>& work) const {
    if (m_commitEdit) {
        m_commitEdit();
    }
    work();
}

void CCommands::BindEnable(int id, std::function<bool()> rule) {
    m_rules[id] = std::move(rule);
    UpdateEnables();
}

void CCommands::UpdateEnables() {
    for (const auto& [id, rule] : m_rules) {
        if (QAction* action = Action(id)) {
            action->setEnabled(rule());
        }
    }
}

// Separators only between commands that are there, never doubled or at an end.
template <typename Add> void CCommands::AddItems(const std::vector<int>& items, Add add) const {
    bool separatorDue = false;
    bool any = false;
    for (int id : items) {
        if (id == cmd::Separator) {
            separatorDue = any;
        } else if (QAction* action = Action(id)) {
            add(id, action, separatorDue);
            separatorDue = false;
            any = true;
        }
    }
}

void CCommands::FillMenuBar(QMenuBar* bar) const {
    for (const MenuRow& row : MenuTable()) {
        QMenu* menu = bar->addMenu(UiText(row.titleId));
        AddItems(row.items, [menu](int, QAction* action, bool separatorFirst) {
            if (separatorFirst) {
                menu->addSeparator();
            }
            menu->addAction(action);
        });
    }
}

void CCommands::FillContextMenu(QMenu* menu) const {
    AddItems(ContextMenuItems(), [menu](int id, QAction* source, bool separatorFirst) {
        if (separatorFirst) {
            menu->addSeparator();
        }
        QAction* item = menu->addAction(ToolTip(id));
        item->setEnabled(source->isEnabled());
        QObject::connect(item, &QAction::triggered, source, &QAction::trigger);
    });
}

QString CCommands::Prompt(int id) {
    const QString text = UiText(static_cast<unsigned>(id));
    return text.section(QLatin1Char('\n'), 0, 0);
}

QString CCommands::ToolTip(int id) {
    const QString text = UiText(static_cast<unsigned>(id));
    const qsizetype lineFeed = text.lastIndexOf(QLatin1Char('\n'));
    return lineFeed >= 0 ? text.mid(lineFeed + 1) : QString();
}

} // namespace tillora
