#include "link/EcrIniFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace tillora {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
const std::string NativeBreak = "\r\n";
#else
const std::string NativeBreak = "\n";
#endif

// A fresh folder per test, removed afterwards.
class EcrIniFileTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

    // The file "test.ini" in the folder with exactly these bytes.
    EcrIniFile FileWith(const std::string& text) const {
        std::ofstream(PathOf("test.ini"), std::ios::binary) << text;
        return EcrIniFile(PathOf("test.ini"));
    }

    std::string Contents() const { return ContentsOf(PathOf("test.ini")); }

    static std::string ContentsOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    test::TempFolder m_temp{"tillora-ini"};
    fs::path m_folder = m_temp.Path();
};

TEST_F(EcrIniFileTest, MissingFileOrKeyGivesTheDefault) {
    const EcrIniFile missing(PathOf("none.ini"));
    EXPECT_EQ(missing.GetInt("ECR", "EcrType", -1), -1);
    EXPECT_EQ(missing.GetUnsigned("ECR", "EcrSerial", 77), 77u);
    EXPECT_EQ(missing.GetString("logoman", "image", "x.bmp"), "x.bmp");

    const EcrIniFile ini = FileWith("[ECR]\nEcrCom=2\n[Other]\nEcrType=5\n");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), -1); // only in another section
    EXPECT_EQ(ini.GetInt("Missing", "EcrCom", 9), 9);
    EXPECT_EQ(ini.GetString("ECR", "Nothing", "d"), "d");
}

TEST_F(EcrIniFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    const EcrIniFile ini = FileWith("[ecr]\necrtype=3\nECRCOM=1\n");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), 3);
    EXPECT_EQ(ini.GetInt("Ecr", "EcrCom", -1), 1);
}

TEST_F(EcrIniFileTest, FirstMatchingSectionAndKeyCount) {
    const EcrIniFile ini = FileWith("[ECR]\nEcrType=1\necrtype=2\n[ecr]\nEcrType=3\nEcrCom=2\n");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), 1);
    EXPECT_EQ(ini.GetInt("ECR", "EcrCom", -1), -1);
}

TEST_F(EcrIniFileTest, LinesAreTrimmedAndQuotesRemoved) {
    const EcrIniFile ini = FileWith(" \t[ logoman ]  \n"
                                    "  image \t=  C:\\logo.bmp \t\n"
                                    "double=\" padded \"\n"
                                    "single=' x '\n"
                                    "mixed=\"x'\n"
                                    "lone=\"\n"
                                    "empty=\n"
                                    "bare\n");
    EXPECT_EQ(ini.GetString("logoman", "image", ""), "C:\\logo.bmp");
    EXPECT_EQ(ini.GetString("logoman", "double", ""), " padded ");
    EXPECT_EQ(ini.GetString("logoman", "single", ""), " x ");
    EXPECT_EQ(ini.GetString("logoman", "mixed", ""), "\"x'");
    EXPECT_EQ(ini.GetString("logoman", "lone", ""), "\"");
    EXPECT_EQ(ini.GetString("logoman", "empty", "d"), "");
    EXPECT_EQ(ini.GetString("logoman", "bare", "d"), "");
}

TEST_F(EcrIniFileTest, CommentsAndKeysBeforeAnySectionAreNotKeys) {
    const EcrIniFile ini = FileWith("EcrType=7\n[ECR]\n;EcrType=1\n  # EcrCom=2\nEcrSerial=5\n");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), -1);
    EXPECT_EQ(ini.GetInt("ECR", ";EcrType", -1), -1);
    EXPECT_EQ(ini.GetInt("ECR", "EcrCom", -1), -1);
    EXPECT_EQ(ini.GetInt("ECR", "EcrSerial", -1), 5);
}

TEST_F(EcrIniFileTest, ReadsCrLfFilesAndSkipsAByteOrderMark) {
    const EcrIniFile ini = FileWith("\xEF\xBB\xBF[ECR]\r\nEcrType=4\r\nEcrSerial=123\r\n");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), 4);
    EXPECT_EQ(ini.GetUnsigned("ECR", "EcrSerial", 0), 123u);
    EXPECT_EQ(ini.GetString("ECR", "EcrType", ""), "4");
}

TEST_F(EcrIniFileTest, ALoneCarriageReturnAtALineEndIsWhiteSpace) {
    const EcrIniFile ini = FileWith("[ECR\r\nEcrType=4\r\r\n\r\nEcrCom \r= 2\n"
                                    "[logoman]\nimage=C:\\a.bmp\r");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), 4);
    EXPECT_EQ(ini.GetString("ECR", "EcrType", ""), "4");
    EXPECT_EQ(ini.GetInt("ECR", "EcrCom", -1), 2);
    EXPECT_EQ(ini.GetString("logoman", "image", ""), "C:\\a.bmp");
}

TEST_F(EcrIniFileTest, WriteAfterALastLineEndingInALoneCarriageReturnReadsBack) {
    // The line feed the write puts behind the CR must not make "[ECR" another section.
    EcrIniFile ini = FileWith("[ECR\r");
    ASSERT_TRUE(ini.WriteInt("ECR", "FrameGapMs", 250));
    EXPECT_EQ(Contents(), "[ECR\r" + NativeBreak + "FrameGapMs=250" + NativeBreak);
    EXPECT_EQ(ini.GetInt("ECR", "FrameGapMs", -1), 250);

    EcrIniFile blankEnd = FileWith("[ECR]\nEcrType=1\n\r");
    ASSERT_TRUE(blankEnd.WriteInt("ECR", "EcrCom", 3));
    EXPECT_EQ(Contents(), "[ECR]\nEcrType=1\nEcrCom=3\n\r");
    EXPECT_EQ(blankEnd.GetInt("ECR", "EcrCom", -1), 3);
}

TEST_F(EcrIniFileTest, PathThatIsNoReadableFileReadsAsEmpty) {
    fs::create_directory(PathOf("folder.ini"));
    const EcrIniFile ini(PathOf("folder.ini"));
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), -1);
    EXPECT_EQ(ini.GetString("ECR", "EcrType", "d"), "d");
}

TEST_F(EcrIniFileTest, GetIntParsesLikeThePrivateProfileFunction) {
    const EcrIniFile ini = FileWith("[N]\nminus=-1\nplus=+7\nlead=' 42'\ntail=12abc\n"
                                    "letters=abc\nsign=-\nempty=\nhex=0x1F\n"
                                    "huge=99999999999\ntiny=-99999999999\n");
    EXPECT_EQ(ini.GetInt("N", "minus", 5), -1);
    EXPECT_EQ(ini.GetInt("N", "plus", 5), 7);
    EXPECT_EQ(ini.GetInt("N", "lead", 5), 42);
    EXPECT_EQ(ini.GetInt("N", "tail", 5), 12);
    EXPECT_EQ(ini.GetInt("N", "letters", 5), 0);
    EXPECT_EQ(ini.GetInt("N", "sign", 5), 0);
    EXPECT_EQ(ini.GetInt("N", "empty", 5), 5);
    EXPECT_EQ(ini.GetInt("N", "hex", 5), 0);
    EXPECT_EQ(ini.GetInt("N", "huge", 5), std::numeric_limits<int>::max());
    EXPECT_EQ(ini.GetInt("N", "tiny", 5), std::numeric_limits<int>::min());
}

TEST_F(EcrIniFileTest, GetUnsignedStopsAtTheFirstNonDigitAndNeverWraps) {
    const EcrIniFile ini = FileWith("[N]\nlargest=4294967295\nabove=4294967296\n"
                                    "far=99999999999\ntail=12abc\nletters=abc\nminus=-5\n"
                                    "empty=\nzeros=000123\n");
    EXPECT_EQ(ini.GetUnsigned("N", "largest", 1), 4294967295u);
    EXPECT_EQ(ini.GetUnsigned("N", "above", 1), 4294967295u);
    EXPECT_EQ(ini.GetUnsigned("N", "far", 1), 4294967295u);
    EXPECT_EQ(ini.GetUnsigned("N", "tail", 1), 12u);
    EXPECT_EQ(ini.GetUnsigned("N", "letters", 1), 0u);
    EXPECT_EQ(ini.GetUnsigned("N", "minus", 1), 0u);
    EXPECT_EQ(ini.GetUnsigned("N", "empty", 1), 0u); // present, so not the default
    EXPECT_EQ(ini.GetUnsigned("N", "zeros", 1), 123u);
    EXPECT_EQ(ini.GetUnsigned("N", "missing", 4000000000u), 4000000000u);
}

TEST_F(EcrIniFileTest, WriteReplacesAValueInPlaceAndKeepsEverythingElse) {
    const std::string before = "; settings\n"
                               "[logoman]\n"
                               "image = C:\\a.bmp\n"
                               "\n"
                               "[ecr]\n"
                               "  ecrTYPE = 2 \n"
                               "# keep me\n"
                               "Other=\"x\"\n";
    EcrIniFile ini = FileWith(before);
    ASSERT_TRUE(ini.WriteInt("ECR", "EcrType", -1));
    EXPECT_EQ(Contents(), "; settings\n"
                          "[logoman]\n"
                          "image = C:\\a.bmp\n"
                          "\n"
                          "[ecr]\n"
                          "ecrTYPE=-1\n"
                          "# keep me\n"
                          "Other=\"x\"\n");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", 0), -1);
}

TEST_F(EcrIniFileTest, NewKeyGoesAtTheEndOfItsSectionBeforeItsBlankLines) {
    EcrIniFile ini = FileWith("[ECR]\nEcrType=1\n; note\n\n\n[logoman]\nimage=a.bmp\n");
    ASSERT_TRUE(ini.WriteUnsigned("ECR", "EcrSerial", 4294967295u));
    EXPECT_EQ(Contents(),
              "[ECR]\nEcrType=1\n; note\nEcrSerial=4294967295\n\n\n[logoman]\nimage=a.bmp\n");
    ASSERT_TRUE(ini.WriteString("logoman", "folder", "C:\\logos"));
    EXPECT_EQ(Contents(), "[ECR]\nEcrType=1\n; note\nEcrSerial=4294967295\n\n\n"
                          "[logoman]\nimage=a.bmp\nfolder=C:\\logos\n");
}

TEST_F(EcrIniFileTest, NewSectionGoesAtTheEndOfTheFile) {
    EcrIniFile ini = FileWith("[logoman]\nimage=a.bmp");
    ASSERT_TRUE(ini.WriteInt("ECR", "EcrType", 3));
    EXPECT_EQ(Contents(), "[logoman]\nimage=a.bmp\n\n[ECR]\nEcrType=3\n");
    ASSERT_TRUE(ini.WriteInt("ECR", "EcrCom", 0));
    EXPECT_EQ(Contents(), "[logoman]\nimage=a.bmp\n\n[ECR]\nEcrType=3\nEcrCom=0\n");
}

TEST_F(EcrIniFileTest, ExistingLineBreaksAreKeptAndNewFilesUseThePlatformOnes) {
    EcrIniFile crlf = FileWith("[ECR]\r\nEcrType=1\r\n");
    ASSERT_TRUE(crlf.WriteInt("ECR", "EcrType", 2));
    ASSERT_TRUE(crlf.WriteInt("ECR", "EcrCom", 1));
    ASSERT_TRUE(crlf.WriteString("logoman", "image", "b.bmp"));
    EXPECT_EQ(Contents(), "[ECR]\r\nEcrType=2\r\nEcrCom=1\r\n\r\n[logoman]\r\nimage=b.bmp\r\n");

    EcrIniFile fresh(PathOf("new.ini"));
    ASSERT_TRUE(fresh.WriteInt("ECR", "EcrType", 0));
    EXPECT_EQ(ContentsOf(PathOf("new.ini")), "[ECR]" + NativeBreak + "EcrType=0" + NativeBreak);
}

TEST_F(EcrIniFileTest, ValueEndsAtALineBreakSoItCannotAddKeys) {
    EcrIniFile ini = FileWith("[logoman]\n");
    ASSERT_TRUE(ini.WriteString("logoman", "image", "a.bmp\n[ECR]\r\nEcrType=1"));
    EXPECT_EQ(Contents(), "[logoman]\nimage=a.bmp\n");
    EXPECT_EQ(ini.GetInt("ECR", "EcrType", -1), -1);
}

TEST_F(EcrIniFileTest, SuccessfulWritesLeaveNoTemporaryFile) {
    EcrIniFile ini(PathOf("test.ini"));
    ASSERT_TRUE(ini.WriteInt("ECR", "EcrType", 1));
    ASSERT_TRUE(ini.WriteInt("ECR", "EcrType", 2));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"test.ini"});
}

TEST_F(EcrIniFileTest, WriteThatCannotReplaceTheTargetFailsAndLeavesItAlone) {
    // A folder where the file should be: the rename over it fails after the temporary file is
    // complete, which must then go again.
    fs::create_directory(PathOf("test.ini"));
    std::ofstream(PathOf("test.ini") + "/inside", std::ios::binary) << "kept";
    EcrIniFile ini(PathOf("test.ini"));
    EXPECT_FALSE(ini.WriteInt("ECR", "EcrType", 1));
    EXPECT_TRUE(fs::is_directory(PathOf("test.ini")));
    EXPECT_EQ(ContentsOf(PathOf("test.ini") + "/inside"), "kept");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"test.ini"});
}

TEST_F(EcrIniFileTest, WriteIntoAMissingFolderFails) {
    EcrIniFile ini(PathOf("missing/test.ini"));
    EXPECT_FALSE(ini.WriteInt("ECR", "EcrType", 1));
    EXPECT_FALSE(fs::exists(PathOf("missing")));
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(EcrIniFileTest, WriteIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
    EcrIniFile ini = FileWith("[ECR]\nEcrType=1\n");
    fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(PathOf("probe"))) {
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    EXPECT_FALSE(ini.WriteInt("ECR", "EcrType", 2));
    EXPECT_EQ(Contents(), "[ECR]\nEcrType=1\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"test.ini"});
}

#ifndef _WIN32
TEST_F(EcrIniFileTest, WriteThroughALinkChangesTheFileItNames) {
    FileWith("[ECR]\nEcrType=1\n");
    fs::create_symlink(PathOf("test.ini"), PathOf("link.ini"));
    EcrIniFile ini(PathOf("link.ini"));
    ASSERT_TRUE(ini.WriteInt("ECR", "EcrType", 2));
    EXPECT_TRUE(fs::is_symlink(PathOf("link.ini")));
    EXPECT_EQ(Contents(), "[ECR]\nEcrType=2\n");
}
#endif

} // namespace
} // namespace tillora
