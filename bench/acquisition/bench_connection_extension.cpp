#include "bench/acquisition/bench_connection_extension.h"

#include "bench/store/byte_text.h"

namespace velkor {
namespace bench {

BenchConnectionExtension::BenchConnectionExtension(boost::shared_ptr<SessionLink> link)
    : link_(std::move(link)) {}

void BenchConnectionExtension::setHostName(const std::string& name,
                                           const boost::optional<std::string>& domain) {
    const std::string full = domain ? name + "." + *domain : name;
    link_->session().setHostName(full);
    link_->say("host name set to \"" + byte_text::Printable(full) + "\"");
}

void BenchConnectionExtension::applyNetworkConfig() {
    DetectorSession& session = link_->session();
    if (session.applyNetworkConfig()) {
        link_->say("network configuration applied: the detector answers at " +
                   byte_text::Printable(session.state().address) + " now");
    } else if (session.state().model->keepsAddressesInFile()) {
        link_->say("network configuration applied: nothing to take, file settings wait for a "
                   "reboot");
    } else {
        link_->say("network configuration applied: addresses unchanged");
    }
}

} // namespace bench
} // namespace velkor
