#pragma once

#include "link/Feedback.h"
#include "ui/FileCommands.h"

#include <QObject>

#include <functional>

class QWidget;

namespace tillora {

class CCommands;
class CImportDialog;
class CKassivoView;
class CUnsavedChanges;
struct EcrSettings;

// How the import dialog is answered: true for OK. The window runs it modally; tests make their
// choices in it and answer.
using ImportDialogRunner = std::function<bool(CImportDialog& dialog)>;

// File → import from a spreadsheet and export to one, on the current table.
class CSheetCommands : public QObject {
    Q_OBJECT
public:
    // Binds the two commands. unsaved asks before the table's changes would be lost; the model in
    // force decides the tax groups the import dialog offers; the dialogs open over the window.
    CSheetCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback,
                   CUnsavedChanges& unsaved, const EcrSettings& inForce, QWidget& window);

    // The seams for tests: the file dialog, the import dialog, the feedback (null: the one given).
    void SetChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    void SetDialogRunner(ImportDialogRunner runner) { m_runner = std::move(runner); }
    void SetFeedback(IFeedback* feedback) { m_feedback = feedback; }

    // Asks before unsaved changes of the table would be lost, then shows the file dialog and the
    // import dialog; OK replaces the table's contents as opening a file does, and the table then
    // differs from its file. Cancel anywhere changes nothing.
    bool OnImportSheet();
    // Writes the current table as .xlsx or CSV, by the type chosen in the dialog.
    bool OnExportSheet();

private:
    IFeedback& Feedback() const;

    CKassivoView& m_view;
    IFeedback& m_windowFeedback;
    CUnsavedChanges& m_unsaved;
    const EcrSettings& m_inForce;
    QWidget& m_window;
    FileChooser m_chooser;
    ImportDialogRunner m_runner;
    IFeedback* m_feedback = nullptr;
};

} // namespace tillora
