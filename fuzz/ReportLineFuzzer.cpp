// One report line of a model, placed in both report tables.
#include "FuzzSupport.h"
#include "tables/CellGrid.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "tables/TableSetup.h"
#include "transfer/ReportLine.h"

using namespace tillora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int model = data[0] % 10;
    const std::string_view line = fuzz::AsText(data + 1, size - 1);

    CCellGrid report;
    SetupTable(report, TableKind::Report);
    CMemoryGridAccess reportAccess(report);
    CCellGrid subgroups;
    SetupTable(subgroups, TableKind::SubgroupReport);
    CMemoryGridAccess subgroupAccess(subgroups);

    const long number = ParseSliceNumber(line, ReportNumberOffset, 5);
    const int row = number < 0 || number > 100000 ? 1 : static_cast<int>(number);
    ParseArticleReportLine(reportAccess, line, row, model);
    ParseSubgroupReportLine(subgroupAccess, line, row, model);
    ParseArticleReportLine(reportAccess, line, 1, model);
    ParseSubgroupReportLine(subgroupAccess, line, 1, model);

    for (std::size_t offset = 0; offset <= line.size() + 1; offset += 7) {
        const std::string slice = CopySlice(line, offset, 11);
        fuzz::Check(slice.size() <= 11, "slice longer than asked");
        fuzz::Check(slice.find('\0') == std::string::npos, "slice holds a NUL");
        const long value = ParseSliceNumber(line, offset, 11);
        fuzz::Check(value >= -1, "slice number below -1");
    }
    return 0;
}
