#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tillora::sim {

// Ways the simulated register can be told to misbehave. Frames are counted from 1 in the order
// the register receives them, whatever their kind.
struct SimFaults {
    unsigned refuseFrame = 0;        // answer frame N with a refusal (NAK); 0: never
    unsigned silentFrom = 0;         // answer nothing from frame N on; 0: never
    unsigned closeAfter = 0;         // close the line once frame N is in; 0: never
    std::uint64_t answerDelayMs = 0; // every answer starts this late
    unsigned lateFrame = 0;          // the answer to frame N alone starts lateMs late; 0: none
    std::uint64_t lateMs = 0;        // in place of answerDelayMs, for lateFrame
    unsigned truncateFrame = 0;      // send only the first half of the answer to frame N; 0: never
    unsigned answerSerial = 0; // answer with this serial instead of the register's own; 0: own
    bool badChecksum = false;  // answers carry a wrong checksum
    std::string noise;         // bytes sent before every answer
    std::uint8_t infoAnswerByte = 0x06; // first byte of the answer to the information query
    std::uint32_t paceBaud = 0; // pace bytes at this line rate (10 bits a byte); 0: no pacing
    // stop the report after this many lines (0: the acknowledgement of "f" alone); none: whole
    std::optional<unsigned> reportLineLimit;
};

} // namespace tillora::sim
