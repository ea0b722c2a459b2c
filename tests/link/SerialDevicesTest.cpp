#include "link/SerialDevices.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A device folder and a kernel terminal folder made up for the scan.
class SerialDevicesTest : public ::testing::Test {
protected:
    SerialDevicesTest() {
        fs::create_directories(Dev());
        fs::create_directories(Sys());
        roots.dev = Dev().string();
        roots.sysTty = Sys().string();
    }
    fs::path Dev() const { return temp.Path() / "dev"; }
    fs::path Sys() const { return temp.Path() / "sys"; }
    void Device(const std::string& name) const { std::ofstream(Dev() / name); }
    // The kernel's port type: 0 says that no UART is behind the name.
    void PortType(const std::string& name, int type) const {
        fs::create_directories(Sys() / name);
        std::ofstream(Sys() / name / "type") << type << "\n";
    }
    std::string Path(const std::string& name) const { return (Dev() / name).string(); }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const SerialDevice& device : ScanSerialDevices(roots)) {
            paths.push_back(device.path);
        }
        return paths;
    }

    test::TempFolder temp{"tillora-serial-devices"};
    SerialScanRoots roots;
};

TEST_F(SerialDevicesTest, AdaptersComeFirstAndEachGroupGoesByNumber) {
    for (const char* name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB10", "ttyUSB1", "ttyUSB0"}) {
        Device(name);
    }
    EXPECT_THAT(Paths(), ElementsAre(Path("ttyUSB0"), Path("ttyUSB1"), Path("ttyUSB10"),
                                     Path("ttyACM0"), Path("ttyS2"), Path("ttyS10")));
}

TEST_F(SerialDevicesTest, OtherTerminalsAndNamesAreNotSerialDevices) {
    for (const char* name : {"tty", "tty0", "tty12", "ttyprintk", "ttyUSB", "ttyUSBx", "ttySx",
                             "ttyS1a", "console", "ptmx", "null"}) {
        Device(name);
    }
    EXPECT_THAT(Paths(), IsEmpty());
}

TEST_F(SerialDevicesTest, BuiltInPortsWithoutAUartAreLeftOut) {
    for (const char* name : {"ttyS0", "ttyS1", "ttyS2", "ttyS3"}) {
        Device(name);
    }
    PortType("ttyS0", 4); // a 16550A
    PortType("ttyS1", 0);
    PortType("ttyS3", 0);
    // ttyS2: the kernel says nothing, so it is offered
    EXPECT_THAT(Paths(), ElementsAre(Path("ttyS0"), Path("ttyS2")));
}

TEST_F(SerialDevicesTest, AdaptersAreOfferedWhateverTheKernelSaysOfBuiltInPorts) {
    Device("ttyUSB0");
    PortType("ttyUSB0", 0);
    EXPECT_THAT(Paths(), ElementsAre(Path("ttyUSB0")));
}

// The stable names are symbolic links, which Windows makes only with a privilege; the names
// themselves (/dev/serial/by-id) are Linux's alone.
#ifndef _WIN32
TEST_F(SerialDevicesTest, StableNamesComeFirstWithTheDeviceTheyStandFor) {
    Device("ttyUSB0");
    Device("ttyUSB1");
    const fs::path byId = Dev() / "serial" / "by-id";
    fs::create_directories(byId);
    fs::create_symlink("../../ttyUSB1", byId / "usb-Prolific_PL2303-if00-port0");
    fs::create_symlink("../../ttyUSB0", byId / "usb-FTDI_FT232R_A50285BI-if00-port0");

    const std::vector<SerialDevice> devices = ScanSerialDevices(roots);
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].path, (byId / "usb-FTDI_FT232R_A50285BI-if00-port0").string());
    EXPECT_EQ(devices[0].target, Path("ttyUSB0"));
    EXPECT_EQ(devices[1].path, (byId / "usb-Prolific_PL2303-if00-port0").string());
    EXPECT_EQ(devices[1].target, Path("ttyUSB1"));
    EXPECT_EQ(devices[2].path, Path("ttyUSB0"));
    EXPECT_EQ(devices[2].target, "");
    EXPECT_EQ(devices[3].path, Path("ttyUSB1"));
}
#endif

TEST_F(SerialDevicesTest, NoDeviceFolderGivesNothing) {
    roots.dev = (temp.Path() / "missing").string();
    EXPECT_THAT(ScanSerialDevices(roots), IsEmpty());
}

// Windows lists its ports in the order the drivers came; the dialog offers them by number.
TEST(ComPortsTest, GoByNumberAndOnlyComNamesCount) {
    const std::vector<SerialDevice> ordered = ComPortsInOrder({{"COM10", "\\Device\\VCP1"},
                                                               {"COM7", "\\Device\\VCP0"},
                                                               {"LPT1", "\\Device\\Parallel0"},
                                                               {"com2", "\\Device\\Serial1"},
                                                               {"COM", ""},
                                                               {"COM1x", ""}});
    std::vector<std::string> names;
    for (const SerialDevice& port : ordered) {
        names.push_back(port.path + "=" + port.target);
    }
    EXPECT_THAT(names, ElementsAre("com2=\\Device\\Serial1", "COM7=\\Device\\VCP0",
                                   "COM10=\\Device\\VCP1"));
}

} // namespace
} // namespace tillora
