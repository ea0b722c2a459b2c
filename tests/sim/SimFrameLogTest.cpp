#include "sim/SimFrameLog.h"
#include "link/Checksum.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tillora::sim {
namespace {

std::string PcFrame(char kind, const std::string& payload = "") {
    std::string frame = "\xAA"
                        "000123" +
                        std::string(1, kind) + payload;
    AppendChecksum(frame);
    return frame;
}

void Feed(CSimRegister& ecr, const std::string& bytes) {
    ecr.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string FileText(const std::filesystem::path& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

TEST(SimFrameLogTest, OneLinePerFrameWithKindReplyAndPayload) {
    SimFaults faults;
    faults.refuseFrame = 3;
    CSimRegister ecr(0, 123, faults);
    std::string ack = "\x06"
                      "000123";
    AppendChecksum(ack);
    Feed(ecr, PcFrame('a') + PcFrame('r', "0001A\\B \x22\xC0") + PcFrame('w', "1X") + PcFrame('z') +
                  ack + "\xAA?95\n" +
                  "\xAA"
                  "000123R" +
                  std::string("BM\x10\0\0\0", 6) + std::string(10, '\n'));
    EXPECT_EQ(RenderFrameLog(ecr), "1\ta\tack\t\n"
                                   "2\tr\tack\t0001A\\\\B \"\\xC0\n"
                                   "3\tw\tnak\t1X\n"
                                   "4\tz\tack\t\n"
                                   "5\tack\tnone\t000123\n"
                                   "6\t?\tinfo\t\n"
                                   "7\tR\tack\tBM\\x10\\x00\\x00\\x00\\x0A\\x0A\\x0A\\x0A\\x0A"
                                   "\\x0A\\x0A\\x0A\\x0A\\x0A\n");
}

TEST(SimFrameLogTest, FileIsRewrittenWithEveryUpdate) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("tillora-simlog-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / "frames.txt";
    CSimRegister ecr(0, 123);
    CFrameLogFile log(path.string());
    EXPECT_TRUE(log.Update(ecr));
    EXPECT_EQ(FileText(path), "");
    Feed(ecr, PcFrame('a'));
    EXPECT_TRUE(log.Update(ecr));
    EXPECT_EQ(FileText(path), "1\ta\tack\t\n");
    Feed(ecr, PcFrame('f'));
    EXPECT_TRUE(log.Update(ecr));
    EXPECT_EQ(FileText(path), "1\ta\tack\t\n2\tf\tack\t\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    CFrameLogFile nowhere((folder / "no-such-folder" / "frames.txt").string());
    EXPECT_FALSE(nowhere.Update(ecr));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tillora::sim
