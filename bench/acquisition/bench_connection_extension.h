#pragma once

#include "bench/library/session_link.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

namespace velkor {
namespace bench {

// Extension "connection": the host name, and taking written settings into use.
class BenchConnectionExtension : public mirl::acquisition::ConnectionIface {
public:
    explicit BenchConnectionExtension(boost::shared_ptr<SessionLink> link);

    void setHostName(const std::string& name, const boost::optional<std::string>& domain) override;
    void applyNetworkConfig() override;

private:
    boost::shared_ptr<SessionLink> link_;
};

} // namespace bench
} // namespace velkor
