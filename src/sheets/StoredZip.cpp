#include "sheets/StoredZip.h"

#include <array>

namespace tillora {
namespace {

constexpr std::array<std::uint32_t, 256> Crc32Table() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

std::uint32_t Crc32(std::string_view data) {
    static constexpr std::array<std::uint32_t, 256> Table = Crc32Table();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc = Table[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

} // namespace

void CStoredZip::Add(std::string_view name, std::string_view data) {
    m_entries.push_back({std::string(name), Crc32(data), static_cast<std::uint32_t>(data.size()),
                         static_cast<std::uint32_t>(m_bytes.size())});
    Header(0x04034b50, m_entries.back(), false);
    m_bytes += name;
    m_bytes += data;
}

std::string CStoredZip::Finish() {
    const std::size_t directory = m_bytes.size();
    for (const Entry& entry : m_entries) {
        Header(0x02014b50, entry, true);
        m_bytes += entry.name;
    }
    Put32(0x06054b50);
    Put16(0);
    Put16(0);
    Put16(static_cast<std::uint16_t>(m_entries.size()));
    Put16(static_cast<std::uint16_t>(m_entries.size()));
    Put32(static_cast<std::uint32_t>(m_bytes.size() - directory));
    Put32(static_cast<std::uint32_t>(directory));
    Put16(0);
    return std::move(m_bytes);
}

void CStoredZip::Put16(std::uint16_t value) {
    m_bytes += static_cast<char>(value & 0xFF);
    m_bytes += static_cast<char>(value >> 8);
}

void CStoredZip::Put32(std::uint32_t value) {
    Put16(static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(static_cast<std::uint16_t>(value >> 16));
}

void CStoredZip::Header(std::uint32_t signature, const Entry& entry, bool central) {
    Put32(signature);
    if (central) {
        Put16(20); // made by
    }
    Put16(20); // needed to extract
    Put16(0);  // flags
    Put16(0);  // stored
    Put16(0);  // time
    Put16(0);  // date
    Put32(entry.crc);
    Put32(entry.size);
    Put32(entry.size);
    Put16(static_cast<std::uint16_t>(entry.name.size()));
    Put16(0); // extra
    if (central) {
        Put16(0); // comment
        Put16(0); // disk
        Put16(0); // internal attributes
        Put32(0); // external attributes
        Put32(entry.offset);
    }
}

} // namespace tillora
