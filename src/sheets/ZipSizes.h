#pragma once

#include <string_view>

namespace tillora {

// Whether every entry of a zip archive claims a size it could have: a stored entry as large as
// its data, a deflated one at most as large as deflate can make that much data (1032 to 1).
// orcus sets aside an entry's claimed size before it inflates it, so a damaged size field would
// have it ask for gigabytes. False too where the archive's directory does not fit in the file.
bool HasPlausibleSizes(std::string_view zip);

} // namespace tillora
