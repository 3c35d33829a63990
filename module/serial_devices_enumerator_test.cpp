#include "module/serial_devices_enumerator.h"
#include "platform/tools/testing/environment.h"
#include "platform/tools/testing/scratch_folder.h"

#include <boost/filesystem/operations.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace {

namespace fs = boost::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A fake sysfs: <dir>/class/tty/NAME links to <dir>/devices/.../NAME, and a
// backed entry has a "device" link to a device folder whose "driver" links to
// <dir>/drivers/DRIVER, as the kernel lays them out.
class FakeTtyTable {
public:
    FakeTtyTable() { fs::create_directories(root()); }

    std::string root() const { return (dir_ / "class" / "tty").string(); }

    // A tty without device: virtual consoles, ptys and the like.
    void AddVirtual(const std::string& name) {
        const fs::path target = dir_ / "devices" / "virtual" / "tty" / name;
        fs::create_directories(target);
        fs::create_directory_symlink(target, fs::path(root()) / name);
    }

    // A tty backed by device `device` bound to `driver` (none when empty), with
    // the given attribute files.
    void AddBacked(const std::string& name, const std::string& device, const std::string& driver,
                   const std::map<std::string, std::string>& attributes = {}) {
        const fs::path deviceDir = dir_ / "devices" / "platform" / device;
        fs::create_directories(deviceDir);
        if (!driver.empty() && !fs::exists(fs::symlink_status(deviceDir / "driver"))) {
            fs::create_directories(dir_ / "drivers" / driver);
            fs::create_directory_symlink(dir_ / "drivers" / driver, deviceDir / "driver");
        }
        const fs::path target = deviceDir / "tty" / name;
        fs::create_directories(target);
        fs::create_directory_symlink(deviceDir, target / "device");
        for (const auto& attribute : attributes) {
            std::ofstream((target / attribute.first).string()) << attribute.second << "\n";
        }
        fs::create_directory_symlink(target, fs::path(root()) / name);
    }

    void AddUsb(const std::string& name) { AddBacked(name, "usb-" + name, "ftdi_sio"); }

private:
    tools_testing::ScratchFolder folder_{"velkor-tty"};
    const fs::path& dir_ = folder_.dir();
};

// These read a sysfs-shaped tty table, which only the Linux reader knows; the
// Windows reader has tests of its own (serial_devices_registry_test.cpp).
class SerialDevicesEnumeratorTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the tty table of sysfs is Linux's; Windows lists its ports in the "
                        "registry";
#endif
    }
};

TEST_F(SerialDevicesEnumeratorTest, MissingOrEmptyTableGivesNoPorts) {
    FakeTtyTable table;
    EXPECT_THAT(SerialDevicesEnumerator(table.root()).GetSerialPorts(), IsEmpty());
    EXPECT_THAT(SerialDevicesEnumerator(table.root() + "/absent").GetSerialPorts(), IsEmpty());
}

TEST_F(SerialDevicesEnumeratorTest, TwoPortsInOrder) {
    FakeTtyTable table;
    table.AddUsb("ttyUSB0");
    table.AddBacked("ttyACM0", "usb-acm", "cdc_acm");
    EXPECT_THAT(SerialDevicesEnumerator(table.root()).GetSerialPorts(),
                ElementsAre("/dev/ttyACM0", "/dev/ttyUSB0"));
}

TEST_F(SerialDevicesEnumeratorTest, NumbersSortByValue) {
    FakeTtyTable table;
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyUSB1", "ttyACM3", "ttyUSB02"}) {
        table.AddUsb(name);
    }
    EXPECT_THAT(SerialDevicesEnumerator(table.root()).GetSerialPorts(),
                ElementsAre("/dev/ttyACM3", "/dev/ttyUSB1", "/dev/ttyUSB02", "/dev/ttyUSB2",
                            "/dev/ttyUSB10"));
}

TEST_F(SerialDevicesEnumeratorTest, ConsolesAndPtysAreSkipped) {
    FakeTtyTable table;
    for (const char* name : {"console", "ptmx", "tty", "tty0", "tty12", "ptyp0", "ttyp0"}) {
        table.AddVirtual(name);
    }
    // Even when something links them to a device, these names are no serial ports.
    table.AddBacked("tty1", "vtcon", "vt");
    table.AddBacked("ttyq3", "legacy-pty", "pty");
    table.AddUsb("ttyUSB0");
    EXPECT_THAT(SerialDevicesEnumerator(table.root()).GetSerialPorts(),
                ElementsAre("/dev/ttyUSB0"));
}

TEST_F(SerialDevicesEnumeratorTest, AbsentLegacyUartsAreSkipped) {
    FakeTtyTable table;
    // Kernels with uart attributes: the type tells whether a UART answered.
    table.AddBacked("ttyS0", "00:04", "serial", {{"type", "4"}, {"port", "0x3F8"}});
    table.AddBacked("ttyS1", "serial8250", "serial8250", {{"type", "0"}, {"port", "0x2F8"}});
    table.AddBacked("ttyS10", "serial8250", "serial8250", {{"type", "0"}, {"port", "0x0"}});
    // Without a type attribute, an 8250 port needs an address.
    table.AddBacked("ttyS2", "serial8250", "serial8250", {{"port", "0x0"}, {"iomem_base", "0x0"}});
    table.AddBacked("ttyS3", "serial8250", "serial8250", {{"port", "0x2E8"}});
    table.AddBacked("ttyS4", "serial8250", "serial8250", {});
    // Newer kernels name the port device after the 8250 driver.
    table.AddBacked("ttyS5", "serial8250:0.5", "port", {});
    table.AddUsb("ttyUSB0");
    EXPECT_THAT(SerialDevicesEnumerator(table.root()).GetSerialPorts(),
                ElementsAre("/dev/ttyS0", "/dev/ttyS3", "/dev/ttyUSB0"));
}

TEST_F(SerialDevicesEnumeratorTest, NestedDeviceNamesBecomePaths) {
    FakeTtyTable table;
    table.AddBacked("usb!ttyX0", "odd", "odd_serial");
    EXPECT_THAT(SerialDevicesEnumerator(table.root()).GetSerialPorts(),
                ElementsAre("/dev/usb/ttyX0"));
}

TEST_F(SerialDevicesEnumeratorTest, DefaultConstructorReadsTheRootNamedInTheEnvironment) {
    FakeTtyTable table;
    table.AddUsb("ttyUSB7");
    tools_testing::ScopedEnvironment environment;
    environment.set("VELKOR_SERIAL_ROOT", table.root());
    const SerialDevicesEnumerator enumerator;
    environment.unset("VELKOR_SERIAL_ROOT");
    EXPECT_THAT(enumerator.GetSerialPorts(), ElementsAre("/dev/ttyUSB7"));
}

TEST_F(SerialDevicesEnumeratorTest, DefaultConstructorReadsTheHostWithoutFailing) {
    tools_testing::ScopedEnvironment environment;
    environment.unset("VELKOR_SERIAL_ROOT");
    const SerialDevicesEnumerator enumerator;
    for (const auto& port : enumerator.GetSerialPorts()) {
        EXPECT_EQ(port.rfind("/dev/", 0), 0u) << port;
        EXPECT_NE(port, "/dev/console");
        EXPECT_NE(port, "/dev/ptmx");
    }
}

} // namespace
