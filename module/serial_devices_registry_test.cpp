// The Windows reader of the serial ports: a registry key of the test's own,
// filled as the system fills HARDWARE\DEVICEMAP\SERIALCOMM.
#include "module/serial_devices_enumerator.h"
#include "platform/tools/testing/environment.h"

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem/operations.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <windows.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// HKEY_CURRENT_USER\Software\velkor-tests\<unique>, removed with what it holds.
class ScratchKey : private boost::noncopyable {
public:
    ScratchKey()
        : path_("Software\\velkor-tests\\" +
                boost::filesystem::unique_path("ports-%%%%-%%%%-%%%%").string()) {
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key_, nullptr));
    }
    ~ScratchKey() {
        RegCloseKey(key_);
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }

    std::string root() const { return "HKEY_CURRENT_USER\\" + path_; }

    // `data` as stored, NUL included or not as the caller gives it.
    void Set(const std::string& name, DWORD type, const std::string& data) {
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key_, name.c_str(), 0, type,
                                                reinterpret_cast<const BYTE*>(data.data()),
                                                static_cast<DWORD>(data.size())));
    }
    void SetString(const std::string& name, const std::string& text) {
        Set(name, REG_SZ, std::string(text.c_str(), text.size() + 1));
    }

private:
    std::string path_;
    HKEY key_ = nullptr;
};

TEST(SerialDevicesRegistryTest, StringValuesInRegistryOrder) {
    ScratchKey key;
    key.SetString("\\Device\\Serial0", "COM1");
    key.SetString("\\Device\\Serial2", "COM3");
    key.SetString("\\Device\\VCP0", "COM12");
    EXPECT_THAT(SerialDevicesEnumerator(key.root()).GetSerialPorts(),
                ElementsAre("COM1", "COM3", "COM12"));
}

TEST(SerialDevicesRegistryTest, EmptyAndNonStringValuesAreSkipped) {
    ScratchKey key;
    key.SetString("\\Device\\Serial0", "");
    key.Set("\\Device\\Number", REG_DWORD, std::string("\x03\x00\x00\x00", 4));
    key.Set("\\Device\\Binary", REG_BINARY, "COM8");
    key.Set("\\Device\\Expand", REG_EXPAND_SZ, std::string("COM9", 5));
    key.SetString("\\Device\\Serial1", "COM4");
    EXPECT_THAT(SerialDevicesEnumerator(key.root()).GetSerialPorts(), ElementsAre("COM4"));
}

TEST(SerialDevicesRegistryTest, DataIsCutAtItsFirstNulWhetherOrNotItEndsWithOne) {
    ScratchKey key;
    key.Set("\\Device\\Serial0", REG_SZ, "COM5");
    key.Set("\\Device\\Serial1", REG_SZ, std::string("COM6\0junk\0", 10));
    EXPECT_THAT(SerialDevicesEnumerator(key.root()).GetSerialPorts(), ElementsAre("COM5", "COM6"));
}

TEST(SerialDevicesRegistryTest, TheLongestValueNameIsRead) {
    ScratchKey key;
    // A value name holds at most 16383 characters.
    key.SetString(std::string(16383, 'n'), "COM7");
    key.SetString("short", "COM2");
    EXPECT_THAT(SerialDevicesEnumerator(key.root()).GetSerialPorts(), ElementsAre("COM7", "COM2"));
}

TEST(SerialDevicesRegistryTest, AKeyThatCannotBeOpenedGivesNoPorts) {
    EXPECT_THAT(SerialDevicesEnumerator("HKEY_CURRENT_USER\\Software\\velkor-tests\\no-such-key")
                    .GetSerialPorts(),
                IsEmpty());
    EXPECT_THAT(SerialDevicesEnumerator("HKEY_NOWHERE\\x").GetSerialPorts(), IsEmpty());
}

TEST(SerialDevicesRegistryTest, TheDefaultIsTheSystemsKeyOrTheOneNamedInTheEnvironment) {
    EXPECT_STREQ("HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM",
                 SerialDevicesEnumerator::DefaultRoot);
    ScratchKey key;
    key.SetString("\\Device\\Serial0", "COM21");
    tools_testing::ScopedEnvironment environment;
    environment.set("VELKOR_SERIAL_ROOT", key.root());
    EXPECT_THAT(SerialDevicesEnumerator().GetSerialPorts(), ElementsAre("COM21"));
    const std::string shortForm =
        "HKCU" + key.root().substr(std::string("HKEY_CURRENT_USER").size());
    EXPECT_THAT(SerialDevicesEnumerator(shortForm).GetSerialPorts(), ElementsAre("COM21"));
}

} // namespace
