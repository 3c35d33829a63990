#include "module/serial_devices_enumerator.h"
#include "module/serial_port_table.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

const char* const SerialDevicesEnumerator::DefaultRoot = "/sys/class/tty";

namespace serial_port_table {

namespace fs = boost::filesystem;

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// ttyS2 before ttyS10: digit runs compare by value, the rest by character.
// Ours on purpose: neither the standard library nor Boost has a natural
// order, and strverscmp is glibc only.
bool NaturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::size_t iEnd = i;
            std::size_t jEnd = j;
            while (iEnd < a.size() && IsDigit(a[iEnd])) {
                ++iEnd;
            }
            while (jEnd < b.size() && IsDigit(b[jEnd])) {
                ++jEnd;
            }
            std::size_t iSig = i;
            std::size_t jSig = j;
            while (iSig + 1 < iEnd && a[iSig] == '0') {
                ++iSig;
            }
            while (jSig + 1 < jEnd && b[jSig] == '0') {
                ++jSig;
            }
            const std::string na = a.substr(iSig, iEnd - iSig);
            const std::string nb = b.substr(jSig, jEnd - jSig);
            if (na.size() != nb.size()) {
                return na.size() < nb.size();
            }
            if (na != nb) {
                return na < nb;
            }
            i = iEnd;
            j = jEnd;
        } else {
            if (a[i] != b[j]) {
                return a[i] < b[j];
            }
            ++i;
            ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j)) {
        return (a.size() - i) < (b.size() - j);
    }
    // Equal by value ("ttyS01" and "ttyS1"): keep a total order.
    return a < b;
}

// Virtual consoles (tty, tty0..tty63, console) and pseudo-terminals (ptmx,
// legacy ptyXY masters and ttyXY slaves) are never serial ports, whatever
// links the table shows for them.
bool IsConsoleOrPty(const std::string& name) {
    if (name == "tty" || name == "console" || name == "ptmx") {
        return true;
    }
    if (name.compare(0, 3, "tty") == 0 && AllDigits(name.substr(3))) {
        return true;
    }
    if (name.compare(0, 3, "pty") == 0) {
        return true;
    }
    if (name.size() == 5 && name.compare(0, 3, "tty") == 0) {
        const char bank = name[3];
        const char index = name[4];
        const bool ptyBank = (bank >= 'p' && bank <= 'z') || (bank >= 'a' && bank <= 'e');
        const bool ptyIndex = IsDigit(index) || (index >= 'a' && index <= 'f');
        if (ptyBank && ptyIndex) {
            return true;
        }
    }
    return false;
}

// Reads a sysfs number ("4", "0x3F8"); false when absent or not a number.
bool ReadNumber(const fs::path& file, unsigned long long& value) {
    std::ifstream stream(file.string());
    std::string text;
    if (!(stream >> text)) {
        return false;
    }
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 0);
    return end != text.c_str() && *end == '\0';
}

std::string LinkTargetName(const fs::path& link) {
    boost::system::error_code error;
    const fs::path target = fs::canonical(link, error);
    return error ? std::string() : target.filename().string();
}

// The 8250 driver registers a fixed number of ports whether or not a UART sits
// behind them. A port counts as present when its UART type is not 0 (unknown);
// without a type attribute, when it has an I/O port or memory address.
bool IsAbsentUart(const fs::path& entry) {
    unsigned long long type = 0;
    if (ReadNumber(entry / "type", type)) {
        return type == 0;
    }
    const std::string driver = LinkTargetName(entry / "device" / "driver");
    const std::string device = LinkTargetName(entry / "device");
    if (driver != "serial8250" && device.compare(0, 10, "serial8250") != 0) {
        return false;
    }
    unsigned long long port = 0;
    unsigned long long memory = 0;
    const bool hasPort = ReadNumber(entry / "port", port) && port != 0;
    const bool hasMemory = ReadNumber(entry / "iomem_base", memory) && memory != 0;
    return !hasPort && !hasMemory;
}

} // namespace

// Serial devices of a sysfs tty table: entries backed by a device, without
// consoles, pseudo-terminals and absent UARTs, as /dev names in natural order.
std::vector<std::string> Read(const std::string& root) {
    std::vector<std::string> names;
    boost::system::error_code error;
    fs::directory_iterator it(root, error);
    if (error) {
        return {};
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        const fs::path entry = it->path();
        const std::string name = entry.filename().string();
        if (IsConsoleOrPty(name)) {
            continue;
        }
        boost::system::error_code linkError;
        if (!fs::exists(fs::symlink_status(entry / "device", linkError))) {
            continue;
        }
        if (IsAbsentUart(entry)) {
            continue;
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    std::vector<std::string> ports;
    for (std::string name : names) {
        // sysfs writes the "/" of nested device names as "!".
        std::replace(name.begin(), name.end(), '!', '/');
        ports.push_back("/dev/" + name);
    }
    return ports;
}

} // namespace serial_port_table
