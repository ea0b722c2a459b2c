#include "ui/PrintCommands.h"

#include "grid/GridPrinter.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/TableGrid.h"

#include <QPageRanges>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tillora {
namespace {

// The whole table, whatever range the last print dialog was given.
void PrintAllPages(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
}

// The grid's print routine for the current table, with the window's title.
std::unique_ptr<CGridPrinter> TablePrinter(CKassivoView& view) {
    CTableGrid& grid = view.CurrentGrid();
    return std::make_unique<CGridPrinter>(grid.Cells(), PrintTitleOf(&grid), grid.font());
}

} // namespace

bool CQtPrintDialogs::ChoosePrinter(QPrinter& printer, int pageCount, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, std::max(pageCount, 1));
    return dialog.exec() == QDialog::Accepted;
}

void CQtPrintDialogs::Preview(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                              QWidget* parent) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* device) { paint(*device); });
    if (parent != nullptr) {
        dialog.resize(parent->window()->size());
    }
    dialog.exec();
}

bool CQtPrintDialogs::SetUpPage(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

CPrintCommands::CPrintCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback,
                               QWidget* window)
    : QObject(window), m_view(view), m_feedback(feedback), m_window(window),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_dialogs(std::make_unique<CQtPrintDialogs>()) {
    setObjectName(QStringLiteral("printCommands"));
    commands.Bind(cmd::FilePrint, [this] { OnFilePrint(); });
    commands.Bind(cmd::FilePrintPreview, [this] { OnFilePrintPreview(); });
    commands.Bind(cmd::FilePrintSetup, [this] { OnFilePrintSetup(); });
}

CPrintCommands::~CPrintCommands() = default;

void CPrintCommands::SetDialogs(std::unique_ptr<IPrintDialogs> dialogs) {
    m_dialogs = std::move(dialogs);
}

void CPrintCommands::OnFilePrint() {
    const std::unique_ptr<CGridPrinter> table = TablePrinter(m_view);
    PrintAllPages(*m_printer);
    // The page count on the paper in force, for the dialog's range.
    table->OnBeginPrinting(*m_printer);
    const int pageCount = table->GetPageCount();
    table->OnEndPrinting();
    if (!m_dialogs->ChoosePrinter(*m_printer, pageCount, m_window)) {
        return;
    }
    bool printed = false;
    {
        const CWaitCursor wait(m_feedback);
        printed = table->Print(*m_printer);
    }
    if (!printed) {
        ShowError(m_feedback, ids::PrintFailed);
    }
}

void CPrintCommands::OnFilePrintPreview() {
    const std::unique_ptr<CGridPrinter> table = TablePrinter(m_view);
    PrintAllPages(*m_printer);
    m_dialogs->Preview(
        *m_printer, [&table](QPrinter& printer) { table->Print(printer); }, m_window);
}

void CPrintCommands::OnFilePrintSetup() {
    m_dialogs->SetUpPage(*m_printer, m_window);
}

} // namespace tillora
