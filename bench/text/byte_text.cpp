#include "bench/text/byte_text.h"

#include <boost/algorithm/hex.hpp>
#include <boost/format.hpp>

#include <cstdint>

namespace velkor {
namespace bench {
namespace byte_text {

namespace {

// Length of the well-formed UTF-8 sequence at `at`; 0 when there is none.
std::size_t SequenceAt(const std::string& text, std::size_t at) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        return 0;
    }
    return length;
}

// U+0080 to U+009F: terminals take some of them as commands, as they do ESC.
bool IsC1Control(const std::string& text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) == 0xC2 && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) < 0xA0;
}

} // namespace

std::string ToHex(const std::string& bytes) {
    return boost::algorithm::hex(bytes);
}

std::string ToHex(const Bytes& bytes) {
    return ToHex(std::string(bytes.begin(), bytes.end()));
}

std::string HexNumber(unsigned value, int digits) {
    return boost::str(boost::format("0x%0" + std::to_string(digits) + "X") % value);
}

boost::optional<std::string> FromHex(const std::string& text) {
    try {
        return boost::algorithm::unhex(text);
    } catch (const boost::algorithm::hex_decode_error&) {
        return boost::none;
    }
}

bool IsUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceAt(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::string Printable(const std::string& text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = SequenceAt(text, at);
        if (byte == '\\') {
            shown += "\\\\";
        } else if (byte == '\t') {
            shown += "\\t";
        } else if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte < 0x20 || byte == 0x7F || length == 0 || IsC1Control(text, at)) {
            shown += "\\x" + ToHex(std::string(1, text[at]));
        } else {
            shown.append(text, at, length);
            at += length;
            continue;
        }
        ++at;
    }
    return shown;
}

} // namespace byte_text
} // namespace bench
} // namespace velkor
