#include "bench/store/bounded_parse.h"
#include "bench/store/stored_json.h"
#include "bench/text/bench_error.h"

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// Objects and arrays count as they nest, brackets inside strings do not.
TEST(BoundedParseTest, JsonDepthCountsObjectsAndArraysOutsideStrings) {
    const std::string deep = "nested deeper than 8 levels";
    const struct {
        std::string text;
        std::string refusal; // empty: taken
    } cases[] = {
        {"1", ""},
        {"{}", ""},
        {Repeat("[", 8) + Repeat("]", 8), ""},
        {Repeat("[", 9) + Repeat("]", 9), deep},
        {Repeat("[{\"a\":", 4) + "1" + Repeat("}]", 4), ""},
        {Repeat("[{\"a\":", 4) + "[]" + Repeat("}]", 4), deep},
        {Repeat("[", 7) + R"({"a":"[[[[{{{{"})" + Repeat("]", 7), ""},
        {Repeat("[", 7) + R"({"a":"\"[[[["})" + Repeat("]", 7), ""},
        {Repeat("[", 7) + R"({"a":"\\"},[])" + Repeat("]", 7), ""},
        {Repeat("[", 8) + Repeat("],[", 40) + Repeat("]", 8), ""},
    };
    for (const auto& c : cases) {
        try {
            stored_json::Parse(c.text);
            EXPECT_EQ("", c.refusal) << c.text;
        } catch (const BenchError& error) {
            EXPECT_EQ(c.refusal, error.what()) << c.text;
        }
    }
}

TEST(BoundedParseTest, XmlDepthCountsElementsOnly) {
    const struct {
        std::string text;
        std::size_t depth;
    } cases[] = {
        {"<?xml version=\"1.0\"?><ucf><wifi_enable>01</wifi_enable></ucf>", 2},
        {"<a><b/><c x='>'><d/></c></a>", 2},
        {"<a><!-- <b><c><d> --></a>", 1},
        {"<a><![CDATA[<b><c>]]></a>", 1},
        {"<!DOCTYPE a><a></a><b></b>", 1},
        {"<a><b><c>", 3},
        {"<a", 1},
        {"</a></b><c>", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.depth, bounded::XmlDepth(c.text)) << c.text;
    }
}

// Deep enough to overflow the stack of the tree's recursive parsers.
TEST(BoundedParseTest, DeepDocumentsAreRefusedNotParsed) {
    const struct {
        const char* name;
        std::string text;
        bool json;
        const char* reason;
    } cases[] = {
        {"brackets", Repeat("[", 200000), true, "nested deeper than 8 levels"},
        {"objects", Repeat("{\"a\":", 100000) + "1" + Repeat("}", 100000), true,
         "nested deeper than 8 levels"},
        {"open elements", Repeat("<a>", 100000), false, "nested deeper than 16 levels"},
        {"closed elements", Repeat("<a>", 17) + Repeat("</a>", 17), false,
         "nested deeper than 16 levels"},
    };
    for (const auto& c : cases) {
        try {
            if (c.json) {
                stored_json::Parse(c.text);
            } else {
                bounded::ParseXml(c.text);
            }
            ADD_FAILURE() << c.name << " parsed";
        } catch (const BenchError& error) {
            EXPECT_STREQ(c.reason, error.what()) << c.name;
        }
    }
}

TEST(BoundedParseTest, DocumentsWithinTheLimitParse) {
    Json json = stored_json::Parse(Repeat("[", 8) + Repeat("]", 8));
    std::size_t below = 0;
    for (const Json* at = &json; !at->empty(); at = &at->front()) {
        ++below;
    }
    EXPECT_EQ(7u, below);
    const auto xml = bounded::ParseXml(Repeat("<a>", 16) + "x" + Repeat("</a>", 16));
    EXPECT_EQ(16u, bounded::TreeDepth(xml));
    EXPECT_EQ("x", xml.get<std::string>(std::string(Repeat("a.", 15) + "a")));
    EXPECT_THROW(stored_json::Parse("{\"a\":"), BenchError);
    EXPECT_THROW(bounded::ParseXml("<a><b></a>"), BenchError);
}

} // namespace
} // namespace bench
} // namespace velkor
