#include "cli/Terminal.h"

#include "link/StopRequest.h"

#include <csignal>
#include <unistd.h>

namespace tillora::cli {
namespace {

// What a signal handler may reach: set once, before the handler is installed.
CStopRequest* interruptStop = nullptr;

void RequestStop(int /*signal*/) {
    interruptStop->Request(); // an atomic store, safe in a handler
}

} // namespace

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

void PrepareStandardStreams() {}

// A POSIX terminal takes UTF-8 as it is, and arguments come as the bytes that were typed.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void WriteText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

void ClearTerminalLine(std::FILE* stream) {
    std::fputs("\r\033[K", stream);
}

} // namespace tillora::cli

namespace tillora::cli {

void StopOnInterrupt(CStopRequest& stop) {
    interruptStop = &stop;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // the second Ctrl+C ends the program
    sigaction(SIGINT, &action, nullptr);
}

} // namespace tillora::cli
