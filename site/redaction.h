#pragma once

#include <boost/algorithm/string/replace.hpp>

#include <string>

// `text` with every copy of the Wi-Fi password masked: what velkor-site shows,
// stores or reports never holds one, whatever a program's line may quote.
inline std::string Redacted(const std::string& text, const std::string& password) {
    return password.empty() ? text : boost::algorithm::replace_all_copy(text, password, "********");
}
