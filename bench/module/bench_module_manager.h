#pragma once

#include "bench/module/bench_module.h"
#include "platform/module/module_manager.h"

#include <map>
#include <string>

namespace velkor {
namespace bench {

// The module library of the bench: infrared modules known by name, opened on
// the ports where the bench has them plugged.
class BenchModuleManager : public mirl::module::ModuleManager {
public:
    void init() override;
    void scanModules(const std::string& name) override;
    mirl::module::ConfigParser& getModuleOptionsParser(const std::string& name) override;
    // Empty when no module of that name was scanned.
    boost::shared_ptr<mirl::module::Module> getModule(const std::string& name) override;
    void clear() override;

private:
    bool initialised_ = false;
    std::map<std::string, boost::shared_ptr<BenchModule>> modules_;
};

} // namespace bench
} // namespace velkor
