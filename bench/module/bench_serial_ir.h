#pragma once

#include "bench/library/session_link.h"
#include "platform/module/module.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace velkor {
namespace bench {

// Extension "serial_ir": the detector in front of the module, over infrared.
class BenchSerialIR : public mirl::module::SerialIRIface {
public:
    BenchSerialIR(boost::shared_ptr<SessionLink> link, std::string port);

    bool probe(int timeoutMs) override;
    std::string readDetectorIpAddress() override;
    std::string readHostIpAddress() override;
    void writeIpAddresses(const std::string& detector, const std::string& host) override;
    std::string readSsid() override;
    void writeSsidAndPassword(const std::string& ssid, const std::string& password) override;

private:
    // The facing detector; throws when there is none or it does not answer.
    DetectorSession& facing();

    boost::shared_ptr<SessionLink> link_;
    std::string port_;
};

} // namespace bench
} // namespace velkor
