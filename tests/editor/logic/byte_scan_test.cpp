#include "editor/logic/byte_scan.h"

#include "common/ascii_case.h"
#include "text/page_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace lumora;

// Every byte value, at every position of the word and in the byte-wise tail.
TEST(ByteScan, AgreesWithTheByteLoops) {
    std::string all;
    for (int value = 0; value < 256; ++value)
        all += static_cast<char>(value);
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const size_t size = random() % 40;
        for (size_t i = 0; i < size; ++i)
            text += all[random() % all.size()];
        if (round < 256)
            text =
                all.substr(static_cast<size_t>(round)) + all.substr(0, static_cast<size_t>(round));

        EXPECT_EQ(editor::countUtf8Chars(text), text::charCount(text)) << round;
        std::string lowered = text;
        editor::lowerAtoZInPlace(lowered.data(), lowered.size());
        EXPECT_EQ(lowered, lumora::asciiLowered(text)) << round;
        std::string copied(text.size(), '?');
        editor::lowerAtoZCopy(copied.data(), text.data(), text.size());
        EXPECT_EQ(copied, lowered) << round;
    }
}
