#include "BitmapWriter.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::RunProgram;
using test::SimProcess;
using ::testing::HasSubstr;
using ::testing::Not;

std::string DefaultPicture(const std::string& name) {
    return test::ProgramFolder() + "/EcrLogo/" + name;
}

std::string Bitmap(const fs::path& path, const test::BitmapShape& shape) {
    test::WriteBitmap(path, shape);
    return path.string();
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class CliLogoE2ETest : public ::testing::Test {
protected:
    ProgramResult Cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--ini", Path("t.ini")});
        return RunProgram("tillora-cli", args);
    }
    ProgramResult On(const SimProcess& sim, std::vector<std::string> args) {
        args.insert(args.begin(),
                    {"--port", sim.Device(), "--model", "0", "--serial", "123", "--gap", "0"});
        return Cli(args);
    }
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }
    std::string Remembered() const {
        const std::string ini = ReadWholeFile(Path("t.ini")).value_or("");
        const std::size_t at = ini.find("image=");
        return at == std::string::npos ? "(none)" : ini.substr(at + 6, ini.find('\n', at) - at - 6);
    }
    std::string Log() const { return ReadWholeFile(Path("sim.log")).value_or(""); }

    test::TempFolder temp{"tillora-cli-logo"};
};

TEST_F(CliLogoE2ETest, TheDemoTakesTheModelsDefaultPicture) {
    const ProgramResult result = Cli({"--demo", "--model", "5", "logo", "--default"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string picture = DefaultPicture("Vexo2MZB.bmp");
    EXPECT_EQ(result.out, picture + ", 3902 байта\n" +
                              FormatMessage(ids::PictureSize, 384u, 80u, 2u) +
                              "\nСъвет: " + FormatMessage(ids::PictureSize, 384u, 80u, 2u) +
                              "\nЛогото е изпратено.\n");
    EXPECT_EQ(Remembered(), picture) << "the logo manager remembers what it loaded";
}

// The register stores what it took; it must be the file, byte for byte. The next command without
// a file sends the remembered one again.
TEST_F(CliLogoE2ETest, TheRegisterReceivesTheFileByteForByte) {
    const std::string picture = Bitmap(temp.Path() / "shop.bmp", {224, 80, 1});
    {
        SimProcess sim({"--serial", "123", "--logo-file", Path("got.bmp")});
        const ProgramResult result = On(sim, {"logo", picture});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "") << "a monochrome picture of 2302 bytes asks nothing";
        EXPECT_THAT(result.out, HasSubstr(FormatMessage(ids::PictureSize, 224u, 80u, 2u)));
    }
    EXPECT_EQ(ReadWholeFile(Path("got.bmp")), ReadWholeFile(picture));
    EXPECT_EQ(Remembered(), picture);

    fs::remove(Path("got.bmp"));
    {
        SimProcess sim({"--serial", "123", "--logo-file", Path("got.bmp")});
        EXPECT_EQ(On(sim, {"logo"}).status, 0);
    }
    EXPECT_EQ(ReadWholeFile(Path("got.bmp")), ReadWholeFile(picture));
}

TEST_F(CliLogoE2ETest, RefusalAndSilenceGiveTheirMessageOnce) {
    const std::string picture = DefaultPicture("VexoLogo.bmp");
    {
        SimProcess sim({"--serial", "123", "--refuse-frame", "1"});
        const ProgramResult result = On(sim, {"logo", picture});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(Count(result.err, FormatMessage(ids::RegisterRefused)), 1u) << result.err;
        EXPECT_THAT(result.out, Not(HasSubstr(FormatMessage(ids::CliLogoSent))));
    }
    {
        SimProcess sim({"--serial", "123", "--silent-from", "1"});
        const ProgramResult result = On(sim, {"logo", picture});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, FormatMessage(ids::AnswerTimeout) + "\n");
    }
}

// Answering No to the colour question sends nothing; the register's log stays empty.
TEST_F(CliLogoE2ETest, NoToTheColourQuestionSendsNothing) {
    const std::string picture = Bitmap(temp.Path() / "photo.bmp", {40, 20, 24});
    SimProcess sim({"--serial", "123", "--log", Path("sim.log")});
    const ProgramResult result = On(sim, {"--no", "logo", picture});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("Искате ли да продължите?\n[н]"));
    EXPECT_THAT(result.out, HasSubstr(FormatMessage(ids::PictureSize, 40u, 20u, 16777216u)));
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(Log(), "");
}

TEST_F(CliLogoE2ETest, APictureThatCannotBeLoadedIsNamedAndNotRemembered) {
    const std::string remembered = DefaultPicture("VexoLogo.bmp");
    ASSERT_EQ(Cli({"--demo", "logo", remembered}).status, 0);

    std::ofstream(Path("text.bmp")) << "not a picture\n";
    ProgramResult result = Cli({"--demo", "logo", Path("text.bmp")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, FormatMessage(ids::CliNotBitmap, Path("text.bmp").c_str()) + "\n");

    result = Cli({"--demo", "logo", Path("missing.bmp")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              FormatMessage(ids::FileNotOpenedForReading, Path("missing.bmp").c_str()) + "\n");
    EXPECT_EQ(Remembered(), remembered);
}

// The send takes the file the INI file names: when it cannot be written, the picture just loaded
// would not be the one sent, so nothing is.
TEST_F(CliLogoE2ETest, AnUnwritableIniFileSendsNothing) {
    const std::string ini = Path("missing-folder/t.ini");
    const ProgramResult result =
        RunProgram("tillora-cli", {"--ini", ini, "--demo", "logo", "--default"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, FormatMessage(ids::SettingsNotWritten, ini.c_str()) + "\n");
    EXPECT_THAT(result.out, Not(HasSubstr(FormatMessage(ids::CliLogoSent))));
}

TEST_F(CliLogoE2ETest, AFileAndTheDefaultTogetherAreAUsageError) {
    EXPECT_EQ(Cli({"--demo", "logo", "a.bmp", "--default"}).status, 2);
}

} // namespace
} // namespace tillora
