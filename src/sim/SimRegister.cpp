#include "sim/SimRegister.h"

#include "link/Checksum.h"
#include "link/EcrSettings.h"
#include "link/Link.h"
#include "sim/SimReport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tillora::sim {
namespace {

constexpr char InfoQueryLetter = '?';
constexpr char LogoKind = 'R';
constexpr char ConfirmationKind = 'c';
constexpr std::size_t SerialLength = 6;
constexpr std::size_t HeadLength = 8; // start byte, serial digits, kind letter
constexpr std::size_t CommandLength = 11;
constexpr std::size_t InfoQueryLength = 5;
constexpr std::size_t AnswerLength = 10;
constexpr std::size_t ChecksumAndEnd = 3;
// A record that has not ended by then is garbage, not a record.
constexpr std::size_t MaxFrameLength = 4096;
constexpr std::size_t BitmapHeaderLength = 14;
// Far beyond any receipt logo; a larger size in the header means the header is not one.
constexpr std::uint32_t MaxLogoFileLength = 1024 * 1024;

bool IsCommand(std::uint8_t kind) {
    return kind == 'a' || kind == 'z' || kind == 'f';
}

bool IsRecord(std::uint8_t kind) {
    return kind == 'r' || kind == 'o' || kind == 'y' || kind == 'w';
}

bool IsInfoQuery(const std::vector<std::uint8_t>& frame) {
    return frame.size() >= 2 && frame[1] == InfoQueryLetter;
}

bool IsLogo(const std::vector<std::uint8_t>& frame) {
    return !IsInfoQuery(frame) && frame.size() >= HeadLength && frame[7] == LogoKind;
}

// bfSize of the bitmap file header that follows the logo frame's head.
std::uint32_t LogoFileLength(const std::vector<std::uint8_t>& frame) {
    const std::uint8_t* size = frame.data() + HeadLength + 2;
    return static_cast<std::uint32_t>(size[0]) | static_cast<std::uint32_t>(size[1]) << 8 |
           static_cast<std::uint32_t>(size[2]) << 16 | static_cast<std::uint32_t>(size[3]) << 24;
}

// Needs the whole bitmap file header.
bool LogoHeaderIsBad(const std::vector<std::uint8_t>& frame) {
    const std::uint32_t length = LogoFileLength(frame);
    return frame[HeadLength] != 'B' || frame[HeadLength + 1] != 'M' ||
           length < BitmapHeaderLength || length > MaxLogoFileLength;
}

// False once the bytes after the head cannot start a bitmap file, which begins with "BM": the
// length would have to come from garbage, so the frame ends there and then.
bool LogoMayBeBitmap(const std::vector<std::uint8_t>& frame) {
    const std::size_t n = frame.size();
    return (n <= HeadLength || frame[HeadLength] == 'B') &&
           (n <= HeadLength + 1 || frame[HeadLength + 1] == 'M');
}

bool HasLogoHeader(const std::vector<std::uint8_t>& frame) {
    return frame.size() >= HeadLength + BitmapHeaderLength;
}

// The checksum characters in front of the closing line feed match what comes before them.
bool ChecksumMatches(const std::vector<std::uint8_t>& frame) {
    const std::size_t n = frame.size();
    return frame[n - 1] == FrameEnd &&
           XorBytes(frame.data(), n - ChecksumAndEnd) == DecodeChecksum(frame[n - 3], frame[n - 2]);
}

std::string TwoDigits(unsigned count) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", std::min(count, 99u));
    return text;
}

} // namespace

CSimRegister::CSimRegister(int model, unsigned serial, SimFaults faults)
    : m_model(model), m_serial(serial), m_faults(std::move(faults)),
      m_serialText(SerialDigits(serial)) {}

const std::vector<std::string>& CSimRegister::Records(char kind) const {
    static const std::vector<std::string> none;
    const auto found = m_records.find(kind);
    return found == m_records.end() ? none : found->second;
}

std::vector<SimAnswer> CSimRegister::Receive(const std::uint8_t* data, std::size_t length) {
    std::vector<SimAnswer> answers;
    for (std::size_t i = 0; i < length; ++i) {
        const Assembly assembly = Assemble(data[i]);
        if (assembly != Assembly::Incomplete) {
            TakeFrame(answers, assembly == Assembly::Overlong);
        }
    }
    return answers;
}

// The length of the frame being assembled when its kind fixes one; 0 while it ends at 0x0A.
std::size_t CSimRegister::FixedLength() const {
    if (m_pending[0] == Ack) {
        return AnswerLength;
    }
    if (IsInfoQuery(m_pending)) {
        return InfoQueryLength;
    }
    if (m_pending.size() < HeadLength) {
        return 0;
    }
    if (IsCommand(m_pending[7])) {
        return CommandLength;
    }
    if (IsLogo(m_pending) && HasLogoHeader(m_pending) && !LogoHeaderIsBad(m_pending)) {
        return HeadLength + LogoFileLength(m_pending);
    }
    return 0;
}

CSimRegister::Assembly CSimRegister::Assemble(std::uint8_t byte) {
    if (m_pending.empty()) {
        // Everything before a start byte is dropped; after a confirmation the PC's
        // acknowledgement starts with its own first byte.
        if (byte == FrameStart) {
            m_awaitingConfirmationAck = false;
            m_pending.push_back(byte);
        } else if (byte == Ack && m_awaitingConfirmationAck) {
            m_pending.push_back(byte);
        }
        return Assembly::Incomplete;
    }
    m_pending.push_back(byte);
    const std::size_t fixed = FixedLength();
    if (fixed != 0) {
        return m_pending.size() == fixed ? Assembly::Complete : Assembly::Incomplete;
    }
    if (IsLogo(m_pending)) {
        // A bad bitmap header ends the frame at once: its length cannot be known.
        return HasLogoHeader(m_pending) || !LogoMayBeBitmap(m_pending) ? Assembly::Complete
                                                                       : Assembly::Incomplete;
    }
    if (byte == FrameEnd) {
        return Assembly::Complete;
    }
    return m_pending.size() > MaxFrameLength ? Assembly::Overlong : Assembly::Incomplete;
}

void CSimRegister::TakeFrame(std::vector<SimAnswer>& answers, bool overlong) {
    std::vector<std::uint8_t> frame;
    frame.swap(m_pending);
    m_frames.push_back(frame);
    const std::size_t number = m_frames.size();
    const bool close = m_faults.closeAfter == number;
    const bool silent = m_faults.silentFrom != 0 && number >= m_faults.silentFrom;
    const bool cut = m_faults.truncateFrame == number;

    std::vector<SimAnswer> own;
    SimReply reply = SimReply::None;
    if (frame[0] == Ack) {
        // The PC's acknowledgement of the confirmation: checked, never answered.
        m_confirmationAcknowledged = TakeConfirmationAck(frame);
        if (m_confirmationAcknowledged) {
            ++m_confirmedTransfers;
        }
        m_awaitingConfirmationAck = false;
    } else if (overlong || m_faults.refuseFrame == number || !Accept(frame)) {
        AddAnswer(own, Answer(Nak));
        reply = SimReply::Nak;
    } else {
        Apply(frame, own);
        reply = IsInfoQuery(frame) ? SimReply::Info : SimReply::Ack;
    }

    if (close) {
        // The line goes instead of the answer: the PC sees it break while it waits.
        answers.push_back({m_faults.answerDelayMs, {}, true});
        reply = SimReply::Close;
    } else if (silent) {
        reply = SimReply::None;
    } else {
        ApplyFrameFaults(number, own);
        answers.insert(answers.end(), own.begin(), own.end());
    }
    if (close || silent || cut) {
        // A confirmation that was never sent whole is not acknowledged.
        m_awaitingConfirmationAck = false;
    }
    m_replies.push_back(reply);
}

// The faults told for one frame alone: its answer late, or cut short.
void CSimRegister::ApplyFrameFaults(std::size_t number, std::vector<SimAnswer>& own) const {
    if (m_faults.lateFrame == number) {
        for (SimAnswer& answer : own) {
            answer.delayMs = m_faults.lateMs;
        }
    }
    if (m_faults.truncateFrame == number) {
        CutShort(own);
    }
}

// Keeps the first half of the bytes the answers put on the line, rounded down, and drops the
// rest: a register that breaks off in the middle of what it says.
void CSimRegister::CutShort(std::vector<SimAnswer>& own) {
    std::size_t total = 0;
    for (const SimAnswer& answer : own) {
        total += answer.bytes.size();
    }
    std::size_t left = total / 2;
    std::vector<SimAnswer> kept;
    for (SimAnswer& answer : own) {
        if (left == 0) {
            break;
        }
        if (answer.bytes.size() > left) {
            answer.bytes.resize(left);
        }
        left -= answer.bytes.size();
        kept.push_back(std::move(answer));
    }
    own.swap(kept);
}

// The checks the PC's frame must pass, as the PC checks the register's answers.
bool CSimRegister::Accept(const std::vector<std::uint8_t>& frame) {
    const std::size_t n = frame.size();
    if (IsInfoQuery(frame)) {
        return n == InfoQueryLength && ChecksumMatches(frame);
    }
    if (n < HeadLength || std::memcmp(frame.data() + 1, m_serialText.data(), SerialLength) != 0) {
        return false;
    }
    const std::uint8_t kind = frame[7];
    if (kind == LogoKind) {
        // The logo carries no checksum; its length came from its own header.
        return HasLogoHeader(frame) && !LogoHeaderIsBad(frame);
    }
    if (n < HeadLength + ChecksumAndEnd || !ChecksumMatches(frame)) {
        return false;
    }
    if (IsRecord(kind) || kind == 'z') {
        return m_transferOpen;
    }
    return IsCommand(kind);
}

void CSimRegister::Apply(const std::vector<std::uint8_t>& frame, std::vector<SimAnswer>& answers) {
    if (IsInfoQuery(frame)) {
        AddAnswer(answers, Answer(m_faults.infoAnswerByte));
        return;
    }
    const char kind = static_cast<char>(frame[7]);
    AddAnswer(answers, Answer(Ack));
    if (kind == 'a') {
        m_transferOpen = true;
        m_transferCounts.clear();
        m_confirmationAcknowledged = false;
    } else if (IsRecord(kind)) {
        const std::string& payload =
            m_records[kind].emplace_back(frame.begin() + HeadLength, frame.end() - ChecksumAndEnd);
        ++m_transferCounts[kind];
        if (!ApplyRecord(m_tables, m_model, kind, payload)) {
            m_undecodedFrames.push_back(m_frames.size());
        }
    } else if (kind == 'z') {
        AddAnswer(answers, Confirmation());
        m_transferOpen = false;
        m_awaitingConfirmationAck = true;
    } else if (kind == LogoKind) {
        m_logo.assign(frame.begin() + HeadLength, frame.end());
        ++m_logosReceived;
    }
    if (kind == 'f') {
        AddReport(answers);
    }
}

// Each line goes out behind the one before it. The noise stays before the acknowledgement alone:
// the report is one answer to one frame.
void CSimRegister::AddReport(std::vector<SimAnswer>& answers) const {
    std::vector<std::string> lines = ReportLines(m_tables, m_model, AnswerSerialText());
    if (m_faults.reportLineLimit && *m_faults.reportLineLimit < lines.size()) {
        lines.resize(*m_faults.reportLineLimit);
    }
    for (const std::string& line : lines) {
        std::vector<std::uint8_t> frame(line.begin(), line.end() - ChecksumAndEnd);
        Checksummed(frame);
        answers.push_back({m_faults.answerDelayMs, std::move(frame), false});
    }
}

bool CSimRegister::TakeConfirmationAck(const std::vector<std::uint8_t>& frame) {
    return frame.size() == AnswerLength &&
           std::memcmp(frame.data() + 1, m_serialText.data(), SerialLength) == 0 &&
           ChecksumMatches(frame);
}

void CSimRegister::AddAnswer(std::vector<SimAnswer>& answers,
                             std::vector<std::uint8_t> frame) const {
    SimAnswer answer;
    answer.delayMs = m_faults.answerDelayMs;
    answer.bytes.assign(m_faults.noise.begin(), m_faults.noise.end());
    answer.bytes.insert(answer.bytes.end(), frame.begin(), frame.end());
    answers.push_back(std::move(answer));
}

std::string CSimRegister::AnswerSerialText() const {
    return m_faults.answerSerial != 0 ? SerialDigits(m_faults.answerSerial) : m_serialText;
}

// Appends the checksum characters of everything so far and the line feed.
void CSimRegister::Checksummed(std::vector<std::uint8_t>& frame) const {
    std::uint8_t checksum = XorBytes(frame.data(), frame.size());
    if (m_faults.badChecksum) {
        checksum ^= 0x01;
    }
    std::uint8_t chars[2];
    EncodeChecksum(checksum, chars);
    frame.insert(frame.end(), chars, chars + 2);
    frame.push_back(FrameEnd);
}

// The acknowledgement, the refusal and the information answer: first byte, serial, checksum, 0x0A.
std::vector<std::uint8_t> CSimRegister::Answer(std::uint8_t first) const {
    const std::string serial = AnswerSerialText();
    std::vector<std::uint8_t> frame{first};
    frame.insert(frame.end(), serial.begin(), serial.end());
    Checksummed(frame);
    return frame;
}

std::vector<std::uint8_t> CSimRegister::Confirmation() const {
    const auto count = [this](char kind) {
        const auto found = m_transferCounts.find(kind);
        return found == m_transferCounts.end() ? 0u : found->second;
    };
    char articles[16];
    std::snprintf(articles, sizeof articles, "%06u", std::min(count('r'), 999999u));
    const std::string counts =
        articles + TwoDigits(count('o')) + TwoDigits(count('y')) + TwoDigits(count('w'));
    const std::string serial = AnswerSerialText();
    std::vector<std::uint8_t> frame{FrameStart};
    frame.insert(frame.end(), serial.begin(), serial.end());
    frame.push_back(ConfirmationKind);
    frame.insert(frame.end(), counts.begin(), counts.end());
    Checksummed(frame);
    return frame;
}

} // namespace tillora::sim
