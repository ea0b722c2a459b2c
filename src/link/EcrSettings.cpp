#include "link/EcrSettings.h"

#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "link/RegisterModels.h"
#include "res/StringIds.h"

#include <algorithm>
#include <limits>

namespace tillora {
namespace {

bool IsValidSerial(unsigned serial) {
    return serial >= 1 && serial <= LargestSerial;
}

// The first check that fails decides the message; 0 when all pass.
unsigned FirstFailure(int model, int com, unsigned serial) {
    if (!IsValidRegisterModel(model)) {
        return ids::NoModel;
    }
    if (!IsValidCom(com)) {
        return ids::NoComPort;
    }
    if (!IsValidSerial(serial)) {
        return ids::NoSerial;
    }
    return 0;
}

} // namespace

bool IsValidCom(int com) {
    return com >= 0 && com < ComPortCount;
}

unsigned ParseSerialText(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > LargestSerial) {
            return 0; // stops before the number could wrap around
        }
    }
    return value;
}

EcrSettings& ConnectionSettings() {
    thread_local EcrSettings settings;
    return settings;
}

EcrSettings LoadEcrSettings(const EcrIniFile& ini) {
    EcrSettings settings;
    settings.EcrType = ini.GetInt(EcrSection, "EcrType", -1);
    settings.EcrCom = ini.GetInt(EcrSection, "EcrCom", 0);
    settings.EcrSerial = ini.GetUnsigned(EcrSection, "EcrSerial", 0);
    return settings;
}

bool SaveEcrSettings(EcrIniFile& ini, const EcrSettings& settings) {
    bool saved = ini.WriteInt(EcrSection, "EcrType", settings.EcrType);
    saved = ini.WriteInt(EcrSection, "EcrCom", settings.EcrCom) && saved;
    saved = ini.WriteUnsigned(EcrSection, "EcrSerial", settings.EcrSerial) && saved;
    return saved;
}

std::uint64_t LoadFrameGapMs(const EcrIniFile& ini) {
    const int gap = ini.GetInt(EcrSection, "FrameGapMs", static_cast<int>(DefaultFrameGapMs));
    return static_cast<std::uint64_t>(std::max(gap, 0));
}

bool ValidateEcrSettings(int model, int com, unsigned serial, unsigned* outSerial,
                         IFeedback* feedback) {
    const unsigned failure = FirstFailure(model, com, serial);
    if (failure != 0) {
        if (feedback != nullptr) {
            ShowError(*feedback, failure);
        }
        return false;
    }
    if (outSerial != nullptr) {
        *outSerial = serial;
    }
    return true;
}

bool ValidateEcrSettings(const EcrSettings& settings, IFeedback* feedback) {
    return ValidateEcrSettings(settings.EcrType, settings.EcrCom, settings.EcrSerial, nullptr,
                               feedback);
}

std::string FrameTitle(const EcrSettings& settings) {
    if (!IsValidRegisterModel(settings.EcrType) || settings.EcrSerial == 0) {
        return std::string(LoadString(ids::AppTitle));
    }
    const std::string model(RegisterModelName(settings.EcrType));
    // A COM index read from a hand-edited file must not overflow on the way to its number.
    const int port =
        settings.EcrCom < std::numeric_limits<int>::max() ? settings.EcrCom + 1 : settings.EcrCom;
    return FormatMessage(ids::FrameTitle, model.c_str(), port, settings.EcrSerial);
}

SettingsDialogCheck CheckSettingsDialog(int modelSelection, int comSelection,
                                        const std::string& serialText) {
    const unsigned serial = ParseSerialText(serialText);
    const unsigned failure = FirstFailure(modelSelection, comSelection, serial);
    if (failure != 0) {
        return {failure, {}};
    }
    return {0, {modelSelection, comSelection, serial}};
}

std::string SerialDigits(unsigned serial) {
    return FormatText("%0*u", SerialDigitCount, serial);
}

} // namespace tillora
