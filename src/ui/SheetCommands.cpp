#include "ui/SheetCommands.h"

#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/SpreadsheetFile.h"
#include "ui/Commands.h"
#include "ui/ImportDialog.h"
#include "ui/KassivoView.h"
#include "ui/TableGrid.h"
#include "ui/UnsavedChanges.h"

#include <QFileInfo>

namespace tillora {

CSheetCommands::CSheetCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback,
                               CUnsavedChanges& unsaved, const EcrSettings& inForce,
                               QWidget& window)
    : QObject(&window), m_view(view), m_windowFeedback(feedback), m_unsaved(unsaved),
      m_inForce(inForce), m_window(window),
      m_chooser([this](FileDialogKind kind, const std::string& folder) {
          return RunTableFileDialog(&m_window, kind, folder);
      }),
      m_runner([](CImportDialog& dialog) { return dialog.exec() == QDialog::Accepted; }) {
    commands.Bind(cmd::FileImportSheet, [this] { OnImportSheet(); });
    commands.Bind(cmd::FileExportSheet, [this] { OnExportSheet(); });
}

IFeedback& CSheetCommands::Feedback() const {
    return m_feedback != nullptr ? *m_feedback : m_windowFeedback;
}

bool CSheetCommands::OnImportSheet() {
    const TableKind kind = m_view.CurrentTable();
    if (!m_unsaved.AskBeforeReading(Feedback(), kind)) {
        return false;
    }
    const std::optional<ChosenFile> chosen = m_chooser(FileDialogKind::ImportSheet, {});
    if (!chosen) {
        return false;
    }
    SheetSource source;
    std::string error;
    bool read = false;
    {
        CWaitCursor wait(Feedback());
        read = ReadSheetSource(chosen->path, {}, source, error);
    }
    if (!read) {
        Feedback().ShowMessage(ids::SheetFileDamaged, error, MessageIcon::Error);
        return false;
    }
    CImportDialog dialog(std::move(source), kind, m_inForce.EcrType, &m_window);
    if (!m_runner(dialog)) {
        return false;
    }
    if (ImportsNothing(dialog.Plan())) {
        ShowError(Feedback(), ids::ImportNothing, chosen->path.c_str());
        return false;
    }
    ApplyImportPlan(dialog.Plan(), m_view.Grid(kind));
    return true;
}

bool CSheetCommands::OnExportSheet() {
    const std::optional<ChosenFile> chosen = m_chooser(FileDialogKind::ExportSheet, {});
    if (!chosen) {
        return false;
    }
    return WriteSpreadsheetFile(chosen->path, m_view.CurrentGrid().Cells(), m_view.CurrentTable(),
                                Feedback());
}

} // namespace tillora
