#pragma once

#include "link/EcrSettings.h"
#include "link/Feedback.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {

class EcrIniFile;

// One register of the list a technician keeps: its name and how to reach it. The name is
// 8-bit text in Windows-1251, as every text the program keeps.
struct NamedRegister {
    std::string name;
    EcrSettings settings; // model, COM index and serial
    std::string port;     // a device or COM name opened instead of the COM index; empty: none
    std::uint64_t frameGapMs = DefaultFrameGapMs;
};

// Each register is a section of the INI file of its own, "[Register:NAME]", beside [ECR], with
// the keys of [ECR] (EcrType, EcrCom, EcrSerial, FrameGapMs) and Port. [ECR] stays the register
// in use, so that a file without a list reads as it always did.
inline constexpr std::string_view RegisterSectionPrefix = "Register:";
inline constexpr std::uint64_t LargestFrameGapMs = 10000;

// The registers of the file, in its order.
std::vector<NamedRegister> LoadRegisters(const EcrIniFile& ini);

// The register of that name; names match without regard to case, Cyrillic letters included.
std::optional<NamedRegister> FindRegister(const EcrIniFile& ini, std::string_view name);

// A name the file can keep: not empty, at most 64 bytes, no blank at either end, no bracket or
// line break.
bool IsValidRegisterName(std::string_view name);

// The checks a register passes before it goes into the list: its name (31703), then those of
// the settings dialog in their order (model 20019, COM index 20020 unless a port is named,
// serial 20021). The message is shown when feedback is given; 0 when all pass.
unsigned CheckRegister(const NamedRegister& reg, IFeedback* feedback);

// Adds the register, or replaces the one of the same name, in one write of the file. False
// when the file could not be written.
bool SaveRegister(EcrIniFile& ini, const NamedRegister& reg);

// Removes the register of that name; false when there is none or the file could not be written.
enum class RemoveResult { Removed, NotFound, NotWritten };
RemoveResult RemoveRegister(EcrIniFile& ini, std::string_view name);

// "COM2" for a COM index, else the port named.
std::string PortText(const NamedRegister& reg);

} // namespace tillora
