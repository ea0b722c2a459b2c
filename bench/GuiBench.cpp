// How fast the desktop program reads, pastes, copies, shows, pages and prints the full articles
// table, and how much memory its window with six full tables takes. Offscreen; each figure is
// printed beside its target.

#include "FullTables.h"
#include "QuietFeedback.h"
#include "grid/GridPrinter.h"
#include "link/EcrSettings.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <QApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace tillora::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int Runs = 5;

bool g_allMet = true;

void Report(const char* figure, double value, const char* unit, double target) {
    const bool met = value <= target;
    g_allMet = g_allMet && met;
    std::printf("%-58s %9.1f %-3s  target <= %5.0f %-3s  %s\n", figure, value, unit, target, unit,
                met ? "met" : "MISSED");
}

// A figure of work that did not do what it should is worth nothing: say so, and fail.
void Check(bool holds, const char* what) {
    if (!holds) {
        std::printf("check failed: %s\n", what);
        g_allMet = false;
    }
}

double MillisecondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The median of several runs, each after its own preparation, which is not timed.
double MedianMs(const std::function<void()>& prepare, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        prepare();
        times.push_back(MillisecondsOf(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool WriteFile(const QString& path, const std::string& text) {
    std::ofstream file(path.toStdString(), std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

QFont TableFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(14);
    return font;
}

// Without a window: the core's file read into the cells, and printing them.
void CoreFigures(const QString& folder) {
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    FillCells(articles);
    const QString file = folder + QStringLiteral("/articles.txt");
    if (!WriteFile(file, TableFileText(articles))) {
        std::printf("cannot write %s\n", qPrintable(file));
        g_allMet = false;
        return;
    }

    CCellGrid cells;
    SetupTable(cells, TableKind::Articles);
    CMemoryGridAccess access(cells);
    TableReader reader(access);
    test::QuietFeedback feedback;
    const double read = MedianMs([&] { ClearTable(cells); },
                                 [&] { reader.ReadTableFile(file.toStdString(), feedback); });
    Check(feedback.messages == 0 && cells.GetItemText(2600, 7) == articles.GetItemText(2600, 7),
          "the file read fills the last row");
    Report("read a 2600-row articles file into the cells", read, "ms", 50);

    const QString pdf = folder + QStringLiteral("/articles.pdf");
    CGridPrinter printer(articles, QStringLiteral("Tillora"), TableFont());
    const double print = MedianMs([] {},
                                  [&] {
                                      QPdfWriter writer(pdf);
                                      writer.setPageSize(QPageSize(QPageSize::A4));
                                      printer.Print(writer);
                                  });
    std::printf("  (%d pages)\n", printer.GetPageCount());
    Report("print the full articles table to PDF", print, "ms", 3000);
}

} // namespace
} // namespace tillora::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tillora::ConnectionSettings().EcrType = 0;
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    tillora::bench::CoreFigures(folder.path());
    return tillora::bench::g_allMet ? 0 : 1;
}
