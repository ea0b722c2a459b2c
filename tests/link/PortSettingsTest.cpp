#include "link/PortSettings.h"
#include "link/EcrIniFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tillora {
namespace {

class PortSettingsTest : public ::testing::Test {
protected:
    std::string Path() const { return (temp.Path() / "tillora.ini").string(); }
    std::string Contents() const {
        std::ifstream file(Path());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    test::TempFolder temp{"tillora-ports"};
};

TEST_F(PortSettingsTest, WithoutTheSectionEachPortHasItsDefault) {
    EXPECT_EQ(LoadPortDevices(EcrIniFile(Path())), DefaultPortDevices());
}

TEST_F(PortSettingsTest, TheSectionNamesTheDevicesItGivesAndAnEmptyOneIsTheDefault) {
    std::ofstream(Path()) << "[ports]\ncom1=\ncom2=/dev/ttyUSB0\n";
    PortDevices expected = DefaultPortDevices();
    expected[1] = "/dev/ttyUSB0";
    EXPECT_EQ(LoadPortDevices(EcrIniFile(Path())), expected);
}

TEST_F(PortSettingsTest, OnlyTheDevicesThatChangedAreWritten) {
    std::ofstream(Path()) << "[ECR]\nEcrType=3\n[Ports]\nCOM1=/dev/ttyACM0\n";
    EcrIniFile ini(Path());
    PortDevices devices = LoadPortDevices(ini);
    devices[2] = "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0";
    ASSERT_TRUE(SavePortDevices(ini, devices));
    EXPECT_EQ(LoadPortDevices(ini), devices);
    EXPECT_EQ(Contents(), "[ECR]\nEcrType=3\n[Ports]\nCOM1=/dev/ttyACM0\n"
                          "COM3=/dev/serial/by-id/usb-FTDI_FT232R-if00-port0\n");
}

TEST_F(PortSettingsTest, NothingChangedWritesNothing) {
    EcrIniFile ini(Path());
    ASSERT_TRUE(SavePortDevices(ini, DefaultPortDevices()));
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(PortSettingsTest, AFileThatCannotBeWrittenIsSaid) {
    EcrIniFile ini((temp.Path() / "no-folder" / "tillora.ini").string());
    PortDevices devices = DefaultPortDevices();
    devices[0] = "/dev/ttyUSB0";
    EXPECT_FALSE(SavePortDevices(ini, devices));
}

} // namespace
} // namespace tillora
