#include "cli/Commands.h"

#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"

namespace tillora::cli {

// Names are kept in Windows-1251 and shown in the terminal's own text.
int RunRegistersList(CCliSession& session, std::FILE* out) {
    for (const NamedRegister& reg : LoadRegisters(session.Ini())) {
        Print(out, "%s\t%d\t%s\t%s\n", Cp1251ToUtf8(reg.name).c_str(), reg.settings.EcrType,
              PortText(reg).c_str(), SerialDigits(reg.settings.EcrSerial).c_str());
    }
    return ExitSuccess;
}

int RunRegistersAdd(CCliSession& session, const NamedRegister& reg) {
    if (CheckRegister(reg, &session.Feedback()) != 0) {
        return ExitFailed;
    }
    if (!SaveRegister(session.Ini(), reg)) {
        ShowError(session.Feedback(), ids::RegisterNotSaved, session.Ini().GetPath().c_str());
        return ExitFailed;
    }
    return ExitSuccess;
}

int RunRegistersRemove(CCliSession& session, const std::string& name) {
    switch (RemoveRegister(session.Ini(), name)) {
    case RemoveResult::Removed:
        return ExitSuccess;
    case RemoveResult::NotFound:
        ShowError(session.Feedback(), ids::RegisterUnknown, Cp1251ToUtf8(name).c_str());
        return ExitFailed;
    case RemoveResult::NotWritten:
        break;
    }
    ShowError(session.Feedback(), ids::RegisterNotSaved, session.Ini().GetPath().c_str());
    return ExitFailed;
}

} // namespace tillora::cli
