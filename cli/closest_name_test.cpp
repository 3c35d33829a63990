#include "cli/closest_name.h"

#include <gtest/gtest.h>

namespace velkor {
namespace cli {
namespace {

TEST(ClosestNameTest, FindsTheNameASlipOfTheKeyboardMeant) {
    const std::vector<std::string> commands = {"init", "list", "add",    "remove",
                                               "show", "dump", "reboot", "fault",
                                               "link", "plug", "unplug", "check-password"};
    const std::vector<std::string> models = {"6080K",  "7180",   "7380",  "6080QL",
                                             "4050QL", "7380TW", "6080MV"};
    const struct {
        const char* word;
        const std::vector<std::string>& known;
        const char* expected; // null: nothing is close enough
    } cases[] = {
        {"lsit", commands, "list"},                   // two letters swapped
        {"shwo", commands, "show"},                   //
        {"rmove", commands, "remove"},                // a letter missing
        {"unplugg", commands, "unplug"},              // a letter added
        {"fualt", commands, "fault"},                 //
        {"LIST", commands, "list"},                   // letter case
        {"chek-pasword", commands, "check-password"}, // two slips in a long word
        {"frobnicate", commands, nullptr},            // nothing like it
        {"ls", commands, nullptr},                    // two slips in a short word are too many
        {"ad", commands, "add"},                      //
        {"", commands, nullptr},                      //
        {"7308", models, "7380"},                     //
        {"6080ql", models, "6080QL"},                 //
        {"6080Q", models, "6080QL"},                  // a start beats an equal slip (6080K)
        {"7380T", models, "7380TW"},                  //
        {"9999", models, nullptr},                    //
        {"7380", {}, nullptr},                        // nothing known
    };
    for (const auto& c : cases) {
        const auto found = ClosestName(c.word, c.known);
        if (c.expected == nullptr) {
            EXPECT_FALSE(found) << c.word << " -> " << *found;
        } else {
            ASSERT_TRUE(found) << c.word;
            EXPECT_EQ(c.expected, *found) << c.word;
        }
    }
}

TEST(ClosestNameTest, ALongWordIsNoSlip) {
    const std::string word(10000, 'a');
    EXPECT_FALSE(ClosestName(word, {word.substr(1)}));
}

TEST(ClosestNameTest, DidYouMeanSaysItInParentheses) {
    EXPECT_EQ(" (did you mean list?)", DidYouMean("lsit", {"init", "list"}));
    EXPECT_EQ("", DidYouMean("zzzz", {"init", "list"}));
}

} // namespace
} // namespace cli
} // namespace velkor
