#include "fuzz/script_exercise.h"
#include "script_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace setupkit::testing;

// The fuzz target's seeds and every input it once crashed on go through the same steps
// as in the fuzz target; none may fail with anything but a stream error.
TEST(ScriptReaderRegressions, SeedsAndFoundInputsReadCleanly) {
    std::vector<std::filesystem::path> inputs;
    for (const char* folder : {"", "regressions"})
        for (const auto& entry : std::filesystem::directory_iterator(fixturePath(folder)))
            if (entry.is_regular_file() && entry.path().extension() == ".bin")
                inputs.push_back(entry.path());
    ASSERT_GE(inputs.size(), 5u);
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        const std::string bytes = lumora::testing::readFile(input);
        EXPECT_NO_THROW(exerciseScriptReader(bytes));
        // Each input cut short and with each byte changed in turn.
        for (std::size_t at = 0; at < bytes.size(); at += 7) {
            EXPECT_NO_THROW(exerciseScriptReader(bytes.substr(0, at)));
            std::string changed = bytes;
            changed[at] = static_cast<char>(changed[at] ^ 0x5A);
            EXPECT_NO_THROW(exerciseScriptReader(changed));
        }
    }
}
