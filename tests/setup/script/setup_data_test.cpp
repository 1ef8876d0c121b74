#include "script_test_support.h"

#include <gtest/gtest.h>

using namespace setupkit;
using setupkit::testing::namesOf;

TEST(SetupData, NewRootHasOneDiskAndThreeDirectories) {
    TSetupData script;
    EXPECT_EQ(script.AppName(), "New Application.");
    ASSERT_EQ(script.Disks().size(), 1u);
    const TSetupDisk* disk = script.Disks()[0];
    EXPECT_EQ(disk->Description(), "Setup Disk");
    EXPECT_EQ(disk->Number(), 1);
    EXPECT_EQ(disk->Size(), 0);
    EXPECT_EQ(disk->Used(), 0);
    EXPECT_EQ(disk->Script(), &script);

    EXPECT_EQ(namesOf(script.Dirs()),
              (std::vector<std::string>{"Install", "Windows", "Windows System"}));
    EXPECT_EQ(script.Dirs()[0]->Dir(), "C:\\NewApps\\");
    EXPECT_EQ(script.Dirs()[0]->ParentDir(), nullptr);
    EXPECT_EQ(script.Dirs()[1]->Dir(), "C:\\WINDOWS\\");
    EXPECT_EQ(script.Dirs()[2]->Dir(), "SYSTEM\\");
    EXPECT_EQ(script.Dirs()[2]->ParentDir(), script.Dirs()[1]);
    EXPECT_EQ(script.Dirs()[2]->FullPath(), "C:\\WINDOWS\\SYSTEM\\");

    EXPECT_EQ(script.LogFileDir(), nullptr);
    EXPECT_EQ(script.LogFileName(), "INSTALL.LOG");
    EXPECT_TRUE(script.Files().empty());
    EXPECT_TRUE(script.FileGroups().empty());
    EXPECT_TRUE(script.ChoiceItems().empty());
    EXPECT_TRUE(script.ChoiceData().empty());
    EXPECT_TRUE(script.WinItems().empty());
    EXPECT_TRUE(script.WinGroups().empty());
    EXPECT_TRUE(script.UnInstallFiles().empty());
    EXPECT_EQ(script.BDEFiles().Script(), &script);
    EXPECT_EQ(script.AddWinGroup("suGroups")->Title(), "New Application");
}

TEST(SetupData, AddDirReturnsAnExistingDirectoryUnchanged) {
    TSetupData script;
    TSetupDir* windows = script.FindDir("Windows");
    TSetupDir* again = script.AddDir("Windows", "D:\\OTHER", script.FindDir("Install"));
    EXPECT_EQ(again, windows);
    EXPECT_EQ(windows->Dir(), "C:\\WINDOWS\\");
    EXPECT_EQ(windows->ParentDir(), nullptr);
    EXPECT_EQ(script.Dirs().size(), 3u);

    TSetupDir* fresh = script.AddDir("Help", "HELP", script.FindDir("Install"));
    EXPECT_EQ(script.Dirs().back(), fresh);
    EXPECT_EQ(fresh->FullPath(), "C:\\NewApps\\HELP\\");
}

// Every kind whose names are unique: a clashing rename is ignored, a rename that differs
// only in case is not, and an element no root has adopted takes any name.
TEST(SetupData, RenamesAreCheckedPerKindWithCase) {
    struct Kind {
        const char* what;
        std::function<void(TSetupData&, const std::string&)> add;
        std::function<std::string(TSetupData&, std::size_t)> nameAt;
        std::function<void(TSetupData&, std::size_t, const std::string&)> rename;
    };
    const Kind kinds[] = {
        {"directory", [](TSetupData& s, const std::string& n) { s.AddDir(n, "X", nullptr); },
         [](TSetupData& s, std::size_t i) { return s.Dirs()[i]->Name(); },
         [](TSetupData& s, std::size_t i, const std::string& n) { s.Dirs()[i]->SetName(n); }},
        {"file group", [](TSetupData& s, const std::string& n) { s.AddFileGroup(n); },
         [](TSetupData& s, std::size_t i) { return s.FileGroups()[i]->Name(); },
         [](TSetupData& s, std::size_t i, const std::string& n) { s.FileGroups()[i]->SetName(n); }},
        {"choice item", [](TSetupData& s, const std::string& n) { s.AddChoiceItem(n); },
         [](TSetupData& s, std::size_t i) { return s.ChoiceItems()[i]->Name(); },
         [](TSetupData& s, std::size_t i, const std::string& n) {
             s.ChoiceItems()[i]->SetName(n);
         }},
        {"win item", [](TSetupData& s, const std::string& n) { s.AddWinItem(n); },
         [](TSetupData& s, std::size_t i) { return s.WinItems()[i]->Name(); },
         [](TSetupData& s, std::size_t i, const std::string& n) { s.WinItems()[i]->SetName(n); }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.what);
        TSetupData script;
        script.ClearDirs();
        kind.add(script, "Windows");
        kind.add(script, "Other");
        kind.rename(script, 1, "Windows");
        EXPECT_EQ(kind.nameAt(script, 1), "Other");
        kind.rename(script, 1, "windows");
        EXPECT_EQ(kind.nameAt(script, 1), "windows");
        kind.rename(script, 0, "Windows");
        EXPECT_EQ(kind.nameAt(script, 0), "Windows");
    }

    TSetupData script;
    TSetupDir loose;
    loose.SetName("Windows");
    EXPECT_EQ(loose.Name(), "Windows");
    // Choice data and win groups are named after pages; repeating a name is allowed.
    script.AddChoiceData("suOptions")->SetName("suInstallType");
    script.AddChoiceData("suInstallType");
    EXPECT_EQ(script.ChoiceData().size(), 1u);
}

TEST(SetupData, FindFileIgnoresCaseFindDirDoesNot) {
    TSetupData script;
    TSetupFile* readMe = script.AddFile("C:\\SRC\\ReadMe.txt");
    script.AddFile("D:\\OTHER\\README.TXT");
    EXPECT_EQ(script.FindFile("readme.TXT"), readMe);
    EXPECT_EQ(script.FindFile("ReadMe"), nullptr);
    EXPECT_EQ(script.FindDir("install"), nullptr);
    EXPECT_NE(script.FindDir("Install"), nullptr);
}

TEST(SetupData, AddFileSplitsThePath) {
    const struct {
        const char* path;
        const char* name;
        const char* source;
    } cases[] = {
        {"C:\\LUMORA\\RELEASE\\Lumora.exe", "Lumora.exe", "C:\\LUMORA\\RELEASE\\"},
        {"A:setup.exe", "setup.exe", "A:\\"},
        {"plain.txt", "plain.txt", ""},
        {"", "", ""},
        {"C:\\DIR\\", "", "C:\\DIR\\"},
    };
    TSetupData script;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        TSetupFile* file = script.AddFile(c.path);
        EXPECT_EQ(file->Name(), c.name);
        EXPECT_EQ(file->Source(), c.source);
        EXPECT_EQ(file->Script(), &script);
    }
    EXPECT_EQ(script.Files().size(), std::size(cases));
}

TEST(SetupData, PathSettersAppendOneBackslash) {
    const struct {
        const char* given;
        const char* stored;
    } cases[] = {{"C:\\APPS", "C:\\APPS\\"}, {"C:\\APPS\\", "C:\\APPS\\"}, {"", ""}, {"\\", "\\"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        TSetupFile file;
        file.SetSource(c.given);
        EXPECT_EQ(file.Source(), c.stored);
        TSetupDir dir;
        dir.SetDir(c.given);
        EXPECT_EQ(dir.Dir(), c.stored);
    }
}

TEST(SetupData, DiskRefusesAFileThatDoesNotFit) {
    TSetupData script;
    TSetupDisk* disk = script.GetDisk(1);
    disk->SetSize(100);
    TSetupFile* sixty = script.AddFile("sixty");
    sixty->SetCompressedSize(60);
    TSetupFile* fortyOne = script.AddFile("forty-one");
    fortyOne->SetCompressedSize(41);
    TSetupFile* forty = script.AddFile("forty");
    forty->SetCompressedSize(40);

    ASSERT_TRUE(disk->AddFile(sixty));
    EXPECT_EQ(disk->Used(), 60);
    EXPECT_FALSE(disk->AddFile(fortyOne));
    EXPECT_EQ(disk->Used(), 60);
    EXPECT_FALSE(disk->HasFile(fortyOne));
    EXPECT_TRUE(disk->AddFile(forty));
    EXPECT_EQ(disk->Used(), 100);
    EXPECT_FALSE(disk->AddFile(forty));
    EXPECT_FALSE(disk->AddFile(nullptr));

    EXPECT_TRUE(disk->RemoveFile(sixty));
    EXPECT_EQ(disk->Used(), 40);
    EXPECT_FALSE(disk->RemoveFile(sixty));

    // An unlimited disk takes anything, even past what 32 bits can count.
    TSetupDisk* unlimited = script.AddDisk("two");
    EXPECT_EQ(unlimited->Number(), 2);
    TSetupFile* huge = script.AddFile("huge");
    huge->SetCompressedSize(2'000'000'000);
    TSetupFile* huger = script.AddFile("huger");
    huger->SetCompressedSize(2'000'000'000);
    EXPECT_TRUE(unlimited->AddFile(huge));
    EXPECT_TRUE(unlimited->AddFile(huger));
    EXPECT_EQ(unlimited->Used(), 4'000'000'000LL);
}

TEST(SetupData, GetDiskOnlyWithinTheDiskCount) {
    TSetupData script;
    script.AddDisk("second");
    EXPECT_EQ(script.GetDisk(0), nullptr);
    EXPECT_EQ(script.GetDisk(1), script.Disks()[0]);
    EXPECT_EQ(script.GetDisk(2), script.Disks()[1]);
    EXPECT_EQ(script.GetDisk(3), nullptr);
    EXPECT_EQ(script.GetDisk(-1), nullptr);
}

TEST(SetupData, FileGroupAddsUnderTheDirectoryHoldingTheFile) {
    TSetupData script;
    TSetupDir* install = script.FindDir("Install");
    TSetupDir* windows = script.FindDir("Windows");
    TSetupFile* file = script.AddFile("a.txt");
    TSetupFile* elsewhere = script.AddFile("b.txt");
    install->AddFile(file);
    windows->AddFile(file);

    TSetupFileGroup selection(&script);
    EXPECT_FALSE(selection.AddFile(file, install, false)) << "no list for the directory yet";
    EXPECT_TRUE(selection.AddFile(file, nullptr, true)) << "the last directory holding it";
    EXPECT_EQ(selection.Dirs(), std::vector<TSetupDir*>{windows});
    EXPECT_FALSE(selection.AddFile(file, windows, true));
    EXPECT_FALSE(selection.AddFile(elsewhere, nullptr, true)) << "held by no directory";
    EXPECT_FALSE(selection.AddFile(nullptr, install, true));
    EXPECT_EQ(selection.Dirs(), (std::vector<TSetupDir*>{windows, install}));
    EXPECT_EQ(selection.FileLists().size(), 2u);
    EXPECT_TRUE(selection.HasFile(file, windows));
    EXPECT_FALSE(selection.HasFile(file, install));

    EXPECT_TRUE(selection.RemoveFile(file, windows));
    EXPECT_FALSE(selection.RemoveFile(file, windows));
    EXPECT_EQ(selection.Dirs().size(), 2u) << "an emptied directory stays";
    EXPECT_TRUE(selection.ListFiles(windows).empty());
    EXPECT_TRUE(selection.ListFiles(script.FindDir("Windows System")).empty());
}

// Freeing elements leaves no reference to them anywhere: not in the root's lists, not in
// a selection kept outside the root.
TEST(SetupData, ClearingAndRemovingLeaveNoDanglingReferences) {
    auto script = setupkit::testing::buildShippedScript();
    TSetupDir* install = script->FindDir("Install");
    TSetupFileGroup selection(script.get());
    for (TSetupFile* file : script->Files())
        selection.AddFile(file, install, true);
    script->BDEFiles().AddFile(script->Files()[0]);
    TSetupFileGroup* group = script->AddFileGroup("Help");
    group->AddFile(script->Files()[3], nullptr, true);
    script->ChoiceItems()[5]->Add()->AddGroup(group);

    script->ClearFiles();
    EXPECT_TRUE(script->GetDisk(1)->Files().empty());
    EXPECT_EQ(script->GetDisk(1)->Used(), 0);
    EXPECT_TRUE(install->Files().empty());
    EXPECT_TRUE(script->BDEFiles().Files().empty());
    EXPECT_TRUE(selection.FileLists()[0]->Files().empty());
    EXPECT_EQ(script->WinItems()[0]->ItemFile(), nullptr);

    script->ClearFileGroups();
    EXPECT_TRUE(script->ChoiceItems()[5]->Add()->Groups().empty());

    script->ClearDirs();
    EXPECT_TRUE(selection.Dirs().empty());
    EXPECT_TRUE(selection.FileLists().empty());
    EXPECT_EQ(script->LogFileDir(), nullptr);
    EXPECT_EQ(script->WinItems()[0]->Dir(), nullptr);
    EXPECT_TRUE(script->ChoiceItems()[0]->Add()->Dirs().empty());
    EXPECT_TRUE(script->ChoiceItems()[0]->Add()->FileLists().empty());

    script->ClearChoiceItems();
    EXPECT_EQ(script->ChoiceData()[0]->Common(), nullptr);
    EXPECT_TRUE(script->ChoiceData()[0]->Items().empty());
    script->ClearWinItems();
    EXPECT_TRUE(script->WinGroups()[0]->Items().empty());

    TSetupChoiceData* options = script->FindChoiceData("suOptions");
    EXPECT_TRUE(script->RemoveChoiceData(options));
    EXPECT_FALSE(script->RemoveChoiceData(options));
    EXPECT_EQ(script->ChoiceData().size(), 1u);
    EXPECT_TRUE(script->RemoveWinGroup(script->WinGroups()[0]));
    EXPECT_TRUE(script->WinGroups().empty());
}

TEST(SetupData, ElementsFreedOneByOneAreForgottenToo) {
    TSetupData script;
    TSetupDir* install = script.FindDir("Install");
    auto standalone = std::make_unique<TSetupDir>(&script);
    standalone->SetName("Loose");
    script.FindDir("Windows")->SetParentDir(standalone.get());
    TSetupFileGroup selection(&script);
    TSetupFile* file = script.AddFile("a.txt");
    selection.AddFile(file, standalone.get(), true);
    selection.AddFile(file, install, true);
    standalone.reset();
    EXPECT_EQ(script.FindDir("Windows")->ParentDir(), nullptr);
    EXPECT_EQ(selection.Dirs(), std::vector<TSetupDir*>{install});
    EXPECT_TRUE(selection.HasFile(file, install));
}

TEST(SetupData, SelectionOutlivingItsRootIsLeftEmptyAndDetached) {
    TSetupFileGroup selection;
    {
        TSetupData script;
        selection.SetScript(&script);
        TSetupFile* file = script.AddFile("a.txt");
        selection.AddFile(file, script.FindDir("Install"), true);
    }
    EXPECT_EQ(selection.Script(), nullptr);
    EXPECT_TRUE(selection.Dirs().empty());
    EXPECT_TRUE(selection.FileLists().empty());
}

// A directory can be made its own ancestor; every walk along the parent links stops at
// a directory it has already passed.
TEST(SetupData, ParentLoopsEndEveryWalk) {
    TSetupData script;
    TSetupDir* a = script.AddDir("A", "A", nullptr);
    TSetupDir* b = script.AddDir("B", "B", a);
    TSetupDir* c = script.AddDir("C", "C", b);
    a->SetParentDir(c);
    EXPECT_EQ(a->FullPath(), "B\\C\\A\\");
    EXPECT_EQ(a->Ancestors(), (std::vector<TSetupDir*>{c, b}));
    EXPECT_EQ(script.DescendantDirs(a), (std::vector<TSetupDir*>{b, c}));
    EXPECT_EQ(script.ChildDirs(a), std::vector<TSetupDir*>{b});

    TSetupDir* self = script.AddDir("Self", "SELF", nullptr);
    self->SetParentDir(self);
    EXPECT_EQ(self->FullPath(), "SELF\\");
    EXPECT_TRUE(self->Ancestors().empty());
    EXPECT_TRUE(script.DescendantDirs(self).empty());
    EXPECT_TRUE(script.ChildDirs(self).empty());

    TSetupDir* windows = script.FindDir("Windows");
    EXPECT_EQ(script.DescendantDirs(windows),
              std::vector<TSetupDir*>{script.FindDir("Windows System")});
}

TEST(SetupData, DescendantsOfADeepChainNeedNoDeepRecursion) {
    constexpr int kDepth = 30000;
    ValueWriter stream;
    stream.writeListBegin();
    stream.writeInteger(5);
    stream.writeString("App");
    stream.writeListBegin();
    stream.writeListEnd();
    stream.writeListBegin();
    stream.writeListEnd();
    stream.writeListBegin();
    for (int depth = 0; depth <= kDepth; ++depth) {
        stream.writeString(std::to_string(depth));
        stream.writeString("D");
        stream.writeString(depth == 0 ? std::string() : std::to_string(depth - 1));
        stream.writeListBegin();
        stream.writeListEnd();
    }
    stream.writeListEnd();
    TSetupData script;
    ValueReader reader(stream.bytes());
    EXPECT_THROW(script.ReadData(reader), EValueStreamError) << "the stream ends after the dirs";
    ASSERT_EQ(script.Dirs().size(), std::size_t{kDepth + 1});
    EXPECT_EQ(script.DescendantDirs(script.Dirs()[0]).size(), std::size_t{kDepth});
    EXPECT_EQ(script.Dirs().back()->Ancestors().size(), std::size_t{kDepth});
}

TEST(SetupData, ListsGiveNamesWithTheirElements) {
    auto script = setupkit::testing::buildShippedScript();
    const auto dirs = script->ListDirs();
    ASSERT_EQ(dirs.size(), 3u);
    EXPECT_EQ(dirs[2].name, "Windows System");
    EXPECT_EQ(dirs[2].element, script->Dirs()[2]);
    const auto files = script->FindDir("Install")->ListFiles();
    ASSERT_EQ(files.size(), 13u);
    EXPECT_EQ(files[12].name, "setup.exe");
    const auto items = script->WinGroups()[0]->ListItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[4].element->CommandLine(), "UNINSTALL");
    const auto choices = script->FindChoiceData("suInstallType")->ListItems();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].name, "COMPLETE INSTALL");
    EXPECT_EQ(script->ChoiceItems()[0]->GroupAt(0), script->ChoiceItems()[0]->Add());
    EXPECT_EQ(script->ChoiceItems()[0]->GroupAt(1), script->ChoiceItems()[0]->Remove());
    EXPECT_EQ(script->ChoiceItems()[0]->GroupAt(2), nullptr);
}
