#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {
class CStopRequest;
}

namespace tillora::cli {

// Whether the stream is a terminal that a person reads and types at.
bool IsTerminal(std::FILE* stream);

// Standard streams carry bytes unchanged: a table file written to standard output is the file's
// bytes on every system, with no carriage return added before a line feed.
void PrepareStandardStreams();

// The program's arguments (without the program name) as UTF-8, whatever code page the system
// would hand to main.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Writes UTF-8 text: on a terminal as the characters it stands for, elsewhere as the bytes.
void WriteText(std::FILE* stream, std::string_view text);

// printf into WriteText.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void Print(std::FILE* stream, const char* format, ...);

// Takes the line the cursor is on off the terminal and puts the cursor at its start, so that a
// progress line can be written over.
void ClearTerminalLine(std::FILE* stream);

// From now on Ctrl+C (SIGINT; on Windows the console's Ctrl+C and Ctrl+Break) requests the stop
// instead of ending the program, so that a transfer ends between frames and says how far it
// came. A second Ctrl+C ends the program at once, as usual.
void StopOnInterrupt(CStopRequest& stop);

} // namespace tillora::cli
