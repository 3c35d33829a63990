#include "bench/module/bench_module_manager.h"

#include "bench/text/bench_error.h"

#include <boost/make_shared.hpp>

namespace mirl {
namespace module {

ModuleManager& ModuleManager::manager() {
    static velkor::bench::BenchModuleManager instance;
    return instance;
}

} // namespace module
} // namespace mirl

namespace velkor {
namespace bench {

namespace {

bool IsModuleName(const std::string& name) {
    return name == "QL_IR" || name == "MV_IR";
}

} // namespace

void BenchModuleManager::init() {
    initialised_ = true;
}

void BenchModuleManager::scanModules(const std::string& name) {
    if (!initialised_) {
        throw BenchError("the module manager is not initialised: call init() first");
    }
    if (!IsModuleName(name)) {
        throw BenchError("unknown module name \"" + name + "\" (known: QL_IR, MV_IR)");
    }
    if (modules_.count(name) == 0) {
        modules_[name] = boost::make_shared<BenchModule>(name);
    }
}

mirl::module::ConfigParser& BenchModuleManager::getModuleOptionsParser(const std::string& name) {
    const auto found = modules_.find(name);
    if (found == modules_.end()) {
        throw BenchError("module \"" + name + "\" was not scanned: call scanModules first");
    }
    return found->second->parser();
}

boost::shared_ptr<mirl::module::Module> BenchModuleManager::getModule(const std::string& name) {
    const auto found = modules_.find(name);
    if (found == modules_.end()) {
        return boost::shared_ptr<mirl::module::Module>();
    }
    return found->second;
}

void BenchModuleManager::clear() {
    modules_.clear();
    initialised_ = false;
}

} // namespace bench
} // namespace velkor
