#include "bench/store/record_json.h"

#include "bench/store/stored_json.h"
#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"

#include <cstdint>
#include <limits>

namespace velkor {
namespace bench {
namespace record_json {

using stored_json::StoredObject;

namespace {

const int FormatVersion = 1;

std::string RequireBytes(const StoredObject& stored, const std::string& key) {
    const auto text = stored.bytes(key);
    if (!text) {
        throw BenchError("it holds no " + key);
    }
    return *text;
}

std::uint16_t Port(const StoredObject& stored, const std::string& key) {
    return static_cast<std::uint16_t>(
        stored.number(key, 0, std::numeric_limits<std::uint16_t>::max()));
}

unsigned Count(const StoredObject& stored, const std::string& key) {
    return static_cast<unsigned>(stored.number(key, 0, std::numeric_limits<unsigned>::max()));
}

DetectorState StateFrom(const StoredObject& stored) {
    DetectorState state;
    state.id = stored.requireBytes("id");
    const std::string model = stored.text("model");
    state.model = BenchModel::Find(model);
    if (state.model == nullptr) {
        throw BenchError("unknown model " + byte_text::Printable(model));
    }
    state.address = stored.requireBytes("address");
    const std::string linkName = stored.text("link");
    const auto link = DetectorState::LinkFromName(linkName);
    if (!link) {
        throw BenchError("unknown link " + byte_text::Printable(linkName));
    }
    state.link = *link;
    for (const Json& item : stored.array("faults")) {
        const std::string name = item.is_string() ? item.get<std::string>() : item.dump();
        const auto fault = DetectorState::FaultFromName(name);
        if (!fault) {
            throw BenchError("unknown fault " + byte_text::Printable(name));
        }
        state.faults.insert(*fault);
    }
    state.pendingReboot = stored.flag("pending_reboot");
    if (state.model->hasNetworkConfig) {
        const StoredObject network = stored.object("network");
        state.storedAddress = network.requireBytes("detector_address");
        state.detectorValue = Port(network, "detector_value");
        state.hostAddress = network.requireBytes("host_address");
        state.commandPort = Port(network, "command_port");
        state.imagePort = Port(network, "image_port");
        state.pendingApply = network.flag("pending_apply");
    }
    if (state.model->hasWifi) {
        state.ssid = RequireBytes(stored, "ssid");
    }
    const StoredObject calls = stored.object("calls");
    state.applyNetworkConfigCalls = Count(calls, "apply_network_config");
    state.applyUserConfigCalls = Count(calls, "apply_user_config");
    state.lastUserConfigOverCable = calls.optionalFlag("last_user_config_over_cable");
    state.hostName = RequireBytes(stored, "host_name");
    return state;
}

} // namespace

std::string ToJson(const DetectorRecord& record) {
    const DetectorState& state = record.state;
    Json stored = Json::object();
    stored["format"] = FormatVersion;
    stored_json::PutBytes(stored, "id", state.id);
    stored["model"] = state.model->name;
    stored_json::PutBytes(stored, "address", state.address);
    stored["link"] = DetectorState::LinkName(state.link);
    stored["faults"] = state.faultNames();
    stored["pending_reboot"] = state.pendingReboot;
    if (state.model->hasNetworkConfig) {
        Json network = Json::object();
        stored_json::PutBytes(network, "detector_address", state.storedAddress);
        network["detector_value"] = state.detectorValue;
        stored_json::PutBytes(network, "host_address", state.hostAddress);
        network["command_port"] = state.commandPort;
        network["image_port"] = state.imagePort;
        network["pending_apply"] = state.pendingApply;
        stored["network"] = network;
    }
    if (state.model->hasWifi) {
        stored_json::PutBytes(stored, "ssid", state.ssid);
    }
    Json calls = Json::object();
    calls["apply_network_config"] = state.applyNetworkConfigCalls;
    calls["apply_user_config"] = state.applyUserConfigCalls;
    if (state.lastUserConfigOverCable) {
        calls["last_user_config_over_cable"] = *state.lastUserConfigOverCable;
    }
    stored["calls"] = calls;
    stored_json::PutBytes(stored, "host_name", state.hostName);
    if (state.model->keepsAddressesInFile()) {
        stored["file"] = {{"number", state.model->fileNumber},
                          {"bytes_hex", byte_text::ToHex(record.file)}};
    }
    if (state.model->hasWifi) {
        stored_json::PutBytes(stored, "user_config", record.userConfig);
    }
    if (record.password) {
        stored_json::PutBytes(stored, "password", *record.password);
    }
    return stored_json::Dump(stored);
}

DetectorRecord FromJson(const std::string& text) {
    const Json document = stored_json::Parse(text);
    const StoredObject stored(document);
    const long long format =
        stored.number("format", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (format != FormatVersion) {
        throw BenchError("format " + std::to_string(format) + " is not known");
    }
    DetectorRecord record;
    record.state = StateFrom(stored);
    if (record.state.model->keepsAddressesInFile()) {
        const StoredObject file = stored.object("file");
        const long long number = file.number("number", std::numeric_limits<std::int32_t>::min(),
                                             std::numeric_limits<std::int32_t>::max());
        if (number != record.state.model->fileNumber) {
            throw BenchError("it holds file " + std::to_string(number) + " instead of file " +
                             std::to_string(record.state.model->fileNumber));
        }
        const auto bytes = byte_text::FromHex(file.text("bytes_hex"));
        if (!bytes) {
            throw BenchError("the bytes of its file are not hexadecimal");
        }
        record.file.assign(bytes->begin(), bytes->end());
    }
    if (record.state.model->hasWifi) {
        record.userConfig = RequireBytes(stored, "user_config");
    }
    record.password = stored.bytes("password");
    return record;
}

} // namespace record_json
} // namespace bench
} // namespace velkor
