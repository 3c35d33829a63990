#include "bench/tool/bench_listing.h"

#include "bench/store/byte_text.h"
#include "bench/store/json_writer.h"

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
    for (const std::string& fault : state.faults) {
        notes.push_back("fault " + fault);
    }
    return notes.empty() ? "-" : boost::algorithm::join(notes, ", ");
}

void PrintJson(std::ostream& out, const std::string& bench,
               const std::vector<DetectorEntry>& entries, const std::vector<ModulePlug>& modules) {
    JsonWriter writer(out);
    writer.beginObject().key("bench").value(bench);
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
