#include "bench/store/detector_state.h"

#include "bench/store/bench_error.h"

#include <boost/property_tree/ptree.hpp>

namespace velkor {
namespace bench {

namespace pt = boost::property_tree;

boost::optional<Link> DetectorState::LinkFromName(const std::string& name) {
    if (name == "cable") {
        return Link::Cable;
    }
    if (name == "wifi") {
        return Link::Wifi;
    }
    return boost::none;
}

namespace {

const char* const kFaults[] = {
    "offline",      "fail-write",         "refuse-write",
    "missing:file", "missing:connection", "missing:network_configuration",
    "missing:wifi", "missing:serial_ir"};

} // namespace

bool DetectorState::IsFaultName(const std::string& fault) {
    for (const char* known : kFaults) {
        if (fault == known) {
            return true;
        }
    }
    return false;
}

std::string DetectorState::KnownFaults() {
    std::string names;
    for (const char* known : kFaults) {
        names += (names.empty() ? "" : ", ") + std::string(known);
    }
    return names;
}

pt::ptree DetectorState::toTree() const {
    pt::ptree tree;
    tree.put("id", id);
    tree.put("model", model->name);
    tree.put("address", address);
    tree.put("link", LinkName(link));
    pt::ptree faultList;
    for (const std::string& fault : faults) {
        faultList.push_back(std::make_pair("", pt::ptree(fault)));
    }
    tree.add_child("faults", faultList);
    tree.put("pending_reboot", pendingReboot);
    if (model->hasNetworkConfig) {
        tree.put("network.detector_address", storedAddress);
        tree.put("network.detector_value", detectorValue);
        tree.put("network.host_address", hostAddress);
        tree.put("network.command_port", commandPort);
        tree.put("network.image_port", imagePort);
        tree.put("network.pending_apply", pendingApply);
    }
    if (model->hasWifi) {
        tree.put("ssid", ssid);
    }
    tree.put("calls.apply_network_config", applyNetworkConfigCalls);
    tree.put("calls.apply_user_config", applyUserConfigCalls);
    if (lastUserConfigOverCable) {
        tree.put("calls.last_user_config_over_cable", *lastUserConfigOverCable);
    }
    tree.put("host_name", hostName);
    return tree;
}

DetectorState DetectorState::FromTree(const pt::ptree& tree) {
    try {
        DetectorState state;
        state.id = tree.get<std::string>("id");
        state.model = BenchModel::Find(tree.get<std::string>("model"));
        if (state.model == nullptr) {
            throw BenchError("unknown model " + tree.get<std::string>("model"));
        }
        state.address = tree.get<std::string>("address");
        const auto link = LinkFromName(tree.get<std::string>("link"));
        if (!link) {
            throw BenchError("unknown link " + tree.get<std::string>("link"));
        }
        state.link = *link;
        if (const auto faultList = tree.get_child_optional("faults")) {
            for (const auto& fault : *faultList) {
                state.faults.insert(fault.second.get_value<std::string>());
            }
        }
        state.pendingReboot = tree.get<bool>("pending_reboot", false);
        if (state.model->hasNetworkConfig) {
            state.storedAddress = tree.get<std::string>("network.detector_address");
            state.detectorValue = tree.get<std::uint16_t>("network.detector_value");
            state.hostAddress = tree.get<std::string>("network.host_address");
            state.commandPort = tree.get<std::uint16_t>("network.command_port");
            state.imagePort = tree.get<std::uint16_t>("network.image_port");
            state.pendingApply = tree.get<bool>("network.pending_apply", false);
        }
        if (state.model->hasWifi) {
            state.ssid = tree.get<std::string>("ssid");
        }
        state.applyNetworkConfigCalls = tree.get<unsigned>("calls.apply_network_config", 0);
        state.applyUserConfigCalls = tree.get<unsigned>("calls.apply_user_config", 0);
        state.lastUserConfigOverCable =
            tree.get_optional<bool>("calls.last_user_config_over_cable");
        state.hostName = tree.get<std::string>("host_name", "");
        return state;
    } catch (const pt::ptree_error& error) {
        throw BenchError(std::string("malformed detector state: ") + error.what());
    }
}

} // namespace bench
} // namespace velkor
