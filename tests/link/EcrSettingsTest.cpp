#include "link/EcrSettings.h"
#include "link/EcrIniFile.h"
#include "link/RegisterModels.h"
#include "res/StringIds.h"

#include "RecordingFeedback.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tillora {
namespace {

namespace fs = std::filesystem;

// An INI file in a fresh folder, removed afterwards.
class EcrSettingsTest : public ::testing::Test {
protected:
    std::string IniPath() const { return (m_folder / "tillora.ini").string(); }

    EcrIniFile IniWith(const std::string& text) const {
        std::ofstream(IniPath(), std::ios::binary) << text;
        return EcrIniFile(IniPath());
    }

    std::string Contents() const {
        std::ifstream in(IniPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    test::TempFolder m_temp{"tillora-settings"};
    fs::path m_folder = m_temp.Path();
};

TEST(RegisterModelsTest, CatalogueNamesByIndex) {
    EXPECT_EQ(RegisterModelName(0), "Mirel Fintale");
    EXPECT_EQ(RegisterModelName(1), "Mirel Compact");
    EXPECT_EQ(RegisterModelName(2), "Vexo v1.00ZB / WEM 3001 v1.00ZB");
    EXPECT_EQ(RegisterModelName(3), "Vexo v2.00ZB /  WEM 3001 v1.00ZB");
    EXPECT_EQ(RegisterModelName(4), "Vexo M v1.00MZB / WEM 2001 v1.00MZB");
    EXPECT_EQ(RegisterModelName(5), "Vexo M v2.00MZB / WEM 2001 v2.00MZB");
    EXPECT_EQ(RegisterModelName(6), "Vexo v1.00RA / DOV 3001 v1.00RA");
    EXPECT_EQ(RegisterModelName(7), "Vexo M v1.00MRA / DOV 3003 v1.00MRA");
    EXPECT_EQ(RegisterModelName(8), "PANTO 02 v1.00RV");
    EXPECT_EQ(RegisterModelName(9), "PANTO 02 M v1.00MRV");
    EXPECT_EQ(RegisterModelName(-1), "");
    EXPECT_EQ(RegisterModelName(10), "");
    EXPECT_FALSE(IsValidRegisterModel(-1));
    EXPECT_TRUE(IsValidRegisterModel(0));
    EXPECT_TRUE(IsValidRegisterModel(9));
    EXPECT_FALSE(IsValidRegisterModel(10));
}

TEST_F(EcrSettingsTest, FirstStartWithoutAnIniFile) {
    const EcrSettings settings = LoadEcrSettings(EcrIniFile(IniPath()));
    EXPECT_EQ(settings.EcrType, -1);
    EXPECT_EQ(settings.EcrCom, 0);
    EXPECT_EQ(settings.EcrSerial, 0u);
    EXPECT_EQ(FrameTitle(settings), "Tillora");

    test::RecordingFeedback feedback;
    EXPECT_FALSE(ValidateEcrSettings(settings, &feedback));
    ASSERT_EQ(feedback.Ids(), std::vector<unsigned>{ids::NoModel});
    EXPECT_EQ(feedback.messages[0].text, "Моля задайте тип на касата в диалога за настройка!");
    EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Error);
}

TEST_F(EcrSettingsTest, ValuesLoadAsTheyAreEvenOutOfRange) {
    const EcrSettings settings =
        LoadEcrSettings(IniWith("[ecr]\necrtype=12\nEcrCom = 7\nEcrSerial=1234567\n"));
    EXPECT_EQ(settings.EcrType, 12);
    EXPECT_EQ(settings.EcrCom, 7);
    EXPECT_EQ(settings.EcrSerial, 1234567u);
    EXPECT_EQ(FrameTitle(settings), "Tillora");

    test::RecordingFeedback feedback;
    EXPECT_FALSE(ValidateEcrSettings(settings, &feedback));
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::NoModel});
}

TEST_F(EcrSettingsTest, SaveWritesTheThreeKeysInOrderAndKeepsOtherKeys) {
    EcrIniFile ini = IniWith("[logoman]\nimage=C:\\logo.bmp\n");
    ASSERT_TRUE(SaveEcrSettings(ini, {-1, 0, 0}));
    EXPECT_EQ(Contents(),
              "[logoman]\nimage=C:\\logo.bmp\n\n[ECR]\nEcrType=-1\nEcrCom=0\nEcrSerial=0\n");

    ASSERT_TRUE(SaveEcrSettings(ini, {3, 2, 123}));
    EXPECT_EQ(Contents(),
              "[logoman]\nimage=C:\\logo.bmp\n\n[ECR]\nEcrType=3\nEcrCom=2\nEcrSerial=123\n");
    const EcrSettings loaded = LoadEcrSettings(ini);
    EXPECT_EQ(loaded.EcrType, 3);
    EXPECT_EQ(loaded.EcrCom, 2);
    EXPECT_EQ(loaded.EcrSerial, 123u);
}

TEST_F(EcrSettingsTest, SaveFailsWhenTheFileCannotBeWritten) {
    EcrIniFile ini((m_folder / "missing" / "tillora.ini").string());
    EXPECT_FALSE(SaveEcrSettings(ini, {1, 1, 1}));
}

TEST_F(EcrSettingsTest, FrameGapIsAHundredWhenAbsentAndNeverNegative) {
    EXPECT_EQ(LoadFrameGapMs(EcrIniFile(IniPath())), 100u);
    EXPECT_EQ(LoadFrameGapMs(IniWith("[ECR]\nFrameGapMs=0\n")), 0u);
    EXPECT_EQ(LoadFrameGapMs(IniWith("[ECR]\nFrameGapMs=250\n")), 250u);
    EXPECT_EQ(LoadFrameGapMs(IniWith("[ECR]\nFrameGapMs=-5\n")), 0u);
    EXPECT_EQ(LoadFrameGapMs(IniWith("[ECR]\nFrameGapMs=\n")), 100u);
}

TEST(EcrValidationTest, ChecksModelThenComThenSerial) {
    struct Case {
        int model;
        int com;
        unsigned serial;
        unsigned id;
    };
    const std::vector<Case> cases = {
        {-1, 9, 0, ids::NoModel},   {10, 0, 1, ids::NoModel},
        {0, -1, 0, ids::NoComPort}, {9, 4, 1, ids::NoComPort},
        {0, 0, 0, ids::NoSerial},   {0, 3, 1000000, ids::NoSerial},
        {9, 3, 999999, 0},          {0, 0, 1, 0},
    };
    for (const Case& c : cases) {
        test::RecordingFeedback feedback;
        unsigned out = 77;
        const bool valid = ValidateEcrSettings(c.model, c.com, c.serial, &out, &feedback);
        EXPECT_EQ(valid, c.id == 0) << c.model << " " << c.com << " " << c.serial;
        EXPECT_EQ(feedback.Ids(), c.id == 0 ? std::vector<unsigned>{} : std::vector{c.id});
        EXPECT_EQ(out, c.id == 0 ? c.serial : 77u);
    }
}

TEST(EcrValidationTest, MessagesOnlyWhenAskedAndOutSerialOptional) {
    EXPECT_FALSE(ValidateEcrSettings(0, 5, 1, nullptr, nullptr));
    EXPECT_TRUE(ValidateEcrSettings(0, 0, 1, nullptr, nullptr));
    test::RecordingFeedback feedback;
    EXPECT_FALSE(ValidateEcrSettings(EcrSettings{1, 0, 0}, &feedback));
    ASSERT_EQ(feedback.Ids(), std::vector<unsigned>{ids::NoSerial});
    EXPECT_EQ(feedback.messages[0].text,
              "Моля задайте валиден сериен номер в диалога за настройка на касата!");
}

TEST(FrameTitleTest, ShowsModelPortAndSixDigitSerial) {
    EXPECT_EQ(FrameTitle({0, 0, 123}), "Tillora - [Mirel Fintale, COM1, 000123]");
    EXPECT_EQ(FrameTitle({3, 3, 999999}),
              "Tillora - [Vexo v2.00ZB /  WEM 3001 v1.00ZB, COM4, 999999]");
    EXPECT_EQ(FrameTitle({9, 1, 1234567}), "Tillora - [PANTO 02 M v1.00MRV, COM2, 1234567]");
    EXPECT_EQ(FrameTitle({-1, 0, 123}), "Tillora");
    EXPECT_EQ(FrameTitle({2, 0, 0}), "Tillora");
    EXPECT_EQ(FrameTitle({10, 0, 5}), "Tillora");
    EXPECT_EQ(FrameTitle({-2, 0, 5}), "Tillora");
}

TEST(SettingsDialogTest, SerialTextMustBeAPlainNumberFromOneTo999999) {
    const SettingsDialogCheck typed = CheckSettingsDialog(4, 1, "123");
    EXPECT_EQ(typed.messageId, 0u);
    EXPECT_EQ(typed.settings.EcrType, 4);
    EXPECT_EQ(typed.settings.EcrCom, 1);
    EXPECT_EQ(typed.settings.EcrSerial, 123u);
    EXPECT_EQ(SerialDigits(typed.settings.EcrSerial), "000123");
    EXPECT_EQ(FrameTitle(typed.settings),
              "Tillora - [Vexo M v1.00MZB / WEM 2001 v1.00MZB, COM2, 000123]");

    EXPECT_EQ(CheckSettingsDialog(0, 0, "000123").settings.EcrSerial, 123u);
    EXPECT_EQ(CheckSettingsDialog(0, 0, "999999").messageId, 0u);
    EXPECT_EQ(CheckSettingsDialog(0, 0, "999999").settings.EcrSerial, 999999u);
    for (const char* refused : {"0", "000000", "12a", "", "1000000", "-1", "+5", " 12", "12 ",
                                "99999999999999999999", "4294967297"}) {
        EXPECT_EQ(CheckSettingsDialog(0, 0, refused).messageId, ids::NoSerial) << refused;
    }
}

TEST(SettingsDialogTest, ChecksModelThenComThenSerial) {
    EXPECT_EQ(CheckSettingsDialog(-1, -1, "12a").messageId, ids::NoModel);
    EXPECT_EQ(CheckSettingsDialog(-1, 0, "123").messageId, ids::NoModel);
    EXPECT_EQ(CheckSettingsDialog(0, -1, "12a").messageId, ids::NoComPort);
    EXPECT_EQ(CheckSettingsDialog(0, 4, "123").messageId, ids::NoComPort);
    EXPECT_EQ(CheckSettingsDialog(9, 3, "0").messageId, ids::NoSerial);
}

TEST(SerialDigitsTest, SixDigitsWithLeadingZeros) {
    EXPECT_EQ(SerialDigits(0), "000000");
    EXPECT_EQ(SerialDigits(7), "000007");
    EXPECT_EQ(SerialDigits(999999), "999999");
}

TEST(ConnectionSettingsTest, OneProcessWideInstance) {
    EcrSettings& settings = ConnectionSettings();
    EXPECT_EQ(&settings, &ConnectionSettings());
    const EcrSettings saved = settings;
    settings.EcrSerial = 4242;
    EXPECT_EQ(ConnectionSettings().EcrSerial, 4242u);
    settings = saved;
}

} // namespace
} // namespace tillora
