#include "bench/store/json_writer.h"

#include "bench/store/byte_text.h"

#include <boost/format.hpp>

namespace velkor {
namespace bench {

JsonWriter::JsonWriter(std::ostream& out) : out_(out) {}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!started_.empty()) {
        if (started_.back()) {
            out_ << ",";
        }
        started_.back() = true;
    }
}

JsonWriter& JsonWriter::open(char bracket) {
    separate();
    out_ << bracket;
    started_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    started_.pop_back();
    out_ << bracket;
    return *this;
}

JsonWriter& JsonWriter::beginObject() {
    return open('{');
}

JsonWriter& JsonWriter::endObject() {
    return close('}');
}

JsonWriter& JsonWriter::beginArray() {
    return open('[');
}

JsonWriter& JsonWriter::endArray() {
    return close(']');
}

JsonWriter& JsonWriter::key(const std::string& name) {
    value(name);
    out_ << ":";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(const std::string& given) {
    separate();
    // A JSON text is UTF-8: other bytes are shown as escapes rather than
    // making the whole document unreadable.
    const std::string text = byte_text::IsUtf8(given) ? given : byte_text::Printable(given);
    out_ << '"';
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        // U+0080 to U+009F: terminals take some of them as commands, as ESC.
        const bool c1 =
            byte == 0xC2 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) < 0xA0;
        if (c == '"' || c == '\\') {
            out_ << '\\' << c;
        } else if (c == '\n') {
            out_ << "\\n";
        } else if (c == '\t') {
            out_ << "\\t";
        } else if (byte < 0x20 || byte == 0x7F || c1) {
            const unsigned code = c1 ? static_cast<unsigned char>(text[++at]) : byte;
            out_ << (boost::format("\\u%04x") % code);
        } else {
            out_ << c;
        }
    }
    out_ << '"';
    return *this;
}

JsonWriter& JsonWriter::value(const char* text) {
    return value(std::string(text));
}

JsonWriter& JsonWriter::value(long long number) {
    separate();
    out_ << number;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    out_ << (flag ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ << "null";
    return *this;
}

void JsonWriter::finish() {
    out_ << "\n";
}

} // namespace bench
} // namespace velkor
