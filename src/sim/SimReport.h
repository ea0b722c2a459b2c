#pragma once

#include "sim/SimTables.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::sim {

// Bytes 1 to 7 of every report line: the register's serial and this letter, the answer to "f".
inline constexpr char ReportLineLetter = 'f';

// The report the register sends after acknowledging "f", in the line layouts of the model: one
// line per article it holds, in ascending order, then one line per subgroup 0 to 9. Each line is
// a whole frame: 0xAA, the serial's six digits, the letter, the fields at their offsets with
// blanks between them, two checksum characters over the bytes before them, 0x0A.
//
// Model 1 numbers its articles with three digits: articles 1 to 999 as themselves, articles 1000
// to 1999 as 000 to 999 behind the line of article 999, which is therefore sent, empty, when the
// register holds articles past 999 but not 999 itself. Articles from 2000 on have no number there
// and are left out.
std::vector<std::string> ReportLines(const SimTables& tables, int model,
                                     const std::string& serialDigits);

// One article line, numbered as given (the number's last three digits for model 1).
std::string ArticleReportLine(const SimArticle& article, unsigned lineNumber, int model,
                              const std::string& serialDigits);

// One subgroup line with the subgroup's turnover.
std::string SubgroupReportLine(const SimSubgroup& subgroup, unsigned digit, std::uint64_t turnover,
                               int model, const std::string& serialDigits);

// The turnover of a subgroup: that of the articles in it (an article without a subgroup counts
// in subgroup 0, as its line shows).
std::uint64_t SubgroupTurnover(const SimTables& tables, unsigned digit);

} // namespace tillora::sim
