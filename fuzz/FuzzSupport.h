#pragma once

#include "link/Feedback.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace tillora::fuzz {

// Feedback that shows nothing and answers No: the targets look only at what the code does.
class SilentFeedback final : public IFeedback {
public:
    void ShowMessage(unsigned, const std::string&, MessageIcon) override {}
    bool AskYesNo(unsigned, const std::string&, MessageIcon, bool) override { return false; }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}
};

// A broken promise of the code under test: stop here so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    __builtin_trap();
}

inline void Check(bool holds, const char* what) {
    if (!holds) {
        Fail(what);
    }
}

// The number strtol reads from all of the text, as the formats use it: empty is 0; otherwise
// leading white space, a sign and decimal digits to the end, at most limit; anything else is -1.
// A negative number counts as one (no row has it).
inline long long ExpectedDecimal(std::string_view text, long long limit) {
    if (text.empty()) {
        return 0;
    }
    while (!text.empty() && std::string_view(" \t\n\v\f\r").find(text.front()) != text.npos) {
        text.remove_prefix(1);
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return -1;
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
        if (value > limit) {
            return -1;
        }
    }
    return negative ? -value : value;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// One file per process under the temporary folder, rewritten for every input.
inline std::string ScratchPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("tillora-fuzz-" + std::to_string(getpid()) + "-" + name))
        .string();
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace tillora::fuzz
