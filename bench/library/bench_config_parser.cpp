#include "bench/library/bench_config_parser.h"

#include "bench/device/address_text.h"
#include "bench/text/bench_error.h"

#include <algorithm>

namespace velkor {
namespace bench {

namespace {

bool IsDecimal(const std::string& text) {
    return !text.empty() && text.size() <= 5 && (text.size() == 1 || text[0] != '0') &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

BenchConfigParser::BenchConfigParser(std::string component, Rules rules)
    : component_(std::move(component)), rules_(std::move(rules)) {}

void BenchConfigParser::applyOptions(const mirl::acquisition::OptionGroups& groups, bool) {
    std::map<std::string, std::string> accepted = values_;
    for (const mirl::acquisition::OptionGroup& group : groups) {
        if (group.name != "hardware") {
            throw BenchError("unknown option group \"" + group.name + "\" for " + component_ +
                             ": its options belong to the group hardware");
        }
        for (const mirl::acquisition::Option& option : group.options) {
            const auto rule = rules_.find(option.name);
            if (rule == rules_.end()) {
                throw BenchError("unknown option " + option.name + " for " + component_);
            }
            const std::string problem = rule->second(option.value);
            if (!problem.empty()) {
                throw BenchError("option " + option.name + " of " + component_ + ": " + problem);
            }
            accepted[option.name] = option.value;
        }
    }
    values_ = accepted;
}

boost::optional<std::string> BenchConfigParser::value(const std::string& key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) {
        return boost::none;
    }
    return found->second;
}

BenchConfigParser::Check BenchConfigParser::Address() {
    return [](const std::string& value) {
        return address_text::IsPlain(value)
                   ? std::string()
                   : "malformed \"" + value + "\": expected a dotted address such as 192.168.1.20";
    };
}

BenchConfigParser::Check BenchConfigParser::AddressWithPort(std::uint16_t port,
                                                            const std::string& owner) {
    return [port, owner](const std::string& value) -> std::string {
        const std::size_t colon = value.rfind(':');
        const std::string expected = "ADDRESS:" + std::to_string(port);
        if (colon == std::string::npos || !address_text::IsPlain(value.substr(0, colon)) ||
            !IsDecimal(value.substr(colon + 1))) {
            return "malformed \"" + value + "\": expected " + expected;
        }
        const unsigned long given = std::stoul(value.substr(colon + 1));
        if (given != port) {
            return "wrong port " + std::to_string(given) + " in \"" + value + "\": a " + owner +
                   " detector listens on " + std::to_string(port);
        }
        return std::string();
    };
}

BenchConfigParser::Check BenchConfigParser::PortNumber() {
    return [](const std::string& value) {
        return IsDecimal(value) && std::stoul(value) >= 1 && std::stoul(value) <= 65535
                   ? std::string()
                   : "malformed \"" + value + "\": expected a port number 1 to 65535";
    };
}

BenchConfigParser::Check BenchConfigParser::YesOrNo() {
    return [](const std::string& value) {
        return value == "yes" || value == "no" ? std::string()
                                               : "malformed \"" + value + "\": expected yes or no";
    };
}

BenchConfigParser::Check BenchConfigParser::PortName() {
    return [](const std::string& value) {
        return value.empty() ? std::string("an empty serial port name") : std::string();
    };
}

} // namespace bench
} // namespace velkor
