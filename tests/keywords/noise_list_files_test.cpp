// The shipped per-language noise-word lists: each must read back as the list its
// maintainers meant, whatever reads it, and the build must put the same lists beside
// the programs.

#include "temp_dir.h"
#include "text/page_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr size_t kMinimumEntries = 200;

// Lower-case letters outside ASCII that the shipped languages write their words with.
constexpr std::u32string_view kAccentedLetters = U"àáâãäçèéêëìíîïñòóôõöùúûüýÿœß";

struct Language {
    const char* code;
    std::vector<std::string> mustHold;
};

const std::vector<Language> kLanguages = {
    {"en", {"the", "and", "of", "would", "don't"}},
    {"de", {"der", "und", "nicht", "über", "würde"}},
    {"fr", {"le", "et", "être", "l'", "qu'"}},
    {"es", {"el", "y", "está", "también", "según"}},
    {"it", {"il", "e", "perché", "dell'", "più"}},
    {"nl", {"het", "en", "niet", "zijn", "z'n"}},
    {"pt", {"o", "e", "não", "você", "à"}},
};

fs::path sourceLists() {
    const auto configured = lumora::testing::sourceDir() / "data/noise";
    if (fs::exists(configured))
        return configured;
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "data/noise";
}

// Code points of text already known to be valid UTF-8.
std::u32string codePoints(std::string_view utf8) {
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
        for (size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        out += c;
        i += length;
    }
    return out;
}

bool isListCharacter(char32_t c) {
    return (c >= U'a' && c <= U'z') || c == U'\'' || c == U'-' ||
           kAccentedLetters.find(c) != std::u32string_view::npos;
}

// The entries of a list as a reader of the agreed format sees them: comment lines
// and blank lines are not entries.
std::vector<std::string> entriesOf(const std::string& bytes) {
    std::vector<std::string> entries;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.front() != '#')
            entries.push_back(line);
    return entries;
}

TEST(NoiseListFiles, EveryLanguageShipsAWellFormedListBesideThePrograms) {
    std::set<std::string> shipped;
    for (const auto& file : fs::directory_iterator(sourceLists()))
        shipped.insert(file.path().filename().string());

    for (const Language& language : kLanguages) {
        const std::string name = std::string(language.code) + ".txt";
        SCOPED_TRACE(name);
        ASSERT_TRUE(shipped.erase(name)) << "missing list";
        const std::string bytes = lumora::testing::readFile(sourceLists() / name);
        ASSERT_TRUE(lumora::text::isValidUtf8(bytes));
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.back(), '\n');
        EXPECT_EQ(bytes.find('\r'), std::string::npos);

        const auto entries = entriesOf(bytes);
        EXPECT_GE(entries.size(), kMinimumEntries);
        for (size_t i = 0; i < entries.size(); ++i) {
            const std::string& entry = entries[i];
            if (i > 0) {
                EXPECT_LT(entries[i - 1], entry) << "out of order or repeated";
            }
            for (char32_t c : codePoints(entry)) {
                EXPECT_TRUE(isListCharacter(c))
                    << "'" << entry << "' holds U+" << std::hex << uint32_t(c);
            }
        }
        const std::set<std::string> present(entries.begin(), entries.end());
        for (const std::string& word : language.mustHold)
            EXPECT_TRUE(present.contains(word)) << word;

        EXPECT_EQ(lumora::testing::readFile(lumora::testing::binDir() / "noise" / name), bytes)
            << "the copy beside the programs differs";
    }
    EXPECT_TRUE(shipped.empty()) << "a list no language here checks: " << *shipped.begin();
}

} // namespace
