#include "bench/store/stored_text.h"

#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"

namespace velkor {
namespace bench {
namespace stored_text {

namespace pt = boost::property_tree;

void Put(JsonWriter& writer, const std::string& key, const std::string& text) {
    if (byte_text::IsUtf8(text) && text.find('\0') == std::string::npos) {
        writer.key(key).value(text);
    } else {
        writer.key(key + "_hex").value(byte_text::ToHex(text));
    }
}

boost::optional<std::string> Get(const pt::ptree& tree, const std::string& key) {
    if (const auto text = tree.get_optional<std::string>(key)) {
        return text;
    }
    const auto hex = tree.get_optional<std::string>(key + "_hex");
    if (!hex) {
        return boost::none;
    }
    const auto bytes = byte_text::FromHex(*hex);
    if (!bytes) {
        throw BenchError(key + "_hex is not hexadecimal");
    }
    return bytes;
}

std::string Require(const pt::ptree& tree, const std::string& key) {
    if (const auto text = Get(tree, key)) {
        return *text;
    }
    return tree.get<std::string>(key);
}

} // namespace stored_text
} // namespace bench
} // namespace velkor
