#include "ui/RecentFiles.h"

#include "grid/QtText.h"
#include "res/StringIds.h"
#include "ui/AppSettings.h"
#include "ui/Commands.h"
#include "ui/UiText.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace tillora {
namespace {

const QString Group = QStringLiteral("RecentFiles");

QString EntryKey(std::size_t index) {
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

CRecentFiles::CRecentFiles(QMenu* menu, QAction* before, QObject* parent)
    : QObject(parent), m_separator(new QAction(menu)) {
    static_assert(cmd::FileMruFirst + static_cast<int>(CRecentFileList::Capacity) - 1 ==
                  cmd::FileMruLast);
    m_separator->setSeparator(true);
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        auto* action = new QAction(menu);
        const int id = cmd::FileMruFirst + static_cast<int>(i);
        action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        action->setData(id);
        action->setStatusTip(CCommands::Prompt(id));
        connect(action, &QAction::triggered, this, [this, i] {
            if (i < Entries().size()) {
                emit entryChosen(FromPath(Entries()[i]));
            }
        });
        menu->insertAction(before, action);
        m_actions[i] = action;
    }
    menu->insertAction(before, m_separator);
    Reload();
}

namespace {

// The full path in the system's own spelling (backslashes on Windows), as its messages and the
// menu show it and as the core's file functions give it.
std::string FullPath(const std::string& path) {
    return ToPath(QDir::toNativeSeparators(QFileInfo(FromPath(path)).absoluteFilePath()));
}

} // namespace

void CRecentFiles::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    m_list.Add(FullPath(path));
    Store();
    Renew();
}

void CRecentFiles::Remove(const std::string& path) {
    const std::string absolute = FullPath(path);
    if (m_list.Remove(path) || m_list.Remove(absolute)) {
        Store();
        Renew();
    }
}

void CRecentFiles::Reload() {
    const auto settings = OpenAppSettings();
    settings->beginGroup(Group);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < CRecentFileList::Capacity; ++i) {
        entries.push_back(ToPath(settings->value(EntryKey(i)).toString()));
    }
    m_list = CRecentFileList(entries);
    Renew();
}

void CRecentFiles::Store() const {
    const auto settings = OpenAppSettings();
    settings->remove(Group);
    settings->beginGroup(Group);
    for (std::size_t i = 0; i < Entries().size(); ++i) {
        settings->setValue(EntryKey(i), FromPath(Entries()[i]));
    }
}

void CRecentFiles::Renew() {
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        const bool shown = i < Entries().size();
        m_actions[i]->setVisible(shown);
        m_actions[i]->setText(shown ? FromUtf8(RecentMenuText(i, ToPath(QDir::toNativeSeparators(
                                                                     FromPath(Entries()[i])))))
                                    : QString());
    }
    m_separator->setVisible(!Entries().empty());
}

} // namespace tillora
