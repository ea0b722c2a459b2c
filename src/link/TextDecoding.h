#pragma once

#include <string>
#include <string_view>

namespace tillora {

// How a text file from elsewhere (an editor, a spreadsheet) is encoded, as far as its bytes tell.
enum class TextEncoding {
    Cp1251,  // the program's own 8-bit text, or anything not recognised below
    Utf8,    // valid UTF-8 holding a multi-byte character, with or without a byte-order mark
    Utf16Le, // behind the byte-order mark FF FE
    Utf16Be, // behind the byte-order mark FE FF
};

// A byte-order mark decides; without one, text counts as UTF-8 when every byte above 127 forms
// a UTF-8 sequence, which Bulgarian Windows-1251 text practically never does (two Cyrillic
// letters in a row never form one).
TextEncoding DetectTextEncoding(std::string_view bytes);

// The text as Windows-1251, without its byte-order mark; a character Windows-1251 cannot hold,
// or a sequence that is not well formed, becomes "?".
std::string TextAsCp1251(std::string_view bytes);

// The same for bytes the user says are in that encoding; its byte-order mark, if any, is left out.
std::string TextAsCp1251(std::string_view bytes, TextEncoding encoding);

} // namespace tillora
