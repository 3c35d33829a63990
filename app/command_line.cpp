#include "app/command_line.h"

#include <boost/any.hpp>
#include <boost/optional.hpp>
#include <boost/program_options/errors.hpp>
#include <boost/program_options/parsers.hpp>
#include <boost/program_options/positional_options.hpp>
#include <boost/program_options/value_semantic.hpp>

#include <algorithm>
#include <vector>

namespace po = boost::program_options;

namespace {

po::parsed_options ParseWords(const po::options_description& options, int argc,
                              const char* const argv[]) {
    // No word may stand without an option: a stray word (the second half of an
    // unquoted SSID, a forgotten "-p") would otherwise be dropped in silence.
    const po::positional_options_description noPositionalWords;
    return po::command_line_parser(argc, argv).options(options).positional(noPositionalWords).run();
}

// A byte that none of the words holds and that means nothing to the parser.
boost::optional<char> FreeByte(const std::vector<std::string>& words) {
    for (unsigned byte = 0x01; byte <= 0xFF; ++byte) {
        if (byte == 0x20) {
            byte = 0x7F; // skip the printable ones: option names and values use them
        }
        const char c = static_cast<char>(byte);
        if (std::none_of(words.begin(), words.end(), [c](const std::string& word) {
                return word.find(c) != std::string::npos;
            })) {
            return c;
        }
    }
    return boost::none;
}

// The option library completes its messages by replacing placeholders such as
// "%value%" until none is left, so a word holding one keeps it busy for ever.
// Such words are parsed again with every '%' swapped for a byte no word holds:
// that parse fails the same way, and its message comes back with '%' restored.
std::string MessageOf(const po::error& error, const po::options_description& options, int argc,
                      const char* const argv[]) {
    const std::vector<std::string> words(argv, argv + argc);
    if (std::none_of(words.begin(), words.end(),
                     [](const std::string& word) { return word.find('%') != std::string::npos; })) {
        return error.what();
    }
    const boost::optional<char> marker = FreeByte(words);
    if (!marker) {
        return "the command line holds words that cannot be reported";
    }
    std::vector<std::string> marked = words;
    for (std::string& word : marked) {
        std::replace(word.begin(), word.end(), '%', *marker);
    }
    std::vector<const char*> markedArgv;
    for (const std::string& word : marked) {
        markedArgv.push_back(word.c_str());
    }
    try {
        po::variables_map scratch;
        po::store(ParseWords(options, argc, markedArgv.data()), scratch);
    } catch (const po::error& again) {
        std::string message = again.what();
        std::replace(message.begin(), message.end(), *marker, '%');
        return message;
    }
    return "the command line could not be read";
}

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
    try {
        po::store(ParseWords(options_, argc, argv), variables_);
    } catch (const po::error& error) {
        // Never error.what() itself: it may not return (see MessageOf).
        const auto* named = dynamic_cast<const po::error_with_option_name*>(&error);
        throw CommandLineError(MessageOf(error, options_, argc, argv),
                               named ? named->get_option_name() : std::string(),
                               dynamic_cast<const po::unknown_option*>(&error) != nullptr);
    }
    po::notify(variables_);
}
