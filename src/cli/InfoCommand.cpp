#include "cli/Commands.h"

#include "cli/Terminal.h"

#include "link/EcrInfo.h"

namespace tillora::cli {

int RunInfo(CCliSession& session, std::FILE* out) {
    const auto serial = QueryEcrInfo(session.Line(), session.Clock(), session.Feedback());
    if (!serial) {
        return ExitFailed;
    }
    Print(out, "%s\n", serial->c_str());
    return ExitSuccess;
}

} // namespace tillora::cli
