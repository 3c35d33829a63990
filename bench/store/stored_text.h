#pragma once

#include "bench/store/json_writer.h"

#include <boost/optional.hpp>
#include <boost/property_tree/ptree.hpp>

#include <string>

namespace velkor {
namespace bench {

// Free texts of the bench's files (ids, addresses, port names, SSIDs) hold
// whatever bytes they were given. They are stored as they are when they are
// UTF-8 without NUL, and as hexadecimal under "<key>_hex" otherwise, so that
// every byte comes back and a name given again matches byte for byte. Files
// written before keep their plain texts readable.
namespace stored_text {

void Put(JsonWriter& writer, const std::string& key, const std::string& text);
// Empty when neither form is there; throws BenchError when the hexadecimal
// form is not hexadecimal.
boost::optional<std::string> Get(const boost::property_tree::ptree& tree, const std::string& key);
// As Get, but a missing text throws the property tree's own error ("No such
// node (KEY)"), as reading a plain text always did.
std::string Require(const boost::property_tree::ptree& tree, const std::string& key);

} // namespace stored_text
} // namespace bench
} // namespace velkor
