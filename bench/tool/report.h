#pragma once

#include "bench/store/stored_json.h"

#include <ostream>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// What `show` tells about a detector, one field a line: a label and a text
// for people, a key and a typed value for --json.
class Report {
public:
    void text(const std::string& label, const std::string& key, const std::string& value);
    // `shown` replaces the decimal number in the text form (hexadecimal bytes).
    void number(const std::string& label, const std::string& key, long long value,
                const std::string& shown = std::string());
    void flag(const std::string& label, const std::string& key, bool value, const char* yes = "yes",
              const char* no = "no");
    // "none" in the text form when there are no values.
    void list(const std::string& label, const std::string& key,
              const std::vector<std::string>& values);
    // `shown` in the text form, null in JSON.
    void null(const std::string& label, const std::string& key, const std::string& shown);

    // "label: text" lines, or one JSON object on one line.
    void print(std::ostream& out, bool json) const;

private:
    void line(const std::string& label, const std::string& shown);

    std::string lines_;
    Json json_ = Json::object();
};

} // namespace bench
} // namespace velkor
