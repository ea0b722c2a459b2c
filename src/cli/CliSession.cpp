#include "cli/CliSession.h"

#include "link/IniLocation.h"
#include "link/PortSettings.h"
#include "link/RegisterInForce.h"
#include "sim/DemoRegister.h"

namespace tillora::cli {
namespace {

std::optional<bool> AnswerFor(const CliOptions& options) {
    if (options.yes) {
        return true;
    }
    if (options.no) {
        return false;
    }
    return std::nullopt;
}

// --port, else the register's own port, else the port the window's register chooser put in
// force, unless --com names another.
std::string LineDevice(const CliOptions& options, const NamedRegister* reg, const EcrIniFile& ini) {
    if (!options.port.empty()) {
        return options.port;
    }
    if (reg != nullptr) {
        return reg->port;
    }
    return options.com ? std::string() : LoadRegisterPort(ini);
}

} // namespace

CCliSession::CCliSession(const CliOptions& options, const NamedRegister* reg,
                         const CStopRequest* stop)
    : m_ini(IniFileInUse(options.iniFile)),
      m_settings(reg ? reg->settings : LoadEcrSettings(m_ini)),
      m_frameGapMs(options.gapMs.value_or(reg ? reg->frameGapMs : LoadFrameGapMs(m_ini))),
      m_feedback(AnswerFor(options)), m_quiet(options.quiet), m_stop(stop) {
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
    m_line.device = LineDevice(options, reg, m_ini);
    m_line.traceFile = options.traceFile;
    if (options.demo) {
        SetUpDemo();
    }
}

TransferSession CCliSession::Transfer() {
    TransferSession transfer{m_line, m_clock, m_feedback, m_settings, m_frameGapMs, {}};
    transfer.stop = m_stop;
    transfer.recordSent = [this](unsigned done, unsigned total) {
        m_feedback.SetProgress(done, total);
    };
    return transfer;
}

// The demo register starts empty with every command: what it is known to hold lives as long as
// it does, never in the user's data folder beside the real registers'.
void CCliSession::SetUpDemo() {
    m_demoRegister = sim::StartDemoRegister(m_settings, m_line, m_clock);
    m_line.comIndex = m_settings.EcrCom;
    m_demoState.emplace();
    m_knownState = CKnownRegisterState(m_demoState->Path() / "registers");
}

} // namespace tillora::cli
