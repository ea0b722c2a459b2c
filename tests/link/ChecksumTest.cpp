#include "link/Checksum.h"
#include "link/Link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tillora {
namespace {

std::vector<std::uint8_t> CommandFrame(const std::string& serial, char letter) {
    std::string frame = "\xAA" + serial + letter;
    AppendChecksum(frame);
    return {frame.begin(), frame.end()};
}

TEST(ChecksumTest, CommandFramesOfTheWorkedExample) {
    EXPECT_EQ(CommandFrame("000123", 'a'),
              (std::vector<std::uint8_t>{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x61, 0x3C, 0x3B,
                                         0x0A}));
    EXPECT_EQ(CommandFrame("000123", 'f'),
              (std::vector<std::uint8_t>{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x66, 0x3C, 0x3C,
                                         0x0A}));
    EXPECT_EQ(CommandFrame("000123", 'z'),
              (std::vector<std::uint8_t>{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x7A, 0x3D, 0x30,
                                         0x0A}));
}

TEST(ChecksumTest, AcknowledgementOfTheWorkedExample) {
    std::uint8_t ack[11] = {0x06, '0', '0', '0', '1', '2', '3'};
    AppendChecksum(ack, 7);
    EXPECT_EQ(std::vector<std::uint8_t>(ack, ack + 11),
              (std::vector<std::uint8_t>{0x06, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x30, 0x36, 0x0A,
                                         0x00}));
}

TEST(ChecksumTest, EncodingUsesColonToQuestionMarkForTenToFifteen) {
    std::uint8_t chars[2];
    EncodeChecksum(0xCB, chars);
    EXPECT_EQ(chars[0], ';' + 1); // 12 -> '<'
    EXPECT_EQ(chars[1], ';');     // 11 -> ';'
    EncodeChecksum(0x00, chars);
    EXPECT_EQ(chars[0], '0');
    EXPECT_EQ(chars[1], '0');
    EncodeChecksum(0xFA, chars);
    EXPECT_EQ(chars[0], '?');
    EXPECT_EQ(chars[1], ':');
}

TEST(ChecksumTest, EveryByteSurvivesEncodingAndDecoding) {
    for (unsigned value = 0; value < 256; ++value) {
        std::uint8_t chars[2];
        EncodeChecksum(static_cast<std::uint8_t>(value), chars);
        EXPECT_EQ(DecodeChecksum(chars[0], chars[1]), value);
    }
}

TEST(ChecksumTest, DecodingKeepsOnlyTheLowFourBitsOfEachCharacter) {
    // A receiver does not insist on the 0x30 prefix.
    EXPECT_EQ(DecodeChecksum(0x06, 0x46), 0x66);
    EXPECT_EQ(DecodeChecksum(0x3A, 0x36), 0xA6);
}

} // namespace
} // namespace tillora
