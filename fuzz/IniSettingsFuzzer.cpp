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

// Whether the old lines, but for those naming the key, appear in the new text in their order.
bool KeepsOtherLines(const std::string& before, const std::string& after) {
    const std::vector<std::string> old = LinesOf(before);
    const std::vector<std::string> now = LinesOf(after);
    std::size_t n = 0;
    for (const std::string& line : old) {
        const std::string bare = WithoutLineEnd(line);
        auto it = std::find_if(now.begin() + static_cast<long>(n), now.end(),
                               [&](const std::string& l) { return WithoutLineEnd(l) == bare; });
        if (it == now.end()) {
            // Only the written key's line may change.
            std::string lower = bare;
            std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
                return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            });
            const std::size_t first = lower.find_first_not_of(" \t");
            if (first == std::string::npos || lower.compare(first, 10, "framegapms") != 0) {
                return false;
            }
            continue;
        }
        n = static_cast<std::size_t>(it - now.begin()) + 1;
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
