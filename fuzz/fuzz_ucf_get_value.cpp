// Reading bytes from the user configuration: UserConfigFileInfos::GetUcfValue,
// GetWifiEnable and the _hex2 byte encoding.
//
// Input: a key, a NUL byte, then a setting text. Without a NUL byte the whole
// input is the text of "wifi_enable".
//
// Properties: the text stored under a key reads back as the low byte of its
// value when it is one hexadecimal number fitting 32 bits, with no other
// character, and throws bad_lexical_cast otherwise; the Wi-Fi switch is on
// exactly for the byte 1; an absent key gives no value; reading changes
// nothing; a byte written with _hex2 is two upper-case digits that read back
// as the same byte.

#include "config/hex2.h"
#include "config/user_config_file_infos.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/reference_rules.h"
#include "fuzz/ucf_tree.h"

#include <boost/lexical_cast.hpp>
#include <boost/optional.hpp>
#include <boost/property_tree/exceptions.hpp>
#include <boost/property_tree/ptree.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

using boost::property_tree::ptree;
using Byte = config::_hex2<unsigned char>;

namespace {

// What GetUcfValue gives for a text found under its key.
void CheckRead(const UserConfigFileInfos& document, const std::string& key,
               const std::string& text) {
    const ptree before = document.tree();
    std::uint8_t expected = 0;
    const bool valid = fuzz::HexByte(text, expected);
    try {
        const boost::optional<unsigned char> value = document.GetUcfValue(key);
        FUZZ_REQUIRE(valid, "a text that is not one hexadecimal number was read as a byte");
        FUZZ_REQUIRE(value, "a key that holds a text gave no value");
        FUZZ_REQUIRE(*value == expected, "the byte read is not the low byte of the number");
    } catch (const boost::bad_lexical_cast&) {
        FUZZ_REQUIRE(!valid, "a hexadecimal number fitting 32 bits failed to read");
    }
    FUZZ_REQUIRE(document.tree() == before, "reading a value changed the tree");
}

void CheckWifiSwitch(const std::string& text) {
    UserConfigFileInfos document = fuzz::DocumentWithNeighbours();
    document.tree().put("ucf.wifi_enable", text);
    CheckRead(document, "wifi_enable", text);
    std::uint8_t expected = 0;
    const bool valid = fuzz::HexByte(text, expected);
    try {
        const boost::optional<bool> on = document.GetWifiEnable();
        FUZZ_REQUIRE(valid && on && *on == (expected == 1),
                     "the Wi-Fi switch is not on exactly for the byte 1");
    } catch (const boost::bad_lexical_cast&) {
        FUZZ_REQUIRE(!valid, "a valid Wi-Fi switch text failed to read");
    }
}

// A key of the fuzzer's: the value found by walking the tree must be what
// GetUcfValue reports, whatever the key holds.
void CheckKey(const std::string& key, const std::string& text) {
    UserConfigFileInfos document = fuzz::DocumentWithNeighbours();
    if (fuzz::NamesANodeBelowRoot(key)) {
        document.tree().get_child("ucf").put(ptree::path_type(key, '.'), text);
    }
    const boost::optional<const ptree&> node = fuzz::WalkTo(document.tree().get_child("ucf"), key);
    if (node) {
        CheckRead(document, key, node->data());
        return;
    }
    const ptree before = document.tree();
    try {
        FUZZ_REQUIRE(!document.GetUcfValue(key), "a key that leads nowhere gave a value");
    } catch (const boost::property_tree::ptree_error&) {
        // A key the tree cannot take as a path may be refused...
    } catch (const boost::bad_lexical_cast&) {
        // ...and the empty key is the tree's path to "ucf" itself, whose own
        // text is no number.
        FUZZ_REQUIRE(key.empty(), "a key that leads nowhere read a text");
    }
    FUZZ_REQUIRE(document.tree() == before, "reading a value changed the tree");
}

void CheckByteEncoding(unsigned char byte) {
    const std::string text = boost::lexical_cast<std::string>(Byte(byte));
    static const char digits[] = "0123456789ABCDEF";
    FUZZ_REQUIRE(text.size() == 2 && text[0] == digits[byte >> 4] && text[1] == digits[byte & 15],
                 "a byte is not written as two upper-case hexadecimal digits");
    FUZZ_REQUIRE(boost::lexical_cast<Byte>(text).value() == byte,
                 "a byte written does not read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::Text(data, size);
    const std::string::size_type nul = input.find('\0');
    if (nul == std::string::npos) {
        CheckWifiSwitch(input);
    } else {
        const std::string key = input.substr(0, nul);
        const std::string text = input.substr(nul + 1);
        CheckWifiSwitch(text);
        CheckKey(key, text);
    }
    for (const std::uint8_t byte : {std::uint8_t(size), size ? data[0] : std::uint8_t(0)}) {
        CheckByteEncoding(byte);
    }
    return 0;
}
