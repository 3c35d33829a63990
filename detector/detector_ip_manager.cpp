#include "detector/detector_ip_manager.h"

#include "detector/6080k/vk6080k_ip_manager.h"
#include "detector/6080mv/vk6080mv_ip_manager.h"
#include "detector/7380tw/vk7380tw_ip_manager.h"
#include "detector/7x80/vk7x80_ip_manager.h"
#include "detector/detector_parameter.h"
#include "detector/nq2/vknq2_ip_manager.h"
#include "platform/acquisition/acquisition_manager.h"
#include "platform/tools/logger.h"
#include "platform/tools/system_informations.h"

#include <boost/make_shared.hpp>
#include <boost/none.hpp>

#include <exception>
#include <stdexcept>

using mirl::acquisition::AcquisitionManager;

namespace {

boost::shared_ptr<DetectorIpManagerIface> CreateImplementation(DetectorType type) {
    switch (type) {
    case Vk6080K:
        return boost::make_shared<Vk6080KIpManager>();
    case VknQ2:
        return boost::make_shared<VknQ2IpManager>();
    case Vk7x80:
        return boost::make_shared<Vk7x80IpManager>();
    case Vk7380TW:
        return boost::make_shared<Vk7380TWIpManager>();
    case Vk6080MV:
        return boost::make_shared<Vk6080MVIpManager>();
    default:
        return boost::shared_ptr<DetectorIpManagerIface>();
    }
}

} // namespace

DetectorIpManager& DetectorIpManager::Instance() {
    static DetectorIpManager instance;
    return instance;
}

// Closes nothing: that is DeleteDetector's job. Members go board first.
DetectorIpManager::~DetectorIpManager() = default;

void DetectorIpManager::OnDetectorMessage(const std::string& message) {
    LOG_INFO("det : " << message);
}

void DetectorIpManager::CreateDetector(DetectorType type, const std::string& detectorIp,
                                       const std::string& peerIp) {
    implementation = CreateImplementation(type);
    if (!implementation) {
        LOG_ERROR("DetectorIpManager::CreateDetector - impossible to instanciate detector "
                  "implementation");
        return;
    }

    const std::string boardName = implementation->GetBoardName();
    const std::string detectorName = implementation->GetDetectorName();
    mirl::acquisition::OptionGroups options;
    implementation->FillOptions(options, detectorIp, peerIp);

    AcquisitionManager& manager = AcquisitionManager::manager();
    manager.init();
    manager.scanBoards(boardName);
    manager.getBoardOptionsParser(boardName).applyOptions(options, true);

    board = manager.getBoard(boardName);
    if (!board) {
        throw std::runtime_error("the acquisition library gave no board " + boardName);
    }
    board->open();
    LOG_INFO("DetectorIpManager::CreateDetector - Board has been initialized");

    const auto parameter = boost::make_shared<DetectorParameter>();
    implementation->FillDetectorParameter(*parameter);
    manager.scanDetectors(detectorName, parameter);
    manager.getDetectorOptionsParser(detectorName).applyOptions(options, true);

    detector = manager.getDetector(detectorName, board);
    if (!detector) {
        throw std::runtime_error("the acquisition library gave no detector " + detectorName);
    }
    detector->setMessageCallback(&DetectorIpManager::OnDetectorMessage);

    try {
        detector->open(true);

        const auto connection = mirl::acquisition::extension<mirl::acquisition::ConnectionIface>(
            detector->extensions, "connection");
        if (connection) {
            connection->setHostName(mirl::tools::SystemInformations::ComputerName(), boost::none);
        }

        implementation->Init(detector);

        if (const auto ipManager = implementation->GetIpManager()) {
            ipManager->ReadConfig();
        }
        if (const auto ssidManager = implementation->GetSSIDManager()) {
            ssidManager->ReadConfig();
        }
        if (const auto wifiManager = implementation->GetWifiManager()) {
            wifiManager->ReadConfig();
        }
        LOG_INFO("DetectorIpManager::CreateDetector - Detector has been initialized");
    } catch (...) {
        LOG_ERROR("DetectorIpManager::CreateDetector - Error creating the detector");
        DeleteDetector();
        throw std::exception();
    }
}

bool DetectorIpManager::IsConnectedByCable() {
    if (!implementation) {
        LOG_ERROR("DetectorIpManager::IsConnectedByCable - invalid ip manager implementation!");
        return false;
    }
    return implementation->IsConnectedByCable();
}

bool DetectorIpManager::SetWifiEnable(bool enable) {
    if (!implementation) {
        LOG_ERROR("DetectorIpManager::SetWifiEnable - invalid ip manager implementation!");
        return false;
    }
    const auto wifi = implementation->GetWifiManager();
    if (!wifi) {
        LOG_ERROR("DetectorIpManager::SetWifiEnable - this detector has no wifi manager");
        return false;
    }
    wifi->SetWifiEnable(enable);
    const bool cable = IsConnectedByCable();
    return wifi->WriteConfig(cable);
}

bool DetectorIpManager::SetWifiPasswd(const std::string& ssid, const std::string& passwd) {
    if (!implementation) {
        LOG_ERROR("DetectorIpManager::SetWifiPasswd - invalid ip manager implementation!");
        return false;
    }
    try {
        const auto ssidManager = implementation->GetSSIDManager();
        if (!ssidManager) {
            LOG_ERROR("DetectorIpManager::SetWifiPasswd - this detector has no ssid manager");
            return false;
        }
        ssidManager->SetSSID(ssid);
        ssidManager->SetPasswd(passwd);
        return ssidManager->WriteConfig();
    } catch (...) {
        LOG_ERROR("DetectorIpManager::SetWifiPasswd - unable to set the ssid and password");
        return false;
    }
}

bool DetectorIpManager::SetHostAndDetectorIPAddress(const std::string& hostIp,
                                                    const std::string& detectorIp) {
    if (!implementation) {
        LOG_ERROR("DetectorIpManager::SetHostAndDetectorIPAddress - invalid ip manager "
                  "implementation!");
        return false;
    }
    try {
        const auto ipManager = implementation->GetIpManager();
        if (!ipManager) {
            LOG_ERROR("DetectorIpManager::SetHostAndDetectorIPAddress - this detector has no ip "
                      "manager");
            return false;
        }
        ipManager->SetHostIPAddress(hostIp);
        ipManager->SetDetectorIPAddress(detectorIp);
        return ipManager->WriteConfig();
    } catch (...) {
        LOG_ERROR("DetectorIpManager::SetHostAndDetectorIPAddress - unable to set host & "
                  "detector ip address");
        return false;
    }
}

void DetectorIpManager::DeleteDetector() {
    implementation.reset();
    if (board) {
        board->close();
        board.reset();
    }
    if (detector) {
        detector->setMessageCallback(mirl::acquisition::MessageCallback());
        detector->close();
        detector.reset();
    }
    AcquisitionManager::manager().clear();
    LOG_INFO("DetectorIpManager::DeleteDetector - Detector has been deleted");
}

boost::optional<std::string> DetectorIpManager::GetDetectorIPAddress() {
    const auto ipManager = implementation ? implementation->GetIpManager() : nullptr;
    return ipManager ? boost::make_optional(ipManager->GetDetectorIPAddress()) : boost::none;
}

boost::optional<std::string> DetectorIpManager::GetHostIPAddress() {
    const auto ipManager = implementation ? implementation->GetIpManager() : nullptr;
    return ipManager ? boost::make_optional(ipManager->GetHostIPAddress()) : boost::none;
}

boost::optional<std::string> DetectorIpManager::GetSSID() {
    const auto ssidManager = implementation ? implementation->GetSSIDManager() : nullptr;
    return ssidManager ? boost::make_optional(ssidManager->GetSSID()) : boost::none;
}

boost::optional<bool> DetectorIpManager::GetWifiEnable() {
    const auto wifiManager = implementation ? implementation->GetWifiManager() : nullptr;
    return wifiManager ? boost::make_optional(wifiManager->GetWifiEnable()) : boost::none;
}
