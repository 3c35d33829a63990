#pragma once

#include "bench/store/bench_catalogue.h"
#include "bench/store/bench_environment.h"
#include "bench/store/bench_model.h"
#include "bench/store/detector_session.h"
#include "bench/store/detector_state.h"

#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// A detector as the bench lists it: its state, or why it cannot be read.
struct DetectorEntry {
    std::string id;
    boost::optional<DetectorState> state; // empty when the detector is damaged
    std::string damage;
};

// The bench folder: bench.json names the detectors and the modules, each
// detector lives in its own folder under detectors/. A missing folder is an
// empty bench. A damaged detector is reported by name and leaves the others
// usable; it is read only when it is asked for (or searched by address).
// Reading and opening are in bench_store.cpp, the commands that change
// bench.json in bench_store_changes.cpp.
class BenchStore {
public:
    static std::chrono::milliseconds LockTimeout() { return environment::LockTimeout(); }
    static boost::filesystem::path DefaultRoot() { return environment::DefaultRoot(); }

    explicit BenchStore(boost::filesystem::path root);

    const boost::filesystem::path& root() const { return root_; }
    // True when the bench names neither detectors nor modules.
    bool empty() const;

    // Every detector of the bench, damaged ones included, sorted by id.
    std::vector<DetectorEntry> survey() const;
    // The detectors that can be read, sorted by id.
    std::vector<DetectorState> detectors() const;
    std::vector<ModulePlug> modules() const;
    boost::optional<ModulePlug> module(const std::string& port) const;
    // Empty when the bench has no such detector; throws BenchError when it is damaged.
    boost::optional<DetectorState> find(const std::string& id) const;
    // The id of a detector of the bench, or of the one detector that answers
    // at the address; throws BenchError otherwise, without repeating the
    // word when `showWord` is false (it may be a password typed in its place).
    std::string resolve(const std::string& idOrAddress, bool showWord = true) const;

    // Waits at most `timeout` for the detector's lock.
    std::unique_ptr<DetectorSession> open(const std::string& id,
                                          std::chrono::milliseconds timeout = LockTimeout()) const;

    // The factory bench; an existing bench is replaced only with `force`.
    // A kill leaves the old bench or the whole new one.
    void init(bool force, std::chrono::milliseconds timeout = LockTimeout());
    // Without `host` or `link`, the model's usual ones are taken.
    DetectorState add(const BenchModel& model, const std::string& address,
                      const boost::optional<std::string>& host, const boost::optional<Link>& link,
                      std::chrono::milliseconds timeout = LockTimeout());
    // Also turns away the modules that faced it, in the same step.
    void remove(const std::string& id, std::chrono::milliseconds timeout = LockTimeout());
    // `detector` empty: the module faces no detector.
    void plug(const std::string& port, const std::string& detector,
              std::chrono::milliseconds timeout = LockTimeout());
    void unplug(const std::string& port, std::chrono::milliseconds timeout = LockTimeout());

private:
    boost::filesystem::path root_;
};

} // namespace bench
} // namespace velkor
