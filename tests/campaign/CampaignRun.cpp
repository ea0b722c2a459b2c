#include "CampaignRun.h"

#include "BitmapWriter.h"
#include "CampaignTables.h"
#include "Expectation.h"
#include "FaultArguments.h"
#include "ModelInForce.h"
#include "RecordingFeedback.h"
#include "RegisterLog.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "TimedLine.h"
#include "link/EcrInfo.h"
#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/Link.h"
#include "link/Message.h"
#include "link/SerialPort.h"
#include "logo/LogoSend.h"
#include "res/StringIds.h"
#include "sim/SimTableFiles.h"
#include "tables/TableSetup.h"
#include "transfer/ReportReader.h"
#include "transfer/SendCommands.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>

namespace tillora::campaign {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A wait may pass the answer limit by the time it takes to see that it has.
constexpr std::uint64_t WaitMarginMs = 500;
// Beyond the waits and the quiet gaps, a run spends on each frame the register answers no more
// than this (opening the port takes 10 ms of it, the rest is the two processes' turns), and on
// each write no more than WriteAllowanceMs beyond its air time.
constexpr std::uint64_t FrameAllowanceMs = 50;
constexpr std::uint64_t WriteAllowanceMs = 2;
constexpr std::uint64_t BitsPerByte = 10;

Bytes FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string FileText(const std::filesystem::path& path) {
    const Bytes bytes = FileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string IdsText(const std::vector<unsigned>& ids) {
    if (ids.empty()) {
        return "no message";
    }
    std::string text;
    for (unsigned id : ids) {
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    }
    return text;
}

class CRun {
public:
    CRun(const RunPlan& plan, const std::string& simProgram)
        : m_plan(plan), m_simProgram(simProgram), m_expected(Expect(plan)), m_model(plan.model),
          m_ini((m_folder.Path() / "tillora.ini").string()) {}

    RunVerdict Go() {
        if (Prepare()) {
            test::SimProcess sim(m_simProgram, SimArguments());
            if (sim.Device().empty()) {
                Wrong("the register did not start");
                return m_verdict;
            }
            Perform(sim.Device());
            CheckMessages();
            CheckSuccess();
            CheckLine(sim.Device());
            CheckRegister(sim.Stop());
        }
        return m_verdict;
    }

private:
    std::filesystem::path At(const char* name) const { return m_folder.Path() / name; }

    void Wrong(std::string what) { m_verdict.wrong.push_back(std::move(what)); }

    bool Prepare() {
        switch (m_plan.operation) {
        case Operation::ReadReport:
            return PrepareReport();
        case Operation::SendLogo:
            return PrepareLogo();
        case Operation::QueryInfo:
            return true;
        default:
            if (!FillSendTable(m_plan, m_cells, m_access)) {
                Wrong("the table did not take its cells");
                return false;
            }
            m_textsBefore = GridTexts(m_cells);
            return true;
        }
    }

    // The register starts with a few articles, written as the table file it loads; what it
    // holds is that file read back, as it reads it.
    bool PrepareReport() {
        SetupTable(m_report, TableKind::Report);
        SetupTable(m_subgroupReport, TableKind::SubgroupReport);
        std::string error;
        sim::SimTables tables;
        if (!FillReportArticles(m_plan, m_cells) ||
            !sim::TakeTableGrid(tables, m_plan.model, TableKind::Articles, m_cells, error) ||
            !sim::SaveSimTable(tables, m_plan.model, TableKind::Articles, At("start.txt").string(),
                               error) ||
            !sim::LoadSimTable(m_startTables, m_plan.model, TableKind::Articles,
                               At("start.txt").string(), error)) {
            Wrong("the register's articles could not be made: " + error);
            return false;
        }
        return true;
    }

    bool PrepareLogo() {
        std::string path = DefaultLogoPath(m_plan.model, test::ProgramFolder());
        if (!m_plan.defaultLogo) {
            test::BitmapShape shape;
            shape.width = static_cast<int>(16 + m_plan.contentSeed % 49);
            shape.height = static_cast<int>(8 + m_plan.contentSeed / 49 % 17);
            path = At("small.bmp").string();
            test::WriteBitmap(path, shape);
        }
        m_logoBytes = FileBytes(path);
        if (!m_picture.Load(path, m_ini)) {
            Wrong("the picture " + path + " did not load");
            return false;
        }
        return true;
    }

    std::vector<std::string> SimArguments() const {
        std::vector<std::string> args = {
            "--model", std::to_string(m_plan.model), "--serial",   std::to_string(m_plan.serial),
            "--log",   At("frames.log").string(),    "--save-dir", At("saved").string()};
        if (m_plan.operation == Operation::ReadReport) {
            args.insert(args.end(), {"--articles", At("start.txt").string()});
        }
        if (m_plan.operation == Operation::SendLogo) {
            args.insert(args.end(), {"--logo-file", At("logo.bmp").string()});
        }
        const std::vector<std::string> fault = FaultArguments(m_plan);
        args.insert(args.end(), fault.begin(), fault.end());
        return args;
    }

    void Perform(const std::string& device) {
        LineChoice choice;
        choice.demoLine = [this, device]() -> std::unique_ptr<ISerialLine> {
            auto port = std::make_unique<CSerialPort>();
            if (!port->OpenDevice(device, RegisterBaudRate, 8, 0, 0, RegisterQueueSize,
                                  RegisterQueueSize)) {
                return nullptr;
            }
            return std::make_unique<CTimedLine>(std::move(port), m_line);
        };
        CSteadyClock clock;
        EcrSettings settings;
        settings.EcrType = m_plan.model;
        settings.EcrCom = 0;
        settings.EcrSerial = m_plan.serial;
        TransferSession session{choice, clock, m_feedback, settings, m_plan.frameGapMs, {}};
        session.recordSent = [this](unsigned done, unsigned) { m_recordsAcknowledged = done; };
        const auto start = std::chrono::steady_clock::now();
        m_succeeded = RunOperation(session);
        m_verdict.wallMs =
            static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - start)
                                           .count());
    }

    bool RunOperation(TransferSession& session) {
        switch (m_plan.operation) {
        case Operation::ReadReport:
            return OnReadReport(m_reportAccess, m_subgroupAccess, session) ==
                   ReportOutcome::Complete;
        case Operation::SendLogo:
            return SendLogo(m_picture, m_ini, session, {});
        case Operation::QueryInfo: {
            const std::optional<std::string> serial =
                QueryEcrInfo(session.line, session.clock, session.feedback);
            m_infoSerial = serial.value_or("");
            return serial.has_value();
        }
        default: {
            const TableKind kind = SentTable(m_plan.operation);
            return m_plan.selectedCells ? OnSendSelected(kind, m_access, session)
                                        : OnSendAll(kind, m_access, session);
        }
        }
    }

    void CheckMessages() {
        const std::vector<unsigned> shown = m_feedback.Ids();
        const std::vector<unsigned> called = m_expected.messageId != 0
                                                 ? std::vector<unsigned>{m_expected.messageId}
                                                 : std::vector<unsigned>{};
        if (shown != called) {
            Wrong("showed " + IdsText(shown) + " instead of " + IdsText(called));
        }
        if (!m_feedback.questions.empty()) {
            Wrong("asked " + std::to_string(m_feedback.questions.size()) + " question(s)");
        }
        if (m_succeeded != (m_expected.messageId == 0)) {
            Wrong(m_succeeded ? "the operation succeeded" : "the operation failed");
        }
        if (m_feedback.waitDepth != 0) {
            Wrong("the wait cursor stayed");
        }
    }

    void CheckSuccess() {
        if (IsSend(m_plan.operation)) {
            if (GridTexts(m_cells) != m_textsBefore) {
                Wrong("the send changed the program's table");
            }
            if (m_recordsAcknowledged != static_cast<unsigned>(m_expected.recordsAcknowledged)) {
                Wrong(std::to_string(m_recordsAcknowledged) + " records acknowledged, not " +
                      std::to_string(m_expected.recordsAcknowledged));
            }
        }
        if (m_expected.messageId != 0 || !m_succeeded) {
            return;
        }
        const std::string status =
            m_feedback.statusTexts.empty() ? "" : m_feedback.statusTexts.back();
        if (IsSend(m_plan.operation) && status != SendFinalText(m_plan)) {
            Wrong("the send ended with the status \"" + status + "\"");
        }
        if (m_plan.operation == Operation::ReadReport) {
            CheckReport(status);
        }
        if (m_plan.operation == Operation::SendLogo && FileBytes(At("logo.bmp")) != m_logoBytes) {
            Wrong("the register's logo is not the file");
        }
        if (m_plan.operation == Operation::QueryInfo) {
            const unsigned serial =
                m_plan.fault == Fault::OtherSerial ? m_plan.otherSerial : m_plan.serial;
            if (m_infoSerial != SerialDigits(serial)) {
                Wrong("the query gave \"" + m_infoSerial + "\"");
            }
        }
    }

    void CheckReport(const std::string& status) {
        const auto count = static_cast<unsigned>(m_startTables.articles.size());
        if (status != FormatMessage(ids::ArticlesRead, count)) {
            Wrong("the report ended with the status \"" + status + "\"");
        }
        for (const auto& [number, article] : m_startTables.articles) {
            if (m_report.GetItemText(static_cast<int>(number), 1).empty()) {
                Wrong("article " + std::to_string(number) + " is missing from the report");
            }
        }
    }

    std::uint64_t TimeBound() const {
        std::uint64_t bytes = 0;
        for (const Bytes& write : m_line.writes) {
            bytes += write.size();
        }
        const std::uint64_t frames = AnsweredFrames(m_plan);
        const std::uint64_t answerDelay =
            m_plan.fault == Fault::LineClosed ? m_plan.closeDelayMs : 0;
        return (m_expected.longWait ? AnswerLimitMs : 0) +
               bytes * BitsPerByte * 1000 / RegisterBaudRate + 1 +
               m_line.writes.size() * WriteAllowanceMs +
               frames * (m_plan.frameGapMs + answerDelay + FrameAllowanceMs) + WaitMarginMs;
    }

    void CheckLine(const std::string& device) {
        if (m_line.opened != 1 || m_line.closed != 1) {
            Wrong("the line was opened " + std::to_string(m_line.opened) + " times and closed " +
                  std::to_string(m_line.closed));
        }
        if (m_line.longestWaitMs > AnswerLimitMs + WaitMarginMs) {
            Wrong("a wait took " + std::to_string(m_line.longestWaitMs) + " ms");
        }
        if (m_verdict.wallMs > TimeBound()) {
            Wrong("the run took " + std::to_string(m_verdict.wallMs) + " ms, above " +
                  std::to_string(TimeBound()));
        }
        if (m_expected.lineGone) {
            return;
        }
        CSerialPort again;
        if (!again.OpenDevice(device, RegisterBaudRate, 8, 0, 0, RegisterQueueSize,
                              RegisterQueueSize)) {
            Wrong("the port was not released");
        }
        again.Close();
    }

    void CheckRegister(int simStatus) {
        if (simStatus != 0) {
            Wrong("the register ended with status " + std::to_string(simStatus));
        }
        const std::string log =
            CheckLoggedFrames(ReadRegisterLog(At("frames.log").string()),
                              ExpectedKinds(m_plan, m_expected), m_expected.faultReply);
        if (!log.empty()) {
            Wrong(log);
        }
        std::vector<WrittenRecord> records = RecordsWritten(m_line.writes);
        if (records.size() != static_cast<std::size_t>(m_expected.recordsWritten)) {
            Wrong(std::to_string(records.size()) + " records written, not " +
                  std::to_string(m_expected.recordsWritten));
            return;
        }
        records.resize(static_cast<std::size_t>(m_expected.recordsTaken));
        CheckRegisterTables(TablesAfter(m_startTables, m_plan.model, records));
    }

    // The register's four table files against those of the tables it should hold.
    void CheckRegisterTables(const sim::SimTables& expected) {
        std::string error;
        if (!sim::SaveSimTables(expected, m_plan.model, At("expected").string(), error)) {
            Wrong("the expected tables could not be written: " + error);
            return;
        }
        for (TableKind kind : sim::SimTableKinds) {
            const std::string name = sim::SimTableFileName(kind);
            if (FileText(At("saved") / name) != FileText(At("expected") / name)) {
                Wrong("the register's " + name + " is not what it took");
            }
        }
    }

    const RunPlan& m_plan;
    const std::string& m_simProgram;
    const Expectation m_expected;
    test::TempFolder m_folder{"tillora-campaign"};
    test::ModelInForce m_model;
    EcrIniFile m_ini;
    RunVerdict m_verdict;
    test::RecordingFeedback m_feedback;
    LineRecord m_line;

    CCellGrid m_cells;
    CMemoryGridAccess m_access{m_cells};
    std::vector<std::string> m_textsBefore;
    CCellGrid m_report;
    CMemoryGridAccess m_reportAccess{m_report};
    CCellGrid m_subgroupReport;
    CMemoryGridAccess m_subgroupAccess{m_subgroupReport};
    sim::SimTables m_startTables;
    CurrentPicture m_picture;
    Bytes m_logoBytes;

    bool m_succeeded = false;
    unsigned m_recordsAcknowledged = 0;
    std::string m_infoSerial;
};

} // namespace

RunVerdict RunOnce(const RunPlan& plan, const std::string& simProgram) {
    return CRun(plan, simProgram).Go();
}

} // namespace tillora::campaign
