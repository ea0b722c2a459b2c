// The register's bytes after it acknowledged "f": the reader must end, within the answer limit
// after the last byte arrived.
#include "BorrowedLine.h"
#include "FakeClock.h"
#include "Frames.h"
#include "FuzzSupport.h"
#include "ScriptedLine.h"
#include "TableBench.h"
#include "link/EcrSettings.h"
#include "link/Link.h"
#include "tables/CellGrid.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "transfer/ReportReader.h"

#include <memory>
#include <vector>

using namespace tillora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int model = data[0] % 10;
    test::FakeClock clock;
    test::ScriptedLine line(clock);
    std::vector<std::uint8_t> answer = test::AckFrame("000123");
    answer.insert(answer.end(), data + 1, data + size);
    const std::uint64_t sentAt = clock.NowMs();
    line.AnswerNextWrite(10, answer);

    int closes = 0;
    LineChoice choice;
    choice.demoLine = [&]() -> std::unique_ptr<ISerialLine> {
        return std::make_unique<test::BorrowedLine>(line, closes);
    };
    fuzz::SilentFeedback feedback;
    EcrSettings settings;
    settings.EcrType = model;
    settings.EcrSerial = 123;
    const EcrSettings saved = ConnectionSettings();
    ConnectionSettings() = settings;

    CMemoryGridAccess reportAccess(fuzz::BenchOf(TableKind::Report).Fresh());
    CMemoryGridAccess subgroupAccess(fuzz::BenchOf(TableKind::SubgroupReport).Fresh());
    TransferSession session{choice, clock, feedback, settings, DefaultFrameGapMs, {}};
    ReadReport(reportAccess, subgroupAccess, session);
    ConnectionSettings() = saved;

    // Every byte arrived shortly after the command; from then on each wait ends at the limit.
    const std::uint64_t lastArrival = sentAt + DefaultFrameGapMs + 10;
    fuzz::Check(clock.NowMs() <= lastArrival + AnswerLimitMs + DefaultFrameGapMs + 10,
                "the report reader waited past the answer limit");
    fuzz::Check(closes == 1, "the line was not closed once");
    return 0;
}
