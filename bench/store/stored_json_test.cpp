#include "bench/store/stored_json.h"
#include "bench/testing/error_of.h"
#include "bench/text/bench_error.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace velkor {
namespace bench {
namespace {

using stored_json::StoredObject;
using testing::ErrorOf;

// A damaged file is reported in the words it always was, those of the
// property tree's reader the bench used before.
TEST(StoredJsonTest, SyntaxErrorsAreSaidAsTheyAlwaysWere) {
    const struct {
        std::string text;
        const char* reason;
    } cases[] = {
        {"", "(1): expected value"},
        {"{\"a\":1} x", "(1): garbage after data"},
        {"{\"a\":1}\n y", "(2): garbage after data"},
        {"\n\n{\"a\":", "(3): expected value"},
        {"{1", "(1): expected key string"},
        {"{\"a\":1,}", "(1): expected key string"},
        {"{\"a\" 1}", "(1): expected ':'"},
        {"{\"a\":1 \"b\"", "(1): expected '}' or ','"},
        {"{\"a\":01}", "(1): expected '}' or ','"},
        {"[1 2]", "(1): expected ']' or ','"},
        {"[1,]", "(1): expected value"},
        {"[1, x]", "(1): expected value"},
        {"not json", "(1): expected 'null'"},
        {"nul", "(1): expected 'null'"},
        {"{\"a\":tru}", "(1): expected 'true'"},
        {"{\"a\":fals}", "(1): expected 'false'"},
        {"{\"a\":\"abc", "(1): unterminated string"},
        {"{\"a\":-}", "(1): expected digits after -"},
        {"{\"a\":1.}", "(1): need at least one digit after '.'"},
        {"{\"a\":1e}", "(1): need at least one digit in exponent"},
        {"{\"a\":\"\\q\"}", "(1): invalid escape sequence"},
        {"{\"a\":\"\\u12\"}", "(1): invalid escape sequence"},
        {"{\"a\":\"\x01\"}", "(1): invalid code sequence"},
        {"{\"a\":\"\t\"}", "(1): invalid code sequence"},
        {"{\"a\":\"\xFF\"}", "(1): invalid code sequence"},
        {"{\"a\":\"\\udc00\"}", "(1): invalid codepoint, stray low surrogate"},
        {"{\"a\":\"\\ud800x\"}", "(1): invalid codepoint, stray high surrogate"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string("<unspecified file>") + c.reason,
                  ErrorOf([&] { stored_json::Parse(c.text); }))
            << c.text;
    }
}

TEST(StoredJsonTest, MembersAreReadWithTheTypesTheBenchWrites) {
    const Json document = stored_json::Parse(
        R"({"t":"x","n":70000,"m":-1,"r":1.5,"f":true,"o":{"k":1},"a":[],"h_hex":"ZZ",)"
        R"("b_hex":"4100","s":"plain"})");
    const StoredObject stored(document);
    const struct {
        const char* name;
        std::function<void()> read;
        const char* error;
    } cases[] = {
        {"missing", [&] { stored.text("z"); }, "No such node (z)"},
        {"missing below", [&] { stored.object("o").number("z", 0, 1); }, "No such node (o.z)"},
        {"missing bytes", [&] { stored.requireBytes("z"); }, "No such node (z)"},
        {"not a text", [&] { stored.text("n"); }, "n is not a text"},
        {"not a number", [&] { stored.number("t", 0, 9); }, "t is not a whole number"},
        {"not whole", [&] { stored.number("r", 0, 9); }, "r is not a whole number"},
        {"too large", [&] { stored.number("n", 0, 65535); }, "n 70000 is not from 0 to 65535"},
        {"too small", [&] { stored.number("m", 0, 65535); }, "m -1 is not from 0 to 65535"},
        {"not a flag", [&] { stored.flag("t"); }, "t is not true or false"},
        {"not an object", [&] { stored.object("a"); }, "a is not an object"},
        {"not a list", [&] { stored.array("o"); }, "o is not a list"},
        {"not hexadecimal", [&] { stored.bytes("h"); }, "h_hex is not hexadecimal"},
        {"not an object at all", [] { StoredObject(stored_json::Parse("[1]")).text("format"); },
         "No such node (format)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error, ErrorOf(c.read)) << c.name;
    }
    EXPECT_EQ(std::string("A\0", 2), stored.requireBytes("b"));
    EXPECT_EQ("plain", stored.requireBytes("s"));
    EXPECT_FALSE(stored.bytes("z"));
    EXPECT_FALSE(stored.optionalFlag("z"));
    EXPECT_TRUE(stored.optionalFlag("f").value_or(false));
    EXPECT_EQ(-1, stored.number("m", -1, 0));
}

} // namespace
} // namespace bench
} // namespace velkor
