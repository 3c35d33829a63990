// Writing settings into the user configuration: UserConfigFileInfos::SetUcfValue
// with arbitrary keys and values.
//
// Input: a key, a NUL byte, then the value. Without a NUL byte the whole input
// is the key and the value is "01".
//
// Properties: either the call succeeds, and then the key names a node below
// "ucf" (no empty segment), that node holds the value, GetUcfValue reads it
// back as the hexadecimal rule says, and nothing outside "ucf" nor the text of
// "ucf" itself changed; or it throws a property tree error and the tree is
// exactly as before. A tree without "ucf" is always refused and never changed.

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

namespace {

void CheckSet(const std::string& key, const std::string& value) {
    UserConfigFileInfos document = fuzz::DocumentWithNeighbours();
    const ptree before = document.tree();
    try {
        document.SetUcfValue(key, value);
    } catch (const boost::property_tree::ptree_error&) {
        FUZZ_REQUIRE(document.tree() == before, "a refused SetUcfValue changed the tree");
        return;
    }
    FUZZ_REQUIRE(fuzz::NamesANodeBelowRoot(key),
                 "SetUcfValue took a key that names no node below \"ucf\" (empty or with an empty "
                 "segment)");
    const ptree& root = document.tree().get_child("ucf");
    const boost::optional<const ptree&> node = fuzz::WalkTo(root, key);
    FUZZ_REQUIRE(node && node->data() == value, "the value set is not found at its key");
    FUZZ_REQUIRE(root.data() == before.get_child("ucf").data(), "SetUcfValue changed \"ucf\"");
    FUZZ_REQUIRE(document.tree().size() == before.size() &&
                     document.tree().get_child("other") == before.get_child("other"),
                 "SetUcfValue changed the tree outside \"ucf\"");

    std::uint8_t expected = 0;
    const bool valid = fuzz::HexByte(value, expected);
    try {
        const boost::optional<unsigned char> read = document.GetUcfValue(key);
        FUZZ_REQUIRE(valid && read && *read == expected,
                     "the value set does not read back as the hexadecimal rule says");
    } catch (const boost::bad_lexical_cast&) {
        FUZZ_REQUIRE(!valid, "a valid value set failed to read back");
    }
}

void CheckWithoutRoot(const std::string& key, const std::string& value) {
    UserConfigFileInfos document;
    document.tree().put("other.wifi_enable", "00");
    const ptree before = document.tree();
    bool refused = false;
    try {
        document.SetUcfValue(key, value);
    } catch (const boost::property_tree::ptree_bad_path&) {
        refused = true;
    }
    FUZZ_REQUIRE(refused, "SetUcfValue did not refuse a tree without \"ucf\"");
    FUZZ_REQUIRE(document.tree() == before, "SetUcfValue changed a tree without \"ucf\"");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::Text(data, size);
    const std::string::size_type nul = input.find('\0');
    const std::string key = nul == std::string::npos ? input : input.substr(0, nul);
    const std::string value = nul == std::string::npos ? "01" : input.substr(nul + 1);
    CheckWithoutRoot(key, value);
    CheckSet(key, value);
    return 0;
}
