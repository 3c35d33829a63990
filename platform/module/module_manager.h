#pragma once

#include "platform/acquisition/config_parser.h"
#include "platform/module/module.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace mirl {
namespace module {

using mirl::acquisition::ConfigParser;
using mirl::acquisition::Option;
using mirl::acquisition::OptionGroup;
using mirl::acquisition::OptionGroups;

// Finds infrared modules. Every failure is thrown as a std::exception
// whose text says what went wrong.
class ModuleManager {
public:
    // The process-wide instance, provided by the library build in use.
    static ModuleManager& manager();

    virtual ~ModuleManager() = default;

    virtual void init() = 0;
    virtual void scanModules(const std::string& name) = 0;
    virtual ConfigParser& getModuleOptionsParser(const std::string& name) = 0;
    // May be empty when no module of that name was scanned.
    virtual boost::shared_ptr<Module> getModule(const std::string& name) = 0;
    // Forgets every scanned module.
    virtual void clear() = 0;
};

} // namespace module
} // namespace mirl
