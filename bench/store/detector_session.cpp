#include "bench/store/detector_session.h"

#include "bench/store/address_text.h"
#include "bench/store/bench_error.h"
#include "bench/store/detector_files.h"

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <cctype>
#include <sstream>

namespace velkor {
namespace bench {

namespace pt = boost::property_tree;
namespace fs = boost::filesystem;

const char* const DetectorSession::kStateFile = "state.json";
const char* const DetectorSession::kUserConfigFile = "user-config.xml";
const char* const DetectorSession::kPasswordFile = "password";
const char* const DetectorSession::kLockFile = "lock";

namespace {

DetectorState LoadState(const fs::path& folder) {
    const fs::path file = folder / DetectorSession::kStateFile;
    if (!fs::exists(file)) {
        throw BenchError("no detector is kept in " + folder.string() + " any more");
    }
    std::istringstream text(AtomicFile::ReadText(file));
    pt::ptree tree;
    try {
        pt::read_json(text, tree);
    } catch (const pt::ptree_error& error) {
        throw BenchError("malformed " + file.string() + ": " + error.what());
    }
    return DetectorState::FromTree(tree);
}

bool IsHexByte(const std::string& text) {
    return text.size() == 2 && std::isxdigit(static_cast<unsigned char>(text[0])) &&
           std::isxdigit(static_cast<unsigned char>(text[1]));
}

} // namespace

std::string DetectorSession::FileName(std::int32_t number) {
    return "file-" + std::to_string(number) + ".bin";
}

DetectorSession::DetectorSession(fs::path folder, ExclusiveLock lock)
    : folder_(std::move(folder)), lock_(std::move(lock)), state_(LoadState(folder_)) {}

void DetectorSession::save() {
    std::ostringstream text;
    pt::write_json(text, state_.toTree());
    AtomicFile::WriteText(folder_ / kStateFile, text.str());
}

void DetectorSession::failIfWritesFail(const std::string& what) const {
    if (state_.hasFault("fail-write")) {
        throw BenchError("the detector failed to store " + what + " (fault fail-write)");
    }
}

void DetectorSession::requireFileExtension() const {
    if (!state_.model->hasFile) {
        throw BenchError("a " + state_.model->name + " has no file extension");
    }
}

Bytes DetectorSession::readFile(std::int32_t number) const {
    requireFileExtension();
    if (number == 0 || number != state_.model->fileNumber) {
        throw BenchError("a " + state_.model->name + " has no file " + std::to_string(number));
    }
    return AtomicFile::Read(folder_ / FileName(number));
}

void DetectorSession::writeFile(std::int32_t number, const Bytes& bytes) {
    requireFileExtension();
    if (number == 0 || number != state_.model->fileNumber) {
        throw BenchError("a " + state_.model->name + " has no file " + std::to_string(number));
    }
    failIfWritesFail("file " + std::to_string(number));
    const std::string refusal = DetectorFiles::RefusalOf(number, bytes);
    if (!refusal.empty()) {
        throw BenchError("file " + std::to_string(number) + " refused: " + refusal);
    }
    AtomicFile::Write(folder_ / FileName(number), bytes);
    state_.pendingReboot = true;
    save();
}

pt::ptree DetectorSession::loadUserConfig() const {
    if (!state_.model->hasWifi) {
        throw BenchError("a " + state_.model->name + " has no user configuration");
    }
    std::istringstream text(AtomicFile::ReadText(folder_ / kUserConfigFile));
    pt::ptree document;
    try {
        pt::read_xml(text, document, pt::xml_parser::trim_whitespace);
    } catch (const pt::ptree_error& error) {
        throw BenchError(std::string("malformed user configuration: ") + error.what());
    }
    return document;
}

void DetectorSession::saveUserConfig(const pt::ptree& document) {
    if (!state_.model->hasWifi) {
        throw BenchError("a " + state_.model->name + " has no user configuration");
    }
    failIfWritesFail("its user configuration");
    if (document.size() != 1 || document.begin()->first != "ucf") {
        throw BenchError("user configuration refused: the document must have the one root ucf");
    }
    const auto wifi = document.get_optional<std::string>("ucf.wifi_enable");
    if (wifi && !IsHexByte(*wifi)) {
        throw BenchError("user configuration refused: wifi_enable \"" + *wifi +
                         "\" is not a byte in two hexadecimal digits");
    }
    std::ostringstream text;
    pt::write_xml(text, document, pt::xml_writer_make_settings<std::string>(' ', 2));
    AtomicFile::WriteText(folder_ / kUserConfigFile, text.str());
}

void DetectorSession::applyUserConfig(bool overCable) {
    if (!state_.model->hasWifi) {
        throw BenchError("a " + state_.model->name + " has no user configuration");
    }
    ++state_.applyUserConfigCalls;
    state_.lastUserConfigOverCable = overCable;
    save();
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
    if (!state_.model->hasNetworkConfig) {
        throw BenchError("a " + state_.model->name + " has no network configuration");
    }
    failIfWritesFail("its addresses");
    refusal.clear();
    if (state_.hasFault("refuse-write")) {
        refusal = "the detector refuses to store addresses (fault refuse-write)";
    } else if (!AddressText::IsPlain(detector)) {
        refusal = "detector address \"" + detector + "\" is not a dotted address";
    } else if (!AddressText::IsCidr(host)) {
        refusal = "host address \"" + host + "\" is not an address with a prefix length";
    } else if (commandPort == 0 || imagePort == 0) {
        refusal = "port 0 cannot carry commands or images";
    }
    if (!refusal.empty()) {
        return false;
    }
    state_.storedAddress = detector;
    state_.detectorValue = value;
    state_.hostAddress = host;
    state_.commandPort = commandPort;
    state_.imagePort = imagePort;
    state_.pendingApply = true;
    save();
    return true;
}

bool DetectorSession::applyNetworkConfig() {
    ++state_.applyNetworkConfigCalls;
    const bool changes = state_.pendingApply && state_.address != state_.storedAddress;
    if (state_.pendingApply) {
        state_.address = state_.storedAddress;
        state_.pendingApply = false;
    }
    save();
    return changes;
}

void DetectorSession::writeSsidAndPassword(const std::string& ssid, const std::string& password) {
    if (!state_.model->hasWifi) {
        throw BenchError("a " + state_.model->name + " has no Wi-Fi");
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
    AtomicFile::WriteText(folder_ / kPasswordFile, password, true);
    state_.ssid = ssid;
    save();
}

void DetectorSession::writeAddressesNow(const std::string& detector, const std::string& host) {
    if (!state_.model->facesInfrared) {
        throw BenchError("a " + state_.model->name + " has no infrared window");
    }
    failIfWritesFail("its addresses");
    if (state_.hasFault("refuse-write")) {
        throw BenchError("the detector refuses to store addresses (fault refuse-write)");
    }
    if (!AddressText::IsPlain(detector)) {
        throw BenchError("detector address \"" + detector + "\" is not a dotted address");
    }
    if (!AddressText::IsCidr(host)) {
        throw BenchError("host address \"" + host + "\" is not an address with a prefix length");
    }
    state_.storedAddress = detector;
    state_.hostAddress = host;
    state_.address = detector;
    state_.pendingApply = false;
    save();
}

void DetectorSession::setHostName(const std::string& name) {
    state_.hostName = name;
    save();
}

bool DetectorSession::passwordSet() const {
    return fs::exists(folder_ / kPasswordFile);
}

bool DetectorSession::passwordMatches(const std::string& password) const {
    return passwordSet() && AtomicFile::ReadText(folder_ / kPasswordFile) == password;
}

void DetectorSession::reboot() {
    if (state_.model->keepsAddressesInFile()) {
        const std::int32_t number = state_.model->fileNumber;
        state_.address = DetectorFiles::DetectorAddressOf(number, readFile(number));
        state_.pendingReboot = false;
    } else if (state_.pendingApply) {
        state_.address = state_.storedAddress;
        state_.pendingApply = false;
    }
    save();
}

void DetectorSession::setFault(const std::string& fault, bool on) {
    if (!DetectorState::IsFaultName(fault)) {
        throw BenchError("unknown fault " + fault + " (known: " + DetectorState::KnownFaults() +
                         ")");
    }
    const BenchModel& model = *state_.model;
    const std::string extension = fault.compare(0, 8, "missing:") == 0 ? fault.substr(8) : "";
    const bool has =
        extension.empty() || extension == "connection" || (extension == "file" && model.hasFile) ||
        (extension == "network_configuration" && model.hasNetworkConfig) ||
        (extension == "wifi" && model.hasWifi) || (extension == "serial_ir" && model.facesInfrared);
    if (!has) {
        throw BenchError("a " + model.name + " has no " + extension + " extension to miss");
    }
    if (on) {
        state_.faults.insert(fault);
    } else {
        state_.faults.erase(fault);
    }
    save();
}

void DetectorSession::setLink(Link link) {
    if (!state_.model->hasWifi) {
        throw BenchError("a " + state_.model->name + " has no Wi-Fi: its link is a cable");
    }
    state_.link = link;
    save();
}

} // namespace bench
} // namespace velkor
