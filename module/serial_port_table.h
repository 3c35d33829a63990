#pragma once

#include <string>
#include <vector>

// The host's table of serial ports, read as each system keeps it (one source
// file per system, which also defines SerialDevicesEnumerator::DefaultRoot):
// the ports SerialDevicesEnumerator lists.
namespace serial_port_table {

// The ports of the table at `root`, in the order SerialDevicesEnumerator
// gives them; none when the table cannot be read.
std::vector<std::string> Read(const std::string& root);

} // namespace serial_port_table
