#include "ui/FileCommands.h"

#include "grid/QtText.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tables/FileFilter.h"
#include "tables/TableReadSummary.h"
#include "tables/TableWriter.h"
#include "ui/AppSettings.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/QtFeedback.h"
#include "ui/RecentFiles.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"
#include "ui/UiText.h"
#include "ui/UnsavedChanges.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include <utility>

namespace tillora {
namespace {

const QString LastFolderKey = QStringLiteral("Files/LastFolder");

// The folder of a file, if the file was named and its folder is still there.
std::string FolderOf(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const QString folder = QFileInfo(FromPath(path)).absolutePath();
    return QDir(folder).exists() ? ToPath(QDir::toNativeSeparators(folder)) : std::string();
}

// The one local file of a drag, if that is what it carries.
std::optional<std::string> DraggedTableFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile()) {
        return std::nullopt;
    }
    return ToPath(url.toLocalFile());
}

// The File menu: the one that holds the exit command.
QMenu* FileMenu(QMenuBar* bar, QAction* exit) {
    for (QAction* item : bar->actions()) {
        if (item->menu() != nullptr && item->menu()->actions().contains(exit)) {
            return item->menu();
        }
    }
    return nullptr;
}

struct DialogTexts {
    unsigned title;
    unsigned filter;
};

DialogTexts TextsOf(FileDialogKind kind) {
    switch (kind) {
    case FileDialogKind::Save:
        return {ids::SaveTableTitle, ids::SaveTableFilter};
    case FileDialogKind::ImportSheet:
        return {ids::ImportDialogCaption, ids::ImportSheetFilter};
    case FileDialogKind::ExportSheet:
        return {ids::ExportSheetTitle, ids::ExportSheetFilter};
    default:
        return {ids::OpenTableTitle, ids::OpenTableFilter};
    }
}

} // namespace

std::optional<ChosenFile> RunTableFileDialog(QWidget* parent, FileDialogKind kind,
                                             const std::string& folder) {
    const bool save = kind == FileDialogKind::Save || kind == FileDialogKind::ExportSheet;
    const DialogTexts texts = TextsOf(kind);
    const std::string_view filterText = LoadString(texts.filter);
    QStringList filters;
    for (const std::string& filter : NameFilters(filterText, FileNamesCaseSensitive())) {
        filters << FromUtf8(filter);
    }
    QFileDialog dialog(parent, UiText(texts.title), FromPath(folder));
    dialog.setObjectName(QStringLiteral("tableFileDialog"));
    dialog.setNameFilters(filters);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A name without an extension gets the chosen type's, which decides how it is written.
        dialog.setDefaultSuffix(FromUtf8(FilterExtension(filterText, 0)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, filters, filterText](const QString& filter) {
                             const auto line = static_cast<int>(filters.indexOf(filter));
                             dialog.setDefaultSuffix(FromUtf8(FilterExtension(filterText, line)));
                         });
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const auto filter = filters.indexOf(dialog.selectedNameFilter());
    return ChosenFile{ToPath(dialog.selectedFiles().constFirst()),
                      filter >= 0 ? static_cast<int>(filter) + 1 : 1};
}

CFileCommands::CFileCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback,
                             CStatusPanes& panes, QMainWindow& window)
    : QObject(&window), m_commands(commands), m_view(view), m_windowFeedback(feedback),
      m_panes(panes), m_window(window),
      m_chooser([this](FileDialogKind kind, const std::string& folder) {
          return RunTableFileDialog(&m_window, kind, folder);
      }) {
    QAction* exit = commands.Action(cmd::AppExit);
    QMenu* menu = exit != nullptr ? FileMenu(window.menuBar(), exit) : nullptr;
    if (menu == nullptr) {
        menu = new QMenu(&window); // never shown: the entries still work by their actions
    }
    m_recent = new CRecentFiles(menu, exit, this);
    m_unsaved = new CUnsavedChanges(view, this);
    connect(m_recent, &CRecentFiles::entryChosen, this, [this](const QString& path) {
        m_commands.Run([this, path] { ReadIntoCurrentTable(ToPath(path), true); });
    });

    commands.Bind(cmd::FileOpen, [this] { OnFileOpen(); });
    commands.Bind(cmd::FileSave, [this] { OnFileSave(); });
    commands.Bind(cmd::FileSaveAs, [this] { OnFileSaveAs(); });
    commands.Bind(cmd::FileNew, [this] { OnClearAll(); });
    commands.Bind(cmd::ReportToArticles, [this] { OnReportToArticles(); });
    commands.Bind(cmd::AppExit, [this] { m_window.close(); });

    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

CFileCommands::~CFileCommands() = default;

void CFileCommands::SetChooser(FileChooser chooser) {
    m_chooser = std::move(chooser);
}

void CFileCommands::SetFeedback(IFeedback* feedback) {
    m_feedback = feedback;
}

IFeedback& CFileCommands::Feedback() const {
    return m_feedback != nullptr ? *m_feedback : m_windowFeedback;
}

bool CFileCommands::OnFileOpen() {
    const TableKind kind = m_view.CurrentTable();
    if (!m_unsaved->AskBeforeReading(Feedback(), kind)) {
        return false;
    }
    const std::optional<ChosenFile> chosen =
        m_chooser(FileDialogKind::Open, StartFolder(kind, FileDialogKind::Open));
    if (!chosen) {
        return false;
    }
    RememberFolder(chosen->path);
    return Read(chosen->path, chosen->filterIndex);
}

bool CFileCommands::OnFileSave() {
    const TableKind kind = m_view.CurrentTable();
    TableWriter& writer = m_view.Document().Writer(kind);
    if (!writer.HasPath()) {
        return SaveAs(kind);
    }
    if (!writer.Save(Feedback())) {
        return false;
    }
    Saved(kind);
    return true;
}

bool CFileCommands::OnFileSaveAs() {
    return SaveAs(m_view.CurrentTable());
}

bool CFileCommands::SaveAs(TableKind kind) {
    const std::optional<ChosenFile> chosen =
        m_chooser(FileDialogKind::Save, StartFolder(kind, FileDialogKind::Save));
    if (!chosen) {
        return false;
    }
    RememberFolder(chosen->path);
    TableWriter& writer = m_view.Document().Writer(kind);
    if (!writer.SaveAs(chosen->path, Feedback())) {
        return false;
    }
    Saved(kind);
    return true;
}

// As UpdateTabCaption does: the caption names the file, which goes to the top of the recent files.
void CFileCommands::Saved(TableKind kind) {
    m_unsaved->MarkKept(kind);
    m_view.UpdateTabCaption(kind);
    m_recent->Add(m_view.Document().Writer(kind).GetPathName());
}

bool CFileCommands::OnClearAll() {
    return m_view.Document().ClearAll(Feedback(), [this](TableKind kind) {
        m_unsaved->MarkKept(kind);
        m_view.UpdateTabCaption(kind);
        m_view.Grid(kind).viewport()->repaint();
    });
}

bool CFileCommands::OnReportToArticles() {
    if (!m_view.Document().CopyReportToArticles(Feedback())) {
        return false;
    }
    m_view.ActivateTable(TableKind::Articles);
    return true;
}

// A file that is not there is not worth a question about the changes it would replace: the read
// says that it cannot be opened and leaves the table.
bool CFileCommands::ReadIntoCurrentTable(const std::string& path, bool askFirst) {
    if (askFirst && QFileInfo::exists(FromPath(path)) &&
        !m_unsaved->AskBeforeReading(Feedback(), m_view.CurrentTable())) {
        return false;
    }
    return Read(path, std::nullopt);
}

// A read that fails leaves the table as it was, unless it failed half-way; what it changed is one
// step that undo takes back.
bool CFileCommands::Read(const std::string& path, std::optional<int> filterIndex) {
    const TableKind kind = m_view.CurrentTable();
    CTableGrid& grid = m_view.CurrentGrid();
    TableReader& reader = m_view.Reader(kind);
    const bool read = filterIndex ? reader.OpenTableFile(path, *filterIndex, Feedback())
                                  : reader.ReadTableFile(path, Feedback());
    if (!read) {
        if (!reader.GetLastRead().opened) {
            m_recent->Remove(path);
        }
        return false;
    }
    m_unsaved->MarkKept(kind);
    m_panes.SetMessage(FromUtf8(FormatReadSummary(reader.GetLastRead(), grid.Cells())));
    m_recent->Add(path);
    RememberFolder(path);
    return true;
}

bool CFileCommands::CanClose() {
    return m_unsaved->AskBeforeExit(Feedback());
}

std::string CFileCommands::StartFolder(TableKind kind, FileDialogKind dialog) const {
    const std::string& saved = m_view.Document().Writer(kind).GetPathName();
    const std::string& opened = m_view.Reader(kind).GetPathName();
    std::string first = FolderOf(dialog == FileDialogKind::Save ? saved : opened);
    if (!first.empty()) {
        return first;
    }
    std::string second = FolderOf(dialog == FileDialogKind::Save ? opened : saved);
    if (!second.empty()) {
        return second;
    }
    const QString last = OpenAppSettings()->value(LastFolderKey).toString();
    return !last.isEmpty() && QDir(last).exists() ? ToPath(QDir::toNativeSeparators(last))
                                                  : std::string();
}

void CFileCommands::RememberFolder(const std::string& path) const {
    OpenAppSettings()->setValue(LastFolderKey, QFileInfo(FromPath(path)).absolutePath());
}

// A drop only takes the file: it is read once the drag has ended, so that the question about
// unsaved changes does not hold up the program the file came from.
bool CFileCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DraggedTableFile(drag->mimeData())) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (const std::optional<std::string> path = DraggedTableFile(drop->mimeData())) {
            drop->acceptProposedAction();
            QMetaObject::invokeMethod(
                this,
                [this, file = *path] {
                    m_commands.Run([this, &file] { ReadIntoCurrentTable(file, true); });
                },
                Qt::QueuedConnection);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tillora
