#pragma once

#include <string>

namespace tillora {

// The shortest decimal text that reads back as exactly this value, never with an exponent:
// 12.5 gives "12.5", 1e11 gives "100000000000" (a barcode typed as a number keeps its digits).
std::string ShortestDecimal(double value);

} // namespace tillora
