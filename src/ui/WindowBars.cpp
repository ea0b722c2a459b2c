#include "ui/WindowBars.h"

#include "res/StringIds.h"
#include "ui/AppSettings.h"
#include "ui/Commands.h"
#include "ui/UiText.h"

#include <QAction>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>

#include <map>

// Outside any namespace, as Qt asks: the icons are built into the static library, whose
// resources register only when asked to.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace tillora {
namespace {

// Raised whenever the toolbar's layout changes in a way that an older kept state must not
// restore.
constexpr int WindowStateVersion = 1;

const QString GeometryKey = QStringLiteral("Window/Geometry");
const QString StateKey = QStringLiteral("Window/State");
const QString StatusBarKey = QStringLiteral("Window/StatusBar");

// The file names under :/icons/, NAME-16.png and NAME-32.png (scripts/make-icons.py).
const std::map<int, const char*>& IconNames() {
    static const std::map<int, const char*> names = {
        {cmd::FileOpen, "open"},
        {cmd::FileSave, "save"},
        {cmd::FileNew, "clear-all"},
        {cmd::FilePrint, "print"},
        {cmd::FilePrintPreview, "preview"},
        {cmd::EditFind, "find"},
        {cmd::EditCut, "cut"},
        {cmd::EditCopy, "copy"},
        {cmd::EditPaste, "paste"},
        {cmd::ReportToArticles, "report-to-articles"},
        {cmd::SendAll, "send-all"},
        {cmd::SendSelected, "send-selected"},
        {cmd::SendChanges, "send-changes"},
        {cmd::ReadReport, "report"},
        {cmd::SendLogo, "logo"},
        {cmd::HelpContents, "help"},
        {cmd::AppAbout, "about"},
    };
    return names;
}

// The menu text without its key and mnemonic, for the toolbar's own title.
QString PlainMenuText(unsigned id) {
    QString text = UiText(id).section(QLatin1Char('\t'), 0, 0);
    return text.remove(QLatin1Char('&'));
}

} // namespace

QIcon CommandIcon(int id) {
    static bool initialised = false;
    if (!initialised) {
        InitIconResources();
        initialised = true;
    }
    const auto found = IconNames().find(id);
    if (found == IconNames().end()) {
        return {};
    }
    const QString base = QStringLiteral(":/icons/%1").arg(QLatin1String(found->second));
    QIcon icon;
    icon.addFile(base + QStringLiteral("-16.png"), QSize(16, 16));
    icon.addFile(base + QStringLiteral("-32.png"), QSize(32, 32));
    return icon;
}

CWindowBars::CWindowBars(QMainWindow& window, CCommands& commands)
    : QObject(&window), m_window(window), m_commands(commands),
      m_toolbar(new QToolBar(PlainMenuText(ids::MenuViewToolbar), &window)) {
    m_toolbar->setObjectName(QStringLiteral("toolbar")); // the name its state is kept under
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bool separatorDue = false;
    for (int id : ToolbarItems()) {
        if (id == cmd::Separator) {
            separatorDue = !m_toolbar->actions().isEmpty();
            continue;
        }
        QAction* action = commands.Action(id);
        if (action == nullptr) {
            continue;
        }
        action->setIcon(CommandIcon(id));
        if (separatorDue) {
            m_toolbar->addSeparator();
            separatorDue = false;
        }
        m_toolbar->addAction(action);
    }
    window.addToolBar(Qt::TopToolBarArea, m_toolbar);

    // The check marks follow the bars, however they were shown or hidden.
    if (QAction* toolbarShown = commands.Action(cmd::ViewToolbar)) {
        toolbarShown->setCheckable(true);
        toolbarShown->setChecked(true);
        connect(toolbarShown, &QAction::triggered, m_toolbar, &QToolBar::setVisible);
        connect(m_toolbar, &QToolBar::visibilityChanged, toolbarShown,
                [this, toolbarShown] { toolbarShown->setChecked(!m_toolbar->isHidden()); });
    }
    if (QAction* statusShown = commands.Action(cmd::ViewStatusBar)) {
        statusShown->setCheckable(true);
        statusShown->setChecked(true);
        connect(statusShown, &QAction::triggered, this, &CWindowBars::SetStatusBarShown);
    }
}

void CWindowBars::SetStatusBarShown(bool shown) {
    m_window.statusBar()->setVisible(shown);
    if (QAction* statusShown = m_commands.Action(cmd::ViewStatusBar)) {
        statusShown->setChecked(shown);
    }
}

void CWindowBars::RestoreWindowState() {
    const auto settings = OpenAppSettings();
    const QByteArray geometry = settings->value(GeometryKey).toByteArray();
    if (!geometry.isEmpty()) {
        m_window.restoreGeometry(geometry);
    }
    const QByteArray state = settings->value(StateKey).toByteArray();
    if (!state.isEmpty()) {
        m_window.restoreState(state, WindowStateVersion);
    }
    if (QAction* toolbarShown = m_commands.Action(cmd::ViewToolbar)) {
        toolbarShown->setChecked(!m_toolbar->isHidden());
    }
    SetStatusBarShown(settings->value(StatusBarKey, true).toBool());
}

void CWindowBars::SaveWindowState() const {
    const auto settings = OpenAppSettings();
    settings->setValue(GeometryKey, m_window.saveGeometry());
    settings->setValue(StateKey, m_window.saveState(WindowStateVersion));
    settings->setValue(StatusBarKey, !m_window.statusBar()->isHidden());
}

} // namespace tillora
