#pragma once

#include "tables/RecentFileList.h"

#include <QObject>
#include <QString>

#include <array>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace tillora {

// The File menu's recent files: one action per entry (commands cmd::FileMruFirst to
// cmd::FileMruLast, "&1 path" and on), shown with a separator after them only while there are
// entries, and the list kept in the program's settings, written at every change.
class CRecentFiles : public QObject {
    Q_OBJECT
public:
    // The entries go into the menu before `before` (the exit command); the list is read from the
    // settings.
    CRecentFiles(QMenu* menu, QAction* before, QObject* parent = nullptr);

    // At the top; a relative path is made absolute first.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    // Reads the list from the settings again.
    void Reload();

    const std::vector<std::string>& Entries() const { return m_list.Entries(); }
    // The action of entry index (from 0), hidden while the entry is not there.
    QAction* Action(std::size_t index) const { return m_actions.at(index); }

signals:
    // The user chose an entry (UTF-8 path as a QString).
    void entryChosen(const QString& path);

private:
    void Store() const;
    void Renew();

    CRecentFileList m_list;
    std::array<QAction*, CRecentFileList::Capacity> m_actions{};
    QAction* m_separator;
};

} // namespace tillora
