#include "bench/acquisition/bench_wifi_extension.h"

namespace velkor {
namespace bench {

BenchWifiExtension::BenchWifiExtension(boost::shared_ptr<SessionLink> link)
    : link_(std::move(link)) {}

std::string BenchWifiExtension::getLinkText() {
    return link_->session().state().link == Link::Cable ? "eth0:0A" : "wlan0:1F";
}

std::string BenchWifiExtension::getSsid() {
    return link_->session().state().ssid;
}

} // namespace bench
} // namespace velkor
