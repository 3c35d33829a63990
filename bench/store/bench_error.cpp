#include "bench/store/bench_error.h"

#include "bench/store/byte_text.h"

namespace velkor {
namespace bench {

std::string NoDetectorText(const boost::filesystem::path& bench, const std::string& id) {
    return "no detector " + byte_text::Printable(id) + " on the bench at " + bench.string();
}

std::string DamagedText(const std::string& id, const std::string& reason) {
    return "detector " + byte_text::Printable(id) + " is damaged: " + reason;
}

} // namespace bench
} // namespace velkor
