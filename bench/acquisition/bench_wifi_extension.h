#pragma once

#include "bench/library/session_link.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

namespace velkor {
namespace bench {

// The detector's Wi-Fi: the link it is reached over and its SSID.
class BenchWifiExtension : public mirl::acquisition::WifiIface {
public:
    explicit BenchWifiExtension(boost::shared_ptr<SessionLink> link);

    // Ends in ":" and an even hexadecimal number over a cable, an odd one over Wi-Fi.
    std::string getLinkText() override;
    std::string getSsid() override;

private:
    boost::shared_ptr<SessionLink> link_;
};

} // namespace bench
} // namespace velkor
