#pragma once

#include <string>
#include <vector>

// The host's serial ports, listed once at construction in the system's order.
//
// Windows: the values of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM in
// registry order ("COM3"); a value that cannot be read, is empty or is not a
// string is skipped.
//
// Elsewhere: the entries of the sysfs tty table (/sys/class/tty) that have a
// "device" link, as "/dev/NAME", in natural order (ttyS2 before ttyS10).
// Virtual consoles (tty, ttyN, console) and pseudo-terminals (ptmx, ptyXY,
// ttyXY) are skipped. A UART port is kept only when the kernel reports one
// present: a "type" attribute other than 0 or, for an 8250 port without that
// attribute, a non-zero "port" or "iomem_base". The default constructor reads
// the table named by the environment variable VELKOR_SERIAL_ROOT when it is set
// and not empty (a test hook), else the host's; on Windows that variable names
// a registry key to read instead ("HKEY_CURRENT_USER\Software\...").
class SerialDevicesEnumerator {
public:
    SerialDevicesEnumerator();
    // Reads the sysfs-style tty table below `root` instead of the system's
    // (on Windows: the registry key `root`, "HKEY_LOCAL_MACHINE\..." or
    // "HKEY_CURRENT_USER\...", short forms HKLM and HKCU).
    explicit SerialDevicesEnumerator(const std::string& root);

    static const char* const DefaultRoot;
    virtual ~SerialDevicesEnumerator() = default;

    const std::vector<std::string>& GetSerialPorts() const { return ports_; }

private:
    std::vector<std::string> ports_;
};
