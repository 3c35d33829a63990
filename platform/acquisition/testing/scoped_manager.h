#pragma once

#include <boost/core/noncopyable.hpp>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace acquisition_testing {

// The test builds of the libraries' manager() (AcquisitionManager's, and
// ModuleManager's beside the module library's mocks) return the manager
// installed by the innermost living object of this class for their type; the
// one installed before comes back when it goes. With none installed, manager()
// fails the running test and throws std::logic_error, so that code under test
// that catches everything cannot hide the mistake.
template <typename Manager> class ScopedManager : private boost::noncopyable {
public:
    explicit ScopedManager(Manager& manager) : previous_(installed_) { installed_ = &manager; }
    ~ScopedManager() { installed_ = previous_; }

    // What the test build of manager() returns; `caller` names it in the failure.
    static Manager& Installed(const std::string& caller) {
        if (installed_ == nullptr) {
            const std::string problem = caller + " called with no manager installed by the test";
            ADD_FAILURE() << problem;
            throw std::logic_error(problem);
        }
        return *installed_;
    }

private:
    static inline Manager* installed_ = nullptr;
    Manager* previous_;
};

} // namespace acquisition_testing
