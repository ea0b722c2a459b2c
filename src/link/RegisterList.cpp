#include "link/RegisterList.h"

#include "link/Cp1251.h"
#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <algorithm>

namespace tillora {
namespace {

constexpr std::size_t LongestName = 64;

// Windows-1251 letters in one case: the Latin capitals and the Cyrillic А to Я (0xC0 to 0xDF)
// become small, Ё (0xA8) becomes ё (0xB8).
unsigned char FoldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    return c == 0xA8 ? 0xB8 : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return FoldCase(static_cast<unsigned char>(x)) == FoldCase(static_cast<unsigned char>(y));
    });
}

std::string SectionOf(std::string_view name) {
    return std::string(RegisterSectionPrefix) + std::string(name);
}

// The register names the file's sections carry, as the file spells them.
std::vector<std::string> RegisterNames(const EcrIniFile& ini) {
    std::vector<std::string> names;
    for (const std::string& section : ini.GetSectionNames()) {
        if (section.size() > RegisterSectionPrefix.size() &&
            SameName(std::string_view(section).substr(0, RegisterSectionPrefix.size()),
                     RegisterSectionPrefix)) {
            names.push_back(section.substr(RegisterSectionPrefix.size()));
        }
    }
    return names;
}

std::optional<std::string> SpellingOf(const EcrIniFile& ini, std::string_view name) {
    for (const std::string& known : RegisterNames(ini)) {
        if (SameName(known, name)) {
            return known;
        }
    }
    return std::nullopt;
}

NamedRegister LoadRegister(const EcrIniFile& ini, const std::string& name) {
    const std::string section = SectionOf(name);
    NamedRegister reg;
    reg.name = name;
    reg.settings.EcrType = ini.GetInt(section, "EcrType", -1);
    reg.settings.EcrCom = ini.GetInt(section, "EcrCom", 0);
    reg.settings.EcrSerial = ini.GetUnsigned(section, "EcrSerial", 0);
    reg.port = ini.GetString(section, "Port", "");
    const int gap = ini.GetInt(section, "FrameGapMs", static_cast<int>(DefaultFrameGapMs));
    reg.frameGapMs = static_cast<std::uint64_t>(std::max(gap, 0));
    return reg;
}

} // namespace

std::vector<NamedRegister> LoadRegisters(const EcrIniFile& ini) {
    std::vector<NamedRegister> registers;
    for (const std::string& name : RegisterNames(ini)) {
        registers.push_back(LoadRegister(ini, name));
    }
    return registers;
}

std::optional<NamedRegister> FindRegister(const EcrIniFile& ini, std::string_view name) {
    const std::optional<std::string> spelling = SpellingOf(ini, name);
    if (!spelling) {
        return std::nullopt;
    }
    return LoadRegister(ini, *spelling);
}

bool IsValidRegisterName(std::string_view name) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    return !name.empty() && name.size() <= LongestName && !isBlank(name.front()) &&
           !isBlank(name.back()) && name.find_first_of("[]\r\n") == std::string_view::npos;
}

unsigned CheckRegister(const NamedRegister& reg, IFeedback* feedback) {
    if (!IsValidRegisterName(reg.name)) {
        if (feedback != nullptr) {
            // The message is UTF-8, the name the file's Windows-1251.
            ShowError(*feedback, ids::RegisterNameInvalid, Cp1251ToUtf8(reg.name).c_str());
        }
        return ids::RegisterNameInvalid;
    }
    // A named port stands in for the COM index, which then only has to be one the dialog
    // could show.
    EcrSettings settings = reg.settings;
    if (!reg.port.empty()) {
        settings.EcrCom = 0;
    }
    const SettingsDialogCheck check = CheckSettingsDialog(
        settings.EcrType, settings.EcrCom,
        settings.EcrSerial == 0 ? std::string() : std::to_string(settings.EcrSerial));
    if (check.messageId != 0 && feedback != nullptr) {
        ShowError(*feedback, check.messageId);
    }
    return check.messageId;
}

bool SaveRegister(EcrIniFile& ini, const NamedRegister& reg) {
    // A register renamed only in case replaces its old section.
    if (const std::optional<std::string> old = SpellingOf(ini, reg.name);
        old && *old != reg.name && !ini.DeleteSection(SectionOf(*old))) {
        return false;
    }
    std::vector<std::pair<std::string, std::string>> entries = {
        {"EcrType", std::to_string(reg.settings.EcrType)},
        {"EcrCom", std::to_string(reg.settings.EcrCom)},
        {"EcrSerial", std::to_string(reg.settings.EcrSerial)},
        {"FrameGapMs", std::to_string(reg.frameGapMs)},
    };
    if (!reg.port.empty()) {
        entries.emplace_back("Port", reg.port);
    }
    return ini.WriteSection(SectionOf(reg.name), entries);
}

RemoveResult RemoveRegister(EcrIniFile& ini, std::string_view name) {
    const std::optional<std::string> spelling = SpellingOf(ini, name);
    if (!spelling) {
        return RemoveResult::NotFound;
    }
    return ini.DeleteSection(SectionOf(*spelling)) ? RemoveResult::Removed
                                                   : RemoveResult::NotWritten;
}

std::string PortText(const NamedRegister& reg) {
    return reg.port.empty() ? "COM" + std::to_string(reg.settings.EcrCom + 1) : reg.port;
}

} // namespace tillora
