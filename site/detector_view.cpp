#include "site/detector_view.h"

#include "app/module_access.h"
#include "app/module_opening.h"
#include "detector/detector_ip_manager.h"
#include "module/module_ip_manager.h"
#include "platform/tools/printable_text.h"
#include "site/library_messages.h"

#include <algorithm>
#include <exception>
#include <nlohmann/json.hpp>

namespace {

// The library's reason, else what the exception says.
std::string Reason(const LibraryMessages& messages, const std::exception* error) {
    const std::string last = messages.Last();
    if (!last.empty()) {
        return last;
    }
    const std::string what = error ? error->what() : "";
    return what.empty() || what == "std::exception" ? "the library gave no reason" : what;
}

// Closes what was opened when it goes, whatever happens in between.
class Closing {
public:
    explicit Closing(void (*close)()) : close_(close) {}
    ~Closing() { close_(); }
    Closing(const Closing&) = delete;
    Closing& operator=(const Closing&) = delete;

private:
    void (*close_)();
};

} // namespace

DetectorView ReadOverNetwork(const std::string& model, const std::string& detectorIp,
                             const std::string& peerIp) {
    DetectorView view;
    view.model = model;
    view.type = DetectorTypeFromName(model);
    view.reachedAt = detectorIp;
    DetectorIpManager& manager = DetectorIpManager::Instance();
    const LibraryMessages messages;
    try {
        manager.CreateDetector(view.type, detectorIp,
                               detector_type::PeerAddress(view.type, peerIp));
    } catch (const std::exception& error) {
        throw ViewError("Error - the " + model + " at " + detectorIp +
                        " could not be opened: " + Reason(messages, &error));
    } catch (...) {
        throw ViewError("Error - the " + model + " at " + detectorIp +
                        " could not be opened: " + Reason(messages, nullptr));
    }
    const Closing closing([] { DetectorIpManager::Instance().DeleteDetector(); });
    try {
        view.cable = manager.IsConnectedByCable();
        view.detectorAddress = manager.GetDetectorIPAddress().value_or("");
        view.hostAddress = manager.GetHostIPAddress().value_or("");
        view.ssid = manager.GetSSID();
        view.wifi = manager.GetWifiEnable();
    } catch (const std::exception& error) {
        throw ViewError("Error - the " + model +
                        "'s settings could not be read: " + Reason(messages, &error));
    }
    return view;
}

DetectorView ReadOverModule(const std::string& model, const std::string& serialPort) {
    DetectorView view;
    view.model = model;
    view.type = DetectorTypeFromName(model);
    view.viaModule = true;
    ModuleAccess module;
    const LibraryMessages messages;
    const boost::optional<std::string> port = OpenModule(module, serialPort);
    if (!port && serialPort.empty()) {
        throw ViewError("Error - no serial port of this host has an infrared module that "
                        "answers: " +
                        (messages.Last().empty() ? std::string("the host lists no serial port")
                                                 : messages.Last()));
    }
    if (!port) {
        throw ViewError("Error - no infrared module answers on " + serialPort + ": " +
                        Reason(messages, nullptr));
    }
    const Closing closing([] { ModuleIpManager::Instance().DeleteModule(); });
    view.port = *port;
    ModuleIpManager& manager = ModuleIpManager::Instance();
    try {
        view.detectorAddress = manager.GetDetectorIPAddress();
        view.hostAddress = manager.GetHostIPAddress();
        view.ssid = manager.GetSSID();
    } catch (const std::exception& error) {
        throw ViewError("Error - the " + model +
                        "'s settings could not be read over infrared: " + Reason(messages, &error));
    }
    return view;
}

void PrintDetectorView(std::ostream& out, const DetectorView& view, bool json) {
    nlohmann::ordered_json object = {{"model", view.model},
                                     {"family", detector_type::FamilyName(view.type)},
                                     {"road", view.viaModule ? "module" : "network"}};
    if (view.viaModule) {
        object["port"] = view.port;
    } else {
        object["reached_at"] = view.reachedAt;
        object["link"] = view.cable.value_or(false) ? "cable" : "wifi";
    }
    object["detector_address"] = view.detectorAddress;
    object["host_address"] = view.hostAddress;
    if (view.ssid) {
        object["ssid"] = *view.ssid;
    }
    if (view.wifi) {
        object["wifi"] = *view.wifi ? "on" : "off";
    }
    if (json) {
        // A byte that is not UTF-8 (an SSID may hold any) becomes U+FFFD.
        out << object.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
        return;
    }
    for (const auto& item : object.items()) {
        std::string name = item.key();
        std::replace(name.begin(), name.end(), '_', ' ');
        out << name << ": " << PrintableText(item.value().get<std::string>()) << "\n";
    }
}
