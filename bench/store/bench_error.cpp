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

std::string LinkText(const boost::filesystem::path& path) {
    return path.string() + " is a symbolic link: the bench follows no link it did not make";
}

} // namespace bench
} // namespace velkor
