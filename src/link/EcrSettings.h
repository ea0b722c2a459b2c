#pragma once

#include "link/Feedback.h"

#include <cstdint>
#include <string>

namespace tillora {

class EcrIniFile;

// The three connection settings that identify the register the program talks to.
struct EcrSettings {
    int EcrType = -1;       // model index, 0 to 9; -1 when none is chosen
    int EcrCom = 0;         // COM index, 0 to 3; the port number is the index + 1
    unsigned EcrSerial = 0; // 1 to 999999; 0 when not set
};

// The limits of the settings: the COM ports offered, and the serial's digits and largest value.
inline constexpr int ComPortCount = 4;
inline constexpr int SerialDigitCount = 6;
inline constexpr unsigned LargestSerial = 999999;

// Whether the COM index is one of the ports offered.
bool IsValidCom(int com);
// A serial as typed: digits only, at least one, and no more than a serial can have once leading
// zeros are left out; 0 otherwise.
unsigned ParseSerialText(const std::string& text);

// The settings in force: loaded at start, changed by the settings dialog, saved at exit. They are
// the thread's own, so that a send to several registers at once, one thread each, puts each
// register's model in force for the tax-group cells of its own tables; a program that runs on
// one thread sees one set of settings.
EcrSettings& ConnectionSettings();

inline constexpr const char* EcrSection = "ECR";
inline constexpr std::uint64_t DefaultFrameGapMs = 100;

// Reads EcrType, EcrCom and EcrSerial from section ECR, taking the values as they are.
EcrSettings LoadEcrSettings(const EcrIniFile& ini);
// Writes EcrType, EcrCom and EcrSerial in that order; false when the file could not be written.
bool SaveEcrSettings(EcrIniFile& ini, const EcrSettings& settings);

// The quiet time after each acknowledgement before the next frame: FrameGapMs in section ECR,
// 100 when absent; a negative value counts as 0.
std::uint64_t LoadFrameGapMs(const EcrIniFile& ini);

// Checks model (20019), COM index (20020) and serial (20021) in that order; the first failure
// decides the message, shown only when feedback is given. On success the serial is copied to
// outSerial when one is given.
bool ValidateEcrSettings(int model, int com, unsigned serial, unsigned* outSerial,
                         IFeedback* feedback);
bool ValidateEcrSettings(const EcrSettings& settings, IFeedback* feedback);

// The main window's title for the settings: "Tillora", or "Tillora - [model, COMn, 000123]".
std::string FrameTitle(const EcrSettings& settings);

// The settings dialog's OK check over its two list selections (-1 for none) and the serial
// edit's text. messageId is 0 when the values pass.
struct SettingsDialogCheck {
    unsigned messageId = 0;
    EcrSettings settings;
};
SettingsDialogCheck CheckSettingsDialog(int modelSelection, int comSelection,
                                        const std::string& serialText);

// The serial as the register's frames carry it: six digits with leading zeros.
std::string SerialDigits(unsigned serial);

} // namespace tillora
