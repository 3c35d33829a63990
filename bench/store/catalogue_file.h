#pragma once

#include "bench/store/bench_catalogue.h"

#include <boost/filesystem/path.hpp>

namespace velkor {
namespace bench {

// bench.json in the bench folder `bench`. A missing file is an empty bench;
// one that cannot be read throws BenchError with the advice to set up a new
// bench.
BenchCatalogue ReadCatalogue(const boost::filesystem::path& bench);
// In one rename: the commands that change it take effect at once.
void WriteCatalogue(const boost::filesystem::path& bench, const BenchCatalogue& catalogue);

} // namespace bench
} // namespace velkor
