#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tillora {

// Command ids as the register's users and the string table know them.
namespace cmd {
inline constexpr int Separator = 0;
inline constexpr int FileNew = 57600; // clear all
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FileMruFirst = 57616; // the recent files, one id each
inline constexpr int FileMruLast = 57619;
inline constexpr int AppExit = 57665;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditFind = 57636;
inline constexpr int EditPaste = 57637;
inline constexpr int EditSelectAll = 57642;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int FindNext = 32785;
inline constexpr int FindPrevious = 32786;
inline constexpr int GoToRow = 32780;
inline constexpr int RegisterSettings = 32772;
inline constexpr int ReportToArticles = 32774;
inline constexpr int SendAll = 32778;
inline constexpr int SendSelected = 32781;
inline constexpr int ReadReport = 32776;
inline constexpr int SendLogo = 32783;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int NextTable = 57680;
inline constexpr int PreviousTable = 57681;
inline constexpr int HelpContents = 32789;
inline constexpr int FileImportSheet = 32790;
inline constexpr int FileExportSheet = 32791;
inline constexpr int SendChanges = 32792;
inline constexpr int ViewRegisterDifferences = 32793;
inline constexpr int AppAbout = 57664;
// The register list and one send to several registers at once.
inline constexpr int RegisterList = 32794;
inline constexpr int SendToRegisters = 32795;
} // namespace cmd

// One command: its menu text (with "\t" and the key it shows, which is also its first key) and
// the keys beyond that one, in portable form separated by "; ". The status-bar prompt and the
// tooltip are the string-table text filed under the id.
struct CommandRow {
    int id;
    unsigned textId;
    const char* moreKeys = "";
};
const std::vector<CommandRow>& CommandTable();

// The menu bar, menu by menu: the title's string id and its command ids (cmd::Separator between
// groups). A command that the table lacks is left out.
struct MenuRow {
    unsigned titleId;
    std::vector<int> items;
};
const std::vector<MenuRow>& MenuTable();

// The grids' context menu, in order.
const std::vector<int>& ContextMenuItems();

// The toolbar, left to right (cmd::Separator between groups).
const std::vector<int>& ToolbarItems();

// What a command does with an in-place editor that is open when it runs.
enum class OpenEdit {
    Commit, // what was typed goes into the cell first, so the command sees it
    Keep    // the command acts on the editor's own text (the clipboard commands, undo and redo)
};

// The window's actions, one per row of the command table, with what each does and when it
// applies bound by whoever owns the work. Every command runs through Run, which is the one place
// that commits an open edit, so that no command has to remember it.
class CCommands : public QObject {
    Q_OBJECT
public:
    // The actions are added to the window, so that their keys work wherever its focus is.
    explicit CCommands(QWidget* window);

    // Null for an id that the table lacks.
    QAction* Action(int id) const;
    void Bind(int id, std::function<void()> handler, OpenEdit openEdit = OpenEdit::Commit);
    // How an open edit is committed; by default there is none to commit.
    void SetEditCommit(std::function<void()> commit);
    // Runs work as a command: an open edit committed first. Also for what starts a command
    // outside the action table (a recent file, a dropped file, closing the window).
    void Run(const std::function<void()>& work) const;
    // A command without a rule is always enabled.
    void BindEnable(int id, std::function<bool()> rule);
    // Renews every enable state from its rule: called whenever what the rules look at changes.
    void UpdateEnables();

    void FillMenuBar(QMenuBar* bar) const;
    // A context menu built afresh, each item showing the command's tooltip and triggering it.
    void FillContextMenu(QMenu* menu) const;

    // The prompt shown in the status bar, and the tooltip after it.
    static QString Prompt(int id);
    static QString ToolTip(int id);

private:
    template <typename Add> void AddItems(const std::vector<int>& items, Add add) const;

    std::map<int, QAction*> m_actions;
    std::map<int, std::function<bool()>> m_rules;
    std::function<void()> m_commitEdit;
};

} // namespace tillora
