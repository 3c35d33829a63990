#pragma once

#include <boost/core/noncopyable.hpp>
#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>

#include <string>

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

    // Parses, stores and notifies; throws what the option library throws on
    // a command line it rejects.
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
