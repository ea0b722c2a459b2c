#include "cli/CliSession.h"

#include "link/EcrModels.h"
#include "link/IniLocation.h"
#include "link/PortSettings.h"
#include "sim/SimTables.h"
#include "sim/SimulatedLine.h"

namespace tillora::cli {
namespace {

constexpr unsigned DemoSerial = 123;

std::optional<bool> AnswerFor(const CliOptions& options) {
    if (options.yes) {
        return true;
    }
    if (options.no) {
        return false;
    }
    return std::nullopt;
}

} // namespace

std::string IniFileFor(const CliOptions& options) {
    // Every front end in the folder shares the main program's file.
    return options.iniFile.empty() ? LocateIniFile("tillora") : options.iniFile;
}

CCliSession::CCliSession(const CliOptions& options)
    : m_ini(IniFileFor(options)), m_settings(LoadEcrSettings(m_ini)),
      m_frameGapMs(options.gapMs.value_or(LoadFrameGapMs(m_ini))), m_feedback(AnswerFor(options)),
      m_quiet(options.quiet) {
    if (options.model) {
        m_settings.EcrType = *options.model;
    }
    if (options.com) {
        m_settings.EcrCom = *options.com - 1;
    }
    if (options.serial) {
        m_settings.EcrSerial = *options.serial;
    }
    m_line.comIndex = m_settings.EcrCom;
    m_line.devices = LoadPortDevices(m_ini);
    m_line.device = options.port;
    m_line.traceFile = options.traceFile;
    if (options.demo) {
        SetUpDemo();
    }
}

TransferSession CCliSession::Transfer() {
    TransferSession transfer{m_line, m_clock, m_feedback, m_settings, m_frameGapMs, {}};
    transfer.recordSent = [this](unsigned done, unsigned total) {
        m_feedback.SetProgress(done, total);
    };
    return transfer;
}

// The demo register is the one the settings describe, or model 0 with serial 000123 where they
// describe none (and the settings then describe it), and talks at the real line rate so that the
// demo feels like the real thing.
void CCliSession::SetUpDemo() {
    const int model = IsValidEcrModel(m_settings.EcrType) ? m_settings.EcrType : 0;
    const unsigned serial = ValidateEcrSettings(0, 0, m_settings.EcrSerial, nullptr, nullptr)
                                ? m_settings.EcrSerial
                                : DemoSerial;
    m_settings.EcrType = model;
    m_settings.EcrSerial = serial;
    if (m_settings.EcrCom < 0 || m_settings.EcrCom > 3) {
        m_settings.EcrCom = 0; // no port is opened in demo mode
    }
    sim::SimFaults faults;
    faults.paceBaud = EcrBaudRate;
    m_demoRegister = std::make_shared<sim::CSimRegister>(model, serial, faults);
    m_demoRegister->Tables() = sim::DemoTables(); // a shop to read a report from
    auto ecr = m_demoRegister;
    IClock& clock = m_clock;
    m_line.demoLine = [ecr, &clock]() -> std::unique_ptr<ISerialLine> {
        return std::make_unique<sim::CSimulatedLine>(ecr, clock);
    };
}

} // namespace tillora::cli
