#pragma once

#include "cli/CliFeedback.h"
#include "link/Clock.h"
#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/LineOpener.h"
#include "link/RegisterList.h"
#include "link/ScratchFolder.h"
#include "link/StopRequest.h"
#include "sim/SimRegister.h"
#include "transfer/KnownRegisterState.h"
#include "transfer/TransferSession.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tillora::cli {

// The global options, as given on the command line.
struct CliOptions {
    std::string iniFile;
    std::optional<int> model;       // model index 0 to 9
    std::optional<int> com;         // port number 1 to 4
    std::optional<unsigned> serial; // 1 to 999999
    std::string port;               // a device opened instead of the COM mapping
    bool demo = false;
    bool yes = false;
    bool no = false;
    std::optional<std::uint64_t> gapMs;
    std::string traceFile;
    bool quiet = false;                 // no summary of what a table file read took
    std::vector<std::string> registers; // names from the register list, in place of [ECR]
};

// Everything one command runs with: the INI file, the settings in force (the file's, or those of
// the register named from the list, overridden by the options), the line to the register, the
// terminal's feedback and the stop that Ctrl+C requests.
class CCliSession {
public:
    explicit CCliSession(const CliOptions& options, const NamedRegister* reg = nullptr,
                         const CStopRequest* stop = nullptr);

    EcrIniFile& Ini() { return m_ini; }
    const EcrSettings& Settings() const { return m_settings; }
    std::uint64_t FrameGapMs() const { return m_frameGapMs; }
    const LineChoice& Line() const { return m_line; }
    CCliFeedback& Feedback() { return m_feedback; }
    IClock& Clock() { return m_clock; }
    bool Quiet() const { return m_quiet; }
    // What a transfer runs with; the progress of its records goes to the terminal.
    TransferSession Transfer();
    // What each register is known to hold, in the user's data folder (demo mode: for this run).
    const CKnownRegisterState& KnownState() const { return m_knownState; }
    // The register of demo mode; null otherwise.
    sim::CSimRegister* DemoRegister() { return m_demoRegister.get(); }

private:
    void SetUpDemo();

    EcrIniFile m_ini;
    EcrSettings m_settings;
    std::uint64_t m_frameGapMs;
    LineChoice m_line;
    CCliFeedback m_feedback;
    CSteadyClock m_clock;
    std::shared_ptr<sim::CSimRegister> m_demoRegister;
    std::optional<CScratchFolder> m_demoState;
    CKnownRegisterState m_knownState{KnownStateFolder()};
    bool m_quiet;
    const CStopRequest* m_stop;
};

} // namespace tillora::cli
