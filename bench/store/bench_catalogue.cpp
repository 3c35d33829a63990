#include "bench/store/bench_catalogue.h"

#include "bench/store/detector_folders.h"
#include "bench/store/stored_json.h"
#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"

#include <algorithm>
#include <limits>

namespace velkor {
namespace bench {

using stored_json::StoredObject;

namespace {

// Format 1 kept one folder per detector id and no list of detectors.
const int FormatVersion = 2;

} // namespace

const CatalogueEntry* BenchCatalogue::find(const std::string& id) const {
    const auto found = std::find_if(detectors.begin(), detectors.end(),
                                    [&id](const CatalogueEntry& entry) { return entry.id == id; });
    return found == detectors.end() ? nullptr : &*found;
}

std::string BenchCatalogue::toJson() const {
    Json stored = Json::object();
    stored["format"] = FormatVersion;
    stored["detectors"] = Json::array();
    for (const CatalogueEntry& entry : detectors) {
        Json item = Json::object();
        stored_json::PutBytes(item, "id", entry.id);
        item["folder"] = entry.folder;
        stored["detectors"].push_back(item);
    }
    stored["modules"] = Json::array();
    for (const ModulePlug& plug : modules) {
        Json item = Json::object();
        stored_json::PutBytes(item, "port", plug.port);
        stored_json::PutBytes(item, "detector", plug.detector);
        stored["modules"].push_back(item);
    }
    return stored_json::Dump(stored);
}

BenchCatalogue BenchCatalogue::FromJson(const std::string& text) {
    const Json document = stored_json::Parse(text);
    const StoredObject stored(document);
    const long long format =
        stored.number("format", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (format == 1) {
        throw BenchError("it was set up by an earlier velkor-bench (format 1)");
    }
    if (format != FormatVersion) {
        throw BenchError("format " + std::to_string(format) + " is not known");
    }
    BenchCatalogue catalogue;
    for (const Json& item : stored.array("detectors")) {
        const StoredObject detector(item);
        CatalogueEntry entry{detector.requireBytes("id"), detector.text("folder")};
        if (!IsDetectorFolderName(entry.folder)) {
            throw BenchError("\"" + byte_text::Printable(entry.folder) +
                             "\" is not a detector folder");
        }
        if (catalogue.find(entry.id) != nullptr) {
            throw BenchError("it names detector " + byte_text::Printable(entry.id) + " twice");
        }
        catalogue.detectors.push_back(entry);
    }
    for (const Json& item : stored.array("modules")) {
        const StoredObject module(item);
        catalogue.modules.push_back(
            ModulePlug{module.requireBytes("port"), module.requireBytes("detector")});
    }
    std::sort(catalogue.detectors.begin(), catalogue.detectors.end(),
              [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id < b.id; });
    return catalogue;
}

} // namespace bench
} // namespace velkor
