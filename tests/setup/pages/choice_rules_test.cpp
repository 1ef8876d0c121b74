#include "engine_test_support.h"

#include "setup/engine/setup_error.h"
#include "setup/pages/choice_rules.h"
#include "setup/pages/language_rules.h"
#include "setup/script/setup_choice.h"
#include "setup/script/setup_data.h"
#include "setup/script/setup_dir.h"
#include "setup/script/setup_file.h"
#include "setup/script/setup_file_group.h"
#include "setup/script/setup_file_list.h"

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

// The install set as "directory:file" pairs, directory by directory.
std::vector<std::string> installedPairs(TSetupInfo& info) {
    std::vector<std::string> pairs;
    const TSetupFileGroup& set = info.InstallSet();
    for (size_t k = 0; k < set.Dirs().size(); ++k)
        for (const TSetupFile* file : set.FileLists()[k]->Files())
            pairs.push_back(set.Dirs()[k]->Name() + ":" + file->Name());
    return pairs;
}

std::vector<std::string> fileNames(const SelectionLog& log) {
    std::vector<std::string> names;
    for (const TSetupFile* file : log.files)
        names.push_back(file->Name());
    return names;
}

class ChoiceRules : public ::testing::Test {
protected:
    ChoiceRules() {
        info = world.makeController(form);
        script = &info->SetupData();
        install = script->FindDir("Install");
        for (const char* name : {"common.txt", "one.txt", "two.txt", "three.txt", "kept.txt"})
            files[name] = script->AddFile(name);
        entry = script->AddChoiceData("suOptions");
    }
    TSetupChoiceItem* item(const std::string& name, std::vector<std::string> adds,
                           std::vector<std::string> removes = {}) {
        TSetupChoiceItem* created = script->AddChoiceItem(name);
        for (const std::string& add : adds)
            created->Add()->AddFile(files.at(add), install, true);
        for (const std::string& remove : removes)
            created->Remove()->AddFile(files.at(remove), install, true);
        return created;
    }

    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupData* script = nullptr;
    TSetupDir* install = nullptr;
    TSetupChoiceData* entry = nullptr;
    std::map<std::string, TSetupFile*> files;
};

TEST_F(ChoiceRules, SelectionsFollowTheLengthOfTheChoiceList) {
    ChoiceSelections selections;
    selections.adjust(nullptr);
    EXPECT_EQ(selections.size(), 0u) << "nothing without an entry";
    for (const char* name : {"a", "b", "c"})
        entry->AddItem(item(name, {}));
    selections.adjust(entry);
    ASSERT_EQ(selections.size(), 3u);
    EXPECT_EQ(selections.highestSelected(), 0) << "all clear at first";
    selections.set(1, true);
    selections.set(3, true);
    EXPECT_EQ(selections.highestSelected(), 3);

    TSetupData& other = *script;
    TSetupChoiceData* shorter = other.AddChoiceData("shorter");
    shorter->AddItem(other.FindChoiceItem("a"));
    shorter->AddItem(other.FindChoiceItem("b"));
    selections.adjust(shorter);
    EXPECT_EQ(selections.flags(), (std::vector<bool>{true, false})) << "surplus dropped at the end";
    selections.adjust(entry);
    EXPECT_EQ(selections.flags(), (std::vector<bool>{true, false, false}))
        << "appended flags are clear";
}

TEST_F(ChoiceRules, ChoiceNumbersOutsideTheListAreRefused) {
    for (const char* name : {"a", "b"})
        entry->AddItem(item(name, {}));
    ChoiceSelections selections;
    selections.adjust(entry);
    for (int n : {0, -1, 3, 100}) {
        try {
            selections.get(n);
            ADD_FAILURE() << n << " was accepted";
        } catch (const ESetupError& error) {
            EXPECT_STREQ(error.what(), "Selection index out of bounds.");
        }
        EXPECT_THROW(selections.set(n, true), ESetupError) << n;
    }
    EXPECT_NO_THROW(selections.set(2, true));
    EXPECT_TRUE(selections.get(2));
}

TEST_F(ChoiceRules, CommonThenChosenItemsInOrderAndUndoRestoresTheSet) {
    info->SelectFile(files["kept.txt"], install);
    entry->SetCommon(item("common", {"common.txt"}));
    entry->AddItem(item("1", {"one.txt"}));
    entry->AddItem(item("2", {"two.txt"}));
    entry->AddItem(item("3", {"three.txt"}, {"kept.txt"}));
    const std::vector<std::string> before = installedPairs(*info);

    ChoiceSelections selections;
    selections.adjust(entry);
    selections.set(1, true);
    selections.set(3, true);
    ChoiceLog log;
    log.applyChoices(*info, *entry, selections);
    EXPECT_EQ(fileNames(log.AddedLog()),
              (std::vector<std::string>{"common.txt", "one.txt", "three.txt"}));
    EXPECT_EQ(fileNames(log.RemovedLog()), (std::vector<std::string>{"kept.txt"}));
    EXPECT_EQ(log.AddedLog().dirs, (std::vector<TSetupDir*>(3, install)));
    EXPECT_FALSE(info->IsFileSelected(files["two.txt"], install));
    EXPECT_FALSE(info->IsFileSelected(files["kept.txt"], install));

    log.undo(*info);
    EXPECT_EQ(installedPairs(*info), before);
    EXPECT_TRUE(log.AddedLog().empty());
    EXPECT_TRUE(log.RemovedLog().empty());
}

TEST_F(ChoiceRules, AFileAlreadySelectedIsNotLoggedAndStaysAfterUndo) {
    info->SelectFile(files["one.txt"], install);
    ChoiceLog log;
    log.apply(*info, *item("1", {"one.txt", "two.txt"}, {"three.txt"}));
    EXPECT_EQ(fileNames(log.AddedLog()), (std::vector<std::string>{"two.txt"}));
    EXPECT_TRUE(log.RemovedLog().empty()) << "three.txt was not selected: no change";
    log.undo(*info);
    EXPECT_EQ(installedPairs(*info), (std::vector<std::string>{"Install:one.txt"}));
}

TEST_F(ChoiceRules, UndoTakesOutADirectoryTheChoiceBroughtIn) {
    TSetupDir* help = script->AddDir("Help", "Help\\", install);
    TSetupChoiceItem* helpFiles = script->AddChoiceItem("help");
    helpFiles->Add()->AddFile(files["one.txt"], help, true);
    helpFiles->Add()->AddFile(files["two.txt"], help, true);
    info->SelectFile(files["kept.txt"], install);
    const auto dirsBefore = info->InstallSet().Dirs();
    ASSERT_EQ(info->InstallSet().FileListFor(help), nullptr);

    ChoiceLog log;
    log.apply(*info, *helpFiles);
    ASSERT_NE(info->InstallSet().FileListFor(help), nullptr);
    log.undo(*info);
    // Left in the set with an empty list, it would still be made as an empty directory.
    EXPECT_EQ(info->InstallSet().Dirs(), dirsBefore);
    EXPECT_EQ(installedPairs(*info), (std::vector<std::string>{"Install:kept.txt"}));
    EXPECT_FALSE(info->InstallSet().RemoveEmptyDir(install)) << "a directory with files stays";
}

// Undoing the two logs one after the other would leave a file that one choice put
// in and a later one took out; going back change by change restores it exactly.
TEST_F(ChoiceRules, UndoIsExactWhenChoicesUndoEachOther) {
    const struct {
        const char* name;
        bool selectedBefore;
        std::vector<std::string> firstAdds, firstRemoves, secondAdds, secondRemoves;
    } cases[] = {
        {"added by common, removed by a choice", false, {"one.txt"}, {}, {}, {"one.txt"}},
        {"removed by common, added by a choice", true, {}, {"one.txt"}, {"one.txt"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.selectedBefore)
            info->SelectFile(files["one.txt"], install);
        else
            info->UnselectFile(files["one.txt"], install);
        ChoiceLog log;
        log.apply(*info, *item(std::string(c.name) + "/1", c.firstAdds, c.firstRemoves));
        log.apply(*info, *item(std::string(c.name) + "/2", c.secondAdds, c.secondRemoves));
        log.undo(*info);
        EXPECT_EQ(info->IsFileSelected(files["one.txt"], install), c.selectedBefore);
    }
}

TEST(LanguageRules, HiddenKindsLeaveTheList) {
    const std::vector<std::string> available = {"English", "Français", "Deutsch", "Svenska",
                                                "hungarian"};
    const struct {
        const char* name;
        TLanguageTypes show;
        std::string compiled;
        std::vector<std::string> expected;
    } cases[] = {
        {"default set hides German and Hungarian (any case)",
         DefaultShowLanguages,
         "(compiled)",
         {"English", "Français", "Svenska"}},
        {"English left out",
         static_cast<TLanguageTypes>(DefaultShowLanguages & ~languageBit(laEnglish)),
         "(compiled)",
         {"Français", "Svenska"}},
        {"the compiled language hidden by name",
         static_cast<TLanguageTypes>(DefaultShowLanguages & ~languageBit(laCompiled)),
         "Svenska",
         {"English", "Français"}},
        {"everything shown", 0x1ff, "Svenska", available},
        {"nothing shown", 0, "Svenska", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shownLanguages(available, c.show, c.compiled), c.expected) << c.name;
}

TEST(LanguageRules, TheProposal) {
    const std::vector<std::string> shown = {"English", "Français"};
    const TLanguageTypes withoutCompiled =
        static_cast<TLanguageTypes>(DefaultShowLanguages & ~languageBit(laCompiled));
    const struct {
        const char* name;
        std::string defaultLanguage;
        TLanguageTypes show;
        std::vector<std::string> shown;
        std::string expected;
        bool asksCompiled;
    } cases[] = {
        {"a shown default", "Français", DefaultShowLanguages, shown, "Français", false},
        {"a shown default in another case takes the list's spelling", "FRANçAIS",
         DefaultShowLanguages, shown, "Français", false},
        {"a hidden default gives the first", "Deutsch", DefaultShowLanguages, shown, "English",
         false},
        {"an empty list keeps the default", "Deutsch", DefaultShowLanguages, {}, "Deutsch", false},
        {"the hidden compiled language asks its own name",
         "Svenska",
         withoutCompiled,
         {"Svenska", "English"},
         "Svenska",
         true},
        {"the compiled language shown is taken as it is",
         "Svenska",
         DefaultShowLanguages,
         {"Svenska"},
         "Svenska",
         false},
    };
    for (const auto& c : cases) {
        bool asked = false;
        const std::string proposal =
            proposedLanguage(c.defaultLanguage, c.show, "Svenska", c.shown, [&] {
                asked = true;
                return std::string("Svenska");
            });
        EXPECT_EQ(proposal, c.expected) << c.name;
        EXPECT_EQ(asked, c.asksCompiled) << c.name;
    }
}

TEST(LanguageRules, KindsByIdentifierAndName) {
    EXPECT_EQ(languageTypeFromIdentifier("laHungarian"), laHungarian);
    EXPECT_EQ(languageTypeFromIdentifier("laKlingon"), std::nullopt);
    EXPECT_EQ(languageTypeName(laSpanish, "x"), "Español");
    EXPECT_EQ(languageTypeName(laCompiled, "Svenska"), "Svenska");
    EXPECT_FALSE(DefaultShowLanguages & languageBit(laGerman));
    EXPECT_TRUE(DefaultShowLanguages & languageBit(laSpanish));
}

} // namespace
} // namespace setupkit::testing
