#include "cli/Terminal.h"
#include "link/PlatformFiles.h"
#include "link/StopRequest.h"

#include <fcntl.h>
#include <io.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

namespace tillora::cli {
namespace {

// The console behind the stream; null when the stream goes to a file or a pipe.
HANDLE ConsoleOf(std::FILE* stream) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != FALSE ? handle
                                                                                    : nullptr;
}

void WriteConsole(HANDLE console, const std::wstring& text) {
    DWORD written = 0;
    WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

} // namespace

bool IsTerminal(std::FILE* stream) {
    return ConsoleOf(stream) != nullptr;
}

void PrepareStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// main's arguments are in the ANSI code page, which cannot hold every file name (Cyrillic under
// a Western code page): the command line is taken again as UTF-16.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(Utf8FromWide(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

// A console shows UTF-16 characters whatever its code page; a file or a pipe gets UTF-8.
void WriteText(std::FILE* stream, std::string_view text) {
    const HANDLE console = ConsoleOf(stream);
    if (console == nullptr) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    std::fflush(stream);
    WriteConsole(console, WideFromUtf8(text));
}

// The console may not take terminal escapes: the line is blanked to the window's width.
void ClearTerminalLine(std::FILE* stream) {
    const HANDLE console = ConsoleOf(stream);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (console == nullptr || GetConsoleScreenBufferInfo(console, &info) == FALSE) {
        return;
    }
    std::fflush(stream);
    const int width = info.srWindow.Right - info.srWindow.Left + 1;
    WriteConsole(console, L"\r" +
                              std::wstring(static_cast<std::size_t>(std::max(width - 1, 0)), L' ') +
                              L"\r");
}

} // namespace tillora::cli

namespace tillora::cli {
namespace {

CStopRequest* interruptStop = nullptr;

// Runs on a thread of its own that the system starts; the first press asks for the stop, a second
// one is left to the default handler, which ends the program.
BOOL WINAPI RequestStop(DWORD event) {
    if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || interruptStop->IsRequested()) {
        return FALSE;
    }
    interruptStop->Request();
    return TRUE;
}

} // namespace

void StopOnInterrupt(CStopRequest& stop) {
    interruptStop = &stop;
    SetConsoleCtrlHandler(RequestStop, TRUE);
}

} // namespace tillora::cli
