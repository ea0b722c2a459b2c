#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace tillora::test {

// A fresh folder under the system's temporary folder, removed with everything in it when this
// goes (write permission is given back first, for tests that take it away).
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix) {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace tillora::test
