#include "common/ascii_case.h"
#include "editor/logic/memory_profile.h"
#include "editor/logic/recent_files.h"
#include "editor/logic/sensitivity_preset.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace lumora::editor;

namespace {

// Files that exist, by their real paths: the path itself, or the one file that
// matches it without regard to case.
class FakeFiles : public FileLocator {
public:
    std::set<std::string> existing;
    std::optional<std::string> locate(std::string_view path) override {
        if (existing.contains(std::string(path)))
            return std::string(path);
        std::optional<std::string> found;
        for (const auto& file : existing) {
            if (!lumora::equalsIgnoringCase(file, path))
                continue;
            if (found)
                return std::nullopt;
            found = file;
        }
        return found;
    }
};

// Counts the store's readings and writings, whether of one value or of several.
class CountingProfile : public MemoryProfile {
public:
    std::string readValue(std::string_view section, std::string_view key) override {
        ++reads;
        return MemoryProfile::readValue(section, key);
    }
    void writeValue(std::string_view section, std::string_view key,
                    std::string_view value) override {
        ++writes;
        MemoryProfile::writeValue(section, key, value);
    }
    std::vector<std::string> readValues(std::string_view section,
                                        const std::vector<std::string>& keys) override {
        ++reads;
        std::vector<std::string> values;
        for (const auto& key : keys)
            values.push_back(MemoryProfile::readValue(section, key));
        return values;
    }
    void writeValues(std::string_view section, const KeyValues& values) override {
        ++writes;
        for (const auto& [key, value] : values)
            MemoryProfile::writeValue(section, key, value);
    }
    int reads = 0;
    int writes = 0;
};

class RecentFilesTest : public ::testing::Test {
protected:
    std::string stored(int key) { return profile.readValue("Oldies", std::to_string(key)); }
    void store(int key, const std::string& value) {
        profile.writeValue("OLDIES", std::to_string(key), value);
    }
    std::vector<std::string> shownPaths() {
        std::vector<std::string> paths;
        for (const auto& item : recent.menuItems())
            paths.push_back(item.storedPath);
        return paths;
    }
    void open(const std::string& path) {
        files.existing.insert(path);
        recent.enterAtTop(path);
    }

    CountingProfile profile;
    FakeFiles files;
    RecentFiles recent{profile, files};
};

} // namespace

TEST_F(RecentFilesTest, NewestFirstWithNumberedCaptions) {
    open("/site/a.html");
    open("/site/b.html");
    const auto items = recent.menuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], (RecentMenuItem{1, "&1 /site/b.html", "/site/b.html"}));
    EXPECT_EQ(items[1], (RecentMenuItem{2, "&2 /site/a.html", "/site/a.html"}));
}

TEST_F(RecentFilesTest, SamePageTwiceStaysOnceAtTheTop) {
    open("/site/a.html");
    open("/site/b.html");
    open("/site/a.html");
    EXPECT_EQ(stored(3), ""); // the older copy's marker is dropped in the same step
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/site/a.html", "/site/b.html"}));
}

TEST_F(RecentFilesTest, PagesDifferingInLetterCaseAreTwoEntries) {
    open("/site/page.htm");
    open("/site/PAGE.htm");
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/site/PAGE.htm", "/site/page.htm"}));
    EXPECT_EQ(recent.entry(2).filePath, "/site/page.htm");
}

// Entries upper-cased by earlier versions: found when one file alone matches them.
TEST_F(RecentFilesTest, UpperCasedEntriesFindTheirPageOnlyWhenItIsTheOnlyMatch) {
    struct Case {
        std::set<std::string> existing;
        std::string stored;
        std::optional<std::string> found;
    };
    const Case cases[] = {
        {{"/site/page.htm"}, "/SITE/PAGE.HTM", "/site/page.htm"},
        {{"/site/page.htm", "/site/PAGE.htm"}, "/SITE/PAGE.HTM", std::nullopt},
        {{"/site/page.htm", "/SITE/PAGE.HTM"}, "/SITE/PAGE.HTM", "/SITE/PAGE.HTM"},
        // Stored as opened: that file or none, never one spelt otherwise.
        {{"/site/PAGE.htm"}, "/site/page.htm", std::nullopt},
    };
    for (const auto& c : cases) {
        files.existing = c.existing;
        store(1, c.stored);
        EXPECT_EQ(recent.entry(1).filePath, c.found) << c.stored;
    }
}

TEST_F(RecentFilesTest, EnteringAPageAgainMarksItsUpperCasedEntry) {
    files.existing = {"/site/page.htm", "/site/other.htm"};
    store(1, "/SITE/PAGE.HTM");
    store(2, "/SITE/OTHER.HTM");
    recent.enterAtTop("/site/page.htm");
    EXPECT_EQ(stored(3), "");
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/site/page.htm", "/SITE/OTHER.HTM"}));
}

TEST_F(RecentFilesTest, EachCommandReadsTheStoreOnceAndWritesItAtMostOnce) {
    for (int page = 1; page <= 10; ++page)
        open("/p" + std::to_string(page));
    files.existing.erase("/p4");
    files.existing.erase("/p7");
    profile.reads = profile.writes = 0;
    open("/p5"); // moves all ten, marks the older copy and drops it and two gone pages
    EXPECT_EQ(profile.reads, 1);
    EXPECT_EQ(profile.writes, 1);
    EXPECT_EQ(shownPaths(),
              (std::vector<std::string>{"/p5", "/p10", "/p9", "/p8", "/p6", "/p3", "/p2"}));

    profile.reads = profile.writes = 0;
    shownPaths();
    EXPECT_EQ(profile.reads, 1);
    EXPECT_EQ(profile.writes, 0); // nothing to drop: the store is left alone
}

TEST_F(RecentFilesTest, EleventhPagePushesTheOldestOutAndTheTenthIsNeverShown) {
    for (int page = 1; page <= 11; ++page)
        open("/p" + std::to_string(page));
    EXPECT_EQ(stored(1), "/p11");
    EXPECT_EQ(stored(10), "/p2");
    EXPECT_EQ(stored(11), "");
    const auto shown = shownPaths();
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown.front(), "/p11");
    EXPECT_EQ(shown.back(), "/p3");
}

TEST_F(RecentFilesTest, ReopeningAnEntryLeavesTheStoreAsItWas) {
    for (const char* path : {"/a", "/b", "/c"})
        open(path);
    const size_t writes = profile.writeCount();
    const RecentEntry third = recent.entry(3);
    EXPECT_EQ(third.storedPath, "/a");
    EXPECT_EQ(third.filePath, "/a");
    EXPECT_EQ(profile.writeCount(), writes);
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/c", "/b", "/a"}));
}

TEST_F(RecentFilesTest, EntryWhoseFileHasGoneCannotBeOpened) {
    open("/a");
    files.existing.clear();
    const RecentEntry first = recent.entry(1);
    EXPECT_EQ(first.storedPath, "/a");
    EXPECT_FALSE(first.filePath);
}

TEST_F(RecentFilesTest, EmptyKeyEndsTheList) {
    files.existing = {"/a", "/c"};
    store(1, "/A");
    store(2, "");
    store(3, "/C");
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/A"}));
    EXPECT_EQ(stored(3), "/C");
}

TEST_F(RecentFilesTest, MissingFilesAreDroppedAndLaterEntriesMoveUp) {
    files.existing = {"/a", "/c", "/e"};
    for (int key = 1; key <= 5; ++key)
        store(key, std::string("/") + static_cast<char>('A' + key - 1));
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/A", "/C", "/E"}));
    EXPECT_EQ(stored(3), "/E");
    EXPECT_EQ(stored(4), "");
    EXPECT_TRUE(profile.hasKey("Oldies", "11"));
    EXPECT_EQ(stored(11), "");
}

TEST_F(RecentFilesTest, MarkerIsDroppedEvenWhenAFileHasItsName) {
    files.existing = {"/a", "kill me"};
    store(1, "/A");
    store(2, "kill me");
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/A"}));
}

TEST(RecentFilesStorePath, BesideTheProgramFile) {
    EXPECT_EQ(recentFilesStorePath("/opt/lumora/Lumora"), "/opt/lumora/recentflz.ini");
    EXPECT_EQ(recentFilesStorePath("C:\\LUMORA\\LUMORA.EXE"), "C:\\LUMORA\\recentflz.ini");
    EXPECT_EQ(recentFilesStorePath("C:LUMORA.EXE"), "C:recentflz.ini");
    EXPECT_EQ(recentFilesStorePath("Lumora"), "recentflz.ini");
}

TEST(SensitivityPreset, FromPageLengthAndEntry) {
    struct Case {
        int entry; // 0: File, Open
        size_t length;
        SensitivityPreset expected;
    };
    const Case cases[] = {
        {2, 7500, {10, 7, 15}}, {1, 7500, {12, 8, 21}},   {0, 7500, {10, 7, 15}},
        {9, 749, {0, 0, 1}},    {0, 18750, {25, 18, 37}}, {1, 100000, {25, 117, 285}},
    };
    for (const auto& c : cases) {
        const SensitivityPreset preset = c.entry == 0 ? sensitivityAfterOpen(c.length)
                                                      : sensitivityAfterReopen(c.entry, c.length);
        EXPECT_EQ(preset, c.expected) << c.entry << " " << c.length;
    }
    EXPECT_EQ(sensitivityCaption(12), "Sensitivity 12");
}

TEST(CaseInsensitiveFileLocator, FindsTheRealPathOfAnUpperCasedOne) {
    lumora::testing::TempDir dir;
    std::filesystem::create_directories(dir / "Site" / "pages");
    std::filesystem::create_directories(dir / "SITE" / "other");
    lumora::testing::writeFile(dir / "Site" / "pages" / "Index.html", "x");
    const std::string real = (dir / "Site" / "pages" / "Index.html").string();

    CaseInsensitiveFileLocator locator;
    EXPECT_EQ(locator.locate(real), real);
    // "SITE" exists too but holds no "pages": the search goes back and tries "Site".
    EXPECT_EQ(locator.locate(lumora::asciiUppered(real)), real);
    EXPECT_FALSE(locator.locate((dir / "SITE" / "PAGES" / "MISSING.HTML").string()));
    EXPECT_FALSE(locator.locate((dir / "SITE" / "PAGES").string())); // a folder is no file
    EXPECT_FALSE(locator.locate(""));
}

TEST(CaseInsensitiveFileLocator, TheExactNameOrTheOnlyMatch) {
    lumora::testing::TempDir dir;
    lumora::testing::writeFile(dir / "a.html", "1");
    lumora::testing::writeFile(dir / "A.HTML", "2");
    lumora::testing::writeFile(dir / "b.html", "3");
    CaseInsensitiveFileLocator locator;
    EXPECT_EQ(locator.locate((dir / "A.HTML").string()), (dir / "A.HTML").string());
    EXPECT_EQ(locator.locate((dir / "a.html").string()), (dir / "a.html").string());
    EXPECT_EQ(locator.locate((dir / "B.HTML").string()), (dir / "b.html").string());
    EXPECT_FALSE(locator.locate((dir / "a.HTML").string())); // two files match
}

TEST(RecentFilesOnDisk, UpperCasedEntryReopensTheRealFileUntilItIsGone) {
    lumora::testing::TempDir dir;
    const std::string page = (dir / "My Pages" / "Index.html").string();
    std::filesystem::create_directories(dir / "My Pages");
    lumora::testing::writeFile(page, "<html>");
    MemoryProfile profile;
    CaseInsensitiveFileLocator locator;
    RecentFiles recent(profile, locator);

    recent.enterAtTop(page);
    ASSERT_EQ(recent.menuItems().size(), 1u);
    EXPECT_EQ(recent.entry(1).filePath, page);

    std::filesystem::remove(page);
    EXPECT_TRUE(recent.menuItems().empty());
    EXPECT_EQ(profile.readValue("Oldies", "1"), "");
}
