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
