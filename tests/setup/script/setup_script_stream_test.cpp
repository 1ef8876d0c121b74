#include "script_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace setupkit;
using namespace setupkit::testing;

namespace {

std::string readFixture(const std::string& name) {
    return lumora::testing::readFile(fixturePath(name));
}

EValueStreamError::Kind readFailure(TSetupData& script, const std::string& bytes) {
    try {
        readBytes(script, bytes);
    } catch (const EValueStreamError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "the read did not fail";
    return EValueStreamError::Kind::InvalidPropertyValue;
}

} // namespace

TEST(SetupScriptStream, ShippedScriptGivesTheStoredBytes) {
    auto shipped = buildShippedScript();
    const std::string bytes = writtenBytes(*shipped);
    EXPECT_EQ(bytes.substr(0, 12), bytesOf({1, 2, 5, 6, 6}) + "Lumora" + bytesOf({1}));
    EXPECT_EQ(bytes.substr(12, 15), bytesOf({6, 13}) + "recentflz.ini");
    // The disk: "install", size 2800000, files 0 to 12.
    std::string disk = bytesOf({6, 7}) + "install" + bytesOf({4, 0x80, 0xB9, 0x2A, 0x00, 1});
    for (int index = 0; index <= 12; ++index)
        disk += bytesOf({2, index});
    EXPECT_NE(bytes.find(disk + bytesOf({0})), std::string::npos);
    // Choice item 0 adds directory 0 with an empty file list; no group names it.
    EXPECT_NE(bytes.find(bytesOf({6, 0, 1, 1, 2, 0, 0, 1, 0, 0, 1, 0})), std::string::npos);
    // The uninstall item: directory 0, file 12.
    EXPECT_NE(bytes.find(bytesOf({6, 9}) + "UNINSTALL" + bytesOf({6, 9}) + "UNINSTALL" +
                         bytesOf({2, 0, 2, 12})),
              std::string::npos);
    // The first file's date.
    EXPECT_NE(bytes.find(bytesOf({4, 0x27, 0x7F, 0x18, 0x27})), std::string::npos);
    // No BDE files, the log in Install, nothing for the uninstall run.
    const std::string tail = bytesOf({1, 0, 1, 0, 1, 0, 1, 6, 7}) + "Install" + bytesOf({6, 11}) +
                             "INSTALL.LOG" + bytesOf({0, 1, 0, 0});
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(bytes, readFixture("shipped_script.bin"));

    TSetupData read;
    readBytes(read, bytes);
    EXPECT_EQ(writtenBytes(read), bytes);
    EXPECT_EQ(read.AppName(), "Lumora");
    EXPECT_EQ(read.Files()[0]->DateTime(), *encodeDateTime({1999, 8, 24, 15, 57, 14}));
    EXPECT_EQ(read.Files()[0]->Source(), kShippedSource);
    EXPECT_EQ(read.GetDisk(1)->Used(), 1025503);
    EXPECT_EQ(read.FindDir("Windows System")->ParentDir(), read.FindDir("Windows"));
    EXPECT_EQ(read.FindChoiceData("suInstallType")->Common(), read.ChoiceItems()[3]);
    EXPECT_EQ(read.FindChoiceData("suOptions")->Common(), read.ChoiceItems()[4]);
    EXPECT_EQ(read.WinGroups()[0]->Items().size(), 5u);
    EXPECT_EQ(read.LogFileDir(), read.FindDir("Install"));
}

TEST(SetupScriptStream, RoundTripRenumbersDisksRecomputesUsedAndDropsOutsideReferences) {
    TSetupData outside;
    TSetupFile* stranger = outside.AddFile("C:\\ELSEWHERE\\stranger.txt");
    TSetupDir* strangerDir = outside.FindDir("Install");

    TSetupData script;
    TSetupFile* a = script.AddFile("C:\\SRC\\a.txt");
    a->SetCompressedSize(30);
    a->SetSize(60);
    TSetupFile* b = script.AddFile("C:\\SRC\\b.txt");
    b->SetCompressedSize(20);
    b->SetSize(20);
    script.AddDisk("second")->AddFile(b);
    script.GetDisk(2)->AddFile(stranger);
    script.GetDisk(1)->AddFile(a);
    script.GetDisk(1)->AddFile(b);
    script.FindDir("Install")->AddFile(stranger);
    script.FindDir("Install")->AddFile(a);
    TSetupFileGroup* group = script.AddFileGroup("Group");
    group->AddFile(stranger, strangerDir, true);
    group->AddFile(a, script.FindDir("Install"), true);
    TSetupWinItem* item = script.AddWinItem("Item");
    item->SetDir(strangerDir);
    item->SetItemFile(stranger);
    TSetupChoiceData* page = script.AddChoiceData("suOptions");
    page->SetCommon(outside.AddChoiceItem("Elsewhere"));
    page->AddItem(script.AddChoiceItem("Here"));
    script.SetLogFileDir(strangerDir);

    TSetupData read;
    readBytes(read, writtenBytes(script));
    ASSERT_EQ(read.Disks().size(), 2u);
    EXPECT_EQ(read.GetDisk(1)->Number(), 1);
    EXPECT_EQ(read.GetDisk(2)->Number(), 2);
    EXPECT_EQ(read.GetDisk(1)->Used(), 50);
    EXPECT_EQ(read.GetDisk(2)->Used(), 20);
    EXPECT_EQ(namesOf(read.GetDisk(2)->Files()), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(namesOf(read.FindDir("Install")->Files()), std::vector<std::string>{"a.txt"});
    const TSetupFileGroup* readGroup = read.FindFileGroup("Group");
    EXPECT_EQ(readGroup->Dirs(), std::vector<TSetupDir*>{read.FindDir("Install")});
    ASSERT_EQ(readGroup->FileLists().size(), 1u);
    EXPECT_EQ(namesOf(readGroup->FileLists()[0]->Files()), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(read.FindWinItem("Item")->ItemFile(), nullptr);
    EXPECT_EQ(read.FindWinItem("Item")->Dir(), nullptr);
    EXPECT_EQ(read.FindChoiceData("suOptions")->Common(), nullptr);
    EXPECT_EQ(read.FindChoiceData("suOptions")->Items()[0], read.FindChoiceItem("Here"));
    EXPECT_EQ(read.Files()[0]->CompressedSize(), 30);
    EXPECT_EQ(read.Files()[0]->Size(), 60);
}

TEST(SetupScriptStream, IndexMinusOneIsWrittenAsOneByte) {
    TSetupData script;
    script.AddWinItem("Nothing");
    const std::string bytes = writtenBytes(script);
    EXPECT_NE(bytes.find(bytesOf({6, 7}) + "Nothing" + bytesOf({6, 0, 2, 0xFF, 2, 0xFF})),
              std::string::npos);
}

// Files that do not fit are left off the disk in list order; a later, smaller one that
// fits is still taken.
TEST(SetupScriptStream, DiskKeepsWhatFitsOnRead) {
    List fileValues;
    for (const auto& [name, size] : {std::pair{"a", 50}, {"b", 60}, {"c", 30}})
        for (Value value :
             {Value(name), Value("C:\\SRC\\"), Value(0), Value(size), Value(false), Value(0)})
            fileValues.push_back(std::move(value));
    TSetupData script;
    readBytes(script,
              currentScript(fileValues, List{"only", 100, List{0, 1, 2, 2, 7, -1}}, List{}));
    EXPECT_EQ(namesOf(script.GetDisk(1)->Files()), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(script.GetDisk(1)->Used(), 80);
    EXPECT_EQ(script.Files()[1]->CompressedSize(), 60) << "a stored 0 reads as the size";
}

TEST(SetupScriptStream, ParentIsFoundOnlyAmongDirectoriesReadBefore) {
    TSetupData script;
    readBytes(
        script,
        currentScript(List{}, List{},
                      List{"Child", "CHILD", "Later", List{}, "Later", "C:\\LATER", "", List{},
                           "Self", "SELF", "Self", List{}, "Later", "C:\\AGAIN", "Later", List{}},
                      List{}, List{}, List{}, List{}, List{}, List{"Later", "X.LOG"}));
    ASSERT_EQ(script.Dirs().size(), 4u);
    EXPECT_EQ(script.Dirs()[0]->ParentDir(), nullptr);
    EXPECT_EQ(script.Dirs()[1]->Dir(), "C:\\LATER") << "stored exactly as read";
    EXPECT_EQ(script.Dirs()[2]->ParentDir(), script.Dirs()[2]);
    EXPECT_EQ(script.Dirs()[2]->FullPath(), "SELF");
    EXPECT_EQ(script.Dirs()[3]->ParentDir(), script.Dirs()[3]) << "the last of the name";
    EXPECT_EQ(script.FindDir("Later"), script.Dirs()[3]);
    EXPECT_EQ(script.LogFileDir(), script.Dirs()[3]);
    EXPECT_EQ(script.LogFileName(), "X.LOG");
}

TEST(SetupScriptStream, IndicesThatNameNothingAreSkipped) {
    const List files{"a", "", 0, 1, false, 0};
    const List choiceItem{"Item",
                          "",
                          List{},
                          "",
                          List{List{0, 9, -1}, List{0}, List{0}, List{0}},
                          List{5, -1},
                          "",
                          List{Value(List{})},
                          List{}};
    TSetupData script;
    readBytes(script,
              currentScript(files, List{}, List{"D", "D", "", List{0, 0, 3, -2}}, List{},
                            choiceItem, List{"Page", 3, List{0, 0, 1}},
                            List{"W", "", 4, 1, "V", "", -1, 0}, List{"G", "T", List{1, 2, 0}}));
    EXPECT_EQ(script.Dirs()[0]->Files().size(), 1u);
    const TSetupFileGroupList* add = script.ChoiceItems()[0]->Add();
    EXPECT_EQ(add->Dirs(), std::vector<TSetupDir*>{script.Dirs()[0]})
        << "directory k and list k go together; a list without a directory is dropped";
    EXPECT_EQ(add->FileLists().size(), 1u);
    EXPECT_TRUE(add->Groups().empty());
    EXPECT_EQ(script.ChoiceData()[0]->Common(), nullptr);
    EXPECT_EQ(script.ChoiceData()[0]->Items().size(), 1u);
    EXPECT_EQ(script.WinItems()[0]->Dir(), nullptr);
    EXPECT_EQ(script.WinItems()[0]->ItemFile(), nullptr);
    EXPECT_EQ(script.WinItems()[1]->Dir(), nullptr);
    EXPECT_EQ(script.WinItems()[1]->ItemFile(), script.Files()[0]);
    EXPECT_EQ(namesOf(script.WinGroups()[0]->Items()), (std::vector<std::string>{"V", "W"}));
}

TEST(SetupScriptStream, StoredDateZeroIsNoDate) {
    TSetupData script;
    readBytes(script, currentScript(List{"a", "", 0, 1, false, 0}, List{}, List{}));
    EXPECT_EQ(script.Files()[0]->DateTime(), 0.0);
    // List, version, AppName, file list, the name "a", the empty source, then the date.
    EXPECT_EQ(writtenBytes(script).substr(12, 6), bytesOf({6, 0, 2, 0, 2, 1}));
}

TEST(SetupScriptStream, OlderVersionsReadIntoTheCurrentModel) {
    for (int version = 1; version <= 4; ++version) {
        SCOPED_TRACE(version);
        TSetupData script;
        script.SetLogFileName("KEEP.LOG");
        script.SetLogFileDir(script.FindDir("Install"));
        script.UnInstallFiles() = {"keep.dll"};
        script.BDEFiles().AddFile(script.AddFile("bde.dll"));
        readBytes(script, olderScript(version));

        EXPECT_EQ(script.AppName(), "Older");
        EXPECT_EQ(script.LogFileName(), "KEEP.LOG");
        EXPECT_EQ(script.UnInstallFiles(), std::vector<std::string>{"keep.dll"});
        EXPECT_EQ(script.LogFileDir(), nullptr) << "its directory was freed by the read";
        EXPECT_TRUE(script.BDEFiles().Files().empty()) << "its file was freed by the read";

        TSetupFile* readMe = script.Files()[0];
        TSetupFile* program = script.Files()[1];
        TSetupFile* extra = script.Files()[2];
        ASSERT_EQ(script.Files().size(), 4u);
        EXPECT_EQ(readMe->DateTime(), *encodeDateTime({1999, 8, 24, 15, 57, 14}));
        EXPECT_EQ(program->Compressed(), version >= 4);
        EXPECT_EQ(program->CompressedSize(), version >= 4 ? 700 : 0);
        EXPECT_EQ(readMe->CompressedSize(), version >= 4 ? 400 : 0)
            << "version 4 reads a stored 0 as the size";

        const TSetupDisk* first = script.GetDisk(1);
        EXPECT_EQ(first->Size(), version >= 3 ? 1000 : 0);
        // A file joins its disk when its disk number is read, before its compressed
        // size: in version 4 the program (700) is not left off beside the read-me (400).
        EXPECT_EQ(namesOf(first->Files()), (std::vector<std::string>{"ReadMe.txt", "Lumora.exe"}));
        EXPECT_EQ(script.GetDisk(2)->Files().items(), std::vector<TSetupFile*>{extra});

        TSetupDir* install = script.FindDir("Install");
        TSetupDir* help = script.FindDir("Help");
        EXPECT_EQ(install->Files().items(), (std::vector<TSetupFile*>{readMe, program}));
        EXPECT_EQ(help->Files().items(), std::vector<TSetupFile*>{extra});
        EXPECT_EQ(help->ParentDir(), version >= 2 ? install : nullptr);

        const TSetupChoiceData* page = script.FindChoiceData("suInstallType");
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(namesOf(script.ChoiceItems()),
                  (std::vector<std::string>{"suInstallType:Common Files", "suInstallType:Full",
                                            "suInstallType:common files"}));
        EXPECT_EQ(page->Common(), script.ChoiceItems()[0]);
        const std::vector<TSetupChoiceItem*> items{script.ChoiceItems()[1],
                                                   script.ChoiceItems()[2]};
        EXPECT_EQ(page->Items().items(), items);
        const TSetupChoiceItem* full = script.ChoiceItems()[1];
        EXPECT_EQ(full->Description(), std::vector<std::string>{"Full"});
        EXPECT_EQ(full->Title(), "");
        EXPECT_EQ(full->Add()->Dirs(), (std::vector<TSetupDir*>{install, help}));
        EXPECT_TRUE(full->Add()->HasFile(program, install));
        EXPECT_TRUE(full->Add()->HasFile(extra, help));
        EXPECT_TRUE(script.ChoiceItems()[2]->Remove()->HasFile(readMe, install));

        ASSERT_EQ(script.WinItems().size(), 2u);
        const TSetupWinItem* launcher = script.FindWinItem("Lumora:Lumora");
        ASSERT_NE(launcher, nullptr);
        EXPECT_EQ(launcher->Dir(), install);
        EXPECT_EQ(launcher->ItemFile(), program);
        const TSetupWinItem* readMeItem = script.FindWinItem("Lumora:Read me");
        ASSERT_NE(readMeItem, nullptr);
        EXPECT_EQ(readMeItem->CommandLine(), "/s");
        EXPECT_EQ(readMeItem->Dir(), nullptr);
        EXPECT_EQ(readMeItem->ItemFile(), readMe);
        EXPECT_EQ(script.WinGroups()[0]->Items().size(), 2u);
        EXPECT_EQ(script.WinGroups()[0]->Title(), "Lumora");
    }
}

// Older scripts name files in the 8-bit Windows character set; their lookups ignore
// the case of its accented letters too.
TEST(SetupScriptStream, OlderVersionsFindNamesWhateverTheCaseOfTheirLetters) {
    struct Case {
        std::string stored;
        std::string listed;
    };
    const Case cases[] = {
        {"caf\xE9"
         ".txt",
         "CAF\xC9"
         ".TXT"}, // e acute
        {"\xFC"
         "ber.txt",
         "\xDC"
         "BER.TXT"}, // u diaeresis
        {"\x9A"
         "a\x9C\x9E\xFF",
         "\x8A"
         "A\x8C\x8E\x9F"},                // s caron, oe, z caron, y diaeresis
        {"\xF0\xFE\xE0", "\xD0\xDE\xC0"}, // eth, thorn, a grave
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listed);
        const List files{c.stored, "", 0, 4, 1, true, false, 0};
        const List dirs{"Install", "C:\\APP\\", "", List{c.listed}};
        const List choices{"suOptions", List{"Common Files", List{c.listed}, List{}}};
        const List groups{"suGroups", "Lumora", List{"Item", "", "Install", c.listed}};
        TSetupData script;
        readBytes(script,
                  encode(List{4, "Accents", List{"Disk", 0}, files, dirs, choices, groups}));
        ASSERT_EQ(script.Files().size(), 1u);
        TSetupFile* file = script.Files()[0];
        EXPECT_EQ(script.FindDir("Install")->Files().items(), std::vector<TSetupFile*>{file});
        EXPECT_TRUE(script.ChoiceItems()[0]->Add()->HasFile(file, script.FindDir("Install")));
        EXPECT_EQ(script.WinItems()[0]->ItemFile(), file);
    }
    // The division sign and its capital-looking neighbour are no letters.
    TSetupData script;
    readBytes(script,
              encode(List{4, "Signs", List{"Disk", 0}, List{"\xF7", "", 0, 1, 1, true, false, 0},
                          List{"Install", "C:\\", "", List{"\xD7"}}, List{}, List{}}));
    EXPECT_TRUE(script.FindDir("Install")->Files().items().empty());
}

TEST(SetupScriptStream, NewerVersionsReadAsTheCurrentOneOthersFail) {
    const std::string current = writtenBytes(*buildShippedScript());
    for (const int version : {6, 127, 255}) {
        SCOPED_TRACE(version);
        std::string bytes = current;
        ValueWriter stored;
        stored.writeInteger(version);
        bytes.replace(1, 2, stored.bytes());
        TSetupData script;
        readBytes(script, bytes);
        EXPECT_EQ(writtenBytes(script), current);
    }
    for (const int version : {0, -1, 256}) {
        SCOPED_TRACE(version);
        std::string bytes = current;
        ValueWriter stored;
        stored.writeInteger(version);
        bytes.replace(1, 2, stored.bytes());
        TSetupData script;
        EXPECT_EQ(readFailure(script, bytes), EValueStreamError::Kind::InvalidPropertyValue);
        EXPECT_EQ(script.Dirs().size(), 3u) << "nothing was replaced";
    }
}

// Cut short anywhere, the stored script gives a clean read error, and what was read
// before the cut stays in the root.
TEST(SetupScriptStream, TruncatedInputFailsCleanlyAtEveryOffset) {
    const std::string bytes = readFixture("shipped_script.bin");
    ASSERT_FALSE(bytes.empty());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        TSetupData script;
        EXPECT_EQ(readFailure(script, bytes.substr(0, length)),
                  EValueStreamError::Kind::StreamReadError);
    }
    const std::size_t afterFiles = bytes.find(bytesOf({6, 7}) + "install");
    TSetupData script;
    readFailure(script, bytes.substr(0, afterFiles + 3));
    EXPECT_EQ(script.Files().size(), 13u);
    EXPECT_EQ(script.Disks().size(), 1u);
    EXPECT_TRUE(script.Dirs().empty());
}

TEST(SetupScriptStream, WrongKindOfValueFailsAsInvalid) {
    std::string bytes = writtenBytes(*buildShippedScript());
    bytes[3] = 2; // AppName's tag made an integer's
    TSetupData script;
    EXPECT_EQ(readFailure(script, bytes), EValueStreamError::Kind::InvalidPropertyValue);
}

// The seeds of the reader's fuzz target are the shipped script and the hand-made older
// scripts; they must stay what their recipes make. SETUP_SCRIPT_WRITE_SEEDS=1 rewrites
// them after a deliberate change.
TEST(SetupScriptStream, SeedFilesMatchTheirRecipes) {
    std::vector<std::pair<std::string, std::string>> seeds{
        {"shipped_script.bin", writtenBytes(*buildShippedScript())}};
    for (int version = 1; version <= 4; ++version)
        seeds.emplace_back("script_v" + std::to_string(version) + ".bin", olderScript(version));
    const bool rewrite = std::getenv("SETUP_SCRIPT_WRITE_SEEDS") != nullptr;
    for (const auto& [name, bytes] : seeds) {
        SCOPED_TRACE(name);
        if (rewrite)
            lumora::testing::writeFile(fixturePath(name), bytes);
        EXPECT_EQ(readFixture(name), bytes);
    }
}
