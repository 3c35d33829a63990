#include "bench/tool/report.h"

#include <boost/algorithm/string/join.hpp>

namespace velkor {
namespace bench {

void Report::line(const std::string& label, const std::string& shown) {
    lines_ += label + ": " + shown + "\n";
}

void Report::text(const std::string& label, const std::string& key, const std::string& value) {
    line(label, value);
    json_[key] = stored_json::Text(value);
}

void Report::number(const std::string& label, const std::string& key, long long value,
                    const std::string& shown) {
    line(label, shown.empty() ? std::to_string(value) : shown);
    json_[key] = value;
}

void Report::flag(const std::string& label, const std::string& key, bool value, const char* yes,
                  const char* no) {
    line(label, value ? yes : no);
    json_[key] = value;
}

void Report::list(const std::string& label, const std::string& key,
                  const std::vector<std::string>& values) {
    line(label, values.empty() ? "none" : boost::algorithm::join(values, ", "));
    Json& array = json_[key] = Json::array();
    for (const std::string& value : values) {
        array.push_back(stored_json::Text(value));
    }
}

void Report::null(const std::string& label, const std::string& key, const std::string& shown) {
    line(label, shown);
    json_[key] = nullptr;
}

void Report::print(std::ostream& out, bool json) const {
    out << (json ? stored_json::Dump(json_) : lines_);
}

} // namespace bench
} // namespace velkor
