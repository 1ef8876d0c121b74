#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "setup/engine/setup_error.h"
#include "setup/form/form_component.h"
#include "setup/form/form_text_parser.h"
#include "setup/pages/setup_form.h"
#include "setup/pages/setup_language.h"
#include "setup/pages/setup_pages_form.h"
#include "temp_dir.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>
#include <map>

namespace setupkit::testing {
namespace {

// The installer's form as the repository keeps it.
form::FormComponent shippedSetupForm() {
    return form::parseFormText(
        lumora::testing::readFile(lumora::testing::sourceDir() / "data/installer/TSetupForm.txt"));
}

constexpr auto Next = WizardButton::Next;

// A language library holding French at 0 and German at 1000, each with its own name
// and its Next caption.
LanguageLibraryLoader frenchAndGerman() {
    return []() -> std::unique_ptr<StringTable> {
        struct Table : StringTable {
            std::optional<std::string> loadString(int id) const override {
                static const std::map<int, std::string> strings = {
                    {0, "Français"}, {9, "&Suivant"}, {1000, "Deutsch"}, {1009, "&Weiter"}};
                auto found = strings.find(id);
                if (found == strings.end())
                    return std::nullopt;
                return found->second;
            }
        };
        return std::make_unique<Table>();
    };
}

std::vector<std::string> radioTexts(const QGroupBox* group) {
    std::vector<std::string> texts;
    for (const QRadioButton* item : group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        texts.push_back(item->text().toStdString() + (item->isChecked() ? "*" : ""));
    return texts;
}

class LanguagePage : public ::testing::Test {
protected:
    void start(LanguageLibraryLoader library) {
        world.services.languageLoader = std::move(library);
        info = world.makeController(form);
        page = form.Create<TSetupLanguage>();
        page->SetName("suLanguage");
        after = form.Create<TSetupPage>();
        after->SetName("after");
        page->SetNextPage(after);
        world.pump.beforePress = [this](WizardButton) {
            TSetupPagesForm* dialog = TSetupPagesForm::instance();
            shown.push_back(dialog->CurrentPage->Name() + " " +
                            dialog->btnNext->text().toStdString() + " " + info->Language());
            if (onPage)
                onPage(*dialog);
        };
    }

    SetupWorld world;
    QtWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupLanguage* page = nullptr;
    TSetupPage* after = nullptr;
    std::vector<std::string> shown;
    std::function<void(TSetupPagesForm&)> onPage;
};

TEST_F(LanguagePage, WithoutEnglishAndWithoutOtherLanguagesTheEmptyPagePassesItselfOver) {
    start(noLanguageLibrary());
    EXPECT_EQ(page->DefaultLanguage(), "English") << "the controller's language on joining";
    page->SetShowLanguages(DefaultShowLanguages & ~languageBit(laEnglish));
    onPage = [](TSetupPagesForm& dialog) { EXPECT_TRUE(radioTexts(dialog.rdgLSLanguage).empty()); };
    world.pump.press(Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(shown, (std::vector<std::string>{"after &Next English"}));
    EXPECT_TRUE(page->Items().empty());
    EXPECT_EQ(info->Language(), "English");
    EXPECT_TRUE(world.interaction.messages().empty());
}

TEST_F(LanguagePage, ShowsItselfInTheDefaultLanguageAndTakesThePick) {
    start(frenchAndGerman());
    page->SetDefaultLanguage("Français");
    onPage = [this](TSetupPagesForm& dialog) {
        if (dialog.CurrentPage != page)
            return;
        EXPECT_EQ(dialog.notebookPage(), npSelectLanguage);
        // German is off by default.
        EXPECT_EQ(radioTexts(dialog.rdgLSLanguage),
                  (std::vector<std::string>{"English", "Français*"}));
        dialog.rdgLSLanguage->findChildren<QRadioButton*>().front()->click();
    };
    world.pump.press(Next);
    world.pump.press(Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"suLanguage &Suivant Français", "after &Next English"}));
}

TEST_F(LanguagePage, AHiddenDefaultGivesWayToTheFirstShownLanguage) {
    start(frenchAndGerman());
    page->SetDefaultLanguage("Deutsch");
    EXPECT_EQ(page->DefaultLanguage(), "Deutsch");
    page->SetShowLanguages(languageBit(laFrench) | languageBit(laHungarian));
    onPage = [this](TSetupPagesForm& dialog) {
        if (dialog.CurrentPage == page) {
            EXPECT_EQ(radioTexts(dialog.rdgLSLanguage), (std::vector<std::string>{"Français*"}));
        }
    };
    world.pump.press(Next);
    world.pump.press(Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(shown, (std::vector<std::string>{"suLanguage &Suivant Français",
                                               "after &Suivant Français"}));
}

TEST_F(LanguagePage, DefaultLanguageTakesOnlyAvailableLanguages) {
    start(frenchAndGerman());
    const struct {
        std::string assigned;
        std::string expected;
        bool refused;
    } cases[] = {
        {"Deutsch", "Deutsch", false},
        {"Klingon", "Deutsch", true},
        {"(compiled)", "(compiled)", false},
        {"English", "English", false},
        {"", "English", true},
    };
    for (const auto& c : cases) {
        if (c.refused)
            world.interaction.answer(
                "The language " + c.assigned + " is not in the list of available languages.", mrOk);
        const size_t boxes = world.interaction.messages().size();
        page->SetDefaultLanguage(c.assigned);
        EXPECT_EQ(page->DefaultLanguage(), c.expected) << c.assigned;
        EXPECT_EQ(world.interaction.messages().size(), boxes + (c.refused ? 1 : 0)) << c.assigned;
        if (c.refused) {
            EXPECT_EQ(world.interaction.messages().back().kind, mtInformation);
        }
    }

    ComponentOwner lonely;
    auto* withoutController = lonely.Create<TSetupLanguage>();
    withoutController->SetDefaultLanguage("Deutsch");
    EXPECT_EQ(withoutController->DefaultLanguage(), "") << "ignored without a controller";
}

form::FormProperty setProperty(std::string name, std::vector<std::string> members) {
    form::FormProperty property;
    property.name = std::move(name);
    property.value.kind = form::FormValue::Kind::Set;
    property.value.names = std::move(members);
    return property;
}

form::FormProperty stringProperty(std::string name, std::string text) {
    form::FormProperty property;
    property.name = std::move(name);
    property.value.kind = form::FormValue::Kind::String;
    property.value.text = std::move(text);
    return property;
}

TEST(LanguagePageForm, StoredPropertiesAreRead) {
    SetupWorld world;
    QtWizardScope wizard;
    form::FormComponent tree = shippedSetupForm();
    tree.children.push_back({"TSetupLanguage",
                             "suLanguage",
                             {setProperty("ShowLanguages", {"laFrench", "laGerman"}),
                              stringProperty("DefaultLanguage", "English")},
                             {}});
    TSetupForm setupForm(world.services, tree);
    auto* page = dynamic_cast<TSetupLanguage*>(setupForm.Components().FindComponent("suLanguage"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->ShowLanguages(), languageBit(laFrench) | languageBit(laGerman));
    EXPECT_EQ(page->DefaultLanguage(), "English");

    tree.children.back().properties = {setProperty("ShowLanguages", {"laKlingon"})};
    try {
        TSetupForm broken(world.services, tree);
        FAIL() << "an unknown language kind was read";
    } catch (const ESetupError& error) {
        EXPECT_STREQ(error.what(), "Invalid property value for ShowLanguages: laKlingon");
    }
}

} // namespace
} // namespace setupkit::testing
