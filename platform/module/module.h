#pragma once

#include <boost/any.hpp>
#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <map>
#include <string>

namespace mirl {
namespace module {

using MessageCallback = boost::function<void(const std::string&)>;

// Extension "serial_ir": the facing detector, reached over infrared.
// Every operation throws a std::exception when the detector cannot be reached.
class SerialIRIface {
public:
    virtual ~SerialIRIface() = default;
    virtual bool probe(int timeoutMs) = 0;
    virtual std::string readDetectorIpAddress() = 0;
    // The host address as the detector stores it (a CIDR text).
    virtual std::string readHostIpAddress() = 0;
    virtual void writeIpAddresses(const std::string& detector, const std::string& host) = 0;
    virtual std::string readSsid() = 0;
    virtual void writeSsidAndPassword(const std::string& ssid, const std::string& password) = 0;
};

class Module {
public:
    virtual ~Module() = default;
    // An empty function stops the messages.
    virtual void setMessageCallback(const MessageCallback& callback) = 0;
    // Opens the module on the configured serial port; throws on failure.
    virtual void open() = 0;
    virtual void close() = 0;

    // "serial_ir" holds a boost::shared_ptr<SerialIRIface>.
    std::map<std::string, boost::any> extensions;
};

} // namespace module
} // namespace mirl
