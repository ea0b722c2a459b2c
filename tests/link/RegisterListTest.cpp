#include "link/RegisterList.h"

#include "RecordingFeedback.h"
#include "TempFolder.h"
#include "link/Cp1251.h"
#include "link/EcrIniFile.h"
#include "res/StringIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tillora {
namespace {

using ::testing::ElementsAre;

// The list lives in an INI file that also holds the register in use and other sections.
class RegisterListTest : public ::testing::Test {
protected:
    RegisterListTest() {
        std::ofstream(Path(), std::ios::binary) << "[ECR]\r\nEcrType=2\r\nEcrCom=1\r\nEcrSerial="
                                                   "555\r\n\r\n[logoman]\r\nimage=x.bmp\r\n";
    }
    std::string Path() const { return (temp.Path() / "t.ini").string(); }
    std::string Contents() const {
        std::ifstream in(Path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static NamedRegister Register(const std::string& utf8Name, unsigned serial) {
        NamedRegister reg;
        reg.name = Utf8ToCp1251(utf8Name);
        reg.settings = {6, 2, serial};
        return reg;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const NamedRegister& reg : LoadRegisters(ini)) {
            names.push_back(Cp1251ToUtf8(reg.name));
        }
        return names;
    }

    test::TempFolder temp{"tillora-registers"};
    EcrIniFile ini{Path()};
};

TEST_F(RegisterListTest, FileWithoutListHasNoRegistersAndKeepsItsRegisterInUse) {
    EXPECT_TRUE(LoadRegisters(ini).empty());
    EXPECT_FALSE(FindRegister(ini, "A").has_value());
    const EcrSettings inUse = LoadEcrSettings(ini);
    EXPECT_EQ(inUse.EcrSerial, 555u);
}

TEST_F(RegisterListTest, CyrillicNamesRoundTripAsWindows1251AndLeaveOtherSectionsAlone) {
    const std::string before = Contents();
    NamedRegister shop = Register("Магазин Лозенец", 123);
    shop.port = "/dev/ttyUSB1";
    shop.frameGapMs = 40;
    ASSERT_TRUE(SaveRegister(ini, shop));
    ASSERT_TRUE(SaveRegister(ini, Register("Каса 2", 456)));

    EXPECT_THAT(Names(), ElementsAre("Магазин Лозенец", "Каса 2"));
    EXPECT_TRUE(Contents().starts_with(before));
    EXPECT_NE(Contents().find("[Register:" + Utf8ToCp1251("Магазин Лозенец") +
                              "]\r\nEcrType=6\r\nEcrCom=2\r\nEcrSerial=123\r\nFrameGapMs=40\r\n"
                              "Port=/dev/ttyUSB1\r\n"),
              std::string::npos);
    const std::optional<NamedRegister> found = FindRegister(ini, Utf8ToCp1251("магазин ЛОЗЕНЕЦ"));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->settings.EcrSerial, 123u);
    EXPECT_EQ(found->port, "/dev/ttyUSB1");
    EXPECT_EQ(found->frameGapMs, 40u);
    EXPECT_EQ(LoadEcrSettings(ini).EcrSerial, 555u);
}

TEST_F(RegisterListTest, SavingANameAgainInAnyCaseReplacesTheRegister) {
    ASSERT_TRUE(SaveRegister(ini, Register("Каса", 1)));
    ASSERT_TRUE(SaveRegister(ini, Register("Б", 2)));
    ASSERT_TRUE(SaveRegister(ini, Register("КАСА", 3)));
    EXPECT_THAT(Names(), ElementsAre("Б", "КАСА"));
    EXPECT_EQ(FindRegister(ini, Utf8ToCp1251("каса"))->settings.EcrSerial, 3u);
}

TEST_F(RegisterListTest, RemovingTakesTheWholeSectionAndOnlyIt) {
    ASSERT_TRUE(SaveRegister(ini, Register("А", 1)));
    ASSERT_TRUE(SaveRegister(ini, Register("Б", 2)));
    EXPECT_EQ(RemoveRegister(ini, Utf8ToCp1251("а")), RemoveResult::Removed);
    EXPECT_EQ(RemoveRegister(ini, Utf8ToCp1251("а")), RemoveResult::NotFound);
    EXPECT_THAT(Names(), ElementsAre("Б"));
    EXPECT_EQ(Contents().find("EcrSerial=1\r\n"), std::string::npos);
    EXPECT_NE(Contents().find("image=x.bmp"), std::string::npos);
}

// The settings dialog's checks, in its order, after the name's own.
TEST_F(RegisterListTest, ChecksNameThenModelThenPortThenSerial) {
    struct Case {
        std::string name;
        EcrSettings settings;
        std::string port;
        unsigned expected;
    };
    const std::vector<Case> cases = {
        {"A", {0, 0, 1}, "", 0},
        {"A", {9, 3, 999999}, "", 0},
        {"A", {5, 17, 12}, "/dev/ttyUSB0", 0}, // a named port stands in for the COM index
        {"", {0, 0, 1}, "", ids::RegisterNameInvalid},
        {" A", {0, 0, 1}, "", ids::RegisterNameInvalid},
        {"A]B", {0, 0, 1}, "", ids::RegisterNameInvalid},
        {std::string(65, 'x'), {0, 0, 1}, "", ids::RegisterNameInvalid},
        {"A", {10, 9, 0}, "", ids::NoModel},
        {"A", {0, 4, 0}, "", ids::NoComPort},
        {"A", {0, 0, 0}, "", ids::NoSerial},
        {"A", {0, 0, 1000000}, "", ids::NoSerial},
    };
    for (const Case& c : cases) {
        test::RecordingFeedback feedback;
        const NamedRegister reg{c.name, c.settings, c.port, 100};
        EXPECT_EQ(CheckRegister(reg, &feedback), c.expected) << c.name << " " << c.settings.EcrType;
        EXPECT_EQ(feedback.messages.size(), c.expected == 0 ? 0u : 1u);
    }
}

} // namespace
} // namespace tillora
