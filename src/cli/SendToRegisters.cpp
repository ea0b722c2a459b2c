#include "cli/Commands.h"

#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include "transfer/RegisterSends.h"

#include <algorithm>
#include <mutex>

namespace tillora::cli {
namespace {

// How one register's run ended, for the closing lines.
struct RegisterRun {
    int status = ExitFailed;
    std::string text;
};

// One register's whole send, on a thread of its own: its session is its own (settings in
// force, line, clock, feedback, known state), and only the output lock and the stop are shared.
RegisterRun SendToOne(const CliOptions& options, const NamedRegister& reg,
                      const SendArguments& arguments, const CStopRequest& stop,
                      std::mutex& outputLock) {
    CCliSession session(options, &reg, &stop);
    session.Feedback().SetRegister(Cp1251ToUtf8(reg.name), outputLock);
    const int status = SendTable(session, arguments);
    const CCliFeedback& feedback = session.Feedback();
    return {status,
            OutcomeOf(status == ExitSuccess, feedback.LastStatus(), feedback.LastMessage()).text};
}

} // namespace

int RunSendToRegisters(const CliOptions& options, const std::vector<NamedRegister>& registers,
                       const SendArguments& arguments, const CStopRequest& stop, std::FILE* out) {
    std::mutex outputLock;
    std::vector<RegisterRun> outcomes(registers.size());
    RunOnEachRegister(registers, [&](std::size_t i) {
        outcomes[i] = SendToOne(options, registers[i], arguments, stop, outputLock);
    });
    int status = ExitSuccess;
    for (std::size_t i = 0; i < registers.size(); ++i) {
        status = std::max(status, outcomes[i].status); // a usage error outweighs a failure
        Print(out, "%s: %s\n", Cp1251ToUtf8(registers[i].name).c_str(),
              TerminalText(outcomes[i].text).c_str());
    }
    return status;
}

} // namespace tillora::cli
