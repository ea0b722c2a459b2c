#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tillora::test {

// A zip archive of uncompressed entries, enough for an OpenDocument file made by hand: no
// library on the build machines writes .ods.
class StoredZip {
public:
    void Add(const std::string& name, const std::string& data) {
        m_entries.push_back({name, data, m_bytes.size()});
        Header(0x04034b50, name, data, false, 0);
        m_bytes += name;
        m_bytes += data;
    }

    std::string Finish() {
        const std::size_t directory = m_bytes.size();
        for (const Entry& entry : m_entries) {
            Header(0x02014b50, entry.name, entry.data, true, entry.offset);
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
        return m_bytes;
    }

private:
    struct Entry {
        std::string name;
        std::string data;
        std::size_t offset;
    };

    void Put16(std::uint16_t value) {
        m_bytes += static_cast<char>(value & 0xFF);
        m_bytes += static_cast<char>(value >> 8);
    }
    void Put32(std::uint32_t value) {
        Put16(static_cast<std::uint16_t>(value & 0xFFFF));
        Put16(static_cast<std::uint16_t>(value >> 16));
    }

    void Header(std::uint32_t signature, const std::string& name, const std::string& data,
                bool central, std::size_t offset) {
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        Put32(signature);
        if (central) {
            Put16(20); // made by
        }
        Put16(20); // needed to extract
        Put16(0);  // flags
        Put16(0);  // stored
        Put16(0);  // time
        Put16(0);  // date
        Put32(crc);
        Put32(static_cast<std::uint32_t>(data.size()));
        Put32(static_cast<std::uint32_t>(data.size()));
        Put16(static_cast<std::uint16_t>(name.size()));
        Put16(0); // extra
        if (central) {
            Put16(0); // comment
            Put16(0); // disk
            Put16(0); // internal attributes
            Put32(0); // external attributes
            Put32(static_cast<std::uint32_t>(offset));
        }
    }

    std::vector<Entry> m_entries;
    std::string m_bytes;
};

} // namespace tillora::test
