#pragma once

#include <string_view>
#include <vector>

namespace tillora {

// An archive entry as orcus' zip_archive::read_file_entry gives it, without the NUL it ends
// every entry with for its own parser.
inline std::string_view PartText(const std::vector<unsigned char>& entry) {
    std::string_view text(reinterpret_cast<const char*>(entry.data()), entry.size());
    if (text.ends_with('\0')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace tillora
