#pragma once

#include <string_view>

namespace tillora {

// One line of a table file, taken apart as the reader does.

// The line without its line end: CR LF, LF CR, LF or CR.
std::string_view CutLineEnd(std::string_view line);
// The number of TAB characters in the line without its line end, plus one.
int FieldCount(std::string_view line);
// The text after the n-th TAB up to the next one (field 0: before the first); empty past the end.
std::string_view GetField(std::string_view line, int n);
// Field 0 as a decimal number: leading blanks and a sign are taken, and the number must fill the
// field. Anything else (an empty or blank field, a number too large for an int) is -1.
int ParseRowNumber(std::string_view line);

} // namespace tillora
