#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tillora {

// One INI file read and written key by key, with the semantics of the Windows private-profile
// functions that existing files rely on: sections and keys match without regard to case, a
// missing file or key gives the default, values are trimmed, and a write keeps every other
// section, key and comment where it was. A write replaces the file through a temporary file in
// the same folder, so an interruption never leaves it half-written.
class EcrIniFile {
public:
    // The file at path (see IniLocation.h for where the program keeps it).
    explicit EcrIniFile(std::string path);
    virtual ~EcrIniFile() = default;

    const std::string& GetPath() const { return m_path; }

    int GetInt(const std::string& section, const std::string& key, int defaultValue) const;
    // The value as an unsigned decimal number: parsing stops at the first non-digit, no digits
    // give 0, and a number above 4294967295 gives 4294967295.
    unsigned GetUnsigned(const std::string& section, const std::string& key,
                         unsigned defaultValue) const;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const;

    // Each returns false when the file could not be written; the old file then stays as it was.
    bool WriteInt(const std::string& section, const std::string& key, int value);
    bool WriteUnsigned(const std::string& section, const std::string& key, unsigned value);
    bool WriteString(const std::string& section, const std::string& key, const std::string& text);

    // The sections the file has, in its order.
    std::vector<std::string> GetSectionNames() const;
    // The section with exactly these keys, in one write.
    bool WriteSection(const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& entries);
    // Removes the section with its keys; true also when there was none.
    bool DeleteSection(const std::string& section);

private:
    bool Edit(const std::function<std::string(const std::string&)>& change);

    std::string m_path;
};

} // namespace tillora
