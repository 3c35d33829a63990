#include "bench/device/new_detector.h"

#include "bench/device/address_text.h"
#include "bench/device/detector_files.h"
#include "bench/text/bench_error.h"

namespace velkor {
namespace bench {

namespace {

const std::uint16_t FactoryDetectorValue = 0x00A5;

// The usual peer of a 7180/7380: the neighbouring address.
std::string NeighbourOf(const address_text::Quad& address) {
    address_text::Quad host = address;
    host[3] = static_cast<std::uint8_t>(address[3] < 254 ? address[3] + 1 : address[3] - 1);
    return address_text::Format(host);
}

// The usual peer of the other families: the first address of the /24.
std::string GatewayOf(const address_text::Quad& address) {
    address_text::Quad host = address;
    host[3] = address[3] == 1 ? 254 : 1;
    return address_text::Format(host) + "/24";
}

std::string FactoryUserConfig(bool wifiOn) {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                       "<ucf>\n"
                       "  <wifi_enable>") +
           (wifiOn ? "01" : "00") +
           "</wifi_enable>\n"
           "  <wifi_channel>06</wifi_channel>\n"
           "  <standby_delay>1E</standby_delay>\n"
           "</ucf>\n";
}

} // namespace

DetectorRecord NewDetector(const BenchModel& model, const std::string& id,
                           const std::string& address, const boost::optional<std::string>& host,
                           const boost::optional<Link>& link, const std::string& ssid) {
    const auto quad = address_text::Parse(address);
    if (!quad) {
        throw BenchError("\"" + address + "\" is not a dotted address");
    }
    if (link && *link == Link::Wifi && !model.hasWifi) {
        throw BenchError("a " + model.name + " has no Wi-Fi: its link is a cable");
    }
    DetectorRecord record;
    DetectorState& state = record.state;
    state.id = id;
    state.model = &model;
    state.address = address;
    state.link = link.value_or(Link::Cable);

    if (model.family == Family::Vk6080K) {
        if (host) {
            throw BenchError("a 6080K keeps no host address");
        }
        record.file = detector_files::MakeInterfaceFile(*quad);
    } else if (model.family == Family::Vk7x80) {
        const std::string peer = host.value_or(NeighbourOf(*quad));
        const auto peerQuad = address_text::Parse(peer);
        if (!peerQuad) {
            throw BenchError("a " + model.name + " takes a dotted host address, not \"" + peer +
                             "\"");
        }
        record.file = detector_files::MakeRegisterFile(*quad, *peerQuad);
    } else {
        const std::string peer = host.value_or(GatewayOf(*quad));
        if (!address_text::IsCidr(peer)) {
            throw BenchError("a " + model.name +
                             " takes a host address with a prefix length, not \"" + peer + "\"");
        }
        state.storedAddress = address;
        state.detectorValue = FactoryDetectorValue;
        state.hostAddress = peer;
        // The ports the detector derives from its address, as its peer does.
        state.commandPort = static_cast<std::uint16_t>(2043 + (*quad)[3]);
        state.imagePort = static_cast<std::uint16_t>(5998 + (*quad)[3]);
        state.ssid = model.hasWifi ? ssid : std::string();
    }
    if (model.hasWifi) {
        record.userConfig = FactoryUserConfig(true);
    }
    return record;
}

} // namespace bench
} // namespace velkor
