#include "bench/store/catalogue_file.h"

#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"

#include <boost/filesystem/operations.hpp>

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;

namespace {

const char* const kBenchFile = "bench.json";
const std::size_t kMaxBenchFileSize = 1024 * 1024;

} // namespace

BenchCatalogue ReadCatalogue(const fs::path& bench) {
    const fs::path file = bench / kBenchFile;
    boost::system::error_code error;
    if (!fs::exists(file, error)) {
        return BenchCatalogue();
    }
    try {
        return BenchCatalogue::FromJson(atomicfile::ReadText(file, kMaxBenchFileSize));
    } catch (const BenchError& malformed) {
        throw BenchError("the bench at " + bench.string() + " cannot be read (" + kBenchFile +
                         ": " + malformed.what() +
                         "): velkor-bench init --force sets up a new one");
    }
}

void WriteCatalogue(const fs::path& bench, const BenchCatalogue& catalogue) {
    atomicfile::WriteText(bench / kBenchFile, catalogue.toJson());
}

} // namespace bench
} // namespace velkor
