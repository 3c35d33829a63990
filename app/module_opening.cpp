#include "app/module_opening.h"

boost::optional<std::string> OpenModule(ModuleAccessIface& module, const std::string& serialPort) {
    if (!serialPort.empty()) {
        try {
            module.CreateModule(0, serialPort);
            return serialPort;
        } catch (...) {
            return boost::none;
        }
    }
    for (const std::string& port : module.GetSerialPorts()) {
        try {
            module.CreateModule(0, port);
            return port;
        } catch (...) {
            // A port without a module: try the next one.
        }
    }
    return boost::none;
}
