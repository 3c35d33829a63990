#pragma once

#include <string>
#include <vector>

// The host's serial ports, listed once at construction in the system's order.
class SerialDevicesEnumerator {
public:
    SerialDevicesEnumerator();
    // Reads the device table below `root` instead of the system's (tests).
    explicit SerialDevicesEnumerator(const std::string& root);
    virtual ~SerialDevicesEnumerator() = default;

    const std::vector<std::string>& GetSerialPorts() const { return ports_; }

private:
    std::vector<std::string> ports_;
};
