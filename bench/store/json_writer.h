#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// Writes one JSON value with proper types (numbers, booleans, arrays). Ours
// on purpose: the property tree's writer makes every value a string, and
// Boost.JSON needs a newer Boost than the 1.74 we build with.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out);

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(const std::string& name);
    // A text that is not UTF-8 is written in its printable form (\xHH escapes);
    // control characters (C0, DEL, C1) as \u escapes, harmless on a terminal.
    JsonWriter& value(const std::string& text);
    JsonWriter& value(const char* text);
    JsonWriter& value(long long number);
    JsonWriter& value(bool flag);
    JsonWriter& null();
    // Ends the document with a line end.
    void finish();

private:
    void separate();
    // An object or an array: `bracket` opens or closes it.
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);

    std::ostream& out_;
    // One entry per open object or array: whether it has a member yet.
    std::vector<bool> started_;
    bool afterKey_ = false;
};

} // namespace bench
} // namespace velkor
