#pragma once

#include "app/detector_access_iface.h"
#include "app/detector_type.h"
#include "app/module_access_iface.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace fuzz {

// Which way each call of the two roads goes, from three bytes of the input.
//   byte 0: bit 0 CreateDetector throws, bit 1 linked by cable, bits 2, 3, 4
//           SetWifiEnable, SetWifiPasswd, SetHostAndDetectorIPAddress answer
//           true, bit 5 DeleteDetector throws, bits 6, 7 the module's
//           SetHostAndDetectorIPAddress, SetWifiPasswd answer true;
//   byte 1: bits 0-3 CreateModule throws on port 0, 1, 2, any other port;
//           bits 4-6 which detector address the module reports;
//   byte 2: bits 0-2 which host address the module reports, bit 3
//           GetDetectorIPAddress throws, bit 4 DeleteModule throws, bit 5 the
//           host has no serial port.
struct Behaviour {
    std::uint8_t bytes[3] = {0, 0, 0};

    bool Bit(std::size_t byte, unsigned bit) const { return ((bytes[byte] >> bit) & 1u) != 0; }
    unsigned Field(std::size_t byte, unsigned shift) const { return (bytes[byte] >> shift) & 7u; }
};

// One call that may change the detector, with what the fake answered.
struct Change {
    enum Kind { WifiEnable, WifiPasswd, Addresses } kind;
    bool result;
    std::string first;
    std::string second;
};

// What both fakes keep of the calls that may change the detector, and of its
// closing.
class ChangeRecord {
public:
    int calls = 0;
    int deletes = 0;
    bool open = false;
    int changesBeforeOpen = 0;
    std::size_t deletedAfterChanges = 0;
    std::vector<Change> changes;

protected:
    bool Record(Change::Kind kind, bool result, const std::string& first,
                const std::string& second) {
        ++calls;
        changes.push_back({kind, result, first, second});
        changesBeforeOpen += open ? 0 : 1;
        return result;
    }

    // A close, counted; it throws `failure` when `fails`.
    void Close(bool fails, const char* failure) {
        ++deletes;
        deletedAfterChanges = changes.size();
        if (fails) {
            throw std::runtime_error(failure);
        }
    }
};

class RecordingDetector : public DetectorAccessIface, public ChangeRecord {
public:
    explicit RecordingDetector(const Behaviour& behaviour) : behaviour_(behaviour) {}

    void CreateDetector(DetectorType type, const std::string& detectorIp,
                        const std::string& peerIp) override {
        ++creates;
        createdType = type;
        createdDetectorIp = detectorIp;
        createdPeerIp = peerIp;
        if (behaviour_.Bit(0, 0)) {
            throw std::runtime_error("emulated: detector unreachable");
        }
        open = true;
    }
    bool IsConnectedByCable() override {
        ++calls;
        cable = behaviour_.Bit(0, 1);
        linkAsked = true;
        return cable;
    }
    bool SetWifiEnable(bool enable) override {
        return Record(Change::WifiEnable, behaviour_.Bit(0, 2), enable ? "true" : "false", "");
    }
    bool SetWifiPasswd(const std::string& ssid, const std::string& password) override {
        return Record(Change::WifiPasswd, behaviour_.Bit(0, 3), ssid, password);
    }
    bool SetHostAndDetectorIPAddress(const std::string& hostIp,
                                     const std::string& detectorIp) override {
        return Record(Change::Addresses, behaviour_.Bit(0, 4), hostIp, detectorIp);
    }
    void DeleteDetector() override { Close(behaviour_.Bit(0, 5), "emulated: close failed"); }

    int creates = 0;
    bool linkAsked = false;
    bool cable = false;
    DetectorType createdType = InvalidDetectorType;
    std::string createdDetectorIp;
    std::string createdPeerIp;

private:
    const Behaviour& behaviour_;
};

class RecordingModule : public ModuleAccessIface, public ChangeRecord {
public:
    static const std::vector<std::string>& Ports() {
        static const std::vector<std::string> ports = {"ttyS0", "ttyUSB0", "COM3"};
        return ports;
    }

    explicit RecordingModule(const Behaviour& behaviour) : behaviour_(behaviour) {}

    std::vector<std::string> GetSerialPorts() override {
        ++calls;
        return behaviour_.Bit(2, 5) ? std::vector<std::string>() : Ports();
    }
    void CreateModule(int /*kind*/, const std::string& port) override {
        ++calls;
        std::size_t index = 0;
        while (index < Ports().size() && Ports()[index] != port) {
            ++index;
        }
        if (behaviour_.Bit(1, static_cast<unsigned>(index))) {
            throw std::runtime_error("emulated: no module on " + port);
        }
        open = true;
    }
    std::string GetDetectorIPAddress() override {
        ++calls;
        if (behaviour_.Bit(2, 3)) {
            throw std::runtime_error("emulated: module read failed");
        }
        reportedDetectorIp = DetectorAddresses()[behaviour_.Field(1, 4)];
        return reportedDetectorIp;
    }
    std::string GetHostIPAddress() override {
        ++calls;
        reportedHostIp = HostAddresses()[behaviour_.Field(2, 0)];
        return reportedHostIp;
    }
    bool SetHostAndDetectorIPAddress(const std::string& hostIp,
                                     const std::string& detectorIp) override {
        return Record(Change::Addresses, behaviour_.Bit(0, 6), hostIp, detectorIp);
    }
    bool SetWifiPasswd(const std::string& ssid, const std::string& password) override {
        return Record(Change::WifiPasswd, behaviour_.Bit(0, 7), ssid, password);
    }
    void DeleteModule() override {
        ++calls;
        Close(behaviour_.Bit(2, 4), "emulated: module close failed");
    }

    std::string reportedDetectorIp;
    std::string reportedHostIp;

private:
    // Valid and invalid current addresses, of several families.
    static const std::vector<std::string>& DetectorAddresses() {
        static const std::vector<std::string> addresses = {
            "192.168.1.20", "10.0.0.20",     "192.168.3.20", "10.0.37.130", "",
            "1.2.3",        "192.168.1.300", "172.16.0.5"};
        return addresses;
    }
    static const std::vector<std::string>& HostAddresses() {
        static const std::vector<std::string> addresses = {
            "192.168.1.1/24", "10.0.0.1/16", "192.168.3.1/24", "10.0.37.131", "",
            "192.168.1.1",    "10.0.0.1/33", "172.16.0.1/12"};
        return addresses;
    }

    const Behaviour& behaviour_;
};

} // namespace fuzz
