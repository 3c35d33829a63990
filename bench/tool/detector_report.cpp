#include "bench/tool/detector_report.h"

#include "bench/store/address_text.h"
#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"
#include "bench/store/detector_files.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/trim.hpp>

namespace velkor {
namespace bench {

namespace {

// Blanks only: any other byte of a header field is shown, escaped.
std::string Trim(const std::string& text) {
    return boost::algorithm::trim_copy_if(text, boost::algorithm::is_any_of(" "));
}

// The decoded numbered file; bytes that cannot be decoded are reported, not fatal.
void ReportFile(Report& report, const DetectorSession& session) {
    const BenchModel& model = *session.state().model;
    const std::int32_t number = model.fileNumber;
    const Bytes bytes = session.readFile(number);
    const std::string label = "file " + std::to_string(number);
    report.number(label + " size", "file_size", static_cast<long long>(bytes.size()));
    try {
        detector_files::Header header;
        std::size_t trailing = 0;
        if (model.family == Family::Vk6080K) {
            const auto fields = detector_files::DecodeInterfaceFile(bytes);
            header = fields.header;
            trailing = fields.trailing;
            report.text("file detector address", "file_detector_address",
                        address_text::Format(fields.address));
            report.number("detector port", "detector_port", model.port);
        } else {
            const auto fields = detector_files::DecodeRegisterFile(bytes);
            header = fields.header;
            trailing = fields.trailing;
            report.number("file checksum", "file_checksum", fields.checksum,
                          byte_text::HexNumber(fields.checksum, 2) +
                              (fields.checksumRight()
                                   ? " (right)"
                                   : " (wrong: content gives " +
                                         byte_text::HexNumber(fields.computed, 2) + ")"));
            report.flag("file checksum right", "file_checksum_right", fields.checksumRight());
            report.number("file records", "file_records",
                          static_cast<long long>(fields.records.size()));
            const auto address = [&fields](std::uint16_t highest) {
                return fields.address(highest).value_or("missing");
            };
            const auto port = [&fields](std::uint16_t low) -> long long {
                const auto value = fields.number(low);
                return value ? *value : -1;
            };
            report.text("file detector address", "file_detector_address",
                        address(detector_files::DetectorAddressRegister));
            report.text("file host address", "file_host_address",
                        address(detector_files::CommandHostRegister));
            report.text("file image host address", "file_image_host_address",
                        address(detector_files::ImageHostRegister));
            report.number("detector port", "detector_port",
                          port(detector_files::DetectorPortRegister));
            report.number("command port", "command_port",
                          port(detector_files::CommandPortRegister));
            report.number("image port", "image_port", port(detector_files::ImagePortRegister));
        }
        report.text("file header", "file_header",
                    byte_text::Printable(Trim(header.name) + ", " + Trim(header.sizeText) +
                                         " bytes, " + Trim(header.dateText) + " " +
                                         Trim(header.timeText)));
        if (trailing > 0) {
            report.number("file trailing bytes", "file_trailing_bytes",
                          static_cast<long long>(trailing));
        }
    } catch (const BenchError& error) {
        report.text("file content", "file_content", std::string("undecodable: ") + error.what());
    }
    report.flag("pending reboot", "pending_reboot", session.state().pendingReboot);
}

} // namespace

Report DetectorReport(const DetectorSession& session, const std::vector<ModulePlug>& modules) {
    const DetectorState& state = session.state();
    const BenchModel& model = *state.model;

    Report report;
    report.text("detector", "id", byte_text::Printable(state.id));
    report.text("model", "model", model.name);
    report.text("answers at", "answers_at", byte_text::Printable(state.address));
    report.text("link", "link", DetectorState::LinkName(state.link));
    report.list("faults", "faults",
                std::vector<std::string>(state.faults.begin(), state.faults.end()));
    if (model.keepsAddressesInFile()) {
        ReportFile(report, session);
    } else {
        report.text("stored detector address", "stored_detector_address",
                    byte_text::Printable(state.storedAddress));
        report.number("detector value", "detector_value", state.detectorValue,
                      byte_text::HexNumber(state.detectorValue, 4));
        report.text("stored host address", "stored_host_address",
                    byte_text::Printable(state.hostAddress));
        report.number("command port", "command_port", state.commandPort);
        report.number("image port", "image_port", state.imagePort);
        report.flag("pending apply", "pending_apply", state.pendingApply);
    }
    if (model.hasWifi) {
        report.text("ssid", "ssid", byte_text::Printable(state.ssid));
        report.flag("password", "password_set", session.passwordSet(), "set", "not set");
        const auto wifi = session.wifiSwitch();
        if (wifi) {
            report.flag("wifi switch", "wifi_switch", *wifi, "on", "off");
        } else {
            report.null("wifi switch", "wifi_switch", "not in the user configuration");
        }
        report.number("applyUserConfig calls", "apply_user_config_calls",
                      state.applyUserConfigCalls);
        if (state.lastUserConfigOverCable) {
            report.flag("last applyUserConfig over cable", "last_apply_user_config_over_cable",
                        *state.lastUserConfigOverCable);
        }
    }
    report.number("applyNetworkConfig calls", "apply_network_config_calls",
                  state.applyNetworkConfigCalls);
    report.text("host name", "host_name",
                state.hostName.empty() ? "-" : byte_text::Printable(state.hostName));
    if (model.facesInfrared) {
        std::string port;
        for (const ModulePlug& plug : modules) {
            if (plug.detector == state.id) {
                port = plug.port;
            }
        }
        if (port.empty()) {
            report.null("infrared module", "infrared_module", "-");
        } else {
            report.text("infrared module", "infrared_module", byte_text::Printable(port));
        }
    }
    return report;
}

} // namespace bench
} // namespace velkor
