#include "ui/MainFrame.h"

#include "link/EcrSettings.h"
#include "ui/Commands.h"
#include "ui/FileCommands.h"
#include "ui/FindCommands.h"
#include "ui/HelpCommands.h"
#include "ui/KassivoView.h"
#include "ui/LogoCommand.h"
#include "ui/PrintCommands.h"
#include "ui/QtFeedback.h"
#include "ui/RegisterChooser.h"
#include "ui/RegisterCommands.h"
#include "ui/RegisterDifferences.h"
#include "ui/RegisterListCommands.h"
#include "ui/SheetCommands.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"
#include "ui/UiText.h"
#include "ui/WindowBars.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>

namespace tillora {

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_panes(new CStatusPanes(statusBar())),
      m_feedback(new CQtFeedback(this, m_panes)), m_view(new CKassivoView(this)),
      m_commands(new CCommands(this)), m_register(nullptr) {
    setCentralWidget(m_view);
    m_commands->FillMenuBar(menuBar());
    m_view->SetCommands(m_commands);
    m_commands->SetEditCommit([this] { m_view->CurrentGrid().EndEditing(); });
    BindEditCommands();
    BindViewCommands();
    m_register = new CRegisterCommands(*m_commands, *m_view, *m_feedback, *this);
    connect(m_register, &CRegisterCommands::settingsInForceChanged, this,
            &CMainFrame::UpdateFrameTitle);
    BindDifferences();
    m_logo = new CLogoCommand(*m_commands, *m_register, *this);
    BindFindCommands(*m_commands, *m_view, *m_feedback, this);
    new CPrintCommands(*m_commands, *m_view, *m_feedback, this);
    m_files = new CFileCommands(*m_commands, *m_view, *m_feedback, *m_panes, *this);
    m_sheets = new CSheetCommands(*m_commands, *m_view, *m_feedback, m_files->Unsaved(),
                                  m_register->SettingsInForce(), *this);
    m_bars = new CWindowBars(*this, *m_commands);
    BindRegisterList();
    new CHelpCommands(*m_commands, *this, *m_panes, QApplication::applicationFilePath());

    connect(m_view, &CKassivoView::focusPaneChanged, m_panes, &CStatusPanes::SetFocusPane);
    connect(m_view, &CKassivoView::valueRefused, m_panes, &CStatusPanes::SetMessage);
    connect(m_view, &CKassivoView::editStateChanged, m_commands, &CCommands::UpdateEnables);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, m_commands,
            &CCommands::UpdateEnables);

    resize(960, 680);
    m_bars->RestoreWindowState();
    UpdateFrameTitle();
    m_view->ActivateTable(TableKind::Articles);
}

// The commands' rules look at the view, so they go first; then the grids, before the window's
// own children.
CMainFrame::~CMainFrame() {
    QApplication::clipboard()->disconnect(m_commands);
    delete m_commands;
    delete m_view;
}

// While an in-place editor is open the edit commands act on its text, as their keys do.
void CMainFrame::BindEditCommands() {
    struct EditCommand {
        int id;
        void (*inEditor)(QLineEdit*);
        void (CGridCtrl::*inGrid)();
        bool (CGridCtrl::*applies)() const;
    };
    const EditCommand commands[] = {
        {cmd::EditCut, [](QLineEdit* e) { e->cut(); }, &CGridCtrl::OnEditCut, &CGridCtrl::CanCut},
        {cmd::EditCopy, [](QLineEdit* e) { e->copy(); }, &CGridCtrl::OnEditCopy,
         &CGridCtrl::CanCopy},
        {cmd::EditPaste, [](QLineEdit* e) { e->paste(); }, &CGridCtrl::OnEditPaste,
         &CGridCtrl::CanPaste},
        {cmd::EditSelectAll, [](QLineEdit* e) { e->selectAll(); }, &CGridCtrl::OnEditSelectAll,
         nullptr},
        {cmd::EditUndo, [](QLineEdit* e) { e->undo(); }, &CGridCtrl::Undo, &CGridCtrl::CanUndo},
        {cmd::EditRedo, [](QLineEdit* e) { e->redo(); }, &CGridCtrl::Redo, &CGridCtrl::CanRedo},
    };
    for (const EditCommand& command : commands) {
        m_commands->Bind(
            command.id,
            [this, command] {
                if (QLineEdit* editor = m_view->OpenEditor()) {
                    command.inEditor(editor);
                } else {
                    (m_view->CurrentGrid().*command.inGrid)();
                }
            },
            OpenEdit::Keep);
        if (command.applies != nullptr) {
            m_commands->BindEnable(command.id, [this, command] {
                return m_view->OpenEditor() != nullptr ||
                       (m_view->CurrentGrid().*command.applies)();
            });
        }
    }
}

void CMainFrame::BindViewCommands() {
    m_commands->Bind(cmd::NextTable, [this] { m_view->OnNextTable(); });
    m_commands->Bind(cmd::PreviousTable, [this] { m_view->OnPrevTable(); });
}

// "Разлики с касата" is a check in the View menu; the marks follow every transfer and setting.
void CMainFrame::BindDifferences() {
    m_differences = new CRegisterDifferences(*m_view, m_register->KnownState(),
                                             m_register->SettingsInForce(), this);
    QAction* shown = m_commands->Action(cmd::ViewRegisterDifferences);
    shown->setCheckable(true);
    connect(shown, &QAction::toggled, m_differences, &CRegisterDifferences::SetShown);
    connect(m_register, &CRegisterCommands::knownStateChanged, m_differences,
            &CRegisterDifferences::KnownStateChanged);
}

// The toolbar's register chooser and the Register menu's list commands; the chooser shows the
// register in force whenever the title follows it.
void CMainFrame::BindRegisterList() {
    CRegisterCommands* reg = m_register;
    const auto iniFile = [reg] { return reg->IniFile(); };
    m_chooser =
        new CRegisterChooser(*m_bars->Toolbar(), iniFile, reg->SettingsInForce(), *m_feedback);
    connect(m_chooser, &CRegisterChooser::registerChosen, m_register,
            &CRegisterCommands::PutInForce);
    m_registerList = new CRegisterListCommands(*m_commands, *m_view, reg->KnownState(), iniFile,
                                               reg->SettingsInForce(), *this);
    connect(m_registerList, &CRegisterListCommands::listChanged, this,
            &CMainFrame::UpdateFrameTitle);
    connect(m_registerList, &CRegisterListCommands::knownStateChanged, m_differences,
            &CRegisterDifferences::KnownStateChanged);
}

void CMainFrame::UpdateFrameTitle() {
    if (m_chooser == nullptr) {
        setWindowTitle(MessageText(FrameTitle(m_register->SettingsInForce())));
        return;
    }
    m_chooser->Refresh();
    setWindowTitle(MessageText(m_chooser->FrameTitle()));
}

bool CMainFrame::OpenStartFile(const std::string& path) {
    m_files->ReadIntoCurrentTable(path, false);
    return m_view->Reader(m_view->CurrentTable()).GetLastRead().opened;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    m_commands->Run([this, &canClose] { canClose = m_files->CanClose(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    m_bars->SaveWindowState();
    QMainWindow::closeEvent(event);
}

} // namespace tillora
