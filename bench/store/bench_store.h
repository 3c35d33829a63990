#pragma once

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

// An infrared module plugged on a port; `detector` is empty when it faces none.
struct ModulePlug {
    std::string port;
    std::string detector;
};

// The bench folder: one folder per detector under detectors/, the modules in
// bench.json. A missing folder is an empty bench.
class BenchStore {
public:
    // How long a run waits for a detector that another run holds: 3 seconds,
    // or $VELKOR_BENCH_LOCK_TIMEOUT_MS when it holds a number of milliseconds.
    static const std::chrono::milliseconds kLockTimeout;
    static std::chrono::milliseconds LockTimeout();

    // $VELKOR_BENCH, else $XDG_STATE_HOME/velkor/bench, else ~/.local/state/velkor/bench.
    static boost::filesystem::path DefaultRoot();

    explicit BenchStore(boost::filesystem::path root);

    const boost::filesystem::path& root() const { return root_; }
    // True when the folder holds neither detectors nor modules.
    bool empty() const;

    // Sorted by id.
    std::vector<DetectorState> detectors() const;
    std::vector<ModulePlug> modules() const;
    boost::optional<ModulePlug> module(const std::string& port) const;
    boost::optional<DetectorState> find(const std::string& id) const;
    // An id, or the address one detector answers at; throws BenchError otherwise.
    DetectorState resolve(const std::string& idOrAddress) const;

    // Waits at most `timeout` for the detector's lock.
    std::unique_ptr<DetectorSession> open(const std::string& id,
                                          std::chrono::milliseconds timeout = LockTimeout()) const;

    // The factory bench; an existing bench is replaced only with `force`.
    void init(bool force, std::chrono::milliseconds timeout = LockTimeout());
    // Without `host` or `link`, the model's usual ones are taken.
    DetectorState add(const BenchModel& model, const std::string& address,
                      const boost::optional<std::string>& host, const boost::optional<Link>& link,
                      std::chrono::milliseconds timeout = LockTimeout());
    void remove(const std::string& id, std::chrono::milliseconds timeout = LockTimeout());
    // `detector` empty: the module faces no detector.
    void plug(const std::string& port, const std::string& detector,
              std::chrono::milliseconds timeout = LockTimeout());
    void unplug(const std::string& port, std::chrono::milliseconds timeout = LockTimeout());

    boost::filesystem::path detectorFolder(const std::string& id) const;

private:
    ExclusiveLock lockBench(std::chrono::milliseconds timeout) const;
    void saveModules(const std::vector<ModulePlug>& modules) const;
    DetectorState create(const BenchModel& model, const std::string& id, const std::string& address,
                         const boost::optional<std::string>& host,
                         const boost::optional<Link>& link, const std::string& ssid) const;
    void discard(const std::string& id, std::chrono::milliseconds timeout) const;

    boost::filesystem::path root_;
};

} // namespace bench
} // namespace velkor
