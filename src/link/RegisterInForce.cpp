#include "link/RegisterInForce.h"

#include "link/Cp1251.h"
#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "link/RegisterModels.h"
#include "res/StringIds.h"

namespace tillora {
namespace {

constexpr const char* PortKey = "Port";

} // namespace

std::string LoadRegisterPort(const EcrIniFile& ini) {
    return ini.GetString(EcrSection, PortKey, "");
}

bool SaveRegisterPort(EcrIniFile& ini, const std::string& port) {
    // A file that never had the key keeps none.
    if (port.empty() && LoadRegisterPort(ini).empty()) {
        return true;
    }
    return ini.WriteString(EcrSection, PortKey, port);
}

bool ChooseComPort(EcrIniFile& ini) {
    return SaveRegisterPort(ini, "");
}

NamedRegister RegisterInForce(const EcrIniFile& ini, const EcrSettings& settings) {
    NamedRegister reg;
    reg.settings = settings;
    reg.port = LoadRegisterPort(ini);
    reg.frameGapMs = LoadFrameGapMs(ini);
    return reg;
}

bool SaveRegisterInForce(EcrIniFile& ini, const NamedRegister& reg) {
    return SaveEcrSettings(ini, reg.settings) &&
           ini.WriteUnsigned(EcrSection, "FrameGapMs", static_cast<unsigned>(reg.frameGapMs)) &&
           SaveRegisterPort(ini, reg.port);
}

bool IsSameRegister(const NamedRegister& a, const NamedRegister& b) {
    return a.settings.EcrType == b.settings.EcrType &&
           a.settings.EcrSerial == b.settings.EcrSerial && PortText(a) == PortText(b);
}

std::string RegisterSummary(const NamedRegister& reg) {
    const std::string_view model = RegisterModelName(reg.settings.EcrType);
    return std::string(model) + ", " + PortText(reg) + ", " + SerialDigits(reg.settings.EcrSerial);
}

std::string RegisterListLine(const NamedRegister& reg) {
    return FormatMessage(ids::RegisterListEntry, Cp1251ToUtf8(reg.name).c_str(),
                         RegisterSummary(reg).c_str());
}

std::string NamedFrameTitle(const NamedRegister& reg) {
    if (!IsValidRegisterModel(reg.settings.EcrType) || reg.settings.EcrSerial == 0) {
        return FrameTitle(reg.settings);
    }
    const std::string name = Cp1251ToUtf8(reg.name);
    const std::string summary = RegisterSummary(reg);
    return FormatMessage(ids::FrameTitleNamed, name.c_str(), summary.c_str());
}

} // namespace tillora
