#pragma once

#include "link/Feedback.h"
#include "res/StringTable.h"

#include <cstdio>
#include <string>
#include <type_traits>

namespace tillora {

// Fills the printf directives of a string-table format. Only numbers and C strings may go in,
// which is all that the register's messages use.
template <typename... Args> std::string FormatText(std::string_view format, Args... args) {
    static_assert(((std::is_arithmetic_v<Args> || std::is_same_v<Args, const char*>)&&...),
                  "message arguments are numbers or C strings");
    std::string fmt(format);
    if constexpr (sizeof...(Args) == 0) {
        return fmt;
    } else {
        const int size = std::snprintf(nullptr, 0, fmt.c_str(), args...);
        if (size <= 0) {
            return fmt;
        }
        std::string text(static_cast<std::size_t>(size) + 1, '\0');
        std::snprintf(text.data(), text.size(), fmt.c_str(), args...);
        text.resize(static_cast<std::size_t>(size));
        return text;
    }
}

// The string-table text of id with its directives filled from the arguments.
template <typename... Args> std::string FormatMessage(unsigned id, Args... args) {
    return FormatText(LoadString(id), args...);
}

// Shows the text of id with the error icon and an OK button.
template <typename... Args> void ShowError(IFeedback& feedback, unsigned id, Args... args) {
    feedback.ShowMessage(id, FormatMessage(id, args...), MessageIcon::Error);
}

} // namespace tillora
