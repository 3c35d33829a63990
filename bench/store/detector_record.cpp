#include "bench/store/detector_record.h"

#include "bench/store/bench_error.h"
#include "bench/store/bounded_parse.h"
#include "bench/store/byte_text.h"
#include "bench/store/json_writer.h"
#include "bench/store/stored_text.h"

#include <boost/property_tree/ptree.hpp>

#include <sstream>

namespace velkor {
namespace bench {

namespace pt = boost::property_tree;

namespace {

const int FormatVersion = 1;

std::string RequireBytes(const pt::ptree& tree, const std::string& key) {
    const auto text = stored_text::Get(tree, key);
    if (!text) {
        throw BenchError("it holds no " + key);
    }
    return *text;
}

long long Number(unsigned value) {
    return static_cast<long long>(value);
}

DetectorState StateFrom(const pt::ptree& tree) {
    DetectorState state;
    state.id = stored_text::Require(tree, "id");
    const std::string model = tree.get<std::string>("model");
    state.model = BenchModel::Find(model);
    if (state.model == nullptr) {
        throw BenchError("unknown model " + byte_text::Printable(model));
    }
    state.address = stored_text::Require(tree, "address");
    const auto link = DetectorState::LinkFromName(tree.get<std::string>("link"));
    if (!link) {
        throw BenchError("unknown link " + byte_text::Printable(tree.get<std::string>("link")));
    }
    state.link = *link;
    for (const auto& fault : tree.get_child("faults")) {
        const std::string name = fault.second.get_value<std::string>();
        if (!DetectorState::IsFaultName(name)) {
            throw BenchError("unknown fault " + byte_text::Printable(name));
        }
        state.faults.insert(name);
    }
    state.pendingReboot = tree.get<bool>("pending_reboot");
    if (state.model->hasNetworkConfig) {
        state.storedAddress = stored_text::Require(tree, "network.detector_address");
        state.detectorValue = tree.get<std::uint16_t>("network.detector_value");
        state.hostAddress = stored_text::Require(tree, "network.host_address");
        state.commandPort = tree.get<std::uint16_t>("network.command_port");
        state.imagePort = tree.get<std::uint16_t>("network.image_port");
        state.pendingApply = tree.get<bool>("network.pending_apply");
    }
    if (state.model->hasWifi) {
        state.ssid = RequireBytes(tree, "ssid");
    }
    state.applyNetworkConfigCalls = tree.get<unsigned>("calls.apply_network_config");
    state.applyUserConfigCalls = tree.get<unsigned>("calls.apply_user_config");
    state.lastUserConfigOverCable = tree.get_optional<bool>("calls.last_user_config_over_cable");
    state.hostName = RequireBytes(tree, "host_name");
    return state;
}

} // namespace

std::string DetectorRecord::toJson() const {
    std::ostringstream text;
    JsonWriter writer(text);
    writer.beginObject().key("format").value(static_cast<long long>(FormatVersion));
    stored_text::Put(writer, "id", state.id);
    writer.key("model").value(state.model->name);
    stored_text::Put(writer, "address", state.address);
    writer.key("link").value(DetectorState::LinkName(state.link));
    writer.key("faults").beginArray();
    for (const std::string& fault : state.faults) {
        writer.value(fault);
    }
    writer.endArray();
    writer.key("pending_reboot").value(state.pendingReboot);
    if (state.model->hasNetworkConfig) {
        writer.key("network").beginObject();
        stored_text::Put(writer, "detector_address", state.storedAddress);
        writer.key("detector_value").value(Number(state.detectorValue));
        stored_text::Put(writer, "host_address", state.hostAddress);
        writer.key("command_port").value(Number(state.commandPort));
        writer.key("image_port").value(Number(state.imagePort));
        writer.key("pending_apply").value(state.pendingApply);
        writer.endObject();
    }
    if (state.model->hasWifi) {
        stored_text::Put(writer, "ssid", state.ssid);
    }
    writer.key("calls").beginObject();
    writer.key("apply_network_config").value(Number(state.applyNetworkConfigCalls));
    writer.key("apply_user_config").value(Number(state.applyUserConfigCalls));
    if (state.lastUserConfigOverCable) {
        writer.key("last_user_config_over_cable").value(*state.lastUserConfigOverCable);
    }
    writer.endObject();
    stored_text::Put(writer, "host_name", state.hostName);
    if (state.model->keepsAddressesInFile()) {
        writer.key("file").beginObject();
        writer.key("number").value(static_cast<long long>(state.model->fileNumber));
        writer.key("bytes_hex").value(byte_text::ToHex(file));
        writer.endObject();
    }
    if (state.model->hasWifi) {
        stored_text::Put(writer, "user_config", userConfig);
    }
    if (password) {
        stored_text::Put(writer, "password", *password);
    }
    writer.endObject();
    writer.finish();
    return text.str();
}

DetectorRecord DetectorRecord::FromJson(const std::string& text) {
    const pt::ptree tree = bounded::ParseJson(text);
    try {
        if (tree.get<int>("format") != FormatVersion) {
            throw BenchError("format " + byte_text::Printable(tree.get<std::string>("format")) +
                             " is not known");
        }
        DetectorRecord record;
        record.state = StateFrom(tree);
        if (record.state.model->keepsAddressesInFile()) {
            if (tree.get<std::int32_t>("file.number") != record.state.model->fileNumber) {
                throw BenchError(
                    "it holds file " + byte_text::Printable(tree.get<std::string>("file.number")) +
                    " instead of file " + std::to_string(record.state.model->fileNumber));
            }
            const auto bytes = byte_text::FromHex(tree.get<std::string>("file.bytes_hex"));
            if (!bytes) {
                throw BenchError("the bytes of its file are not hexadecimal");
            }
            record.file.assign(bytes->begin(), bytes->end());
        }
        if (record.state.model->hasWifi) {
            record.userConfig = RequireBytes(tree, "user_config");
        }
        record.password = stored_text::Get(tree, "password");
        return record;
    } catch (const pt::ptree_error& error) {
        throw BenchError(byte_text::Printable(error.what()));
    }
}

} // namespace bench
} // namespace velkor
