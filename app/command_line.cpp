#include "app/command_line.h"

#include <boost/any.hpp>
#include <boost/program_options/errors.hpp>
#include <boost/program_options/parsers.hpp>
#include <boost/program_options/positional_options.hpp>
#include <boost/program_options/value_semantic.hpp>

#include <vector>

namespace po = boost::program_options;

namespace {

// The Wi-Fi switch takes the option library's boolean words, except the empty
// text, which the library would read as "true": an empty value must never
// switch a detector's Wi-Fi on.
struct WifiSwitch {
    bool enabled = false;
};

void validate(boost::any& value, const std::vector<std::string>& tokens, WifiSwitch*, int) {
    po::validators::check_first_occurrence(value);
    const std::string& word = po::validators::get_single_string(tokens);
    if (word.empty()) {
        boost::throw_exception(po::invalid_bool_value(word));
    }
    boost::any enabled;
    po::validate(enabled, tokens, static_cast<bool*>(nullptr), 0);
    value = WifiSwitch{boost::any_cast<bool>(enabled)};
}

const unsigned LineLength = 80;
const unsigned MinDescriptionLength = LineLength / 2;

} // namespace

CommandLine::CommandLine() : options_("Allowed options", LineLength, MinDescriptionLength) {
    // clang-format off
    options_.add_options()
        ("help,h", "produce help message")
        ("type,t", po::value<std::string>(&values_.type),
            "detector type (6080K,4050QL,6080QL,7180,7380,7380TW, 6080MV)")
        ("current_detector_ip,c", po::value<std::string>(&values_.currentDetectorIp),
            "detector's current ip")
        ("current_peer_ip,l", po::value<std::string>(&values_.currentPeerIp),
            "peer's local ip (mandatory for 6080QL and 4050QL, optional otherwise)")
        ("new_detector_ip,d", po::value<std::string>(&values_.newDetectorIp), "new detector ip")
        ("new_peer_ip,p", po::value<std::string>(&values_.newPeerIp),
            "new peer local ip (optional for 6080K, mandatory otherwise)")
        ("new_ssid,i", po::value<std::string>(&values_.newSsid), "new detector wifi ssid")
        ("new_password,o", po::value<std::string>(&values_.newPassword),
            "new detector wifi password")
        ("wifi_enable,w",
            po::value<WifiSwitch>()->notifier([this](const WifiSwitch& wifi) {
                values_.wifiEnable = wifi.enabled;
            }),
            "enable/disable detector wifi (true/false)")
        ("module,m", "use module instead of ethernet link")
        ("serial_port,s", po::value<std::string>(&values_.serialPort),
            "host serial port used communicating with detector via module.")
        ("verbose,v", "enable verbose logging");
    // clang-format on
}

void CommandLine::Parse(int argc, const char* const argv[]) {
    // No word may stand without an option: a stray word (the second half of an
    // unquoted SSID, a forgotten "-p") would otherwise be dropped in silence.
    const po::positional_options_description noPositionalWords;
    po::store(
        po::command_line_parser(argc, argv).options(options_).positional(noPositionalWords).run(),
        variables_);
    po::notify(variables_);
}
