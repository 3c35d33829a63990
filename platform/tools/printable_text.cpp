#include "platform/tools/printable_text.h"

#include <boost/locale/utf.hpp>

#include <cstdio>

std::string PrintableText(const std::string& text) {
    namespace utf = boost::locale::utf;
    std::string printable;
    printable.reserve(text.size());
    for (auto at = text.begin(); at != text.end();) {
        const auto start = at;
        const utf::code_point c = utf::utf_traits<char>::decode(at, text.end());
        const bool control = c < 0x20 ? c != '\t' : (c >= 0x7F && c < 0xA0);
        if (c == utf::illegal || c == utf::incomplete || control) {
            // One byte at a time: what follows a broken sequence may be whole.
            at = start + 1;
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(*start));
            printable += escaped;
        } else {
            printable.append(start, at);
        }
    }
    return printable;
}
