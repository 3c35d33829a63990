#include "module/serial_devices_enumerator.h"
#include "module/serial_port_table.h"

#include <algorithm>
#include <windows.h>

const char* const SerialDevicesEnumerator::DefaultRoot =
    "HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM";

namespace serial_port_table {

// The ports registered under `root` ("HKEY_LOCAL_MACHINE\..."), in the
// registry's enumeration order; none when the key cannot be opened.
std::vector<std::string> Read(const std::string& root) {
    std::vector<std::string> ports;
    const std::string::size_type slash = root.find('\\');
    const std::string hive = root.substr(0, slash);
    const std::string subkey = slash == std::string::npos ? std::string() : root.substr(slash + 1);
    HKEY base = nullptr;
    if (hive == "HKEY_LOCAL_MACHINE" || hive == "HKLM") {
        base = HKEY_LOCAL_MACHINE;
    } else if (hive == "HKEY_CURRENT_USER" || hive == "HKCU") {
        base = HKEY_CURRENT_USER;
    } else {
        return ports;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(base, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return ports;
    }
    struct KeyCloser {
        HKEY key;
        ~KeyCloser() { RegCloseKey(key); }
    } closer{key};

    DWORD valueCount = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        return ports;
    }
    std::vector<char> name(static_cast<std::size_t>(longestName) + 1);
    std::vector<BYTE> data(std::max<DWORD>(longestData, 1));

    for (DWORD index = 0; index < valueCount; ++index) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type, data.data(),
                          &dataSize) != ERROR_SUCCESS) {
            continue;
        }
        if (type != REG_SZ || dataSize == 0 || dataSize > data.size()) {
            continue;
        }
        // Stored string data may or may not end with its NUL; cut at the first.
        const char* text = reinterpret_cast<const char*>(data.data());
        const std::string port(text, std::find(text, text + dataSize, '\0'));
        if (!port.empty()) {
            ports.push_back(port);
        }
    }
    return ports;
}

} // namespace serial_port_table
