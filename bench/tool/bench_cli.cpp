#include "bench/tool/bench_cli.h"

#include "bench/store/address_text.h"
#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"
#include "bench/store/detector_files.h"
#include "bench/store/factory_bench.h"
#include "bench/store/json_writer.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/join.hpp>
#include <boost/algorithm/string/trim.hpp>
#include <boost/format.hpp>

#include <algorithm>
#include <map>

namespace velkor {
namespace bench {

namespace {

// Bad arguments: reported with the usage line of the command, status 2.
class UsageError : public std::runtime_error {
public:
    UsageError(const std::string& reason, const std::string& usage)
        : std::runtime_error(reason), usage(usage) {}
    std::string usage;
};

const std::map<std::string, std::string>& Usages() {
    static const std::map<std::string, std::string> usages = {
        {"init", "velkor-bench init [--force]"},
        {"list", "velkor-bench list [--json]"},
        {"add", "velkor-bench add MODEL ADDRESS [--host ADDRESS] [--link cable|wifi]"},
        {"remove", "velkor-bench remove DETECTOR"},
        {"show", "velkor-bench show DETECTOR [--json]"},
        {"dump", "velkor-bench dump DETECTOR FILE_NUMBER"},
        {"reboot", "velkor-bench reboot DETECTOR"},
        {"fault", "velkor-bench fault DETECTOR KIND on|off"},
        {"link", "velkor-bench link DETECTOR cable|wifi"},
        {"plug", "velkor-bench plug PORT [DETECTOR]"},
        {"unplug", "velkor-bench unplug PORT"},
        {"check-password", "velkor-bench check-password DETECTOR PASSWORD"},
    };
    return usages;
}

const char* const kGeneralUsage =
    "velkor-bench COMMAND [ARGUMENTS]  (velkor-bench --help lists them)";

struct Arguments {
    std::vector<std::string> words;
    std::vector<std::string> flags;            // "--json", "--force"
    std::map<std::string, std::string> values; // "--host", "--link"
    bool help = false;
};

Arguments Parse(const std::vector<std::string>& args) {
    Arguments parsed;
    bool positionalOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (positionalOnly || arg.size() < 2 || arg[0] != '-') {
            parsed.words.push_back(arg);
        } else if (arg == "--") {
            positionalOnly = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--json" || arg == "--force") {
            parsed.flags.push_back(arg);
        } else if (arg == "--host" || arg == "--link") {
            if (i + 1 == args.size()) {
                throw UsageError(arg + " needs a value", Usages().at("add"));
            }
            parsed.values[arg] = args[++i];
        } else {
            const std::string command = parsed.words.empty() ? "" : parsed.words.front();
            const auto usage = Usages().find(command);
            throw UsageError("unknown option " + arg,
                             usage == Usages().end() ? kGeneralUsage : usage->second);
        }
    }
    return parsed;
}

bool Has(const std::vector<std::string>& flags, const std::string& flag) {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

// Blanks only: any other byte of a header field is shown, escaped.
std::string Trim(const std::string& text) {
    return boost::algorithm::trim_copy_if(text, boost::algorithm::is_any_of(" "));
}

// One line of `show`: a label for people, a key and a typed value for --json.
struct Field {
    enum Kind { Text, Number, Flag, List, Null };
    std::string label;
    std::string key;
    Kind kind = Text;
    std::string text;
    long long number = 0;
    bool flag = false;
    std::vector<std::string> list;
};

class Report {
public:
    void text(const std::string& label, const std::string& key, const std::string& value) {
        Field field{label, key, Field::Text, value, 0, false, {}};
        fields_.push_back(field);
    }
    // `shown` replaces the decimal number in the text form (hexadecimal bytes).
    void number(const std::string& label, const std::string& key, long long value,
                const std::string& shown = std::string()) {
        Field field{label, key, Field::Number, shown.empty() ? std::to_string(value) : shown, value,
                    false, {}};
        fields_.push_back(field);
    }
    void flag(const std::string& label, const std::string& key, bool value, const char* yes = "yes",
              const char* no = "no") {
        Field field{label, key, Field::Flag, value ? yes : no, 0, value, {}};
        fields_.push_back(field);
    }
    void list(const std::string& label, const std::string& key,
              const std::vector<std::string>& values) {
        const std::string shown = values.empty() ? "none" : boost::algorithm::join(values, ", ");
        Field field{label, key, Field::List, shown, 0, false, values};
        fields_.push_back(field);
    }
    void null(const std::string& label, const std::string& key, const std::string& shown) {
        Field field{label, key, Field::Null, shown, 0, false, {}};
        fields_.push_back(field);
    }

    void print(std::ostream& out, bool json) const {
        if (!json) {
            for (const Field& field : fields_) {
                out << field.label << ": " << field.text << "\n";
            }
            return;
        }
        JsonWriter writer(out);
        writer.beginObject();
        for (const Field& field : fields_) {
            writer.key(field.key);
            switch (field.kind) {
            case Field::Text:
                writer.value(field.text);
                break;
            case Field::Number:
                writer.value(field.number);
                break;
            case Field::Flag:
                writer.value(field.flag);
                break;
            case Field::List:
                writer.beginArray();
                for (const std::string& value : field.list) {
                    writer.value(value);
                }
                writer.endArray();
                break;
            case Field::Null:
                writer.null();
                break;
            }
        }
        writer.endObject();
        writer.finish();
    }

private:
    std::vector<Field> fields_;
};

std::vector<std::string> Faults(const DetectorState& state) {
    return std::vector<std::string>(state.faults.begin(), state.faults.end());
}

std::string Notes(const DetectorState& state) {
    std::vector<std::string> notes;
    if (state.pendingReboot) {
        notes.push_back("reboot pending");
    }
    if (state.pendingApply) {
        notes.push_back("apply pending");
    }
    for (const std::string& fault : state.faults) {
        notes.push_back("fault " + fault);
    }
    return notes.empty() ? "-" : boost::algorithm::join(notes, ", ");
}

void ReportFile(Report& report, const DetectorSession& session) {
    const BenchModel& model = *session.state().model;
    const std::int32_t number = model.fileNumber;
    const Bytes bytes = session.readFile(number);
    const std::string label = "file " + std::to_string(number);
    report.number(label + " size", "file_size", static_cast<long long>(bytes.size()));
    try {
        detectorfiles::Header header;
        std::size_t trailing = 0;
        if (model.family == Family::Vk6080K) {
            const auto fields = detectorfiles::DecodeInterfaceFile(bytes);
            header = fields.header;
            trailing = fields.trailing;
            report.text("file detector address", "file_detector_address",
                        addresstext::Format(fields.address));
            report.number("detector port", "detector_port", model.port);
        } else {
            const auto fields = detectorfiles::DecodeRegisterFile(bytes);
            header = fields.header;
            trailing = fields.trailing;
            report.number("file checksum", "file_checksum", fields.checksum,
                          bytetext::HexNumber(fields.checksum, 2) +
                              (fields.checksumRight()
                                   ? " (right)"
                                   : " (wrong: content gives " +
                                         bytetext::HexNumber(fields.computed, 2) + ")"));
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
                        address(detectorfiles::kDetectorAddressRegister));
            report.text("file host address", "file_host_address",
                        address(detectorfiles::kCommandHostRegister));
            report.text("file image host address", "file_image_host_address",
                        address(detectorfiles::kImageHostRegister));
            report.number("detector port", "detector_port",
                          port(detectorfiles::kDetectorPortRegister));
            report.number("command port", "command_port",
                          port(detectorfiles::kCommandPortRegister));
            report.number("image port", "image_port", port(detectorfiles::kImagePortRegister));
        }
        report.text("file header", "file_header",
                    bytetext::Printable(Trim(header.name) + ", " + Trim(header.sizeText) +
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

BenchCli::BenchCli(BenchStore store, std::ostream& out, std::ostream& err)
    : store_(std::move(store)), out_(out), err_(err) {}

std::string BenchCli::HelpText() {
    return "velkor-bench - the emulated detector bench that velkor-ipconfig-cmd runs against\n"
           "\n"
           "usage:\n"
           "  velkor-bench init [--force]        set up the factory bench (--force replaces one)\n"
           "  velkor-bench list [--json]         the detectors and infrared modules\n"
           "  velkor-bench add MODEL ADDRESS [--host ADDRESS] [--link cable|wifi]\n"
           "                                     a new detector; prints its id\n"
           "  velkor-bench remove DETECTOR\n"
           "  velkor-bench show DETECTOR [--json]\n"
           "  velkor-bench dump DETECTOR FILE_NUMBER   raw bytes of file 68 or 206\n"
           "  velkor-bench reboot DETECTOR       the detector takes its stored addresses\n"
           "  velkor-bench fault DETECTOR KIND on|off\n"
           "  velkor-bench link DETECTOR cable|wifi\n"
           "  velkor-bench plug PORT [DETECTOR]  an infrared module on PORT, facing DETECTOR\n"
           "                                     (or no detector)\n"
           "  velkor-bench unplug PORT\n"
           "  velkor-bench check-password DETECTOR PASSWORD\n"
           "                                     exit 0 when it is the stored Wi-Fi password\n"
           "\n"
           "MODEL: " +
           BenchModel::KnownNames() +
           ".\n"
           "DETECTOR: an id from list (the factory detectors are named after their model,\n"
           "  added ones MODEL-2, MODEL-3, ...) or the address the detector answers at.\n"
           "KIND: " +
           DetectorState::KnownFaults() +
           ".\n"
           "  offline: nobody answers; fail-write: every write throws, nothing is stored;\n"
           "  refuse-write: writeAddresses answers false; missing:EXTENSION: it is absent.\n"
           "\n"
           "The bench lives in $VELKOR_BENCH, else $XDG_STATE_HOME/velkor/bench, else\n"
           "~/.local/state/velkor/bench. A run holds a detector from open to close; another\n"
           "one waits for it at most 3 seconds ($VELKOR_BENCH_LOCK_TIMEOUT_MS overrides).\n"
           "Every change to a detector is stored whole in one step, so a killed run leaves\n"
           "it as it was before or after a library call, never between.\n"
           "A detector whose stored state cannot be read is damaged: list marks it with the\n"
           "reason, show explains it, runs on the other detectors go on as usual, and\n"
           "remove drops it (init --force replaces the whole bench).\n"
           "Exit status: 0 done, 1 refused or failed, 2 bad arguments.\n";
}

int BenchCli::run(const std::vector<std::string>& args) {
    try {
        const Arguments parsed = Parse(args);
        if (parsed.help || (!parsed.words.empty() && parsed.words.front() == "help")) {
            out_ << HelpText();
            return 0;
        }
        if (parsed.words.empty()) {
            throw UsageError("no command given", kGeneralUsage);
        }
        const std::string command = parsed.words.front();
        const auto usage = Usages().find(command);
        if (usage == Usages().end()) {
            throw UsageError("unknown command " + command, kGeneralUsage);
        }
        if (!parsed.values.empty() && command != "add") {
            throw UsageError(parsed.values.begin()->first + " is an option of add", usage->second);
        }
        for (const std::string& flag : parsed.flags) {
            const bool allowed = (flag == "--json" && (command == "list" || command == "show")) ||
                                 (flag == "--force" && command == "init");
            if (!allowed) {
                throw UsageError(flag + " is not an option of " + command, usage->second);
            }
        }
        std::vector<std::string> words(parsed.words.begin() + 1, parsed.words.end());
        if (command == "add") {
            for (const auto& value : parsed.values) {
                words.push_back(value.first);
                words.push_back(value.second);
            }
        }
        return dispatch(command, words, parsed.flags);
    } catch (const UsageError& error) {
        err_ << "velkor-bench: " << error.what() << "\n"
             << "usage: " << error.usage << "\n";
        return 2;
    } catch (const std::exception& error) {
        err_ << "velkor-bench: " << error.what() << "\n";
        return 1;
    }
}

int BenchCli::dispatch(const std::string& command, const std::vector<std::string>& words,
                       const std::vector<std::string>& flags) {
    const std::string& usage = Usages().at(command);
    const auto expect = [&](std::size_t least, std::size_t most) {
        if (words.size() < least) {
            throw UsageError("missing arguments", usage);
        }
        if (words.size() > most) {
            throw UsageError("too many arguments", usage);
        }
    };
    const bool json = Has(flags, "--json");
    if (command == "init") {
        expect(0, 0);
        return init(words, flags);
    }
    if (command == "list") {
        expect(0, 0);
        return list(json);
    }
    if (command == "add") {
        return add(words);
    }
    if (command == "remove") {
        expect(1, 1);
        const std::string id = store_.resolve(words[0]);
        store_.remove(id);
        out_ << "removed detector " << id << "\n";
        return 0;
    }
    if (command == "show") {
        expect(1, 1);
        return show(words[0], json);
    }
    if (command == "dump") {
        expect(2, 2);
        return dump(words[0], words[1]);
    }
    if (command == "reboot") {
        expect(1, 1);
        return reboot(words[0]);
    }
    if (command == "fault") {
        expect(3, 3);
        return fault(words[0], words[1], words[2]);
    }
    if (command == "link") {
        expect(2, 2);
        return link(words[0], words[1]);
    }
    if (command == "plug") {
        expect(1, 2);
        return plug(words);
    }
    if (command == "unplug") {
        expect(1, 1);
        return unplug(words[0]);
    }
    expect(2, 2);
    return checkPassword(words[0], words[1]);
}

int BenchCli::init(const std::vector<std::string>&, const std::vector<std::string>& flags) {
    store_.init(Has(flags, "--force"));
    out_ << "factory bench set up at " << store_.root().string() << ": " << factory::Summary()
         << "\n";
    return 0;
}

int BenchCli::list(bool json) {
    const std::vector<DetectorEntry> entries = store_.survey();
    const std::vector<ModulePlug> modules = store_.modules();
    if (json) {
        JsonWriter writer(out_);
        writer.beginObject().key("bench").value(store_.root().string());
        writer.key("detectors").beginArray();
        for (const DetectorEntry& entry : entries) {
            if (!entry.state) {
                continue;
            }
            const DetectorState& state = *entry.state;
            writer.beginObject()
                .key("id")
                .value(state.id)
                .key("model")
                .value(state.model->name)
                .key("answers_at")
                .value(state.address)
                .key("link")
                .value(DetectorState::LinkName(state.link))
                .key("pending_reboot")
                .value(state.pendingReboot)
                .key("pending_apply")
                .value(state.pendingApply)
                .key("faults")
                .beginArray();
            for (const std::string& fault : state.faults) {
                writer.value(fault);
            }
            writer.endArray().endObject();
        }
        writer.endArray().key("damaged").beginArray();
        for (const DetectorEntry& entry : entries) {
            if (!entry.state) {
                writer.beginObject().key("id").value(entry.id).key("reason").value(entry.damage);
                writer.endObject();
            }
        }
        writer.endArray().key("modules").beginArray();
        for (const ModulePlug& plug : modules) {
            writer.beginObject().key("port").value(plug.port).key("faces");
            if (plug.detector.empty()) {
                writer.null();
            } else {
                writer.value(plug.detector);
            }
            writer.endObject();
        }
        writer.endArray().endObject();
        writer.finish();
        return 0;
    }
    if (entries.empty() && modules.empty()) {
        out_ << "the bench at " << store_.root().string()
             << " is empty: velkor-bench init sets one up\n";
        return 0;
    }
    const auto row = [this](const std::string& id, const std::string& model,
                            const std::string& address, const std::string& link,
                            const std::string& notes) {
        out_ << boost::format("%-12s %-7s %-16s %-6s %s\n") % bytetext::Printable(id) % model %
                    address % link % notes;
    };
    row("DETECTOR", "MODEL", "ANSWERS AT", "LINK", "NOTES");
    for (const DetectorEntry& entry : entries) {
        if (entry.state) {
            const DetectorState& state = *entry.state;
            row(state.id, state.model->name, state.address, DetectorState::LinkName(state.link),
                Notes(state));
        } else {
            row(entry.id, "?", "?", "?", "damaged: " + entry.damage);
        }
    }
    if (!modules.empty()) {
        out_ << "\n" << boost::format("%-12s %s\n") % "MODULE" % "FACES";
        for (const ModulePlug& plug : modules) {
            out_ << boost::format("%-12s %s\n") % bytetext::Printable(plug.port) %
                        (plug.detector.empty() ? "-" : plug.detector);
        }
    }
    return 0;
}

int BenchCli::add(const std::vector<std::string>& words) {
    const std::string& usage = Usages().at("add");
    std::vector<std::string> positional;
    boost::optional<std::string> host;
    boost::optional<Link> link;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--host" && i + 1 < words.size()) {
            host = words[++i];
        } else if (words[i] == "--link" && i + 1 < words.size()) {
            link = DetectorState::LinkFromName(words[++i]);
            if (!link) {
                throw UsageError("the link is cable or wifi, not " + words[i], usage);
            }
        } else {
            positional.push_back(words[i]);
        }
    }
    if (positional.size() != 2) {
        throw UsageError(positional.size() < 2 ? "missing arguments" : "too many arguments", usage);
    }
    const BenchModel* model = BenchModel::Find(positional[0]);
    if (model == nullptr) {
        throw UsageError(
            "unknown model " + positional[0] + " (known: " + BenchModel::KnownNames() + ")", usage);
    }
    if (!addresstext::IsPlain(positional[1])) {
        throw UsageError("\"" + positional[1] + "\" is not a dotted address", usage);
    }
    const DetectorState state = store_.add(*model, positional[1], host, link);
    out_ << "added detector " << state.id << ": " << model->name << " at " << state.address << "\n";
    return 0;
}

int BenchCli::show(const std::string& name, bool json) {
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(name));
    const DetectorState& state = session->state();
    const BenchModel& model = *state.model;

    Report report;
    report.text("detector", "id", state.id);
    report.text("model", "model", model.name);
    report.text("answers at", "answers_at", state.address);
    report.text("link", "link", DetectorState::LinkName(state.link));
    report.list("faults", "faults", Faults(state));
    if (model.keepsAddressesInFile()) {
        ReportFile(report, *session);
    } else {
        report.text("stored detector address", "stored_detector_address", state.storedAddress);
        report.number("detector value", "detector_value", state.detectorValue,
                      bytetext::HexNumber(state.detectorValue, 4));
        report.text("stored host address", "stored_host_address", state.hostAddress);
        report.number("command port", "command_port", state.commandPort);
        report.number("image port", "image_port", state.imagePort);
        report.flag("pending apply", "pending_apply", state.pendingApply);
    }
    if (model.hasWifi) {
        report.text("ssid", "ssid", bytetext::Printable(state.ssid));
        report.flag("password", "password_set", session->passwordSet(), "set", "not set");
        const auto wifi = session->wifiSwitch();
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
                state.hostName.empty() ? "-" : bytetext::Printable(state.hostName));
    if (model.facesInfrared) {
        std::string port;
        for (const ModulePlug& plug : store_.modules()) {
            if (plug.detector == state.id) {
                port = plug.port;
            }
        }
        if (port.empty()) {
            report.null("infrared module", "infrared_module", "-");
        } else {
            report.text("infrared module", "infrared_module", port);
        }
    }
    report.print(out_, json);
    return 0;
}

int BenchCli::dump(const std::string& name, const std::string& number) {
    const std::string& usage = Usages().at("dump");
    if (number.empty() || number.size() > 9 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        throw UsageError("FILE_NUMBER is a number such as 68 or 206, not " + number, usage);
    }
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(name));
    const Bytes bytes = session->readFile(std::stoi(number));
    out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    out_.flush();
    return 0;
}

int BenchCli::reboot(const std::string& name) {
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(name));
    session->reboot();
    out_ << "detector " << session->state().id << " rebooted: answers at "
         << session->state().address << "\n";
    return 0;
}

int BenchCli::fault(const std::string& name, const std::string& kind, const std::string& state) {
    const std::string& usage = Usages().at("fault");
    if (!DetectorState::IsFaultName(kind)) {
        throw UsageError("unknown fault " + kind + " (known: " + DetectorState::KnownFaults() + ")",
                         usage);
    }
    if (state != "on" && state != "off") {
        throw UsageError("a fault is switched on or off, not " + state, usage);
    }
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(name));
    session->setFault(kind, state == "on");
    out_ << "detector " << session->state().id << ": fault " << kind << " " << state << "\n";
    return 0;
}

int BenchCli::link(const std::string& name, const std::string& kind) {
    const auto link = DetectorState::LinkFromName(kind);
    if (!link) {
        throw UsageError("the link is cable or wifi, not " + kind, Usages().at("link"));
    }
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(name));
    session->setLink(*link);
    out_ << "detector " << session->state().id << " is linked by " << kind << "\n";
    return 0;
}

int BenchCli::plug(const std::vector<std::string>& words) {
    std::string detector;
    if (words.size() == 2) {
        detector = store_.resolve(words[1]);
    }
    store_.plug(words[0], detector);
    out_ << "infrared module on " << words[0] << " faces "
         << (detector.empty() ? "no detector" : "detector " + detector) << "\n";
    return 0;
}

int BenchCli::unplug(const std::string& port) {
    store_.unplug(port);
    out_ << "infrared module on " << port << " unplugged\n";
    return 0;
}

int BenchCli::checkPassword(const std::string& name, const std::string& password) {
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(name));
    if (!session->state().model->hasWifi) {
        throw BenchError("a " + session->state().model->name + " has no Wi-Fi password");
    }
    if (!session->passwordSet()) {
        out_ << "no password is set on detector " << session->state().id << "\n";
        return 1;
    }
    const bool matches = session->passwordMatches(password);
    out_ << (matches ? "the password matches" : "the password differs") << "\n";
    return matches ? 0 : 1;
}

} // namespace bench
} // namespace velkor
