#include "bench/device/factory_bench.h"
#include "bench/store/bench_catalogue.h"
#include "bench/testing/error_of.h"
#include "bench/text/bench_error.h"

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

// The bytes the bench wrote before its JSON was written by nlohmann-json: a
// catalogue that has not changed keeps its bytes, and a file of then still
// reads.
TEST(BenchCatalogueTest, StoredBytesStayThoseTheBenchAlwaysWrote) {
    const std::string every = "a\x01\b\f\r\n\t\"\\/\x7F\xC2\x80\xC2\x9F\xC2\xA0\xC3\xA9z";
    BenchCatalogue factory;
    factory.detectors = {
        {"4050QL", "4050QL.55ca8f8e"}, {"6080K", "6080K.b0116919"}, {"6080QL", "6080QL.70c857dc"}};
    factory.modules = factory::Modules();
    BenchCatalogue odd;
    odd.detectors = {{"7180\xC1", "7180_.89abcdef"},
                     {"X\x1B[5m", "X__5m.0123abcd"},
                     {std::string("a\0b", 3), "a_b.00000000"}};
    odd.modules = {{"COM\x1B[4m", "X\x1B[5m"}, {"COM\xE9", ""}, {every, "7180\xC1"}};
    const struct {
        const char* name;
        BenchCatalogue catalogue;
        std::string bytes;
    } cases[] = {
        {"a factory one", factory,
         R"({"format":2,"detectors":[{"id":"4050QL","folder":"4050QL.55ca8f8e"},{"id":"6080K","f)"
         R"(older":"6080K.b0116919"},{"id":"6080QL","folder":"6080QL.70c857dc"}],"modules":[{"po)"
         R"(rt":"COM3","detector":"6080QL"}]})"
         "\n"},
        {"ids and ports with escapes or not UTF-8", odd,
         "{\"format\":2,\"detectors\":[{\"id_hex\":\"37313830C1\",\"folder\":\"7180_.89abcdef\"}"
         ",{\"id\":\"X\\u001b[5m\",\"folder\":\"X__5m.0123abcd\"},{\"id_hex\":\"610062\",\"folde"
         "r\":\"a_b.00000000\"}],\"modules\":[{\"port\":\"COM\\u001b[4m\",\"detector\":\"X\\u001"
         "b[5m\"},{\"port_hex\":\"434F4DE9\",\"detector\":\"\"},{\"port\":\"a\\u0001\\u0008\\u00"
         "0c\\u000d\\n\\t\\\"\\\\/\\u007f\\u0080\\u009f\xC2\xA0\xC3\xA9z\",\"detector_hex\":\"37"
         "313830C1\"}]}\n"},
        {"an empty one", BenchCatalogue(),
         R"({"format":2,"detectors":[],"modules":[]})"
         "\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.bytes, c.catalogue.toJson()) << c.name;
        EXPECT_EQ(c.bytes, BenchCatalogue::FromJson(c.bytes).toJson()) << c.name;
    }
}

// bench.json names only folders of the bench's own kind, those it makes and
// drops: one it could not drop, or one outside detectors/, is damage.
TEST(BenchCatalogueTest, NamesOnlyFoldersOfTheBenchsOwnKind) {
    const auto named = [](const std::string& folder) {
        return R"({"format":2,"detectors":[{"id":"7380","folder":")" + folder +
               R"("}],"modules":[]})";
    };
    EXPECT_EQ("7380_x.0123abcd",
              BenchCatalogue::FromJson(named("7380_x.0123abcd")).detectors.front().folder);
    for (const char* folder : {"7380", "7380.x", "a.b.0123abcd", "7380.0123ABCD", ".0123abcd", "..",
                               "../7380.0123abcd", "7380.0123abcd/x"}) {
        EXPECT_EQ("\"" + std::string(folder) + "\" is not a detector folder",
                  testing::ErrorOf([&] { BenchCatalogue::FromJson(named(folder)); }));
    }
}

} // namespace
} // namespace bench
} // namespace velkor
