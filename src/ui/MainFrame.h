#pragma once

#include <QMainWindow>

#include <string>

namespace tillora {

class CCommands;
class CKassivoView;
class CQtFeedback;
class CStatusPanes;

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

    // The title from the connection settings in force.
    void UpdateFrameTitle();
    // Reads a file named on the command line into the current table.
    bool OpenStartFile(const std::string& path);

private:
    void BindEditCommands();
    void BindViewCommands();

    CStatusPanes* m_panes;
    CQtFeedback* m_feedback;
    CKassivoView* m_view;
    CCommands* m_commands;
};

} // namespace tillora
