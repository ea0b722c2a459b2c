// tillora-ecr-sim with table files: started with tables, reporting them, and writing what it
// holds after a confirmed transfer and on exit.

#include "Frames.h"
#include "RawDevice.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "link/Checksum.h"
#include "sim/SimReport.h"
#include "sim/SimTableFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tillora::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

using Device = test::RawDevice;

std::string Command(char letter) {
    std::string frame = "\xAA"
                        "000123";
    frame += letter;
    AppendChecksum(frame);
    return frame;
}

std::string Ack() {
    const Bytes ack = test::AckFrame();
    return {ack.begin(), ack.end()};
}

std::string ReadFile(const std::filesystem::path& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

const std::string ArticlesFile = "3\tSOL\t380000000003\t0.89\t\xC1\t2\t0\t10.000\r\n"
                                 "12\tOLIO\t\t3.49\t\xC0\t\t\t\r\n";

TEST(SimTablesE2ETest, StartsWithItsTablesReportsThemAndSavesWhatItWasSent) {
    test::TempFolder folder("simtables-e2e");
    const std::filesystem::path articles = folder.Path() / "start.txt";
    std::ofstream(articles, std::ios::binary) << ArticlesFile;
    const std::filesystem::path saved = folder.Path() / "saved";

    test::SimProcess sim(
        {"--serial", "123", "--articles", articles.string(), "--save-dir", saved.string()});
    ASSERT_FALSE(sim.Device().empty());
    Device device(sim.Device());
    ASSERT_TRUE(device.IsOpen());

    SimTables expected;
    std::string error;
    ASSERT_TRUE(LoadSimTable(expected, 0, TableKind::Articles, articles.string(), error)) << error;
    std::string report = Ack();
    for (const std::string& line : ReportLines(expected, 0, "000123")) {
        report += line;
    }
    ASSERT_TRUE(device.Write(Command('f')));
    EXPECT_EQ(device.Read(report.size()), report);

    // Operator 2, then the transfer's end and the acknowledgement of its confirmation.
    std::string record = "\xAA"
                         "000123o2PETAR       *";
    AppendChecksum(record);
    ASSERT_TRUE(device.Write(Command('a')));
    EXPECT_EQ(device.Read(10), Ack());
    ASSERT_TRUE(device.Write(record));
    EXPECT_EQ(device.Read(10), Ack());
    ASSERT_TRUE(device.Write(Command('z')));
    EXPECT_EQ(device.Read(10 + 23).substr(0, 10), Ack());
    ASSERT_TRUE(device.Write(Ack()));
    // The tables are written before the answer to the next frame leaves.
    ASSERT_TRUE(device.Write(Command('a')));
    EXPECT_EQ(device.Read(10), Ack());
    EXPECT_EQ(ReadFile(saved / "operators.txt"), "2\tPETAR\r\n");
    EXPECT_EQ(ReadFile(saved / "articles.txt"), ArticlesFile);
    EXPECT_TRUE(std::filesystem::exists(saved / "subgroups.txt"));
    EXPECT_TRUE(std::filesystem::exists(saved / "company.txt"));

    // Records taken since are written on exit.
    std::string another = "\xAA"
                          "000123o3MARIA       *";
    AppendChecksum(another);
    ASSERT_TRUE(device.Write(another));
    EXPECT_EQ(device.Read(10), Ack());
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(ReadFile(saved / "operators.txt"), "2\tPETAR\r\n3\tMARIA\r\n");
}

TEST(SimTablesE2ETest, TableFileThatCannotBeReadStopsTheStart) {
    test::TempFolder folder("simtables-e2e");
    const test::ProgramResult result = test::RunProgram(
        "tillora-ecr-sim", {"--operators", (folder.Path() / "missing.txt").string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("tillora-ecr-sim: "), std::string::npos) << result.err;
}

} // namespace
} // namespace tillora::sim
