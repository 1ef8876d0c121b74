#include "keywords/keyword_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace lumora::keywords {
namespace {

TEST(KeywordOrder, SortedAgreesWithTheWordComparisonAndKeepsTheFirstForm) {
    const std::vector<std::string> stems = {"rose",        "Rose",   "ROSE",   "r\xc3\xb6se",
                                            "R\xc3\x96SE", "garden", "Garden", "\xc3\xa9t\xc3\xa9",
                                            "ete",         "zebra",  "apple",  "Apple",
                                            "a",           "ab",     "a-b",    "a_b"};
    std::mt19937 random(11);
    KeywordSet set;
    std::vector<std::string> firstForms;
    std::vector<std::u32string> seen;
    for (int i = 0; i < 400; ++i) {
        std::string word = stems[random() % stems.size()];
        if (random() % 2)
            word += stems[random() % stems.size()];
        const bool added = set.add(word);
        const std::u32string key = caseFoldKey(word);
        const bool isNew = std::find(seen.begin(), seen.end(), key) == seen.end();
        EXPECT_EQ(added, isNew) << word;
        if (isNew) {
            seen.push_back(key);
            firstForms.push_back(word);
        }
    }
    std::vector<std::string> expected = firstForms;
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return keyLess(caseFoldKey(a), caseFoldKey(b));
    });
    EXPECT_EQ(set.sorted(), expected);
}

} // namespace
} // namespace lumora::keywords
