#include "bench/store/bench_catalogue.h"

#include "bench/store/bench_error.h"
#include "bench/store/bounded_parse.h"
#include "bench/store/byte_text.h"
#include "bench/store/json_writer.h"
#include "bench/store/stored_text.h"

#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <sstream>

namespace velkor {
namespace bench {

namespace pt = boost::property_tree;

namespace {

// Format 1 kept one folder per detector id and no list of detectors.
const int FormatVersion = 2;

// A folder name that stays below detectors/.
bool IsFolderName(const std::string& name) {
    return !name.empty() && name[0] != '.' && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == '_';
    });
}

} // namespace

const CatalogueEntry* BenchCatalogue::find(const std::string& id) const {
    const auto found = std::find_if(detectors.begin(), detectors.end(),
                                    [&id](const CatalogueEntry& entry) { return entry.id == id; });
    return found == detectors.end() ? nullptr : &*found;
}

std::string BenchCatalogue::toJson() const {
    std::ostringstream text;
    JsonWriter writer(text);
    writer.beginObject().key("format").value(static_cast<long long>(FormatVersion));
    writer.key("detectors").beginArray();
    for (const CatalogueEntry& entry : detectors) {
        writer.beginObject();
        stored_text::Put(writer, "id", entry.id);
        writer.key("folder").value(entry.folder).endObject();
    }
    writer.endArray().key("modules").beginArray();
    for (const ModulePlug& plug : modules) {
        writer.beginObject();
        stored_text::Put(writer, "port", plug.port);
        stored_text::Put(writer, "detector", plug.detector);
        writer.endObject();
    }
    writer.endArray().endObject();
    writer.finish();
    return text.str();
}

BenchCatalogue BenchCatalogue::FromJson(const std::string& text) {
    const pt::ptree tree = bounded::ParseJson(text);
    try {
        const int format = tree.get<int>("format");
        if (format == 1) {
            throw BenchError("it was set up by an earlier velkor-bench (format 1)");
        }
        if (format != FormatVersion) {
            throw BenchError("format " + std::to_string(format) + " is not known");
        }
        BenchCatalogue catalogue;
        for (const auto& item : tree.get_child("detectors")) {
            CatalogueEntry entry{stored_text::Require(item.second, "id"),
                                 item.second.get<std::string>("folder")};
            if (!IsFolderName(entry.folder)) {
                throw BenchError("\"" + byte_text::Printable(entry.folder) +
                                 "\" is not a detector folder");
            }
            if (catalogue.find(entry.id) != nullptr) {
                throw BenchError("it names detector " + byte_text::Printable(entry.id) + " twice");
            }
            catalogue.detectors.push_back(entry);
        }
        for (const auto& item : tree.get_child("modules")) {
            catalogue.modules.push_back(ModulePlug{stored_text::Require(item.second, "port"),
                                                   stored_text::Require(item.second, "detector")});
        }
        std::sort(catalogue.detectors.begin(), catalogue.detectors.end(),
                  [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id < b.id; });
        return catalogue;
    } catch (const pt::ptree_error& error) {
        throw BenchError(byte_text::Printable(error.what()));
    }
}

} // namespace bench
} // namespace velkor
