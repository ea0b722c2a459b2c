#include "ui/SheetCommands.h"

#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/SpreadsheetFile.h"
#include "ui/Commands.h"
#include "ui/ImportDialog.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/QtFeedback.h"
#include "ui/TableGrid.h"
#include "ui/UnsavedChanges.h"

#include <QFileInfo>

namespace tillora {

CSheetCommands::CSheetCommands(CMainFrame& frame)
    : QObject(&frame), m_frame(frame),
      m_chooser([this](FileDialogKind kind, const std::string& folder) {
          return RunTableFileDialog(&m_frame, kind, folder);
      }),
      m_runner([](CImportDialog& dialog) { return dialog.exec() == QDialog::Accepted; }) {
    frame.Commands().Bind(cmd::FileImportSheet, [this] { OnImportSheet(); });
    frame.Commands().Bind(cmd::FileExportSheet, [this] { OnExportSheet(); });
}

IFeedback& CSheetCommands::Feedback() const {
    return m_feedback != nullptr ? *m_feedback : m_frame.Feedback();
}

bool CSheetCommands::OnImportSheet() {
    CKassivoView& view = m_frame.View();
    const TableKind kind = view.CurrentTable();
    CTableGrid& grid = view.CurrentGrid();
    if (!m_frame.Files().Unsaved().AskBeforeReading(Feedback(), kind)) {
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
    CImportDialog dialog(std::move(source), kind, ConnectionSettings().EcrType, &m_frame);
    if (!m_runner(dialog)) {
        return false;
    }
    if (dialog.Plan().rowsFilled == 0) {
        ShowError(Feedback(), ids::ImportNothing, chosen->path.c_str());
        return false;
    }
    ApplyImportPlan(dialog.Plan(), grid);
    return true;
}

bool CSheetCommands::OnExportSheet() {
    CKassivoView& view = m_frame.View();
    const std::optional<ChosenFile> chosen = m_chooser(FileDialogKind::ExportSheet, {});
    if (!chosen) {
        return false;
    }
    return WriteSpreadsheetFile(chosen->path, view.CurrentGrid().Cells(), view.CurrentTable(),
                                Feedback());
}

} // namespace tillora
