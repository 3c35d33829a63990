#pragma once

#include <boost/core/noncopyable.hpp>
#include <boost/program_options/errors.hpp>
#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>

#include <string>
#include <utility>

// A command line the option library refused: a message that is safe to print
// (see CommandLine::Parse) and the option it is about, when it names one.
class CommandLineError : public boost::program_options::error {
public:
    CommandLineError(const std::string& message, std::string option, bool unknownOption)
        : boost::program_options::error(message), option_(std::move(option)),
          unknownOption_(unknownOption) {}
    const std::string& Option() const { return option_; }
    // The option is none of the table's.
    bool IsUnknownOption() const { return unknownOption_; }

private:
    std::string option_;
    bool unknownOption_;
};

// The option values of one run; texts stay empty until parsed.
struct CommandLineValues {
    std::string type;
    std::string currentDetectorIp;
    std::string currentPeerIp;
    std::string newDetectorIp;
    std::string newPeerIp;
    std::string newSsid;
    std::string newPassword;
    std::string serialPort;
    bool wifiEnable = false;
};

// The twelve options, their parsing and the printed option table.
class CommandLine : private boost::noncopyable {
public:
    CommandLine();

    // Parses, stores and notifies; throws CommandLineError on a command line
    // the option library rejects (or what a notifier throws).
    void Parse(int argc, const char* const argv[]);

    // Whether the option (long name) was on the command line, whatever its value.
    bool IsGiven(const std::string& name) const { return variables_.count(name) > 0; }
    const CommandLineValues& Values() const { return values_; }
    const boost::program_options::options_description& Options() const { return options_; }

private:
    CommandLineValues values_;
    boost::program_options::options_description options_;
    boost::program_options::variables_map variables_;
};
