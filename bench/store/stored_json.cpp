#include "bench/store/stored_json.h"

#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"

#include <boost/format.hpp>

#include <algorithm>
#include <utility>

namespace velkor {
namespace bench {
namespace stored_json {

namespace {

// What the lexer could not read, in the words of the property tree's reader
// the bench used before, where they differ.
const std::pair<const char*, const char*> LexerWords[] = {
    {"missing closing quote", "unterminated string"},
    {"after backslash", "invalid escape sequence"},
    {"must be followed by 4 hex digits", "invalid escape sequence"},
    {"control character", "invalid code sequence"},
    {"ill-formed UTF-8", "invalid code sequence"},
    {"must follow U+D800", "invalid codepoint, stray low surrogate"},
    {"must be followed by U+DC00", "invalid codepoint, stray high surrogate"},
    {"digit after '-'", "expected digits after -"},
    {"digit after '.'", "need at least one digit after '.'"},
    {"after exponent", "need at least one digit in exponent"},
};

// A literal is read by its first letter.
std::string LiteralWords(const std::string& text, std::size_t read) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    std::size_t at = read;
    while (at > 0 && !isLetter(text[at - 1])) {
        --at;
    }
    while (at > 0 && isLetter(text[at - 1])) {
        --at;
    }
    const char first = at < text.size() ? text[at] : '\0';
    return first == 'n'   ? "expected 'null'"
           : first == 't' ? "expected 'true'"
           : first == 'f' ? "expected 'false'"
                          : "expected value";
}

// A syntax error in the words the bench has always reported a damaged file
// with, those of the property tree's reader it used before: "<unspecified
// file>(LINE): expected value".
std::string SyntaxError(const Json::parse_error& error, const std::string& text) {
    const std::string what = error.what();
    const auto says = [&what](const char* words) { return what.find(words) != std::string::npos; };
    const std::size_t read = std::min(error.byte, text.size());
    std::string reason = "expected value";
    if (says("; expected end of input")) {
        reason = "garbage after data";
    } else if (says("invalid literal")) {
        reason = LiteralWords(text, read);
    } else if (says("; last read:")) {
        const std::size_t from = what.find(" - ") + 3;
        reason = what.substr(from, what.find("; last read:") - from);
        for (const auto& words : LexerWords) {
            reason = says(words.first) ? words.second : reason;
        }
    } else if (says("while parsing object key")) {
        reason = "expected key string";
    } else if (says("while parsing object separator")) {
        reason = "expected ':'";
    } else if (says("while parsing object ")) {
        reason = "expected '}' or ','";
    } else if (says("while parsing array")) {
        reason = "expected ']' or ','";
    }
    const auto line =
        1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(read), '\n');
    return "<unspecified file>(" + std::to_string(line) + "): " + byte_text::Printable(reason);
}

} // namespace

Json Parse(const std::string& text) {
    // The callback sees each object and array as it opens, at the number of
    // those around it.
    const auto refuseDeep = [](int depth, Json::parse_event_t event, Json&) {
        const bool opens =
            event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
        if (opens && static_cast<std::size_t>(depth) >= MaxDepth) {
            throw BenchError("nested deeper than " + std::to_string(MaxDepth) + " levels");
        }
        return true;
    };
    try {
        return Json::parse(text, refuseDeep);
    } catch (const Json::parse_error& error) {
        throw BenchError(SyntaxError(error, text));
    } catch (const Json::exception& error) {
        throw BenchError(byte_text::Printable(error.what()));
    }
}

std::string Dump(const Json& document) {
    const std::string json = document.dump();
    std::string text;
    text.reserve(json.size() + 1);
    for (std::size_t at = 0; at < json.size(); ++at) {
        const auto byte = static_cast<unsigned char>(json[at]);
        const auto next = at + 1 < json.size() ? static_cast<unsigned char>(json[at + 1]) : 0;
        // Only strings hold backslashes, DEL and bytes above ASCII.
        if (byte == '\\') {
            const char* const code = next == 'b'   ? "\\u0008"
                                     : next == 'f' ? "\\u000c"
                                     : next == 'r' ? "\\u000d"
                                                   : nullptr;
            text += code != nullptr ? std::string(code) : json.substr(at, 2);
            ++at;
        } else if (byte == 0x7F) {
            text += "\\u007f";
        } else if (byte == 0xC2 && next >= 0x80 && next < 0xA0) {
            text += (boost::format("\\u%04x") % int(next)).str();
            ++at;
        } else {
            text += json[at];
        }
    }
    return text + "\n";
}

std::string Text(const std::string& text) {
    return byte_text::IsUtf8(text) ? text : byte_text::Printable(text);
}

void PutBytes(Json& object, const std::string& key, const std::string& bytes) {
    if (byte_text::IsUtf8(bytes) && bytes.find('\0') == std::string::npos) {
        object[key] = bytes;
    } else {
        object[key + "_hex"] = byte_text::ToHex(bytes);
    }
}

StoredObject::StoredObject(const Json& object, std::string path)
    : object_(object), path_(std::move(path)) {}

std::string StoredObject::pathOf(const std::string& key) const {
    return path_.empty() ? key : path_ + "." + key;
}

const Json* StoredObject::find(const std::string& key) const {
    if (!object_.is_object()) {
        return nullptr;
    }
    const auto found = object_.find(key);
    return found == object_.end() ? nullptr : &*found;
}

const Json& StoredObject::member(const std::string& key) const {
    const Json* found = find(key);
    if (found == nullptr) {
        throw BenchError("No such node (" + pathOf(key) + ")");
    }
    return *found;
}

StoredObject StoredObject::object(const std::string& key) const {
    const Json& value = member(key);
    if (!value.is_object()) {
        throw BenchError(pathOf(key) + " is not an object");
    }
    return StoredObject(value, pathOf(key));
}

const Json& StoredObject::array(const std::string& key) const {
    const Json& value = member(key);
    if (!value.is_array()) {
        throw BenchError(pathOf(key) + " is not a list");
    }
    return value;
}

std::string StoredObject::text(const std::string& key) const {
    const Json& value = member(key);
    if (!value.is_string()) {
        throw BenchError(pathOf(key) + " is not a text");
    }
    return value.get<std::string>();
}

bool StoredObject::flag(const std::string& key) const {
    const Json& value = member(key);
    if (!value.is_boolean()) {
        throw BenchError(pathOf(key) + " is not true or false");
    }
    return value.get<bool>();
}

boost::optional<bool> StoredObject::optionalFlag(const std::string& key) const {
    if (find(key) == nullptr) {
        return boost::none;
    }
    return flag(key);
}

long long StoredObject::number(const std::string& key, long long least, long long most) const {
    const Json& value = member(key);
    if (!value.is_number_integer()) {
        throw BenchError(pathOf(key) + " is not a whole number");
    }
    const bool fits = value.is_number_unsigned()
                          ? value.get<unsigned long long>() <= static_cast<unsigned long long>(most)
                          : value.get<long long>() >= least && value.get<long long>() <= most;
    if (!fits) {
        throw BenchError(pathOf(key) + " " + value.dump() + " is not from " +
                         std::to_string(least) + " to " + std::to_string(most));
    }
    return value.get<long long>();
}

boost::optional<std::string> StoredObject::bytes(const std::string& key) const {
    if (find(key) != nullptr) {
        return text(key);
    }
    if (find(key + "_hex") == nullptr) {
        return boost::none;
    }
    const auto bytes = byte_text::FromHex(text(key + "_hex"));
    if (!bytes) {
        throw BenchError(pathOf(key) + "_hex is not hexadecimal");
    }
    return bytes;
}

std::string StoredObject::requireBytes(const std::string& key) const {
    if (const auto text = bytes(key)) {
        return *text;
    }
    return text(key);
}

} // namespace stored_json
} // namespace bench
} // namespace velkor
