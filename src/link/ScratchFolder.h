#pragma once

#include <filesystem>

namespace tillora {

// A folder of its own in the system's temporary folder, removed with all it holds when the
// object goes. Empty path when none could be made.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace tillora
