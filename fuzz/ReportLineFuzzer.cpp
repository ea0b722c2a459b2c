// One report line of a model, placed in both report tables.
#include "FuzzSupport.h"
#include "TableBench.h"
#include "tables/CellGrid.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "transfer/ReportLine.h"

#include <limits>
#include <string>
#include <string_view>

using namespace tillora;

namespace {

// Eleven characters never reach it: the slice's number never overflows.
constexpr long long LongMax = std::numeric_limits<long>::max();

// The line as the C string it was: up to its first NUL.
std::string ExpectedSlice(std::string_view line, std::size_t offset, std::size_t count) {
    line = line.substr(0, line.find('\0'));
    return offset >= line.size() ? std::string() : std::string(line.substr(offset, count));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int model = data[0] % 10;
    const std::string_view line = fuzz::AsText(data + 1, size - 1);

    CMemoryGridAccess reportAccess(fuzz::BenchOf(TableKind::Report).Fresh());
    CMemoryGridAccess subgroupAccess(fuzz::BenchOf(TableKind::SubgroupReport).Fresh());

    const long number = ParseSliceNumber(line, ReportNumberOffset, 5);
    const int row = number < 0 || number > 100000 ? 1 : static_cast<int>(number);
    ParseArticleReportLine(reportAccess, line, row, model);
    ParseSubgroupReportLine(subgroupAccess, line, row, model);
    ParseArticleReportLine(reportAccess, line, 1, model);
    ParseSubgroupReportLine(subgroupAccess, line, 1, model);

    for (std::size_t offset = 0; offset <= line.size() + 1; offset += 7) {
        const std::string slice = CopySlice(line, offset, 11);
        fuzz::Check(slice == ExpectedSlice(line, offset, 11), "slice not the line's bytes");
        fuzz::Check(ParseSliceNumber(line, offset, 11) == fuzz::ExpectedDecimal(slice, LongMax),
                    "slice number not the slice's");
    }
    return 0;
}
