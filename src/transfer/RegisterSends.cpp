#include "transfer/RegisterSends.h"

#include "link/Message.h"
#include "res/StringIds.h"

#include <thread>

namespace tillora {

void RunOnEachRegister(const std::vector<NamedRegister>& registers,
                       const std::function<void(std::size_t index)>& run) {
    std::vector<std::jthread> threads;
    threads.reserve(registers.size());
    for (std::size_t i = 0; i < registers.size(); ++i) {
        threads.emplace_back([&registers, &run, i] {
            ConnectionSettings() = registers[i].settings;
            run(i);
        });
    }
}

RegisterOutcome OutcomeOf(bool confirmed, const std::string& lastStatus,
                          const std::string& lastMessage) {
    if (confirmed) {
        return {true, lastStatus};
    }
    return {false, lastMessage.empty() ? FormatMessage(ids::NothingSent) : lastMessage};
}

LineChoice LineOfRegister(const NamedRegister& reg, const PortDevices& devices) {
    LineChoice line;
    line.comIndex = reg.settings.EcrCom;
    line.devices = devices;
    line.device = reg.port;
    return line;
}

} // namespace tillora
