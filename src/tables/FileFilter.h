#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tillora {

// One line of a file dialog's filter: what the user reads and the name patterns it stands for.
struct FileFilterLine {
    std::string description;
    std::vector<std::string> patterns;
};

// The lines of a filter as the string table keeps it: "description|patterns|...||", the patterns
// of a line separated by ";".
std::vector<FileFilterLine> ParseFileFilter(std::string_view filter);

// One line as a name filter of today's file dialogs, "description (pattern pattern)": a pattern
// list at the end of the description is replaced by the line's own, "*.*" stands for every file
// ("*"), and where file names are case-sensitive, "*.txt" also takes "*.TXT" (files made on
// Windows).
std::string NameFilter(const FileFilterLine& line, bool caseSensitiveNames);

// The extension that the line's first pattern names ("csv" for "*.csv"), which a saved file is
// given when its name has none: for a line of every file, the first line's; empty when no line
// names one.
std::string FilterExtension(std::string_view filter, int line);

// Every line of the filter, in order.
std::vector<std::string> NameFilters(std::string_view filter, bool caseSensitiveNames);

} // namespace tillora
