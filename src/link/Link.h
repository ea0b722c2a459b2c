#pragma once

#include "link/Clock.h"
#include "link/Feedback.h"
#include "link/SerialLine.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tillora {

// Bytes of the link's frames.
inline constexpr std::uint8_t FrameStart = 0xAA;
inline constexpr std::uint8_t FrameEnd = 0x0A;
inline constexpr std::uint8_t Ack = 0x06;
inline constexpr std::uint8_t Nak = 0x15;
inline constexpr std::uint8_t InfoAck = 0x0E;
inline constexpr std::uint64_t AnswerLimitMs = 3000;
// A report line with its NUL: the longest line accepted is 499 bytes.
inline constexpr std::size_t ReportLineCapacity = 500;

// The framed, half-duplex protocol over one open line, for one command. The serial is the one in
// force when the command started. Every failure is shown through the feedback, once, and the
// operation returns false; the caller then closes the line and ends the command.
class CLink {
public:
    CLink(ISerialLine& line, IClock& clock, IFeedback& feedback, unsigned serial,
          std::uint64_t frameGapMs);

    // Writes a finished frame, after the quiet gap that follows an acknowledgement. Shows 20029
    // when the write fails.
    bool SendFrame(const std::uint8_t* frame, std::size_t length);
    bool SendFrame(const std::string& frame);

    // The command frame (start byte, serial, letter, checksum, line feed), then WaitAck.
    bool SendCommand(char letter);

    // The register's 10-byte answer: true for an acknowledgement carrying our serial.
    bool WaitAck();

    // The 23-byte confirmation that closes a table transfer, answered with our acknowledgement.
    bool ReceiveConfirmation();

    // One frame from 0xAA to 0x0A into buffer, NUL-terminated; returns its length (start byte
    // and line feed included), or 0 on failure. Bytes before the start byte are skipped.
    std::size_t ReceiveLine(std::uint8_t* buffer, std::size_t capacity);

    // Receives exactly length bytes within the answer limit (20024 otherwise).
    bool ReceiveExactly(std::uint8_t* buffer, std::size_t length);

    void PumpPaintMessages() { m_feedback.PumpPaintMessages(); }

    // A frame of the register's start byte, our serial and the kind letter, without checksum.
    std::string FrameHead(char kind) const;
    const std::string& SerialText() const { return m_serialText; }
    IFeedback& Feedback() { return m_feedback; }
    ISerialLine& Line() { return m_line; }

private:
    bool WaitForBytes(std::uint64_t start);
    bool WaitQuietGap();
    void PumpIfDue();
    bool CheckAnswerSerial(const std::uint8_t* answer);

    ISerialLine& m_line;
    IClock& m_clock;
    IFeedback& m_feedback;
    std::string m_serialText;
    std::uint64_t m_frameGapMs;
    std::uint64_t m_quietUntil = 0;
    std::uint64_t m_lastPump = 0;
};

} // namespace tillora
