#pragma once

#include <string>
#include <vector>

namespace tillora::cli {

// Runs tillora-cli with its arguments (UTF-8, without the program name); returns the exit status
// (0 success, 1 the operation failed with its message, 2 a usage error).
int RunCli(std::vector<std::string> arguments);

} // namespace tillora::cli
