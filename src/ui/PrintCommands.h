#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace tillora {

class CCommands;
class CKassivoView;
class IFeedback;

// The printer's dialogs, behind a seam so that a test prints to a PDF file without a person.
class IPrintDialogs {
public:
    virtual ~IPrintDialogs() = default;
    // The print dialog on the printer, offering pages 1 to pageCount; false when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer, int pageCount, QWidget* parent) = 0;
    // The print preview of what paint draws on the printer it is given, as often as it asks.
    virtual void Preview(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                         QWidget* parent) = 0;
    // The page set-up dialog on the printer; false when cancelled.
    virtual bool SetUpPage(QPrinter& printer, QWidget* parent) = 0;
};

// Qt's own: QPrintDialog, QPrintPreviewDialog and QPageSetupDialog.
class CQtPrintDialogs final : public IPrintDialogs {
public:
    bool ChoosePrinter(QPrinter& printer, int pageCount, QWidget* parent) override;
    void Preview(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                 QWidget* parent) override;
    bool SetUpPage(QPrinter& printer, QWidget* parent) override;
};

// Print (57607, Ctrl+P), print preview (57609) and page set-up (57606) of the current table, drawn
// by the grid's print routine with the window's title at the top of each page. One printer lives
// for the run, so the paper, orientation and margins chosen are kept for later prints and
// previews; the page range is asked anew each time.
class CPrintCommands : public QObject {
    Q_OBJECT
public:
    // Binds the three commands; the object belongs to the window.
    CPrintCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback, QWidget* window);
    ~CPrintCommands() override;

    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

    QPrinter& Printer() const { return *m_printer; }
    // Replaces the dialogs (tests).
    void SetDialogs(std::unique_ptr<IPrintDialogs> dialogs);

private:
    CKassivoView& m_view;
    IFeedback& m_feedback;
    QWidget* m_window;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<IPrintDialogs> m_dialogs;
};

} // namespace tillora
