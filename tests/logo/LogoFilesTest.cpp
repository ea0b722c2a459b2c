#include "logo/LogoFiles.h"
#include "BitmapWriter.h"
#include "TempFolder.h"
#include "link/EcrIniFile.h"
#include "link/FileReplace.h"
#include "link/IniLocation.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

using test::BitmapShape;
using test::TempFolder;

class LogoFilesTest : public ::testing::Test {
protected:
    std::string Picture(const std::string& name, const BitmapShape& shape) {
        const auto path = folder.Path() / name;
        test::WriteBitmap(path, shape);
        return PathToUtf8(path);
    }
    std::string Remembered() const {
        return EcrIniFile(ini.GetPath()).GetString("logoman", "image", "<unset>");
    }

    TempFolder folder{"tillora-logo-files"};
    EcrIniFile ini{PathToUtf8(folder.Path() / "tillora.ini")};
};

TEST_F(LogoFilesTest, RememberedPathIsReadAndWritten) {
    EXPECT_EQ(RememberedLogoPath(ini), "");
    ASSERT_TRUE(RememberLogoPath(ini, "pictures/logo one.bmp"));
    EXPECT_EQ(Remembered(), "pictures/logo one.bmp");
    EXPECT_EQ(RememberedLogoPath(EcrIniFile(ini.GetPath())), "pictures/logo one.bmp");
    const auto text = ReadWholeFile(Utf8Path(ini.GetPath()));
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("[logoman]"), std::string::npos);
    EXPECT_NE(text->find("image=pictures/logo one.bmp"), std::string::npos);
}

TEST_F(LogoFilesTest, HintGivesTheModelsExpectedSize) {
    EXPECT_EQ(LogoSizeHint(5), "Ширина: 384   Височина: 80   Цвята: 2");
    EXPECT_EQ(LogoSizeHint(8), "Ширина: 114   Височина: 80   Цвята: 2");
    EXPECT_EQ(LogoSizeHint(9), "Ширина: 114   Височина: 80   Цвята: 2");
    for (int model : {0, 1, 2, 3, 4, 6, 7}) {
        EXPECT_EQ(LogoSizeHint(model), "Ширина: 224   Височина: 80   Цвята: 2") << model;
        EXPECT_EQ(ExpectedLogoSize(model).width, 224u);
    }
    EXPECT_EQ(ExpectedLogoSize(5).height, 80u);
    EXPECT_EQ(ExpectedLogoSize(8).colours, 2u);
}

TEST_F(LogoFilesTest, DefaultPicturePerModel) {
    const std::filesystem::path base = Utf8Path("programs");
    const auto expected = [&](const char* name) { return PathToUtf8(base / "EcrLogo" / name); };
    EXPECT_EQ(DefaultLogoPath(5, "programs"), expected("Vexo2MZB.bmp"));
    EXPECT_EQ(DefaultLogoPath(7, "programs"), expected("Vexo1MRA.bmp"));
    EXPECT_EQ(DefaultLogoPath(8, "programs"), expected("Vexo1RV.bmp"));
    EXPECT_EQ(DefaultLogoPath(9, "programs"), expected("Vexo1MRV.bmp"));
    for (int model : {0, 1, 2, 3, 4, 6}) {
        EXPECT_EQ(DefaultLogoPath(model, "programs"), expected("VexoLogo.bmp")) << model;
    }
}

TEST_F(LogoFilesTest, DefaultFolderIsTheExecutables) {
    const auto executable = Utf8Path(ExecutablePath());
    ASSERT_FALSE(executable.empty());
    EXPECT_EQ(Utf8Path(DefaultLogoPath(5)), executable.parent_path() / "EcrLogo" / "Vexo2MZB.bmp");
}

// A build or a copy keeps the pictures beside the executable; an installed program in
// <prefix>/bin finds them in <prefix>/share/tillora.
TEST_F(LogoFilesTest, DefaultsAreBesideTheExecutableElseInTheInstalledDataFolder) {
    const std::filesystem::path bin = folder.Path() / "bin";
    const std::filesystem::path share = folder.Path() / "share" / "tillora";
    struct Case {
        bool beside;
        bool installed;
        std::filesystem::path base;
    };
    const Case cases[] = {
        {true, true, bin}, {false, true, share}, {false, false, bin}, {true, false, bin}};
    for (const Case& c : cases) {
        std::filesystem::remove_all(bin);
        std::filesystem::remove_all(folder.Path() / "share");
        std::filesystem::create_directories(bin);
        if (c.beside) {
            std::filesystem::create_directories(bin / "EcrLogo");
        }
        if (c.installed) {
            std::filesystem::create_directories(share / "EcrLogo");
        }
        EXPECT_EQ(Utf8Path(DefaultLogoBase(PathToUtf8(bin))), c.base) << c.beside << c.installed;
    }
    EXPECT_EQ(DefaultLogoBase(""), "");
}

TEST_F(LogoFilesTest, LoadingAFileRemembersItAndDescribesIt) {
    const std::string path = Picture("logo.bmp", BitmapShape{224, 80, 1});
    CurrentPicture picture;
    EXPECT_EQ(picture.Colours(), 0u);
    ASSERT_TRUE(picture.Load(path, ini));
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_FALSE(picture.IsBuiltIn());
    EXPECT_EQ(picture.Path(), path);
    ASSERT_TRUE(picture.Info().has_value());
    EXPECT_EQ(picture.Info()->fileSize, 2302u);
    EXPECT_EQ(picture.Colours(), 2u);
    EXPECT_EQ(picture.InformationLine(), "Ширина: 224   Височина: 80   Цвята: 2");
    EXPECT_EQ(Remembered(), path);
}

TEST_F(LogoFilesTest, FailedLoadLeavesNoPictureAndTheIniAsItWas) {
    const std::string good = Picture("good.bmp", BitmapShape{16, 16, 24});
    CurrentPicture picture;
    ASSERT_TRUE(picture.Load(good, ini));
    EXPECT_FALSE(picture.Load(PathToUtf8(folder.Path() / "missing.bmp"), ini));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Path(), "");
    EXPECT_FALSE(picture.Info().has_value());
    EXPECT_EQ(picture.LastFailure(), BitmapStatus::Unreadable);
    EXPECT_EQ(Remembered(), good);
    // The colour count and the information line stay those of the last file.
    EXPECT_EQ(picture.Colours(), 16777216u);
    EXPECT_EQ(picture.InformationLine(), "Ширина: 16   Височина: 16   Цвята: 16777216");
}

TEST_F(LogoFilesTest, DiscardLeavesNoPictureButKeepsWhatTheLastFileSaid) {
    const std::string path = Picture("logo.bmp", BitmapShape{20, 10, 4});
    CurrentPicture picture;
    ASSERT_TRUE(picture.Load(path, ini));
    picture.Discard();
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Path(), "");
    EXPECT_FALSE(picture.Info().has_value());
    EXPECT_EQ(picture.Colours(), 16u);
    EXPECT_EQ(picture.InformationLine(), "Ширина: 20   Височина: 10   Цвята: 16");
    EXPECT_EQ(Remembered(), path);
}

TEST_F(LogoFilesTest, BuiltInPictureIsRememberedAsEmpty) {
    const std::string path = Picture("logo.bmp", BitmapShape{20, 10, 4});
    CurrentPicture picture;
    ASSERT_TRUE(picture.Load(path, ini));
    ASSERT_TRUE(picture.Load("", ini));
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_TRUE(picture.IsBuiltIn());
    EXPECT_FALSE(picture.Info().has_value());
    EXPECT_EQ(Remembered(), "");
    EXPECT_EQ(picture.Colours(), 16u);
    EXPECT_EQ(picture.InformationLine(), "Ширина: 20   Височина: 10   Цвята: 16");
}

TEST_F(LogoFilesTest, StartTakesRememberedThenDefaultThenBuiltIn) {
    const std::string remembered = Picture("mine.bmp", BitmapShape{8, 8, 1});
    std::filesystem::create_directories(folder.Path() / "EcrLogo");
    const std::string byDefault = Picture("EcrLogo/Vexo2MZB.bmp", BitmapShape{384, 80, 1});
    const std::string programs = PathToUtf8(folder.Path());

    CurrentPicture picture;
    RememberLogoPath(ini, remembered);
    LoadStartPicture(picture, ini, 5, programs);
    EXPECT_EQ(picture.Path(), remembered);

    std::filesystem::remove(Utf8Path(remembered));
    LoadStartPicture(picture, ini, 5, programs);
    EXPECT_EQ(Utf8Path(picture.Path()), Utf8Path(byDefault));
    EXPECT_EQ(Utf8Path(Remembered()), Utf8Path(byDefault));

    RememberLogoPath(ini, remembered);
    LoadStartPicture(picture, ini, 8, programs); // no default picture for model 8 there
    EXPECT_TRUE(picture.IsBuiltIn());
    EXPECT_EQ(Remembered(), "");

    // Nothing remembered, or the built-in picture remembered: the default still comes first.
    LoadStartPicture(picture, ini, 5, programs);
    EXPECT_EQ(Utf8Path(picture.Path()), Utf8Path(byDefault));
    EXPECT_EQ(
        StartPictureCandidates(EcrIniFile(PathToUtf8(folder.Path() / "none.ini")), 5, programs),
        (std::vector<std::string>{DefaultLogoPath(5, programs), ""}));
}

} // namespace
} // namespace tillora
