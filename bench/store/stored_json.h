#pragma once

#include <boost/optional.hpp>

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

namespace velkor {
namespace bench {

// The bench's JSON documents (bench.json, detector.json, the tool's --json
// output), their members in the order they were added.
using Json = nlohmann::ordered_json;

namespace stored_json {

// bench.json and detector.json are three levels deep.
constexpr std::size_t MaxDepth = 8;

// Throws BenchError naming the reason when the text is not a JSON document
// or nests deeper than MaxDepth; the depth is refused while parsing, before
// a damaged file of a few hundred kilobytes of "[" is built up.
Json Parse(const std::string& text);
// The document on one line, ended by a line end, written as the bench has
// always written it, so that an unchanged state keeps its bytes: besides
// JSON's own escapes, every control character but the line end and the tab,
// DEL and U+0080 to U+009F are \u escapes, harmless on a terminal.
std::string Dump(const Json& document);
// A text a document can hold: one that is not UTF-8 in its printable form
// (\xHH escapes), which keeps the rest of the document readable.
std::string Text(const std::string& text);

// Free texts of the stored files (ids, addresses, port names, SSIDs) hold
// whatever bytes they were given: stored as they are when they are UTF-8
// without NUL, and as hexadecimal under "<key>_hex" otherwise, so that every
// byte comes back and a name given again matches byte for byte.
void PutBytes(Json& object, const std::string& key, const std::string& bytes);

// One object of a stored document, read with the types the bench writes. A
// missing member throws BenchError "No such node (PATH)", a member of another
// type "PATH is not ...", PATH being its dotted path in the document.
class StoredObject {
public:
    explicit StoredObject(const Json& object, std::string path = std::string());

    StoredObject object(const std::string& key) const;
    // An array member, to walk through.
    const Json& array(const std::string& key) const;
    std::string text(const std::string& key) const;
    bool flag(const std::string& key) const;
    // Empty when the member is missing.
    boost::optional<bool> optionalFlag(const std::string& key) const;
    // A whole number from `least` to `most`.
    long long number(const std::string& key, long long least, long long most) const;
    // A free text (see PutBytes); empty when neither form is there.
    boost::optional<std::string> bytes(const std::string& key) const;
    std::string requireBytes(const std::string& key) const;

private:
    const Json* find(const std::string& key) const;
    const Json& member(const std::string& key) const;
    std::string pathOf(const std::string& key) const;

    const Json& object_;
    std::string path_;
};

} // namespace stored_json
} // namespace bench
} // namespace velkor
