#include "sim/DemoRegister.h"

#include "link/RegisterModels.h"
#include "link/SerialPort.h"
#include "sim/SimTables.h"
#include "sim/SimulatedLine.h"

namespace tillora::sim {

std::shared_ptr<CSimRegister> StartDemoRegister(EcrSettings& settings, LineChoice& line,
                                                IClock& clock) {
    const int model = IsValidRegisterModel(settings.EcrType) ? settings.EcrType : 0;
    const unsigned serial = ValidateEcrSettings(0, 0, settings.EcrSerial, nullptr, nullptr)
                                ? settings.EcrSerial
                                : DemoSerial;
    settings.EcrType = model;
    settings.EcrSerial = serial;
    if (settings.EcrCom < 0 || settings.EcrCom > 3) {
        settings.EcrCom = 0;
    }
    SimFaults faults;
    faults.paceBaud = RegisterBaudRate;
    auto ecr = std::make_shared<CSimRegister>(model, serial, faults);
    ecr->Tables() = DemoTables();
    line.demoLine = [ecr, &clock]() -> std::unique_ptr<ISerialLine> {
        return std::make_unique<CSimulatedLine>(ecr, clock);
    };
    return ecr;
}

} // namespace tillora::sim
