#pragma once

#include "platform/acquisition/config_parser.h"

#include <boost/function.hpp>
#include <boost/optional.hpp>

#include <map>
#include <string>

namespace velkor {
namespace bench {

// The options of one component (a board, a detector, a module), checked as
// the device checks them: an unknown group or key or a malformed value is
// refused, and a refused call keeps none of its options.
class BenchConfigParser : public mirl::acquisition::ConfigParser {
public:
    // Returns what is wrong with a value, empty when it is accepted.
    using Check = boost::function<std::string(const std::string& value)>;
    using Rules = std::map<std::string, Check>;

    // `component` names it in the error texts: "detector Vk7180c".
    BenchConfigParser(std::string component, Rules rules);

    // Throws BenchError.
    void applyOptions(const mirl::acquisition::OptionGroups& groups, bool flag) override;

    boost::optional<std::string> value(const std::string& key) const;
    const std::string& component() const { return component_; }

    static Check Address();
    // "ADDRESS:PORT" with exactly `port`; `owner` names the device in errors.
    static Check AddressWithPort(std::uint16_t port, const std::string& owner);
    static Check PortNumber();
    static Check YesOrNo();
    static Check PortName();

private:
    std::string component_;
    Rules rules_;
    std::map<std::string, std::string> values_;
};

} // namespace bench
} // namespace velkor
