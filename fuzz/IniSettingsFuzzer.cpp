// An INI file read for the settings, then one key written: the value must read back and every
// other line stay as it was.
#include "FuzzSupport.h"
#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/PortSettings.h"

#include <algorithm>
#include <vector>

using namespace tillora;

namespace {

// Lines with their line ends, split after every LF.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return text;
}

// A line naming the key, after the white space (blanks, tabs, carriage returns) before it.
bool IsGapKeyLine(const std::string& bare) {
    const std::string lower = Lower(bare);
    const std::size_t first = lower.find_first_not_of(" \t\r");
    return first != std::string::npos && lower.compare(first, 10, "framegapms") == 0;
}

// Whether the new text is the old one with the key's line replaced or with lines added, and
// nothing else changed. The unchanged lines are the common head and tail of both texts; between
// them at most one old line, naming the key, may go, and only the key's, the section's or blank
// lines may come.
bool KeepsOtherLines(const std::string& before, const std::string& after) {
    std::vector<std::string> old = LinesOf(before);
    std::vector<std::string> now = LinesOf(after);
    for (std::string& line : old) {
        line = WithoutLineEnd(line);
    }
    for (std::string& line : now) {
        line = WithoutLineEnd(line);
    }
    std::size_t head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    const std::size_t gone = old.size() - head - tail;
    if (gone > 1 || (gone == 1 && !IsGapKeyLine(old[head]))) {
        return false;
    }
    for (std::size_t i = head; i < now.size() - tail; ++i) {
        if (!now[i].empty() && now[i] != "[" + std::string(EcrSection) + "]" &&
            Lower(now[i]) != "framegapms=250") {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::ScratchPath("tillora.ini");
    const std::string before(fuzz::AsText(data, size));
    fuzz::WriteBytes(path, before);

    EcrIniFile ini(path);
    LoadEcrSettings(ini);
    LoadFrameGapMs(ini);
    LoadPortDevices(ini);

    const std::string value = "250";
    if (!ini.WriteString(EcrSection, "FrameGapMs", value)) {
        return 0;
    }
    fuzz::Check(ini.GetString(EcrSection, "FrameGapMs", "none") == value,
                "the value written does not read back");
    fuzz::Check(LoadFrameGapMs(ini) == 250, "the gap written does not read back");
    const std::string after = fuzz::ReadBytes(path);
    fuzz::Check(KeepsOtherLines(before, after), "a line other than the key's changed");
    return 0;
}
