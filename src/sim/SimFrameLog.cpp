#include "sim/SimFrameLog.h"

#include "link/Link.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tillora::sim {
namespace {

constexpr std::size_t HeadLength = 8;
constexpr std::size_t ChecksumAndEnd = 3;

std::string Escaped(std::vector<std::uint8_t>::const_iterator first,
                    std::vector<std::uint8_t>::const_iterator last) {
    std::string text;
    for (auto it = first; it != last; ++it) {
        const std::uint8_t byte = *it;
        if (byte == '\\') {
            text += "\\\\";
        } else if (byte >= 0x20 && byte <= 0x7E) {
            text += static_cast<char>(byte);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            text += escape;
        }
    }
    return text;
}

const char* ReplyText(SimReply reply) {
    switch (reply) {
    case SimReply::Ack:
        return "ack";
    case SimReply::Nak:
        return "nak";
    case SimReply::Info:
        return "info";
    case SimReply::None:
        return "none";
    case SimReply::Close:
        return "close";
    }
    return "?";
}

bool EndsWithChecksum(const std::vector<std::uint8_t>& frame, std::size_t head) {
    return frame.size() >= head + ChecksumAndEnd && frame.back() == FrameEnd;
}

struct KindAndPayload {
    std::string kind;
    std::string payload;
};

// Kind and payload of one frame, as far as the frame has them.
KindAndPayload Describe(const std::vector<std::uint8_t>& frame) {
    const auto payload = [&frame](std::size_t head) {
        const std::size_t tail = EndsWithChecksum(frame, head) ? ChecksumAndEnd : 0;
        return Escaped(frame.begin() + static_cast<std::ptrdiff_t>(head),
                       frame.end() - static_cast<std::ptrdiff_t>(tail));
    };
    if (frame[0] == Ack) {
        return {"ack", payload(1)};
    }
    if (frame.size() >= 2 && frame[1] == '?') {
        return {"?", payload(2)};
    }
    if (frame.size() < HeadLength) {
        return {"-", payload(1)};
    }
    std::string kind = Escaped(frame.begin() + 7, frame.begin() + HeadLength);
    if (frame[7] == 'R') {
        // The logo carries no checksum: all behind the head is the file.
        return {kind, Escaped(frame.begin() + HeadLength, frame.end())};
    }
    return {kind, payload(HeadLength)};
}

} // namespace

std::string FrameLogLine(std::size_t number, const std::vector<std::uint8_t>& frame,
                         SimReply reply) {
    const KindAndPayload described = Describe(frame);
    return std::to_string(number) + "\t" + described.kind + "\t" + ReplyText(reply) + "\t" +
           described.payload + "\n";
}

std::string RenderFrameLog(const CSimRegister& ecr) {
    std::string text;
    for (std::size_t i = 0; i < ecr.Frames().size(); ++i) {
        text += FrameLogLine(i + 1, ecr.Frames()[i], ecr.Replies()[i]);
    }
    return text;
}

bool CFrameLogFile::Update(const CSimRegister& ecr) {
    for (; m_logged < ecr.Frames().size(); ++m_logged) {
        m_text += FrameLogLine(m_logged + 1, ecr.Frames()[m_logged], ecr.Replies()[m_logged]);
    }
    const std::string temporary = m_path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << m_text;
        if (!file.flush()) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, m_path, error);
    return !error;
}

} // namespace tillora::sim
