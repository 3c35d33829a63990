#include "bench/store/detector_session.h"

#include "bench/store/address_text.h"
#include "bench/store/bench_error.h"
#include "bench/store/bounded_parse.h"
#include "bench/store/byte_text.h"
#include "bench/store/detector_files.h"

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <cctype>
#include <sstream>

namespace velkor {
namespace bench {

namespace pt = boost::property_tree;
namespace fs = boost::filesystem;

const char* const DetectorSession::RecordFileName = "detector.json";
const char* const DetectorSession::LockFile = "lock";
const std::size_t DetectorSession::MaxRecordSize = 1024 * 1024;

namespace {

// A stored user configuration stays well below the record's own limit.
const std::size_t MaxUserConfigSize = 64 * 1024;

bool IsHexByte(const std::string& text) {
    return text.size() == 2 && std::isxdigit(static_cast<unsigned char>(text[0])) &&
           std::isxdigit(static_cast<unsigned char>(text[1]));
}

} // namespace

DetectorRecord DetectorSession::Load(const fs::path& folder) {
    const fs::path file = folder / RecordFileName;
    boost::system::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
        throw BenchError(std::string(RecordFileName) + " is missing");
    }
    const std::string text = atomic_file::ReadText(file, MaxRecordSize);
    try {
        return DetectorRecord::FromJson(text);
    } catch (const BenchError& malformed) {
        throw BenchError("malformed " + std::string(RecordFileName) + ": " + malformed.what());
    }
}

DetectorSession::DetectorSession(fs::path folder, ExclusiveLock lock, DetectorRecord record)
    : folder_(std::move(folder)), lock_(std::move(lock)), record_(std::move(record)) {}

void DetectorSession::commit(const DetectorRecord& changed) {
    // What writes killed before this one left behind, the password in it.
    if (!swept_) {
        atomic_file::RemoveTemporaries(folder_, RecordFileName);
        swept_ = true;
    }
    atomic_file::WriteText(folder_ / RecordFileName, changed.toJson(), true);
    record_ = changed;
}

void DetectorSession::failIfWritesFail(const std::string& what) const {
    if (state().hasFault("fail-write")) {
        throw BenchError("the detector failed to store " + what + " (fault fail-write)");
    }
}

void DetectorSession::requireFile(std::int32_t number) const {
    if (!state().model->hasFile) {
        throw BenchError("a " + state().model->name + " has no file extension");
    }
    if (number == 0 || number != state().model->fileNumber) {
        throw BenchError("a " + state().model->name + " has no file " + std::to_string(number));
    }
}

void DetectorSession::requireUserConfig() const {
    if (!state().model->hasWifi) {
        throw BenchError("a " + state().model->name + " has no user configuration");
    }
}

Bytes DetectorSession::readFile(std::int32_t number) const {
    requireFile(number);
    return record_.file;
}

void DetectorSession::writeFile(std::int32_t number, const Bytes& bytes) {
    requireFile(number);
    failIfWritesFail("file " + std::to_string(number));
    const std::string refusal = detector_files::RefusalOf(number, bytes);
    if (!refusal.empty()) {
        throw BenchError("file " + std::to_string(number) + " refused: " + refusal);
    }
    DetectorRecord changed = record_;
    changed.file = bytes;
    changed.state.pendingReboot = true;
    commit(changed);
}

pt::ptree DetectorSession::loadUserConfig() const {
    requireUserConfig();
    try {
        return bounded::ParseXml(record_.userConfig);
    } catch (const BenchError& error) {
        throw BenchError(std::string("malformed user configuration: ") + error.what());
    }
}

void DetectorSession::saveUserConfig(const pt::ptree& document) {
    requireUserConfig();
    failIfWritesFail("its user configuration");
    if (document.size() != 1 || document.begin()->first != "ucf") {
        throw BenchError("user configuration refused: the document must have the one root ucf");
    }
    if (bounded::TreeDepth(document) > bounded::MaxXmlDepth) {
        throw BenchError("user configuration refused: it is nested deeper than " +
                         std::to_string(bounded::MaxXmlDepth) + " levels");
    }
    const auto wifi = document.get_optional<std::string>("ucf.wifi_enable");
    if (wifi && !IsHexByte(*wifi)) {
        throw BenchError("user configuration refused: wifi_enable \"" +
                         byte_text::Printable(*wifi) +
                         "\" is not a byte in two hexadecimal digits");
    }
    std::ostringstream text;
    pt::write_xml(text, document, pt::xml_writer_make_settings<std::string>(' ', 2));
    if (text.str().size() > MaxUserConfigSize) {
        throw BenchError("user configuration refused: it is larger than " +
                         std::to_string(MaxUserConfigSize) + " bytes");
    }
    DetectorRecord changed = record_;
    changed.userConfig = text.str();
    commit(changed);
}

void DetectorSession::applyUserConfig(bool overCable) {
    requireUserConfig();
    DetectorRecord changed = record_;
    ++changed.state.applyUserConfigCalls;
    changed.state.lastUserConfigOverCable = overCable;
    commit(changed);
}

boost::optional<bool> DetectorSession::wifiSwitch() const {
    const auto wifi = loadUserConfig().get_optional<std::string>("ucf.wifi_enable");
    if (!wifi) {
        return boost::none;
    }
    return *wifi == "01";
}

bool DetectorSession::writeAddresses(const std::string& detector, std::uint16_t value,
                                     const std::string& host, std::uint16_t commandPort,
                                     std::uint16_t imagePort, std::string& refusal) {
    if (!state().model->hasNetworkConfig) {
        throw BenchError("a " + state().model->name + " has no network configuration");
    }
    failIfWritesFail("its addresses");
    refusal.clear();
    if (state().hasFault("refuse-write")) {
        refusal = "the detector refuses to store addresses (fault refuse-write)";
    } else if (!address_text::IsPlain(detector)) {
        refusal =
            "detector address \"" + byte_text::Printable(detector) + "\" is not a dotted address";
    } else if (!address_text::IsCidr(host)) {
        refusal = "host address \"" + byte_text::Printable(host) +
                  "\" is not an address with a prefix length";
    } else if (commandPort == 0 || imagePort == 0) {
        refusal = "port 0 cannot carry commands or images";
    }
    if (!refusal.empty()) {
        return false;
    }
    DetectorRecord changed = record_;
    changed.state.storedAddress = detector;
    changed.state.detectorValue = value;
    changed.state.hostAddress = host;
    changed.state.commandPort = commandPort;
    changed.state.imagePort = imagePort;
    changed.state.pendingApply = true;
    commit(changed);
    return true;
}

bool DetectorSession::applyNetworkConfig() {
    DetectorRecord changed = record_;
    DetectorState& next = changed.state;
    ++next.applyNetworkConfigCalls;
    const bool changes = next.pendingApply && next.address != next.storedAddress;
    if (next.pendingApply) {
        next.address = next.storedAddress;
        next.pendingApply = false;
    }
    commit(changed);
    return changes;
}

void DetectorSession::writeSsidAndPassword(const std::string& ssid, const std::string& password) {
    if (!state().model->hasWifi) {
        throw BenchError("a " + state().model->name + " has no Wi-Fi");
    }
    failIfWritesFail("its SSID and password");
    if (ssid.empty() || ssid.size() > 32) {
        throw BenchError("SSID refused: an SSID has 1 to 32 bytes");
    }
    bool printable = password.size() >= 8 && password.size() <= 63;
    for (const char c : password) {
        printable = printable && c >= 0x20 && c <= 0x7E;
    }
    if (!printable) {
        // The reason only: the text itself must not reach a message.
        throw BenchError("password refused: a Wi-Fi password has 8 to 63 printable characters");
    }
    DetectorRecord changed = record_;
    changed.state.ssid = ssid;
    changed.password = password;
    commit(changed);
}

void DetectorSession::writeAddressesNow(const std::string& detector, const std::string& host) {
    if (!state().model->facesInfrared) {
        throw BenchError("a " + state().model->name + " has no infrared window");
    }
    failIfWritesFail("its addresses");
    if (state().hasFault("refuse-write")) {
        throw BenchError("the detector refuses to store addresses (fault refuse-write)");
    }
    if (!address_text::IsPlain(detector)) {
        throw BenchError("detector address \"" + byte_text::Printable(detector) +
                         "\" is not a dotted address");
    }
    if (!address_text::IsCidr(host)) {
        throw BenchError("host address \"" + byte_text::Printable(host) +
                         "\" is not an address with a prefix length");
    }
    DetectorRecord changed = record_;
    changed.state.storedAddress = detector;
    changed.state.hostAddress = host;
    changed.state.address = detector;
    changed.state.pendingApply = false;
    commit(changed);
}

void DetectorSession::setHostName(const std::string& name) {
    DetectorRecord changed = record_;
    changed.state.hostName = name;
    commit(changed);
}

bool DetectorSession::passwordMatches(const std::string& password) const {
    return record_.password && *record_.password == password;
}

void DetectorSession::reboot() {
    DetectorRecord changed = record_;
    DetectorState& next = changed.state;
    if (next.model->keepsAddressesInFile()) {
        next.address = detector_files::DetectorAddressOf(next.model->fileNumber, changed.file);
        next.pendingReboot = false;
    } else if (next.pendingApply) {
        next.address = next.storedAddress;
        next.pendingApply = false;
    }
    commit(changed);
}

void DetectorSession::setFault(const std::string& fault, bool on) {
    if (!DetectorState::IsFaultName(fault)) {
        throw BenchError("unknown fault " + byte_text::Printable(fault) +
                         " (known: " + DetectorState::KnownFaults() + ")");
    }
    const BenchModel& model = *state().model;
    const std::string extension = fault.compare(0, 8, "missing:") == 0 ? fault.substr(8) : "";
    const bool has =
        extension.empty() || extension == "connection" || (extension == "file" && model.hasFile) ||
        (extension == "network_configuration" && model.hasNetworkConfig) ||
        (extension == "wifi" && model.hasWifi) || (extension == "serial_ir" && model.facesInfrared);
    if (!has) {
        throw BenchError("a " + model.name + " has no " + extension + " extension to miss");
    }
    DetectorRecord changed = record_;
    if (on) {
        changed.state.faults.insert(fault);
    } else {
        changed.state.faults.erase(fault);
    }
    commit(changed);
}

void DetectorSession::setLink(Link link) {
    if (!state().model->hasWifi) {
        throw BenchError("a " + state().model->name + " has no Wi-Fi: its link is a cable");
    }
    DetectorRecord changed = record_;
    changed.state.link = link;
    commit(changed);
}

} // namespace bench
} // namespace velkor
