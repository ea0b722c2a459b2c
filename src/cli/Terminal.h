#pragma once

#include <cstdio>

namespace tillora::cli {

// Whether the stream is a terminal that a person reads and types at.
bool IsTerminal(std::FILE* stream);

} // namespace tillora::cli
