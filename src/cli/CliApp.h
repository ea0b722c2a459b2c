#pragma once

namespace tillora::cli {

// Runs tillora-cli with its command line; returns the exit status (0 success, 1 the operation
// failed with its message, 2 a usage error).
int RunCli(int argc, char** argv);

} // namespace tillora::cli
