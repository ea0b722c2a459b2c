#pragma once

#include "tables/GridAccess.h"

#include <string>
#include <string_view>

namespace tillora {

// The report lines as the register sends them: 0xAA, the line's text, 0x0A, all counted in the
// offsets. Bytes 1 to 7 mean nothing to us; the number that places a line starts at offset 8.
inline constexpr std::size_t ReportNumberOffset = 8;
// A line this long or longer is an article line; the first shorter one starts the subgroups.
inline constexpr std::size_t ArticleLineMinLength = 67;

// Where one field stands in a line: its first offset and how many characters it has. A width of
// 0 means the model's line has no such field.
struct LineField {
    std::size_t offset = 0;
    std::size_t width = 0;
};

// One model's article line, in the order the fields are taken from it.
struct ArticleLineLayout {
    std::size_t numberWidth; // digits of the article number at offset 8
    LineField name;
    LineField barcode;
    LineField price;
    LineField taxGroup;
    LineField subgroup;
    LineField paymentType;
    LineField turnover;
    LineField sales;
    LineField stock;
};

struct SubgroupLineLayout {
    LineField name;
    LineField price;
    LineField taxGroup;
    LineField turnover;
};

// The layouts of a model index 0 to 9.
const ArticleLineLayout& ArticleLayoutOf(int model);
const SubgroupLineLayout& SubgroupLayoutOf(int model);

// At most count characters of the line from offset on. The line ends at its last byte or at a
// NUL byte, whichever comes first, as it did when it was a C string; a slice that starts at or
// behind that end is empty.
std::string CopySlice(std::string_view line, std::size_t offset, std::size_t count);

// The slice read as a signed decimal number, leading white space and a sign allowed: the number
// when it takes up the whole slice, else -1. An empty slice reads as 0.
long ParseSliceNumber(std::string_view line, std::size_t offset, std::size_t count);

// Fills one row of the Report table from an article line of the model. Every field must have its
// full width, else the line is dropped and the row keeps what it had; so does a row outside the
// table's data rows. True when the row was filled.
bool ParseArticleReportLine(IGridAccess& table, std::string_view line, int row, int model);

// The same for one row of the SubgroupReport table from a subgroup line.
bool ParseSubgroupReportLine(IGridAccess& table, std::string_view line, int row, int model);

} // namespace tillora
