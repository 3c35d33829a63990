#include "bench/module/bench_serial_ir.h"

#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"

namespace velkor {
namespace bench {

BenchSerialIR::BenchSerialIR(boost::shared_ptr<SessionLink> link, std::string port)
    : link_(std::move(link)), port_(std::move(port)) {}

DetectorSession& BenchSerialIR::facing() {
    if (!link_->attached()) {
        throw BenchError("the infrared module on " + byte_text::Printable(port_) +
                         " faces no detector");
    }
    DetectorSession& session = link_->session();
    if (session.state().hasFault("offline")) {
        throw BenchError("no detector answers over infrared on " + byte_text::Printable(port_));
    }
    return session;
}

bool BenchSerialIR::probe(int) {
    return link_->attached() && !link_->session().state().hasFault("offline");
}

std::string BenchSerialIR::readDetectorIpAddress() {
    const std::string address = link_->sayingWhy("detector address not read over infrared: ",
                                                 [&] { return facing().state().storedAddress; });
    link_->say("detector address read over infrared: " + byte_text::Printable(address));
    return address;
}

std::string BenchSerialIR::readHostIpAddress() {
    const std::string address = link_->sayingWhy("host address not read over infrared: ",
                                                 [&] { return facing().state().hostAddress; });
    link_->say("host address read over infrared: " + byte_text::Printable(address));
    return address;
}

void BenchSerialIR::writeIpAddresses(const std::string& detector, const std::string& host) {
    link_->sayingWhy("addresses not written over infrared: ",
                     [&] { facing().writeAddressesNow(detector, host); });
    link_->say("addresses written over infrared: detector " + byte_text::Printable(detector) +
               ", host " + byte_text::Printable(host) + "; the detector answers at " +
               byte_text::Printable(detector) + " now");
}

std::string BenchSerialIR::readSsid() {
    const std::string ssid =
        link_->sayingWhy("SSID not read over infrared: ", [&] { return facing().state().ssid; });
    link_->say("SSID read over infrared: \"" + byte_text::Printable(ssid) + "\"");
    return ssid;
}

void BenchSerialIR::writeSsidAndPassword(const std::string& ssid, const std::string& password) {
    link_->sayingWhy("SSID and password not written over infrared: ",
                     [&] { facing().writeSsidAndPassword(ssid, password); });
    link_->say("SSID \"" + byte_text::Printable(ssid) +
               "\" and its password written over infrared");
}

} // namespace bench
} // namespace velkor
