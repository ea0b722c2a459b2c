#include "link/EcrInfo.h"

#include "link/Checksum.h"
#include "link/Link.h"
#include "link/Message.h"
#include "res/StringIds.h"

namespace tillora {
namespace {

constexpr char InfoQueryLetter = '?';

// The answer's checks, in their order; shows the message of the first that fails.
bool CheckInfoAnswer(const std::uint8_t* answer, IFeedback& feedback) {
    if (answer[0] == Nak) {
        ShowError(feedback, ids::RegisterRefused);
        return false;
    }
    if ((answer[0] != Ack && answer[0] != InfoAck) || answer[9] != FrameEnd) {
        ShowError(feedback, ids::InvalidData);
        return false;
    }
    // Byte 0 counts as received: 0x06 and 0x0E give different checksums.
    if (XorBytes(answer, 7) != DecodeChecksum(answer[7], answer[8])) {
        ShowError(feedback, ids::ChecksumError);
        return false;
    }
    return true;
}

} // namespace

std::string InfoQueryFrame() {
    std::string frame{static_cast<char>(FrameStart), InfoQueryLetter};
    AppendChecksum(frame);
    return frame;
}

std::optional<std::string> QueryEcrInfo(const LineChoice& choice, IClock& clock,
                                        IFeedback& feedback) {
    CWaitCursor waitCursor(feedback);
    auto line = OpenRegisterLine(choice, feedback);
    if (!line) {
        return std::nullopt;
    }
    // The query carries no serial and the answer is not compared with one.
    CLink link(*line, clock, feedback, 0, 0);
    std::uint8_t answer[10];
    if (!link.SendFrame(InfoQueryFrame()) || !link.ReceiveExactly(answer, sizeof answer) ||
        !CheckInfoAnswer(answer, feedback)) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(answer + 1), 6);
}

} // namespace tillora
