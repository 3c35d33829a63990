#include "bench/tool/bench_cli.h"

#include "bench/device/address_text.h"
#include "bench/device/factory_bench.h"
#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"
#include "bench/tool/bench_listing.h"
#include "bench/tool/detector_report.h"
#include "bench/tool/terminal_echo.h"
#include "cli/closest_name.h"

#include <boost/optional.hpp>

#include <algorithm>

namespace velkor {
namespace bench {

namespace {

// "did you mean NAME? " for the known name closest to `word`, or nothing.
std::string Suggestion(const std::string& word, const std::vector<std::string>& known) {
    const auto name = cli::ClosestName(word, known);
    return name ? "did you mean " + *name + "? " : std::string();
}

// "LABEL: a, b, c." within the help's 80 columns, continued two blanks in.
std::string WrappedList(const std::string& label, const std::vector<std::string>& names) {
    constexpr std::size_t Width = 80;
    std::string text;
    std::string line = label;
    bool lineHasName = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = names[i] + (i + 1 == names.size() ? "." : ",");
        if (lineHasName && line.size() + 1 + name.size() > Width) {
            text += line + "\n";
            line = "  ";
            lineHasName = false;
        }
        line += (lineHasName ? " " : "") + name;
        lineHasName = true;
    }
    return text + line + "\n";
}

std::string LinkProblem(const std::string& name) {
    return DetectorState::LinkFromName(name) ? std::string()
                                             : "the link is cable or wifi, not " + name;
}

} // namespace

const std::vector<Command>& BenchCli::Commands() {
    // A command a line, as the table it is.
    // clang-format off
    static const std::vector<Command> commands = {
        // name, arguments, how many (least, most), flags, valued options, handler,
        //     the help's summary lines [, the column they start at]
        {"init", "", 0, 0, {"--force"}, {}, &BenchCli::init,
            {"set up the factory bench", "(--force replaces one)"}},
        {"list", "", 0, 0, {"--json"}, {}, &BenchCli::list,
            {"the detectors and infrared modules"}},
        {"add", "MODEL ADDRESS", 2, 2, {},
            {{"--host", "ADDRESS", nullptr}, {"--link", "cable|wifi", &LinkProblem}},
            &BenchCli::add, {"a new detector; prints its id"}},
        {"remove", "DETECTOR", 1, 1, {}, {}, &BenchCli::remove, {}},
        {"show", "DETECTOR", 1, 1, {"--json"}, {}, &BenchCli::show, {}},
        // Its usage passes the column; its summary has always stayed on the line.
        {"dump", "DETECTOR FILE_NUMBER", 2, 2, {}, {}, &BenchCli::dump,
            {"raw bytes of file 68 or 206"}, SummaryColumn + 6},
        {"reboot", "DETECTOR", 1, 1, {}, {}, &BenchCli::reboot,
            {"the detector takes its stored addresses"}},
        {"fault", "DETECTOR KIND on|off", 3, 3, {}, {}, &BenchCli::fault, {}},
        {"link", "DETECTOR cable|wifi", 2, 2, {}, {}, &BenchCli::link, {}},
        {"plug", "PORT [DETECTOR]", 1, 2, {}, {}, &BenchCli::plug,
            {"an infrared module on PORT, facing DETECTOR", "(or no detector)"}},
        {"unplug", "PORT", 1, 1, {}, {}, &BenchCli::unplug, {}},
        // The password comes on standard input, out of the process list and
        // the shell history; a second word is refused with that advice.
        {"check-password", "DETECTOR", 1, 2, {}, {}, &BenchCli::checkPassword,
            {"exit 0 when the password on standard", "input is the stored Wi-Fi password"},
            SummaryColumn, Command::KeepsWordsSecret},
    };
    // clang-format on
    return commands;
}

BenchCli::BenchCli(BenchStore store, std::istream& in, std::ostream& out, std::ostream& err,
                   bool inputIsTerminal)
    : store_(std::move(store)), in_(in), out_(out), err_(err), inputIsTerminal_(inputIsTerminal) {}

const char* const BenchCli::Version = VELKOR_VERSION;

std::string BenchCli::HelpText() {
    return "velkor-bench - the emulated detector bench that velkor-ipconfig-cmd runs against\n"
           "\n"
           "usage:\n" +
           HelpUsageLines(Commands()) + "\n" + WrappedList("MODEL: ", BenchModel::Names()) +
           "DETECTOR: an id from list (the factory detectors are named after their model,\n"
           "  added ones MODEL-2, MODEL-3, ...) or the address the detector answers at.\n" +
           WrappedList("KIND: ", DetectorState::FaultNames()) +
           "  offline: nobody answers; fail-write: every write throws, nothing is stored;\n"
           "  refuse-write: writeAddresses answers false; missing:EXTENSION: it is absent.\n"
           "\n"
           "The bench lives in $VELKOR_BENCH, else $XDG_STATE_HOME/velkor/bench, else\n"
           "~/.local/state/velkor/bench. A run holds a detector from open to close; another\n"
           "one waits for it at most " +
           environment::DurationText(environment::DefaultLockTimeout) +
           " ($VELKOR_BENCH_LOCK_TIMEOUT_MS overrides).\n"
           "Every change to a detector is stored whole in one step, so a killed run leaves\n"
           "it as it was before or after a library call, never between.\n"
           "A detector whose stored state cannot be read is damaged: list marks it with the\n"
           "reason, show explains it, runs on the other detectors go on as usual, and\n"
           "remove drops it (init --force replaces the whole bench).\n"
           "Exit status: 0 done, 1 refused or failed, 2 bad arguments.\n"
           "velkor-bench --version shows the version; man velkor-bench tells more.\n";
}

int BenchCli::run(const std::vector<std::string>& args) {
    try {
        const Invocation call = ReadCommandLine(args, Commands());
        if (call.help) {
            out_ << HelpText();
            return 0;
        }
        if (call.version) {
            out_ << "velkor-bench " << Version << "\n";
            return 0;
        }
        return (this->*call.command->handler)(call);
    } catch (const UsageError& error) {
        err_ << "velkor-bench: " << error.what() << "\n"
             << "usage: " << error.usage << "\n";
        return 2;
    } catch (const std::exception& error) {
        err_ << "velkor-bench: " << error.what() << "\n";
        return 1;
    }
}

int BenchCli::init(const Invocation& call) {
    store_.init(call.has("--force"));
    out_ << "factory bench set up at " << store_.root().string() << ": " << factory::Summary()
         << "\n";
    return 0;
}

int BenchCli::list(const Invocation& call) {
    const std::vector<DetectorEntry> entries = store_.survey();
    const std::vector<ModulePlug> modules = store_.modules();
    PrintListing(out_, store_.root().string(), entries, modules, call.has("--json"));
    return 0;
}

int BenchCli::add(const Invocation& call) {
    const std::string& name = call.words[0];
    const std::string& address = call.words[1];
    const BenchModel* model = BenchModel::Find(name);
    if (model == nullptr) {
        call.refuse("unknown model " + name + " (" + Suggestion(name, BenchModel::Names()) +
                    "known: " + BenchModel::KnownNames() + ")");
    }
    if (!address_text::IsPlain(address)) {
        call.refuse("\"" + address + "\" is not a dotted address");
    }
    boost::optional<Link> link;
    if (const auto linkName = call.value("--link")) {
        link = DetectorState::LinkFromName(*linkName);
    }
    const DetectorState state = store_.add(*model, address, call.value("--host"), link);
    out_ << "added detector " << state.id << ": " << model->name << " at " << state.address << "\n";
    return 0;
}

int BenchCli::remove(const Invocation& call) {
    const std::string id = store_.resolve(call.words[0]);
    store_.remove(id);
    out_ << "removed detector " << byte_text::Printable(id) << "\n";
    return 0;
}

int BenchCli::show(const Invocation& call) {
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(call.words[0]));
    DetectorReport(*session, store_.modules()).print(out_, call.has("--json"));
    return 0;
}

int BenchCli::dump(const Invocation& call) {
    const std::string& number = call.words[1];
    if (number.empty() || number.size() > 9 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        call.refuse("FILE_NUMBER is a number such as 68 or 206, not " + number);
    }
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(call.words[0]));
    const Bytes bytes = session->readFile(std::stoi(number));
    out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    out_.flush();
    return 0;
}

int BenchCli::reboot(const Invocation& call) {
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(call.words[0]));
    session->reboot();
    out_ << "detector " << byte_text::Printable(session->state().id) << " rebooted: answers at "
         << byte_text::Printable(session->state().address) << "\n";
    return 0;
}

int BenchCli::fault(const Invocation& call) {
    const std::string& kind = call.words[1];
    const std::string& state = call.words[2];
    const auto fault = DetectorState::FaultFromName(kind);
    if (!fault) {
        call.refuse("unknown fault " + kind + " (" + Suggestion(kind, DetectorState::FaultNames()) +
                    "known: " + DetectorState::KnownFaults() + ")");
    }
    if (state != "on" && state != "off") {
        call.refuse("a fault is switched on or off, not " + state);
    }
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(call.words[0]));
    session->setFault(*fault, state == "on");
    out_ << "detector " << byte_text::Printable(session->state().id) << ": fault " << kind << " "
         << state << "\n";
    return 0;
}

int BenchCli::link(const Invocation& call) {
    const std::string& kind = call.words[1];
    const auto link = DetectorState::LinkFromName(kind);
    if (!link) {
        call.refuse(LinkProblem(kind));
    }
    const std::unique_ptr<DetectorSession> session = store_.open(store_.resolve(call.words[0]));
    session->setLink(*link);
    out_ << "detector " << byte_text::Printable(session->state().id) << " is linked by " << kind
         << "\n";
    return 0;
}

int BenchCli::plug(const Invocation& call) {
    const std::string& port = call.words[0];
    std::string detector;
    if (call.words.size() == 2) {
        detector = store_.resolve(call.words[1]);
    }
    store_.plug(port, detector);
    out_ << "infrared module on " << byte_text::Printable(port) << " faces "
         << (detector.empty() ? "no detector" : "detector " + byte_text::Printable(detector))
         << "\n";
    return 0;
}

int BenchCli::unplug(const Invocation& call) {
    const std::string& port = call.words[0];
    store_.unplug(port);
    out_ << "infrared module on " << byte_text::Printable(port) << " unplugged\n";
    return 0;
}

int BenchCli::checkPassword(const Invocation& call) {
    if (call.words.size() > 1) {
        call.refuse("the password is read from standard input, not from the command line, "
                    "where the process list and the shell history would keep it");
    }
    const std::string id = store_.resolve(call.words[0], false);
    std::string password;
    {
        // Typed at a terminal, it is asked for and not shown.
        boost::optional<HiddenTyping> hidden;
        if (inputIsTerminal_) {
            err_ << "Wi-Fi password of detector " << byte_text::Printable(id) << ": " << std::flush;
            hidden.emplace();
        }
        if (!std::getline(in_, password)) {
            call.refuse("no password on standard input");
        }
    }
    if (!password.empty() && password.back() == '\r') {
        password.pop_back();
    }
    // Opened after the typing: a run must not wait for someone's fingers.
    const std::unique_ptr<DetectorSession> session = store_.open(id);
    if (!session->state().model->hasWifi) {
        throw BenchError("a " + session->state().model->name + " has no Wi-Fi password");
    }
    if (!session->passwordSet()) {
        out_ << "no password is set on detector " << byte_text::Printable(session->state().id)
             << "\n";
        return 1;
    }
    const bool matches = session->passwordMatches(password);
    out_ << (matches ? "the password matches" : "the password differs") << "\n";
    return matches ? 0 : 1;
}

} // namespace bench
} // namespace velkor
