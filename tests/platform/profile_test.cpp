#include "platform/atomic_file.h"
#include "platform/profile_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <limits>

using namespace lumora::platform;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

namespace {

const char* const kLog = "; written by setup\r\n"
                         "[Directories]\r\n"
                         "Install = C:\\Lumora\\ \r\n"
                         "Windows=C:\\WINDOWS\\\r\n"
                         "\r\n"
                         "[Files]\n"
                         "C:\\LUMORA\\README.TXT=\n"
                         "c:\\lumora\\readme.txt=second spelling\r"
                         "  [ Language ]  \r\n"
                         "Language=Fran\xc3\xa7"
                         "ais\r\n";

} // namespace

TEST(ProfileDocument, SectionsAndKeysAreFoundWithoutRegardToCase) {
    const auto document = ProfileDocument::parse(kLog);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    } cases[] = {
        {"directories", "INSTALL", "C:\\Lumora\\"},
        {"DIRECTORIES", "windows", "C:\\WINDOWS\\"},
        {"Files", "c:\\Lumora\\ReadMe.txt", ""},
        {"language", "language",
         "Fran\xc3\xa7"
         "ais"},
        {"Directories", "Files", std::nullopt},
        {"Missing", "Install", std::nullopt},
        {"", "; written by setup", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(document.value(c.section, c.key), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(document.readString("Missing", "x", "default"), "default");
    EXPECT_EQ(document.readString("Files", "C:\\LUMORA\\README.TXT", "default"), "");
    EXPECT_EQ(document.keys("FILES"), std::vector<std::string>{"C:\\LUMORA\\README.TXT"});
    EXPECT_EQ(document.sections(), (std::vector<std::string>{"Directories", "Files", "Language"}));
}

TEST(ProfileDocument, WritingChangesOnlyTheLineConcernedAndKeepsTheRest) {
    auto document = ProfileDocument::parse(kLog);
    document.writeString("DIRECTORIES", "install", "D:\\Apps\\");
    document.writeString("Directories", "Windows System", "SYSTEM\\");
    document.writeString("Program Groups", "0", "Lumora:~:");
    EXPECT_EQ(document.serialize(), "; written by setup\r\n"
                                    "[Directories]\r\n"
                                    "Install=D:\\Apps\\\r\n"
                                    "Windows=C:\\WINDOWS\\\r\n"
                                    "Windows System=SYSTEM\\\r\n"
                                    "\r\n"
                                    "[Files]\r\n"
                                    "C:\\LUMORA\\README.TXT=\r\n"
                                    "c:\\lumora\\readme.txt=second spelling\r\n"
                                    "  [ Language ]  \r\n"
                                    "Language=Fran\xc3\xa7"
                                    "ais\r\n"
                                    "\r\n"
                                    "[Program Groups]\r\n"
                                    "0=Lumora:~:\r\n");
}

TEST(ProfileDocument, ErasingSectionsAndDeletingKeys) {
    auto document = ProfileDocument::parse(kLog);
    EXPECT_TRUE(document.deleteKey("files", "C:\\lumora\\README.txt"));
    EXPECT_FALSE(document.deleteKey("files", "C:\\lumora\\README.txt"));
    EXPECT_TRUE(document.keys("Files").empty()) << "both spellings of the key went";
    EXPECT_TRUE(document.eraseSection("DIRECTORIES"));
    EXPECT_FALSE(document.eraseSection("Directories"));
    EXPECT_FALSE(document.hasSection("directories"));
    EXPECT_EQ(document.sections(), (std::vector<std::string>{"Files", "Language"}));
    EXPECT_EQ(document.readString("Language", "Language"), "Fran\xc3\xa7"
                                                           "ais");
}

TEST(ProfileDocument, AWholeSectionIsReplacedInPlace) {
    auto document = ProfileDocument::parse(kLog);
    document.writeSection("DIRECTORIES",
                          {{"Install", "D:\\Apps\\"}, {"Windows System", "SYSTEM\\"}});
    document.writeSection("Program Groups", {{"0", "Lumora:~:"}, {"1", "Lumora:~:Lumora"}});
    document.writeSection("Files", {});
    EXPECT_EQ(document.serialize(), "; written by setup\r\n"
                                    "[Directories]\r\n"
                                    "Install=D:\\Apps\\\r\n"
                                    "Windows System=SYSTEM\\\r\n"
                                    "\r\n"
                                    "[Files]\r\n"
                                    "  [ Language ]  \r\n"
                                    "Language=Fran\xc3\xa7"
                                    "ais\r\n"
                                    "\r\n"
                                    "[Program Groups]\r\n"
                                    "0=Lumora:~:\r\n"
                                    "1=Lumora:~:Lumora\r\n");
}

TEST(ProfileDocument, ValuesAreBytesAndCannotBreakALine) {
    ProfileDocument document;
    const std::string latin1 = "C:\\CAF\xc9\\\x80\xff";
    document.writeString("Oldies", "1", latin1);
    document.writeString("Oldies", "2", "two\r\n[Injected]\r\nx=y");
    const auto reread = ProfileDocument::parse(document.serialize());
    EXPECT_EQ(reread.readString("Oldies", "1"), latin1);
    EXPECT_EQ(reread.readString("Oldies", "2"), "two  [Injected]  x=y");
    EXPECT_FALSE(reread.hasSection("Injected"));
}

TEST(ProfileFile, AMissingFileReadsAsEmptyAndTheFirstWriteCreatesIt) {
    TempDir dir;
    ProfileFile store(dir / "recentflz.ini");
    EXPECT_EQ(store.readString("Oldies", "1", "none"), "none");
    EXPECT_TRUE(store.keys("Oldies").empty());
    store.eraseSection("Oldies");
    store.deleteKey("Oldies", "1");
    EXPECT_FALSE(fs::exists(store.path())) << "erasing nothing must not create the file";
    store.writeString("Oldies", "1", "C:\\PAGES\\INDEX.HTM");
    EXPECT_EQ(readWholeFile(store.path()), "[Oldies]\r\n1=C:\\PAGES\\INDEX.HTM\r\n");
    EXPECT_EQ(ProfileFile(dir / "RECENTFLZ.INI").readString("oldies", "1", "none"), "none")
        << "the file name itself is the caller's business";
}

TEST(ProfileFile, RecentFilesPushDownOneKeyAtATime) {
    TempDir dir;
    ProfileFile store(dir / "recentflz.ini");
    for (int page = 1; page <= 3; ++page) {
        std::string carry = "C:\\PAGE" + std::to_string(page) + ".HTM";
        for (int key = 1; key <= 10; ++key) {
            const std::string old = store.readString("Oldies", std::to_string(key));
            store.writeString("Oldies", std::to_string(key), carry);
            carry = old;
        }
    }
    EXPECT_EQ(store.readString("Oldies", "1"), "C:\\PAGE3.HTM");
    EXPECT_EQ(store.readString("Oldies", "3"), "C:\\PAGE1.HTM");
    EXPECT_EQ(store.readString("Oldies", "4", "x"), "");
    EXPECT_EQ(store.keys("Oldies").size(), 10u);
}

TEST(ProfileFile, AnUnreadableFileReadsAsEmptyAndIsNeverReplaced) {
    TempDir dir;
    fs::create_directories(dir / "INSTALL.LOG");
    ProfileFile log(dir / "INSTALL.LOG");
    EXPECT_EQ(log.readString("Files", "x", "default"), "default");
    EXPECT_THROW(log.writeString("Files", "x", ""), FileError);
    EXPECT_THROW(log.eraseSection("Files"), FileError);
    EXPECT_TRUE(fs::is_directory(dir / "INSTALL.LOG"));
    ProfileFile nowhere(dir / "missing" / "TSETUP.INI");
    EXPECT_THROW(nowhere.writeString("UnInstall", "Log File", "x"), FileError);
}

TEST(ProfileFile, EraseOfAMissingSectionLeavesTheBytesAlone) {
    TempDir dir;
    const std::string original = "[A]\nx=1\n";
    lumora::testing::writeFile(dir / "WIN.INI", original);
    ProfileFile win(dir / "WIN.INI");
    win.eraseSection("IDAPI");
    win.deleteKey("A", "y");
    EXPECT_EQ(readWholeFile(dir / "WIN.INI"), original);
    win.eraseSection("a");
    EXPECT_EQ(readWholeFile(dir / "WIN.INI"), "");
}

TEST(ProfileFile, IntegersAreDecimalOrHexadecimal) {
    TempDir dir;
    ProfileFile log(dir / "INSTALL.LOG");
    log.update([](ProfileDocument& document) {
        document.writeString("BDE Files", "BDE Type", "3");
        document.writeString("BDE Files", "Hex", "0x1F");
        document.writeString("BDE Files", "Negative", "-12abc");
        document.writeString("BDE Files", "Text", "three");
        document.writeString("BDE Files", "Empty", "");
        document.writeString("BDE Files", "Huge", "-99999999999999999999999");
    });
    EXPECT_EQ(log.readInteger("BDE Files", "BDE Type", 0), 3);
    EXPECT_EQ(log.readInteger("bde files", "HEX", 0), 31);
    EXPECT_EQ(log.readInteger("BDE Files", "Negative", 0), -12);
    EXPECT_EQ(log.readInteger("BDE Files", "Text", 7), 7);
    EXPECT_EQ(log.readInteger("BDE Files", "Empty", 7), 7);
    EXPECT_EQ(log.readInteger("BDE Files", "Missing", 7), 7);
    EXPECT_EQ(log.readInteger("BDE Files", "Huge", 0), -std::numeric_limits<long long>::max());
}

TEST(ProfileFile, ANoteFileIsRemovedOnlyOnceNothingIsLeftInIt) {
    TempDir dir;
    ProfileFile notes(dir / "TSETUP.INI");
    notes.removeIfEmpty(); // nothing there: nothing to do
    notes.writeString("UnInstall", "Log File", "C:\\Lumora\\INSTALL.LOG");
    notes.writeString("MultiDisk Install", "Source Dir", "A:\\");
    notes.eraseSection("UnInstall");
    notes.removeIfEmpty();
    EXPECT_TRUE(fs::exists(notes.path()));
    notes.eraseSection("MultiDisk Install");
    notes.removeIfEmpty();
    EXPECT_FALSE(fs::exists(notes.path()));
}
