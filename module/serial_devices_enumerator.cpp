#include "module/serial_devices_enumerator.h"

#include "module/serial_port_table.h"

#include <cstdlib>

namespace {

// VELKOR_SERIAL_ROOT, when set, names a tty table to read instead of the host's
// (used by the end-to-end tests to offer a chosen list of ports).
std::string RootFromEnvironment() {
    const char* root = std::getenv("VELKOR_SERIAL_ROOT");
    return root != nullptr && *root != '\0' ? root : SerialDevicesEnumerator::DefaultRoot;
}

} // namespace

SerialDevicesEnumerator::SerialDevicesEnumerator()
    : SerialDevicesEnumerator(RootFromEnvironment()) {}

SerialDevicesEnumerator::SerialDevicesEnumerator(const std::string& root)
    : ports_(serial_port_table::Read(root)) {}
