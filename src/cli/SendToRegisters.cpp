#include "cli/Commands.h"

#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace tillora::cli {
namespace {

// How one register's run ended, for the closing lines.
struct RegisterOutcome {
    int status = ExitFailed;
    std::string text;
};

// One register's whole send, on a thread of its own: its session is its own (settings in
// force, line, clock, feedback, known state), and only the output lock and the stop are shared.
RegisterOutcome SendToOne(const CliOptions& options, const NamedRegister& reg,
                          const SendArguments& arguments, const CStopRequest& stop,
                          std::mutex& outputLock) {
    CCliSession session(options, &reg, &stop);
    session.Feedback().SetRegister(Cp1251ToUtf8(reg.name), outputLock);
    const int status = SendTable(session, arguments);
    const CCliFeedback& feedback = session.Feedback();
    if (status == ExitSuccess) {
        return {status, feedback.LastStatus()};
    }
    return {status, feedback.LastMessage().empty() ? FormatMessage(ids::NothingSent)
                                                   : feedback.LastMessage()};
}

} // namespace

int RunSendToRegisters(const CliOptions& options, const std::vector<NamedRegister>& registers,
                       const SendArguments& arguments, const CStopRequest& stop, std::FILE* out) {
    std::mutex outputLock;
    std::vector<RegisterOutcome> outcomes(registers.size());
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < registers.size(); ++i) {
            threads.emplace_back([&, i] {
                outcomes[i] = SendToOne(options, registers[i], arguments, stop, outputLock);
            });
        }
    }
    int status = ExitSuccess;
    for (std::size_t i = 0; i < registers.size(); ++i) {
        status = std::max(status, outcomes[i].status); // a usage error outweighs a failure
        Print(out, "%s: %s\n", Cp1251ToUtf8(registers[i].name).c_str(),
              TerminalText(outcomes[i].text).c_str());
    }
    return status;
}

} // namespace tillora::cli
