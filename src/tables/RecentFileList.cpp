#include "tables/RecentFileList.h"

#include <algorithm>

namespace tillora {
namespace {

std::string Comparable(const std::string& path) {
    std::string text = path;
#ifdef _WIN32
    for (char& c : text) {
        if (c == '\\') {
            c = '/';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
#endif
    return text;
}

} // namespace

CRecentFileList::CRecentFileList(const std::vector<std::string>& entries) {
    // Added oldest first, so that the first entry ends at the top.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        Add(*it);
    }
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > Capacity) {
        m_entries.resize(Capacity);
    }
}

bool CRecentFileList::Remove(const std::string& path) {
    const auto before = m_entries.size();
    std::erase_if(m_entries,
                  [&path](const std::string& entry) { return SameFilePath(entry, path); });
    return m_entries.size() != before;
}

bool SameFilePath(const std::string& a, const std::string& b) {
    return Comparable(a) == Comparable(b);
}

std::string RecentMenuText(std::size_t index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path) {
        if (c == '&') {
            text += '&';
        }
        text += c;
    }
    return text;
}

} // namespace tillora
