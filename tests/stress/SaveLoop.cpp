// Saves one file over and over, for a test that kills it in the middle of a save:
//   tillora-save-loop table|ini TARGET [--once A|B]
// table writes a full articles table, alternating two contents; ini rewrites one key of an
// existing INI file, alternating two values. A line goes to stdout after every completed write.
// With --once the program writes the one variant and stops, which gives the test the complete
// files to compare with.
#include "QuietFeedback.h"
#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace tillora;

constexpr const char* IniSection = "Stress";
constexpr const char* IniKey = "Value";

std::string IniValue(char variant) {
    return variant == 'A' ? std::string("alpha-") + std::string(300, 'a')
                          : std::string("beta-") + std::string(40, 'b');
}

// Every row filled, so that a save takes long enough to be caught half-way.
void FillArticles(CCellGrid& grid, char variant) {
    const int shift = variant == 'A' ? 0 : 7;
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        const int n = r + shift;
        grid.SetItemText(r, 1, std::string(1, variant) + " article " + std::to_string(n));
        grid.SetItemText(r, 2, std::to_string(100000 + n));
        grid.SetItemText(r, 3, std::to_string(n % 500) + "." + std::to_string(n % 100));
        grid.SetItemText(r, 4, variant == 'A' ? "\xC0" : "\xC1");
        grid.SetItemText(r, 5, std::to_string(n % 10));
        grid.SetItemText(r, 6, std::to_string((n + 1) % 10));
        grid.SetItemText(r, 7, std::to_string(n % 1000) + ".5");
    }
}

using Writer = std::function<bool(char variant)>;

Writer TableWriterFor(const std::string& target) {
    auto grids = std::make_shared<std::pair<CCellGrid, CCellGrid>>();
    SetupTable(grids->first, TableKind::Articles);
    SetupTable(grids->second, TableKind::Articles);
    FillArticles(grids->first, 'A');
    FillArticles(grids->second, 'B');
    return [grids, target](char variant) {
        test::QuietFeedback feedback;
        const TableWriter writer(variant == 'A' ? grids->first : grids->second);
        return writer.WriteTableFile(target, feedback);
    };
}

Writer IniWriterFor(const std::string& target) {
    return [target](char variant) {
        EcrIniFile ini(target);
        return ini.WriteString(IniSection, IniKey, IniValue(variant));
    };
}

int Loop(const Writer& write) {
    for (unsigned long count = 0;; ++count) {
        const char variant = count % 2 == 0 ? 'A' : 'B';
        if (!write(variant)) {
            std::fprintf(stderr, "write %lu failed\n", count);
            return 1;
        }
        std::printf("%c %lu\n", variant, count);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool once = argc == 5 && std::string(argv[3]) == "--once";
    if ((argc != 3 && !once) ||
        (once && std::string(argv[4]) != "A" && std::string(argv[4]) != "B")) {
        std::fprintf(stderr, "usage: tillora-save-loop table|ini TARGET [--once A|B]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string target = argv[2];
    ConnectionSettings().EcrType = 0;
    Writer write;
    if (mode == "table") {
        write = TableWriterFor(target);
    } else if (mode == "ini") {
        write = IniWriterFor(target);
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    if (once) {
        return write(argv[4][0]) ? 0 : 1;
    }
    return Loop(write);
}
