#include "script_test_support.h"

#include <gtest/gtest.h>

using namespace setupkit;
using namespace setupkit::testing;

TEST(SetupDataAssign, CopiesTheShippedScriptWhole) {
    auto source = buildShippedScript();
    TSetupData copy;
    copy.Assign(*source);
    EXPECT_EQ(writtenBytes(copy), writtenBytes(*source));
    EXPECT_EQ(copy.GetDisk(1)->Used(), source->GetDisk(1)->Used());
    EXPECT_EQ(copy.LogFileDir(), copy.FindDir("Install"));
    EXPECT_EQ(copy.WinItems()[4]->ItemFile(), copy.Files()[12]);
    for (const TSetupFile* file : copy.Files())
        EXPECT_EQ(file->Script(), &copy);
    EXPECT_EQ(copy.ChoiceItems()[0]->Add()->FileLists()[0]->Script(), &copy);
    copy.Assign(copy);
    EXPECT_EQ(writtenBytes(copy), writtenBytes(*source));
}

// Every source element gets an element of its own, so positions correspond even when
// names are empty or repeated, and references follow positions, not names.
TEST(SetupDataAssign, EmptyAndRepeatedNamesKeepCountsOrderAndReferences) {
    // A choice item record holding a file-group-list record twice (Add and Remove).
    const auto choiceItem = [](List record) {
        for (int i = 0; i < 2; ++i) {
            record.emplace_back("");
            record.emplace_back(List{List{1}, List{0}});
            record.emplace_back(List{});
        }
        return record;
    };
    List choiceItems = choiceItem({"", "", List{}});
    for (Value& value : choiceItem({"", "", List{}}))
        choiceItems.push_back(value);
    TSetupData source;
    readBytes(source,
              currentScript(List{"same.txt", "", 0, 1, false, 0, "same.txt", "", 0, 2, false, 0},
                            List{"", 0, List{0}, "", 0, List{1}},
                            List{"", "FIRST", "", List{}, "X", "A", "", List{}, "X", "B", "",
                                 List{}, "Child", "C", "", List{}},
                            List{"", List{Value(List{})}, "", List{Value(List{})}, "G",
                                 List{Value(List{})}, "G", List{Value(List{})}},
                            choiceItems, List{"", 0, List{0, 1}, "", 1, List{1}},
                            List{"", "", 1, 0, "W", "", 1, 1, "W", "", 2, 1},
                            List{"", "", List{0, 1}, "", "", List{2}}, List{"X", "LOG"}));
    source.Dirs()[3]->SetParentDir(source.Dirs()[1]);
    source.SetLogFileDir(source.Dirs()[1]);

    TSetupData copy;
    copy.AddFile("old.txt");
    copy.Assign(source);
    EXPECT_EQ(namesOf(copy.Files()), namesOf(source.Files()));
    EXPECT_EQ(copy.Disks().size(), 2u);
    EXPECT_EQ(namesOf(copy.Dirs()), (std::vector<std::string>{"", "X", "X", "Child"}));
    EXPECT_EQ(namesOf(copy.FileGroups()), (std::vector<std::string>{"", "", "G", "G"}));
    EXPECT_EQ(namesOf(copy.ChoiceItems()), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(namesOf(copy.ChoiceData()), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(namesOf(copy.WinItems()), (std::vector<std::string>{"", "W", "W"}));
    EXPECT_EQ(namesOf(copy.WinGroups()), (std::vector<std::string>{"", ""}));

    EXPECT_EQ(copy.Dirs()[3]->ParentDir(), copy.Dirs()[1]);
    EXPECT_EQ(copy.LogFileDir(), copy.Dirs()[1]);
    EXPECT_EQ(copy.WinItems()[1]->Dir(), copy.Dirs()[1]);
    EXPECT_EQ(copy.WinItems()[1]->ItemFile(), copy.Files()[1]);
    EXPECT_EQ(copy.ChoiceData()[0]->Common(), copy.ChoiceItems()[0]);
    EXPECT_EQ(copy.ChoiceData()[1]->Items()[0], copy.ChoiceItems()[1]);
    EXPECT_EQ(copy.ChoiceItems()[1]->Add()->Dirs(), std::vector<TSetupDir*>{copy.Dirs()[1]});
    EXPECT_EQ(copy.ChoiceItems()[1]->Add()->FileLists()[0]->Files()[0], copy.Files()[0]);
    EXPECT_EQ(copy.GetDisk(2)->Files()[0], copy.Files()[1]);
    EXPECT_EQ(writtenBytes(copy), writtenBytes(source));
}

// An element whose references reach outside its root cannot be copied whole: the
// caller's reporter hears of it with the class's prefix, and the rest is still copied.
TEST(SetupDataAssign, ErrorsReachTheReporterAndTheCopyGoesOn) {
    const struct {
        const char* expected;
        std::function<void(TSetupData&, TSetupData& outside)> spoil;
    } cases[] = {
        {"TSetup data structure error: TSetupFileGroup: List index out of bounds (-1)",
         [](TSetupData& s, TSetupData& outside) {
             s.AddFileGroup("Group")->AddFile(outside.AddFile("x"), outside.Dirs()[0], true);
         }},
        {"TSetup data structure error: TSetupFileGroupList: List index out of bounds (-1)",
         [](TSetupData& s, TSetupData& outside) {
             s.ChoiceItems()[2]->Remove()->AddGroup(outside.AddFileGroup("Elsewhere"));
         }},
        {"TSetup data structure error: TSetupChoiceData: List index out of bounds (-1)",
         [](TSetupData& s, TSetupData& outside) {
             s.ChoiceData()[1]->AddItem(outside.AddChoiceItem("Elsewhere"));
         }},
        {"TSetup data structure error: TSetupWinItem: List index out of bounds (-1)",
         [](TSetupData& s, TSetupData& outside) {
             s.WinItems()[2]->SetItemFile(outside.AddFile("elsewhere.txt"));
         }},
        {"TSetup data structure error: TSetupWinGroup: List index out of bounds (-1)",
         [](TSetupData& s, TSetupData& outside) {
             s.WinGroups()[0]->AddItem(outside.AddWinItem("Elsewhere"));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        TSetupData outside;
        auto source = buildShippedScript();
        c.spoil(*source, outside);
        source->UnInstallFiles().push_back("TSLANG32.DLL");
        std::vector<std::string> reported;
        TSetupData copy;
        copy.SetErrorReporter([&](const std::string& message) { reported.push_back(message); });
        copy.Assign(*source);
        EXPECT_EQ(reported, std::vector<std::string>{c.expected});
        EXPECT_EQ(copy.WinGroups().size(), 1u);
        EXPECT_EQ(copy.WinGroups()[0]->Title(), "Lumora");
        EXPECT_EQ(copy.UnInstallFiles(), std::vector<std::string>{"TSLANG32.DLL"});
        EXPECT_EQ(copy.LogFileDir(), copy.FindDir("Install"));
    }
}

TEST(SetupDataAssign, WithoutAReporterErrorsAreDropped) {
    TSetupData outside;
    auto source = buildShippedScript();
    source->WinGroups()[0]->AddItem(outside.AddWinItem("Elsewhere"));
    TSetupData copy;
    copy.Assign(*source);
    EXPECT_EQ(copy.WinGroups()[0]->Name(), "suGroups");
    EXPECT_EQ(copy.WinGroups()[0]->Items().size(), 5u) << "copied up to the faulty item";
}

TEST(SetupDataAssign, ItemWithoutDirectoryOrFileCopiesAsSuch) {
    auto source = buildShippedScript();
    source->WinItems()[1]->SetDir(nullptr);
    source->WinItems()[1]->SetItemFile(nullptr);
    std::vector<std::string> reported;
    TSetupData copy;
    copy.SetErrorReporter([&](const std::string& message) { reported.push_back(message); });
    copy.Assign(*source);
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(copy.WinItems()[1]->Name(), "Lumora.hlp");
    EXPECT_EQ(copy.WinItems()[1]->Dir(), nullptr);
    EXPECT_EQ(copy.WinItems()[1]->ItemFile(), nullptr);
}

TEST(SetupDataAssign, DiskCopiesNumberSizeAndUsedVerbatim) {
    auto source = buildShippedScript();
    TSetupData copy;
    copy.AddDisk("second")->Assign(*source->GetDisk(1));
    const TSetupDisk* disk = copy.GetDisk(2);
    EXPECT_EQ(disk->Description(), "install");
    EXPECT_EQ(disk->Number(), 1);
    EXPECT_EQ(disk->Size(), 2800000);
    EXPECT_EQ(disk->Used(), source->GetDisk(1)->Used());
    EXPECT_TRUE(disk->Files().empty()) << "the copy's root has no files to take";
}
