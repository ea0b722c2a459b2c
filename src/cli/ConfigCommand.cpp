#include "cli/Commands.h"

#include "cli/Terminal.h"

#include "link/Message.h"
#include "link/RegisterInForce.h"
#include "link/RegisterModels.h"
#include "res/StringIds.h"

#include <string>

namespace tillora::cli {
namespace {

std::string PortText(const CCliSession& session) {
    const LineChoice& line = session.Line();
    if (!line.device.empty()) {
        return line.device;
    }
    const int com = session.Settings().EcrCom;
    std::string text = "COM" + std::to_string(com + 1);
    if (com >= 0 && com < static_cast<int>(line.devices.size())) {
        text += " (" + line.devices[static_cast<std::size_t>(com)] + ")";
    }
    return text;
}

} // namespace

int RunModels(std::FILE* out) {
    for (int i = 0; i < RegisterModelCount; ++i) {
        Print(out, "%d\t%s\n", i, std::string(RegisterModelName(i)).c_str());
    }
    return ExitSuccess;
}

int RunConfig(CCliSession& session, bool writeSettings, bool writeGap, std::FILE* out) {
    const EcrSettings& settings = session.Settings();
    if (writeSettings && (!SaveEcrSettings(session.Ini(), settings) ||
                          (session.Line().device.empty() && !ChooseComPort(session.Ini())))) {
        ShowError(session.Feedback(), ids::SettingsNotWritten, session.Ini().GetPath().c_str());
        return ExitFailed;
    }
    if (writeGap && !session.Ini().WriteUnsigned(EcrSection, "FrameGapMs",
                                                 static_cast<unsigned>(session.FrameGapMs()))) {
        ShowError(session.Feedback(), ids::SettingsNotWritten, session.Ini().GetPath().c_str());
        return ExitFailed;
    }
    Print(out, "Ini=%s\n", session.Ini().GetPath().c_str());
    Print(out, "EcrType=%d\n", settings.EcrType);
    Print(out, "EcrCom=%d\n", settings.EcrCom);
    Print(out, "EcrSerial=%u\n", settings.EcrSerial);
    Print(out, "FrameGapMs=%llu\n", static_cast<unsigned long long>(session.FrameGapMs()));
    Print(out, "Model=%s\n", std::string(RegisterModelName(settings.EcrType)).c_str());
    Print(out, "Port=%s\n", PortText(session).c_str());
    Print(out, "Serial=%s\n", SerialDigits(settings.EcrSerial).c_str());
    Print(out, "Title=%s\n", FrameTitle(settings).c_str());
    return ExitSuccess;
}

} // namespace tillora::cli
