#include "bench/store/catalogue_file.h"

#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"

#include <boost/filesystem/operations.hpp>

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;

namespace {

const char* const BenchFile = "bench.json";
const std::size_t MaxBenchFileSize = 1024 * 1024;

} // namespace

BenchCatalogue ReadCatalogue(const fs::path& bench) {
    const fs::path file = bench / BenchFile;
    boost::system::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (!fs::exists(status)) {
        return BenchCatalogue();
    }
    // Not the bench's to replace: said as it is, without init's advice.
    if (fs::is_symlink(status)) {
        throw BenchError(LinkText(file));
    }
    try {
        return BenchCatalogue::FromJson(atomic_file::ReadText(file, MaxBenchFileSize));
    } catch (const BenchError& malformed) {
        throw BenchError("the bench at " + bench.string() + " cannot be read (" + BenchFile + ": " +
                         malformed.what() + "): velkor-bench init --force sets up a new one");
    }
}

void WriteCatalogue(const fs::path& bench, const BenchCatalogue& catalogue) {
    atomic_file::WriteText(bench / BenchFile, catalogue.toJson());
}

} // namespace bench
} // namespace velkor
