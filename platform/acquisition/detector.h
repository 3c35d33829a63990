#pragma once

#include "platform/acquisition/extensions.h"

#include <boost/any.hpp>
#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <map>
#include <string>

namespace mirl {
namespace acquisition {

using MessageCallback = boost::function<void(const std::string&)>;

class Board {
public:
    virtual ~Board() = default;
    virtual void open() = 0;
    virtual void close() = 0;
};

class Detector {
public:
    virtual ~Detector() = default;

    // Empty when the detector has no Wi-Fi.
    virtual boost::shared_ptr<WifiIface> getWifi() = 0;
    virtual void open(bool wait) = 0;
    virtual void close() = 0;
    // An empty function stops the messages.
    virtual void setMessageCallback(const MessageCallback& callback) = 0;

    // "file", "connection", "network_configuration": each holds a
    // boost::shared_ptr to FileIface, ConnectionIface or NetworkConfigIface.
    std::map<std::string, boost::any> extensions;
};

// The typed extension under `name`; empty when absent.
// A value of another type throws boost::bad_any_cast.
template <typename Extension>
boost::shared_ptr<Extension> extension(const std::map<std::string, boost::any>& extensions,
                                       const std::string& name) {
    const auto found = extensions.find(name);
    if (found == extensions.end()) {
        return boost::shared_ptr<Extension>();
    }
    return boost::any_cast<boost::shared_ptr<Extension>>(found->second);
}

} // namespace acquisition
} // namespace mirl
