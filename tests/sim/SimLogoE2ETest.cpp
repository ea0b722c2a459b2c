#include "RawDevice.h"
#include "SimProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tillora::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes AckOf123{0x06, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x30, 0x36, 0x0A};

Bytes FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The default logo beside the programs goes to the register as the logo manager sends it: the
// head, then the file in pieces of a hundredth of its size; the register writes what it took.
TEST(SimLogoE2ETest, DefaultLogoArrivesByteForByte) {
    const Bytes file = FileBytes(test::ProgramFolder() + "/EcrLogo/VexoLogo.bmp");
    ASSERT_EQ(file.size(), 2302u);
    test::TempFolder folder("tillora-logo");
    const std::string received = (folder.Path() / "logo.bmp").string();
    test::SimProcess sim({"--serial", "123", "--pace", "9600", "--logo-file", received});
    ASSERT_FALSE(sim.Device().empty());
    test::RawDevice device(sim.Device());
    ASSERT_TRUE(device.IsOpen());
    ASSERT_TRUE(device.Write(std::string("\xAA"
                                         "000123"
                                         "R")));
    const std::size_t piece = file.size() / 100;
    for (std::size_t i = 0; i < file.size(); i += piece) {
        const std::size_t n = std::min(piece, file.size() - i);
        ASSERT_TRUE(device.Write(Bytes(file.begin() + i, file.begin() + i + n)));
    }
    bool hungUp = false;
    EXPECT_EQ(device.Read(10, hungUp), AckOf123);
    EXPECT_EQ(FileBytes(received), file);
    EXPECT_EQ(sim.Stop(), 0);
}

} // namespace
} // namespace tillora::sim
