#include "tests/support/bench_files.h"

#include "bench/store/atomic_file.h"
#include "bench/store/bench_catalogue.h"
#include "bench/store/detector_session.h"
#include "bench/store/record_json.h"

namespace e2e {

namespace fs = boost::filesystem;
namespace atomic_file = velkor::bench::atomic_file;

namespace {

fs::path RecordFile(const fs::path& bench, const std::string& id) {
    const auto catalogue =
        velkor::bench::BenchCatalogue::FromJson(atomic_file::ReadText(bench / "bench.json"));
    return bench / "detectors" / catalogue.find(id)->folder /
           velkor::bench::DetectorSession::RecordFileName;
}

} // namespace

velkor::bench::DetectorRecord LoadRecord(const fs::path& bench, const std::string& id) {
    return velkor::bench::DetectorSession::Load(RecordFile(bench, id).parent_path());
}

void SaveRecord(const fs::path& bench, const std::string& id,
                const velkor::bench::DetectorRecord& record) {
    OverwriteRecord(bench, id, velkor::bench::record_json::ToJson(record));
}

void OverwriteRecord(const fs::path& bench, const std::string& id, const std::string& text) {
    atomic_file::WriteText(RecordFile(bench, id), text, true);
}

} // namespace e2e
