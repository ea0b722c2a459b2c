#pragma once

#include "sim/SimFaults.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tillora::sim {

// One answer of the register: bytes to send after a delay, or the line closing.
struct SimAnswer {
    std::uint64_t delayMs = 0;       // counted from the moment the frame was complete
    std::vector<std::uint8_t> bytes; // may be empty
    bool closeLine = false;
};

// The register's side of the link as a plain state machine, free of any transport: it takes the
// PC's bytes as they come, checks each frame the way the PC checks the register's, answers it,
// and keeps what it received. The pseudo-terminal host and the in-process line both drive it.
class CSimRegister {
public:
    CSimRegister(int model, unsigned serial, SimFaults faults = {});

    // Bytes from the PC, in any pieces. Returns the answers to every frame they completed.
    std::vector<SimAnswer> Receive(const std::uint8_t* data, std::size_t length);

    int Model() const { return m_model; }
    unsigned Serial() const { return m_serial; }
    const SimFaults& Faults() const { return m_faults; }
    void SetFaults(const SimFaults& faults) { m_faults = faults; }

    // Payloads (the bytes after the kind letter, before the checksum) of the records kept, by kind
    // letter ('r', 'o', 'y', 'w'), in the order received.
    const std::vector<std::string>& Records(char kind) const;
    // Every complete frame received, exactly as it came.
    const std::vector<std::vector<std::uint8_t>>& Frames() const { return m_frames; }
    // The last logo received: the bitmap file's bytes.
    const std::vector<std::uint8_t>& Logo() const { return m_logo; }

private:
    // implementation state (frame assembly, transfer state, counters)
    int m_model;
    unsigned m_serial;
    SimFaults m_faults;
    std::map<char, std::vector<std::string>> m_records;
    std::vector<std::vector<std::uint8_t>> m_frames;
    std::vector<std::uint8_t> m_logo;
};

} // namespace tillora::sim
