#include "link/LineOpener.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "support/RecordingFeedback.h"
#include "support/TempFolder.h"

#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

std::string Text(unsigned id) {
    return std::string(LoadString(id));
}

TEST(PortOpenDetailTest, NamesTheDeviceAndTheSystemsReason) {
    const std::error_code error = std::make_error_code(std::errc::io_error);
    EXPECT_EQ(PortOpenDetail("/dev/ttyUSB0", error),
              FormatMessage(ids::PortOpenDetail, "/dev/ttyUSB0", error.message().c_str()));
}

TEST(PortOpenDetailTest, APermissionRefusedSaysThatTheUserBelongsInTheDialoutGroup) {
    const std::string detail =
        PortOpenDetail("/dev/ttyS0", std::make_error_code(std::errc::permission_denied));
    EXPECT_THAT(detail, HasSubstr("/dev/ttyS0"));
    EXPECT_THAT(detail, HasSubstr("\r\n" + Text(ids::PortAdvicePermission)));
    EXPECT_THAT(Text(ids::PortAdvicePermission), HasSubstr("dialout"));
}

TEST(PortOpenDetailTest, AMissingOrBusyDeviceSaysWhatToLookAt) {
    EXPECT_THAT(
        PortOpenDetail("/dev/ttyUSB0", std::make_error_code(std::errc::no_such_file_or_directory)),
        HasSubstr(Text(ids::PortAdviceMissing)));
    EXPECT_THAT(PortOpenDetail("/dev/ttyUSB0", std::make_error_code(std::errc::no_such_device)),
                HasSubstr(Text(ids::PortAdviceMissing)));
    EXPECT_THAT(
        PortOpenDetail("/dev/ttyUSB0", std::make_error_code(std::errc::device_or_resource_busy)),
        HasSubstr(Text(ids::PortAdviceBusy)));
}

class OpenRegisterLineTest : public ::testing::Test {
protected:
    test::RecordingFeedback feedback;
    test::TempFolder temp{"tillora-open-line"};
};

TEST_F(OpenRegisterLineTest, AMissingDeviceKeepsTheMessageAndAddsTheDeviceAsDetail) {
    LineChoice choice;
    choice.comIndex = 1;
    choice.devices = {"/dev/null", (temp.Path() / "ttyUSB7").string(), "/dev/null", "/dev/null"};
    EXPECT_EQ(OpenRegisterLine(choice, feedback), nullptr);
    ASSERT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_EQ(feedback.messages[0].text, "COM2  не може да бъде отворен!");
    EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Error);
    // The system's own words for the reason differ between systems; the device and the advice
    // for a missing one do not.
    EXPECT_THAT(feedback.messages[0].detail, HasSubstr(choice.devices[1]));
    EXPECT_THAT(feedback.messages[0].detail, HasSubstr(Text(ids::PortAdviceMissing)));
}

TEST_F(OpenRegisterLineTest, ADeviceNamedDirectlyIsTheOneInTheDetail) {
    LineChoice choice;
    choice.device = (temp.Path() / "pts-gone").string();
    EXPECT_EQ(OpenRegisterLine(choice, feedback), nullptr);
    ASSERT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_THAT(feedback.messages[0].detail, HasSubstr(choice.device));
}

TEST_F(OpenRegisterLineTest, AFileThatIsNoSerialPortOpensButIsRefusedItsLineSettings) {
    const auto path = temp.Path() / "plain-file";
    { std::ofstream(path) << "x"; }
    LineChoice choice;
    choice.device = path.string();
    EXPECT_EQ(OpenRegisterLine(choice, feedback), nullptr);
    ASSERT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_THAT(feedback.messages[0].detail, HasSubstr(choice.device));
}

TEST_F(OpenRegisterLineTest, APortNumberOutsideTheListHasNoDeviceToName) {
    LineChoice choice;
    choice.comIndex = 4;
    EXPECT_EQ(OpenRegisterLine(choice, feedback), nullptr);
    ASSERT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_EQ(feedback.messages[0].text, "COM5  не може да бъде отворен!");
    EXPECT_EQ(feedback.messages[0].detail, "");
}

TEST_F(OpenRegisterLineTest, TheDeviceOfAChoice) {
    LineChoice choice;
    choice.devices = {"/dev/a", "/dev/b", "/dev/c", "/dev/d"};
    choice.comIndex = 2;
    EXPECT_EQ(DeviceOf(choice), "/dev/c");
    choice.comIndex = -1;
    EXPECT_EQ(DeviceOf(choice), "");
    choice.device = "/dev/pts/4";
    EXPECT_EQ(DeviceOf(choice), "/dev/pts/4");
    choice.demoLine = [] { return std::unique_ptr<ISerialLine>(); };
    EXPECT_EQ(DeviceOf(choice), "");
}

TEST_F(OpenRegisterLineTest, ADemoRegisterThatIsNotThereHasNoDetail) {
    LineChoice choice;
    choice.demoLine = [] { return std::unique_ptr<ISerialLine>(); };
    EXPECT_EQ(OpenRegisterLine(choice, feedback), nullptr);
    ASSERT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_THAT(feedback.messages[0].detail, Not(HasSubstr("/dev")));
    EXPECT_EQ(feedback.messages[0].detail, "");
}

} // namespace
} // namespace tillora
