#include "link/ScratchFolder.h"

#include <random>
#include <string>

namespace tillora {

namespace fs = std::filesystem;

CScratchFolder::CScratchFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) {
        return;
    }
    std::random_device seed;
    std::mt19937_64 random(seed());
    // A name someone else took, or a link placed at it, is never used: the folder must be new.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("tillora-" + std::to_string(random() % 1000000000));
        if (fs::create_directory(candidate, error) && !error) {
            m_path = candidate;
            return;
        }
    }
}

CScratchFolder::~CScratchFolder() {
    if (!m_path.empty()) {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
}

} // namespace tillora
