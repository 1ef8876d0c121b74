#include "editor/logic/memory_profile.h"
#include "editor/logic/recent_files.h"
#include "editor/logic/sensitivity_preset.h"
#include "text/ascii_case.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace lumora::editor;

namespace {

// Files that exist, by their real paths; looked up without regard to case.
class FakeFiles : public FileLocator {
public:
    std::set<std::string> existing;
    std::optional<std::string> locate(std::string_view path) override {
        for (const auto& file : existing)
            if (lumora::text::equalsFolded(file, path))
                return file;
        return std::nullopt;
    }
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

    MemoryProfile profile;
    FakeFiles files;
    RecentFiles recent{profile, files};
};

} // namespace

TEST_F(RecentFilesTest, NewestFirstWithNumberedCaptions) {
    open("/site/a.html");
    open("/site/b.html");
    const auto items = recent.menuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], (RecentMenuItem{1, "&1 /SITE/B.HTML", "/SITE/B.HTML"}));
    EXPECT_EQ(items[1], (RecentMenuItem{2, "&2 /SITE/A.HTML", "/SITE/A.HTML"}));
}

TEST_F(RecentFilesTest, SamePageTwiceStaysOnceAtTheTop) {
    open("/site/a.html");
    open("/site/b.html");
    open("/site/a.html");
    EXPECT_EQ(stored(3), "kill me");
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/SITE/A.HTML", "/SITE/B.HTML"}));
    EXPECT_EQ(stored(3), "");
}

TEST_F(RecentFilesTest, LetterCaseVariantsAreOneEntry) {
    open("/Site/Index.html");
    recent.enterAtTop("/site/INDEX.HTML");
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/SITE/INDEX.HTML"}));
    // Only a to z are upper-cased.
    recent.enterAtTop("/site/caf\xC3\xA9.html");
    EXPECT_EQ(stored(1), "/SITE/CAF\xC3\xA9.HTML");
}

TEST_F(RecentFilesTest, EleventhPagePushesTheOldestOutAndTheTenthIsNeverShown) {
    for (int page = 1; page <= 11; ++page)
        open("/p" + std::to_string(page));
    EXPECT_EQ(stored(1), "/P11");
    EXPECT_EQ(stored(10), "/P2");
    EXPECT_EQ(stored(11), "");
    const auto shown = shownPaths();
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown.front(), "/P11");
    EXPECT_EQ(shown.back(), "/P3");
}

TEST_F(RecentFilesTest, ReopeningAnEntryLeavesTheStoreAsItWas) {
    for (const char* path : {"/a", "/b", "/c"})
        open(path);
    const size_t writes = profile.writeCount();
    const RecentEntry third = recent.entry(3);
    EXPECT_EQ(third.storedPath, "/A");
    EXPECT_EQ(third.filePath, "/a");
    EXPECT_EQ(profile.writeCount(), writes);
    EXPECT_EQ(shownPaths(), (std::vector<std::string>{"/C", "/B", "/A"}));
}

TEST_F(RecentFilesTest, EntryWhoseFileHasGoneCannotBeOpened) {
    open("/a");
    files.existing.clear();
    const RecentEntry first = recent.entry(1);
    EXPECT_EQ(first.storedPath, "/A");
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
    EXPECT_EQ(locator.locate(lumora::text::asciiUppered(real)), real);
    EXPECT_FALSE(locator.locate((dir / "SITE" / "PAGES" / "MISSING.HTML").string()));
    EXPECT_FALSE(locator.locate((dir / "SITE" / "PAGES").string())); // a folder is no file
    EXPECT_FALSE(locator.locate(""));
}

TEST(CaseInsensitiveFileLocator, PrefersTheExactName) {
    lumora::testing::TempDir dir;
    lumora::testing::writeFile(dir / "a.html", "1");
    lumora::testing::writeFile(dir / "A.HTML", "2");
    lumora::testing::writeFile(dir / "A.html", "3");
    CaseInsensitiveFileLocator locator;
    EXPECT_EQ(locator.locate((dir / "A.HTML").string()), (dir / "A.HTML").string());
    EXPECT_EQ(locator.locate((dir / "a.html").string()), (dir / "a.html").string());
    // Otherwise the first in name order.
    EXPECT_EQ(locator.locate((dir / "a.HTML").string()), (dir / "A.HTML").string());
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
