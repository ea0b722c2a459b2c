#include "sheets/NumberText.h"

#include <array>
#include <charconv>

namespace tillora {

std::string ShortestDecimal(double value) {
    // The largest double in fixed notation has 309 digits before the point.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value + 0.0,
                                      std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buffer.data(), result.ptr) : std::string();
}

} // namespace tillora
