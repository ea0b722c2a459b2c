#pragma once

#include <QMainWindow>

#include <string>

namespace tillora {

class CCommands;
class CFileCommands;
class CKassivoView;
class CLogoCommand;
class CQtFeedback;
class CRegisterChooser;
class CRegisterCommands;
class CRegisterListCommands;
class CRegisterDifferences;
class CSheetCommands;
class CStatusPanes;
class CWindowBars;

// The main window: the menu bar from the command table, the view with the six tables, and the
// status bar with the message pane and the pane that follows the focus cell.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKassivoView& View() const { return *m_view; }
    CCommands& Commands() const { return *m_commands; }
    CStatusPanes& Panes() const { return *m_panes; }
    CQtFeedback& Feedback() const { return *m_feedback; }
    CRegisterCommands& Register() const { return *m_register; }
    CFileCommands& Files() const { return *m_files; }
    CSheetCommands& Sheets() const { return *m_sheets; }
    CWindowBars& Bars() const { return *m_bars; }
    CLogoCommand& Logo() const { return *m_logo; }
    CRegisterDifferences& Differences() const { return *m_differences; }
    CRegisterChooser& Chooser() const { return *m_chooser; }
    CRegisterListCommands& RegisterList() const { return *m_registerList; }

    // The title from the connection settings in force.
    void UpdateFrameTitle();
    // Reads a file named on the command line into the current table; false when it could not even
    // be opened (a file that reads badly has said why and the window comes up all the same).
    bool OpenStartFile(const std::string& path);

protected:
    // Asks first when tables have unsaved changes; the window's size and bars are kept.
    void closeEvent(QCloseEvent* event) override;

private:
    void BindEditCommands();
    void BindViewCommands();
    void BindDifferences();
    void BindRegisterList();

    CStatusPanes* m_panes;
    CQtFeedback* m_feedback;
    CKassivoView* m_view;
    CCommands* m_commands;
    CRegisterCommands* m_register;
    CFileCommands* m_files = nullptr;
    CSheetCommands* m_sheets = nullptr;
    CWindowBars* m_bars = nullptr;
    CLogoCommand* m_logo = nullptr;
    CRegisterDifferences* m_differences = nullptr;
    CRegisterChooser* m_chooser = nullptr;
    CRegisterListCommands* m_registerList = nullptr;
};

} // namespace tillora
