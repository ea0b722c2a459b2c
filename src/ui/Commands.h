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
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int EditSelectAll = 57642;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;
inline constexpr int SendAll = 32778;
inline constexpr int SendSelected = 32781;
inline constexpr int ReadReport = 32776;
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

// The window's actions, one per row of the command table, with what each does and when it
// applies bound by whoever owns the work.
class CCommands : public QObject {
    Q_OBJECT
public:
    // The actions are added to the window, so that their keys work wherever its focus is.
    explicit CCommands(QWidget* window);

    // Null for an id that the table lacks.
    QAction* Action(int id) const;
    void Bind(int id, std::function<void()> handler);
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
};

} // namespace tillora
