#include "cli/Commands.h"

#include "link/EcrInfo.h"

namespace tillora::cli {

int RunInfo(CCliSession& session, std::FILE* out) {
    const auto serial = QueryEcrInfo(session.Line(), session.Clock(), session.Feedback());
    if (!serial) {
        return ExitFailed;
    }
    std::fprintf(out, "%s\n", serial->c_str());
    return ExitSuccess;
}

} // namespace tillora::cli
