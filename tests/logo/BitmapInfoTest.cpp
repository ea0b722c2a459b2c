#include "logo/BitmapInfo.h"
#include "BitmapWriter.h"
#include "ScriptedLine.h"
#include "TempFolder.h"
#include "link/FileReplace.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

using test::BitmapShape;
using test::TempFolder;

class BitmapInfoTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto path = folder.Path() / name;
        test::WriteBytes(path, bytes);
        return PathToUtf8(path);
    }
    std::string WriteShape(const std::string& name, const BitmapShape& shape) {
        return Write(name, test::BitmapFile(shape));
    }

    TempFolder folder{"tillora-bitmap"};
};

TEST_F(BitmapInfoTest, MonochromeReceiptPicture) {
    const auto inspection = InspectBitmap(WriteShape("mono.bmp", BitmapShape{224, 80, 1}));
    ASSERT_EQ(inspection.status, BitmapStatus::Ok);
    EXPECT_EQ(inspection.info.width, 224u);
    EXPECT_EQ(inspection.info.height, 80u);
    EXPECT_EQ(inspection.info.bitsPerPixel, 1u);
    EXPECT_EQ(inspection.info.colours, 2u);
    EXPECT_EQ(inspection.info.fileSize, 2302u);
}

TEST_F(BitmapInfoTest, ColourDepthsGiveTheirColourCounts) {
    const auto four = InspectBitmap(WriteShape("four.bmp", BitmapShape{30, 20, 4}));
    ASSERT_TRUE(four.Ok());
    EXPECT_EQ(four.info.colours, 16u);
    EXPECT_EQ(four.info.width, 30u);
    EXPECT_EQ(four.info.height, 20u);

    const auto eight = InspectBitmap(WriteShape("eight.bmp", BitmapShape{17, 5, 8}));
    ASSERT_TRUE(eight.Ok());
    EXPECT_EQ(eight.info.bitsPerPixel, 8u);
    EXPECT_EQ(eight.info.colours, 256u);

    const auto rgb = InspectBitmap(WriteShape("rgb.bmp", BitmapShape{16, 16, 24}));
    ASSERT_TRUE(rgb.Ok());
    EXPECT_EQ(rgb.info.bitsPerPixel, 24u);
    EXPECT_EQ(rgb.info.colours, 16777216u);
    EXPECT_EQ(rgb.info.fileSize, 54u + 48u * 16u);
}

TEST_F(BitmapInfoTest, ThirtyTwoBitsGiveAllBitsSet) {
    const auto inspection = InspectBitmap(WriteShape("argb.bmp", BitmapShape{4, 3, 32}));
    ASSERT_TRUE(inspection.Ok());
    EXPECT_EQ(inspection.info.colours, 4294967295u);
    EXPECT_EQ(ColourCount(32), 4294967295u);
    EXPECT_EQ(ColourCount(48), 4294967295u);
    EXPECT_EQ(ColourCount(1), 2u);
}

TEST_F(BitmapInfoTest, TopDownHeightIsTakenAbsolute) {
    BitmapShape shape{114, 80, 1};
    shape.topDown = true;
    const auto inspection = InspectBitmap(WriteShape("topdown.bmp", shape));
    ASSERT_TRUE(inspection.Ok());
    EXPECT_EQ(inspection.info.width, 114u);
    EXPECT_EQ(inspection.info.height, 80u);
}

TEST_F(BitmapInfoTest, Os2CoreHeaderForm) {
    BitmapShape shape{40, 12, 4};
    shape.os2Form = true;
    const auto bytes = test::BitmapFile(shape);
    ASSERT_EQ(bytes[14], 12); // the core header's own size
    const auto inspection = InspectBitmap(Write("os2.bmp", bytes));
    ASSERT_EQ(inspection.status, BitmapStatus::Ok);
    EXPECT_EQ(inspection.info.width, 40u);
    EXPECT_EQ(inspection.info.height, 12u);
    EXPECT_EQ(inspection.info.bitsPerPixel, 4u);
    EXPECT_EQ(inspection.info.colours, 16u);
    EXPECT_EQ(inspection.info.fileSize, bytes.size());
}

TEST_F(BitmapInfoTest, LongerInformationHeaderIsAccepted) {
    // A 108-byte header: the 40-byte fields, then colour space data.
    auto bytes = test::BitmapFile({8, 2, 24});
    bytes[14] = 108;
    bytes.insert(bytes.begin() + 54, 68, 0);
    bytes[10] = static_cast<std::uint8_t>(bytes[10] + 68);
    const auto inspection = InspectBitmap(Write("v4.bmp", bytes));
    ASSERT_TRUE(inspection.Ok());
    EXPECT_EQ(inspection.info.width, 8u);
    EXPECT_EQ(inspection.info.height, 2u);
}

TEST_F(BitmapInfoTest, MissingFileIsUnreadable) {
    EXPECT_EQ(InspectBitmap(PathToUtf8(folder.Path() / "none.bmp")).status,
              BitmapStatus::Unreadable);
    EXPECT_EQ(InspectBitmap(PathToUtf8(folder.Path())).status, BitmapStatus::Unreadable);
}

TEST_F(BitmapInfoTest, OtherFilesAreNoBitmaps) {
    EXPECT_EQ(InspectBitmap(Write("text.bmp", test::Bytes("GIF89a and then more bytes..."))).status,
              BitmapStatus::NotBitmap);
    EXPECT_EQ(InspectBitmap(Write("empty.bmp", std::vector<std::uint8_t>{})).status,
              BitmapStatus::NotBitmap);
    auto badHeader = test::BitmapFile({8, 8, 1});
    badHeader[14] = 20; // neither the core header nor an information header
    EXPECT_EQ(InspectBitmap(Write("header.bmp", badHeader)).status, BitmapStatus::NotBitmap);
    auto noWidth = test::BitmapFile({8, 8, 1});
    noWidth[18] = 0;
    EXPECT_EQ(InspectBitmap(Write("width.bmp", noWidth)).status, BitmapStatus::NotBitmap);
}

TEST_F(BitmapInfoTest, FilesCutShortAreTruncated) {
    const auto whole = test::BitmapFile({224, 80, 1});
    const auto cut = [&](std::size_t length) {
        return std::vector<std::uint8_t>(whole.begin(), whole.begin() + length);
    };
    EXPECT_EQ(InspectBitmap(Write("a.bmp", cut(10))).status, BitmapStatus::Truncated);
    EXPECT_EQ(InspectBitmap(Write("b.bmp", cut(30))).status, BitmapStatus::Truncated);
    EXPECT_EQ(InspectBitmap(Write("c.bmp", cut(62))).status, BitmapStatus::Truncated);
    EXPECT_EQ(InspectBitmap(Write("d.bmp", cut(whole.size() - 1))).status, BitmapStatus::Truncated);
    EXPECT_EQ(InspectBitmap(Write("e.bmp", whole)).status, BitmapStatus::Ok);
}

} // namespace
} // namespace tillora
