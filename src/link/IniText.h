#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tillora::ini {

// The text of an INI file read and edited the way the Windows private-profile functions do it:
// lines end at a line feed (a CR LF pair included), "[section]" lines open sections, "key=value"
// lines hold values, lines starting with ';' or '#' are comments. Sections and keys match without
// regard to ASCII case, and the first matching section and the first matching key in it count.

// The key's value, trimmed of blanks, tabs and carriage returns (as names are) and freed of one
// pair of enclosing quotes; nothing when the section or the key is missing.
std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// The text with the key set to value. An existing key keeps its spelling and its place; a new key
// goes after the last non-blank line of its section, a new section at the end of the text. Every
// other line stays byte for byte. New lines end like the text's first line, or with
// newLineEnding when the text has no line break yet.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value, std::string_view newLineEnding);

// The names of the sections in the order the text has them; a name that comes again (in any
// case) is listed once, as only its first section counts.
std::vector<std::string> SectionNames(std::string_view text);

// The text with the section's lines replaced by "[section]" and the entries, in their order; a
// section not there yet goes at the end of the text, as SetValue puts one.
std::string ReplaceSection(std::string_view text, std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           std::string_view newLineEnding);

// The text without the section: its header and every line up to the next section, comments
// included, as deleting a section with the Windows functions does. The text as it was when the
// section is not there.
std::string RemoveSection(std::string_view text, std::string_view section);

} // namespace tillora::ini
