#pragma once

#include "link/Feedback.h"
#include "tables/TableKind.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>

class QMainWindow;
class QWidget;

namespace tillora {

class CCommands;
class CKassivoView;
class CRecentFiles;
class CStatusPanes;
class CUnsavedChanges;

// Which table file dialog a command shows.
enum class FileDialogKind { Open, Save, ImportSheet, ExportSheet };

// What the user chose in a table file dialog: the full path (UTF-8) and the filter line selected,
// counted from 1.
struct ChosenFile {
    std::string path;
    int filterIndex = 1;
};

// The dialog part of open and save as, given the folder to start in; nothing when the user
// cancels. The window's is the file dialog; tests give their own.
using FileChooser =
    std::function<std::optional<ChosenFile>(FileDialogKind kind, const std::string& folder)>;

// The table file dialog: the filters of strings 30601 (open) and 30600 (save), no file name
// given; save adds "txt" to a name typed without an extension and asks before a file is
// overwritten, open takes only a file that exists.
std::optional<ChosenFile> RunTableFileDialog(QWidget* parent, FileDialogKind kind,
                                             const std::string& folder);

// The window's file commands on the current table: open, save, save as, clear all, report to
// articles, the recent files and exit; a table file dropped on the window; and the question
// before unsaved changes are lost, on open and on close. After every successful read the status
// bar's message pane tells what the read took and left.
class CFileCommands : public QObject {
    Q_OBJECT
public:
    // Binds the commands; the recent files go into the window's File menu, and the window takes
    // the table files dropped on it.
    CFileCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback, CStatusPanes& panes,
                  QMainWindow& window);
    ~CFileCommands() override;

    // The seams for tests: the dialog, and the feedback (null: the one given).
    void SetChooser(FileChooser chooser);
    void SetFeedback(IFeedback* feedback);

    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool OnClearAll();
    bool OnReportToArticles();

    // Reads the file into the current table and puts it at the top of the recent files; with
    // askFirst, unsaved changes of that table are asked about first. A file that cannot be opened
    // (20000) leaves the table as it was and its recent entry goes.
    bool ReadIntoCurrentTable(const std::string& path, bool askFirst);

    // Closing the window: true when nothing would be lost or the user goes on without saving.
    bool CanClose();

    CRecentFiles& Recent() const { return *m_recent; }
    CUnsavedChanges& Unsaved() const { return *m_unsaved; }

protected:
    // Table files dragged onto the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    IFeedback& Feedback() const;
    bool SaveAs(TableKind kind);
    void Saved(TableKind kind);
    // The folder a dialog starts in: the table's own file's, else that of the last file chosen.
    std::string StartFolder(TableKind kind, FileDialogKind dialog) const;
    void RememberFolder(const std::string& path) const;
    bool Read(const std::string& path, std::optional<int> filterIndex);

    CCommands& m_commands;
    CKassivoView& m_view;
    IFeedback& m_windowFeedback;
    CStatusPanes& m_panes;
    QMainWindow& m_window;
    FileChooser m_chooser;
    IFeedback* m_feedback = nullptr;
    CRecentFiles* m_recent;
    CUnsavedChanges* m_unsaved;
};

} // namespace tillora
