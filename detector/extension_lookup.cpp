#include "detector/extension_lookup.h"

#include "platform/tools/logger.h"

#include <exception>

namespace {

template <typename Extension>
boost::shared_ptr<Extension> Require(const boost::shared_ptr<Extension>& found,
                                     const std::string& owner, const char* what) {
    if (!found) {
        LOG_ERROR(owner << "::Init - impossible to retrieve detector's " << what << " extension");
        throw std::exception();
    }
    return found;
}

} // namespace

boost::shared_ptr<mirl::acquisition::FileIface>
extension_lookup::File(const mirl::acquisition::Detector& detector, const std::string& owner) {
    return Require(
        mirl::acquisition::extension<mirl::acquisition::FileIface>(detector.extensions, "file"),
        owner, "file");
}

boost::shared_ptr<mirl::acquisition::ConnectionIface>
extension_lookup::Connection(const mirl::acquisition::Detector& detector,
                             const std::string& owner) {
    return Require(mirl::acquisition::extension<mirl::acquisition::ConnectionIface>(
                       detector.extensions, "connection"),
                   owner, "connection");
}

boost::shared_ptr<mirl::acquisition::NetworkConfigIface>
extension_lookup::NetworkConfiguration(const mirl::acquisition::Detector& detector,
                                       const std::string& owner) {
    return Require(mirl::acquisition::extension<mirl::acquisition::NetworkConfigIface>(
                       detector.extensions, "network_configuration"),
                   owner, "network configuration");
}

boost::shared_ptr<mirl::acquisition::WifiIface>
extension_lookup::Wifi(mirl::acquisition::Detector& detector, const std::string& owner) {
    return Require(detector.getWifi(), owner, "wifi");
}
