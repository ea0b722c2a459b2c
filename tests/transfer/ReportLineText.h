#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tillora::test {

// A text placed at an offset of a report line.
struct Placed {
    std::size_t offset;
    std::string text;
};

// A report line as the register sends it: length bytes of filler, 0xAA first and 0x0A last, with
// the texts at their offsets. A text may reach the last byte, which the line feed then replaces.
inline std::string ReportLineText(std::size_t length, std::initializer_list<Placed> placed,
                                  char filler = ' ') {
    std::string line(length, filler);
    for (const Placed& p : placed) {
        if (p.offset + p.text.size() > length) {
            ADD_FAILURE() << "text at " << p.offset << " does not fit a line of " << length;
            continue;
        }
        line.replace(p.offset, p.text.size(), p.text);
    }
    line.front() = '\xAA';
    line.back() = '\n';
    return line;
}

inline std::vector<std::uint8_t> FrameBytes(const std::string& line) {
    return {line.begin(), line.end()};
}

} // namespace tillora::test
