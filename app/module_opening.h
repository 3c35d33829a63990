#pragma once

#include "app/module_access_iface.h"

#include <boost/optional.hpp>

#include <string>

// Opens the module on `serialPort`, or, when none is given, on the first of
// the host's serial ports, in their order, where one opens (a port without a
// module is no error while walking). The port the module is open on; none
// when no module opened.
boost::optional<std::string> OpenModule(ModuleAccessIface& module, const std::string& serialPort);
