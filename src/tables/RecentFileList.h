#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tillora {

// The recent-file list of the File menu: the newest first, each file once, at most Capacity
// entries. Paths are UTF-8 and absolute, as the front end gives them.
class CRecentFileList {
public:
    static constexpr std::size_t Capacity = 4;

    CRecentFileList() = default;
    // The list as it was kept: empty entries and repeated files are dropped, and what lies beyond
    // the capacity.
    explicit CRecentFileList(const std::vector<std::string>& entries);

    // Puts the file at the top; the same file further down goes, and the oldest beyond the
    // capacity falls off. An empty path changes nothing.
    void Add(const std::string& path);
    // Takes the file out (a file that can no longer be opened); false when it was not there.
    bool Remove(const std::string& path);

    const std::vector<std::string>& Entries() const { return m_entries; }
    bool Empty() const { return m_entries.empty(); }

private:
    std::vector<std::string> m_entries;
};

// Whether two paths name the same file as far as the text tells: the same folder separators, and
// on Windows letters of either case.
bool SameFilePath(const std::string& a, const std::string& b);

// The menu text of entry index (from 0): "&1 path", an ampersand of the path doubled so that it
// shows and does not take the key.
std::string RecentMenuText(std::size_t index, const std::string& path);

} // namespace tillora
