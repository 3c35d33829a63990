#pragma once

#include "app/detector_type.h"
#include "detector/detector_ip_manager_iface.h"
#include "platform/acquisition/detector.h"

#include <boost/core/noncopyable.hpp>
#include <boost/optional.hpp>
#include <boost/shared_ptr.hpp>

#include <string>

// Entry point of the network road: opens one detector, forwards the
// configuration requests to its family's implementation, closes it again.
class DetectorIpManager : private boost::noncopyable {
public:
    static DetectorIpManager& Instance();

    // peerIp comes without its prefix-length suffix. Throws std::exception
    // when the detector cannot be opened and initialised.
    void CreateDetector(DetectorType type, const std::string& detectorIp,
                        const std::string& peerIp);
    bool IsConnectedByCable();
    bool SetWifiEnable(bool enable);
    bool SetWifiPasswd(const std::string& ssid, const std::string& passwd);
    bool SetHostAndDetectorIPAddress(const std::string& hostIp, const std::string& detectorIp);
    void DeleteDetector();

    // What the open detector's managers read when it was opened: none when no
    // detector is open or its family has no such manager. They neither read
    // from nor write to the detector.
    boost::optional<std::string> GetDetectorIPAddress();
    boost::optional<std::string> GetHostIPAddress();
    boost::optional<std::string> GetSSID();
    boost::optional<bool> GetWifiEnable();

private:
    DetectorIpManager() = default;
    ~DetectorIpManager();

    static void OnDetectorMessage(const std::string& message);

    boost::shared_ptr<DetectorIpManagerIface> implementation;
    boost::shared_ptr<mirl::acquisition::Detector> detector;
    boost::shared_ptr<mirl::acquisition::Board> board;
};
