#pragma once

#include <QIcon>
#include <QObject>

class QMainWindow;
class QToolBar;

namespace tillora {

class CCommands;

// The icon drawn for a command of the toolbar (16 and 32 pixels, from the program's resources);
// the null icon for any other command.
QIcon CommandIcon(int id);

// The window's bars: the toolbar (ToolbarItems(), whose actions also show their icons in the
// menus), the View menu's check marks for the toolbar and the status bar, and the window's size,
// position and bars kept between runs in the program's settings (not the current table: the
// articles are current at every start).
class CWindowBars : public QObject {
    Q_OBJECT
public:
    CWindowBars(QMainWindow& window, CCommands& commands);

    QToolBar* Toolbar() const { return m_toolbar; }

    // As the last run left them; nothing when there is nothing kept.
    void RestoreWindowState();
    void SaveWindowState() const;

private:
    void SetStatusBarShown(bool shown);

    QMainWindow& m_window;
    CCommands& m_commands;
    QToolBar* m_toolbar;
};

} // namespace tillora
