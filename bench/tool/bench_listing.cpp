#include "bench/tool/bench_listing.h"

#include "bench/store/stored_json.h"
#include "bench/text/byte_text.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/format.hpp>

namespace velkor {
namespace bench {

namespace {

std::string Notes(const DetectorState& state) {
    std::vector<std::string> notes;
    if (state.pendingReboot) {
        notes.push_back("reboot pending");
    }
    if (state.pendingApply) {
        notes.push_back("apply pending");
    }
    for (const std::string& fault : state.faultNames()) {
        notes.push_back("fault " + fault);
    }
    return notes.empty() ? "-" : boost::algorithm::join(notes, ", ");
}

void PrintJson(std::ostream& out, const std::string& bench,
               const std::vector<DetectorEntry>& entries, const std::vector<ModulePlug>& modules) {
    using stored_json::Text;
    Json detectors = Json::array();
    Json damaged = Json::array();
    for (const DetectorEntry& entry : entries) {
        if (!entry.state) {
            damaged.push_back({{"id", Text(entry.id)}, {"reason", Text(entry.damage)}});
            continue;
        }
        const DetectorState& state = *entry.state;
        detectors.push_back({{"id", Text(state.id)},
                             {"model", state.model->name},
                             {"answers_at", Text(state.address)},
                             {"link", DetectorState::LinkName(state.link)},
                             {"pending_reboot", state.pendingReboot},
                             {"pending_apply", state.pendingApply},
                             {"faults", state.faultNames()}});
    }
    Json plugged = Json::array();
    for (const ModulePlug& plug : modules) {
        plugged.push_back({{"port", Text(plug.port)},
                           {"faces", plug.detector.empty() ? Json() : Json(Text(plug.detector))}});
    }
    Json listing = Json::object();
    listing["bench"] = Text(bench);
    listing["detectors"] = detectors;
    listing["damaged"] = damaged;
    listing["modules"] = plugged;
    out << stored_json::Dump(listing);
}

} // namespace

void PrintListing(std::ostream& out, const std::string& bench,
                  const std::vector<DetectorEntry>& entries, const std::vector<ModulePlug>& modules,
                  bool json) {
    if (json) {
        PrintJson(out, bench, entries, modules);
        return;
    }
    if (entries.empty() && modules.empty()) {
        out << "the bench at " << bench << " is empty: velkor-bench init sets one up\n";
        return;
    }
    const auto row = [&out](const std::string& id, const std::string& model,
                            const std::string& address, const std::string& link,
                            const std::string& notes) {
        out << boost::format("%-12s %-7s %-16s %-6s %s\n") % byte_text::Printable(id) % model %
                   byte_text::Printable(address) % link % notes;
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
        out << "\n" << boost::format("%-12s %s\n") % "MODULE" % "FACES";
        for (const ModulePlug& plug : modules) {
            out << boost::format("%-12s %s\n") % byte_text::Printable(plug.port) %
                       (plug.detector.empty() ? "-" : byte_text::Printable(plug.detector));
        }
    }
}

} // namespace bench
} // namespace velkor
