#pragma once

#include "bench/acquisition/bench_board.h"
#include "bench/library/session_link.h"
#include "platform/acquisition/detector.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace velkor {
namespace bench {

class BenchWifiExtension;

// A detector reached at an address: open() finds the bench detector of its
// family that answers there and holds it, locked, until close().
class BenchDetector : public mirl::acquisition::Detector {
public:
    BenchDetector(std::string detectorName, std::string address,
                  boost::shared_ptr<BenchBoard> board);
    ~BenchDetector() override;

    boost::shared_ptr<mirl::acquisition::WifiIface> getWifi() override;
    void open(bool wait) override;
    void close() override;
    void setMessageCallback(const mirl::acquisition::MessageCallback& callback) override;

private:
    void attach();
    // "Vk7180c detector at 192.168.37.130:10001"
    std::string where() const;

    std::string detectorName_;
    // What the library knows of the detector name (its board, path, extensions).
    const BenchModel& family_;
    std::string address_;
    boost::shared_ptr<BenchBoard> board_;
    boost::shared_ptr<SessionLink> link_;
    boost::shared_ptr<BenchWifiExtension> wifi_;
};

} // namespace bench
} // namespace velkor
