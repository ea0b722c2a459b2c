#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {

// A zip archive of uncompressed entries: an OpenDocument file made by hand, or a workbook
// whose parts are put back together after one of them was mended.
class CStoredZip {
public:
    void Add(std::string_view name, std::string_view data);
    // The whole archive; the builder is spent.
    std::string Finish();

private:
    struct Entry {
        std::string name;
        std::uint32_t crc;
        std::uint32_t size;
        std::uint32_t offset;
    };

    void Put16(std::uint16_t value);
    void Put32(std::uint32_t value);
    void Header(std::uint32_t signature, const Entry& entry, bool central);

    std::vector<Entry> m_entries;
    std::string m_bytes;
};

} // namespace tillora
