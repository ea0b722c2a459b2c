#include "link/Link.h"

#include "link/Checksum.h"
#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <algorithm>
#include <cstring>

namespace tillora {
namespace {

// The window is painted at least this often while the link waits.
constexpr std::uint64_t PumpIntervalMs = 50;
constexpr std::size_t AnswerLength = 10;
constexpr std::size_t ConfirmationLength = 23;

} // namespace

CLink::CLink(ISerialLine& line, IClock& clock, IFeedback& feedback, unsigned serial,
             std::uint64_t frameGapMs)
    : m_line(line), m_clock(clock), m_feedback(feedback), m_serialText(SerialDigits(serial)),
      m_frameGapMs(frameGapMs) {}

std::string CLink::FrameHead(char kind) const {
    std::string frame(1, static_cast<char>(FrameStart));
    frame += m_serialText;
    frame += kind;
    return frame;
}

bool CLink::WaitQuietGap() {
    for (std::uint64_t now = m_clock.NowMs(); now < m_quietUntil; now = m_clock.NowMs()) {
        m_clock.SleepMs(std::min(PumpIntervalMs, m_quietUntil - now));
        m_feedback.PumpPaintMessages();
        m_lastPump = m_clock.NowMs();
    }
    return true;
}

// The window is painted at least every pump interval however the time goes: waiting for bytes,
// writing a frame for its air time, or exchanging frames that each take less than the interval,
// which with no gap between frames would otherwise run a whole table without a paint.
void CLink::PumpIfDue() {
    const std::uint64_t now = m_clock.NowMs();
    if (now - m_lastPump >= PumpIntervalMs) {
        m_feedback.PumpPaintMessages();
        m_lastPump = now;
    }
}

bool CLink::SendFrame(const std::uint8_t* frame, std::size_t length) {
    WaitQuietGap();
    PumpIfDue();
    if (!m_line.Write(frame, length)) {
        ShowError(m_feedback, ids::WriteFailed);
        return false;
    }
    PumpIfDue(); // the write lasts the frame's air time: 80 ms for an article at 9600 baud
    return true;
}

bool CLink::SendFrame(const std::string& frame) {
    return SendFrame(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
}

bool CLink::SendCommand(char letter) {
    std::string frame = FrameHead(letter);
    AppendChecksum(frame);
    return SendFrame(frame) && WaitAck();
}

// Waits for the next bytes, no longer than the answer limit counted from start allows (one
// millisecond past it, so that the limit is seen as exceeded) and keeps the window painted.
// False, after 20024, when the line is gone: nothing more can arrive.
bool CLink::WaitForBytes(std::uint64_t start) {
    const std::uint64_t elapsed = m_clock.NowMs() - start;
    const std::uint64_t remaining = elapsed <= AnswerLimitMs ? AnswerLimitMs + 1 - elapsed : 0;
    const LineWait result = m_line.WaitReadable(std::min(remaining, PumpIntervalMs));
    PumpIfDue();
    if (result == LineWait::Broken) {
        ShowError(m_feedback, ids::AnswerTimeout);
        return false;
    }
    return true;
}

bool CLink::ReceiveExactly(std::uint8_t* buffer, std::size_t length) {
    const std::uint64_t start = m_clock.NowMs();
    std::size_t received = 0;
    for (;;) {
        std::size_t count = 0;
        m_line.Read(buffer + received, length - received, count);
        received += count;
        // The limit comes before completeness: an answer completed too late still fails.
        if (m_clock.NowMs() - start > AnswerLimitMs) {
            ShowError(m_feedback, ids::AnswerTimeout);
            return false;
        }
        if (received == length) {
            return true;
        }
        if (!WaitForBytes(start)) {
            return false;
        }
    }
}

bool CLink::CheckAnswerSerial(const std::uint8_t* answer) {
    if (std::memcmp(answer, m_serialText.data(), 6) != 0) {
        ShowError(m_feedback, ids::SerialMismatch);
        return false;
    }
    return true;
}

bool CLink::WaitAck() {
    std::uint8_t answer[AnswerLength];
    if (!ReceiveExactly(answer, AnswerLength)) {
        return false;
    }
    if (answer[0] == Nak) {
        ShowError(m_feedback, ids::RegisterRefused);
        return false;
    }
    if (answer[0] != Ack || answer[9] != FrameEnd) {
        ShowError(m_feedback, ids::InvalidData);
        return false;
    }
    // The checksum is checked before the serial.
    if (XorBytes(answer, 7) != DecodeChecksum(answer[7], answer[8])) {
        ShowError(m_feedback, ids::ChecksumError);
        return false;
    }
    if (!CheckAnswerSerial(answer + 1)) {
        return false;
    }
    m_quietUntil = m_clock.NowMs() + m_frameGapMs;
    return true;
}

bool CLink::ReceiveConfirmation() {
    std::uint8_t frame[ConfirmationLength];
    if (!ReceiveExactly(frame, ConfirmationLength)) {
        return false;
    }
    if (frame[0] != FrameStart || frame[22] != FrameEnd) {
        ShowError(m_feedback, ids::InvalidData);
        return false;
    }
    if (!CheckAnswerSerial(frame + 1)) {
        return false;
    }
    if (frame[7] != 'c') {
        ShowError(m_feedback, ids::InvalidData);
        return false;
    }
    if (XorBytes(frame, 20) != DecodeChecksum(frame[20], frame[21])) {
        ShowError(m_feedback, ids::ChecksumError);
        return false;
    }
    std::uint8_t ack[AnswerLength + 1];
    ack[0] = Ack;
    std::memcpy(ack + 1, m_serialText.data(), 6);
    AppendChecksum(ack, 7);
    return SendFrame(ack, AnswerLength);
}

std::size_t CLink::ReceiveLine(std::uint8_t* buffer, std::size_t capacity) {
    const std::uint64_t start = m_clock.NowMs();
    PumpIfDue();
    std::size_t length = 0;
    for (;;) {
        std::size_t count = 0;
        m_line.Read(buffer + length, 1, count);
        // Until the start byte is in, each byte read is overwritten by the next: noise before a
        // line is skipped.
        const bool kept = count == 1 && (length > 0 || buffer[0] == FrameStart);
        if (kept) {
            ++length;
        }
        if (m_clock.NowMs() - start > AnswerLimitMs) {
            ShowError(m_feedback, ids::AnswerTimeout);
            return 0;
        }
        if (length >= capacity) {
            ShowError(m_feedback, ids::InvalidData);
            return 0;
        }
        if (kept && buffer[length - 1] == FrameEnd) {
            break;
        }
        if (count == 0 && !WaitForBytes(start)) {
            return 0;
        }
    }
    buffer[length] = 0;
    return length;
}

} // namespace tillora
