#include "engine_test_support.h"

#include "setup/engine/setup_error.h"
#include "setup/engine/setup_page.h"

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

// A page posing as one of the page kinds the button rules know by class.
class KindPage : public TSetupPage {
public:
    KindPage(ComponentOwner* owner, std::string className)
        : TSetupPage(owner), className_(std::move(className)) {}
    std::string_view ClassName() const override { return className_; }
    bool InheritsFrom(std::string_view name) const override {
        return name == className_ || TSetupPage::InheritsFrom(name);
    }

private:
    std::string className_;
};

class PageChain : public ::testing::Test {
protected:
    PageChain() {
        info = world.makeController(form);
        world.pump.beforePress = [this](WizardButton) {
            FakeWizardDialog* dialog = wizard.dialog();
            shown.push_back(dialog->CurrentPage->Name());
            prevEnabled.push_back(dialog->buttonEnabled(WizardButton::Prev));
        };
    }
    TSetupPage* addPage(const std::string& name, TSetupButtons buttons,
                        const std::string& className = "TSetupPage") {
        TSetupPage* page = form.Create<KindPage>(className);
        page->SetName(name);
        page->SetButtons(buttons);
        if (!pages.empty())
            pages.back()->SetNextPage(page);
        pages.push_back(page);
        return page;
    }
    void press(std::initializer_list<WizardButton> buttons) {
        for (WizardButton button : buttons)
            world.pump.press(button);
    }
    int run() { return pages.front()->Execute(); }

    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    std::vector<TSetupPage*> pages;
    std::vector<std::string> shown;
    std::vector<bool> prevEnabled;
};

constexpr TSetupButtons AllButtons = btPrev | btNext | btCancel;
constexpr auto Next = WizardButton::Next;
constexpr auto Prev = WizardButton::Prev;
constexpr auto Cancel = WizardButton::Cancel;

TEST_F(PageChain, FinishOnTheLastPageEndsWithDone) {
    addPage("one", btNext | btCancel);
    addPage("two", AllButtons);
    TSetupPage* last = addPage("three", btPrev | btFinish | btCancel);
    bool checkedFinish = false;
    world.pump.beforePress = [&](WizardButton) {
        FakeWizardDialog* dialog = wizard.dialog();
        if (dialog->CurrentPage == last) {
            EXPECT_EQ(dialog->buttonCaption(Next), "&Finish");
            EXPECT_TRUE(dialog->buttonEnabled(Next));
            checkedFinish = true;
        } else {
            EXPECT_EQ(dialog->buttonCaption(Next), "&Next");
        }
    };
    press({Next, Next, Next});
    EXPECT_EQ(run(), psDone);
    EXPECT_TRUE(checkedFinish);
    EXPECT_TRUE(wizard.dialog()->closed);
    EXPECT_TRUE(info->PageStack().empty());
    EXPECT_EQ(wizard.created, 1);
}

TEST_F(PageChain, PreviousOnTheSecondPageShowsTheFirstAgain) {
    addPage("one", AllButtons);
    addPage("two", AllButtons);
    press({Next, Prev, Next, Next});
    EXPECT_EQ(run(), psDone);
    EXPECT_EQ(shown, (std::vector<std::string>{"one", "two", "one", "two"}));
    // Previous is never enabled on the first page, even when its buttons ask for it.
    EXPECT_EQ(prevEnabled, (std::vector<bool>{false, true, false, true}));
}

TEST_F(PageChain, PreviousIsDisabledAfterWorkAlreadyDone) {
    for (const char* kind : {"TSetupFileCopy", "TSetupGroups", "TSetupBDEInstall"}) {
        SCOPED_TRACE(kind);
        FreeSetupPagesForm();
        for (TSetupPage* page : pages)
            form.FreeComponent(page);
        pages.clear();
        shown.clear();
        prevEnabled.clear();
        addPage("one", AllButtons);
        addPage("work", AllButtons, kind);
        addPage("after", AllButtons);
        press({Next, Next, Prev, Next});
        EXPECT_EQ(run(), psDone);
        EXPECT_EQ(prevEnabled, (std::vector<bool>{false, true, false, false}));
        EXPECT_EQ(shown.back(), "after") << "pressing the disabled Previous did nothing";
    }
}

TEST_F(PageChain, CancelAnsweredNoKeepsThePageAndYesCancelsTheChain) {
    addPage("one", AllButtons);
    addPage("two", AllButtons);
    addPage("three", AllButtons);
    world.interaction.answer("Cancel Setup?", mrNo);
    world.interaction.answer("Cancel Setup?", mrYes);
    int cancelledEvents = 0;
    for (TSetupPage* page : pages)
        page->OnCancel = [&](TSetupComponent*) { ++cancelledEvents; };
    press({Next, Next, Cancel, Cancel});
    EXPECT_EQ(run(), psCancelled);
    EXPECT_EQ(shown, (std::vector<std::string>{"one", "two", "three", "three"}));
    EXPECT_EQ(cancelledEvents, 3) << "each level cancels the one below it";
    for (TSetupPage* page : pages)
        EXPECT_EQ(page->PageState(), psCancelled) << page->Name();
    ASSERT_EQ(world.interaction.messages().size(), 2u);
    EXPECT_EQ(world.interaction.messages()[0].kind, mtConfirmation);
    EXPECT_EQ(world.interaction.messages()[0].buttons, mbYes | mbNo);
}

TEST_F(PageChain, NextPageHandlerCanKeepTheWizardOnThePage) {
    TSetupPage* first = addPage("one", AllButtons);
    addPage("two", AllButtons);
    int refusals = 1;
    first->OnNextPage = [&](TSetupComponent* sender) {
        EXPECT_EQ(sender, first);
        if (refusals-- > 0)
            first->SetPageState(psBack);
    };
    press({Next, Next, Next});
    EXPECT_EQ(run(), psDone);
    EXPECT_EQ(shown, (std::vector<std::string>{"one", "one", "two"}));
}

TEST_F(PageChain, RemovingAPageClearsEveryNextPageNamingIt) {
    TSetupPage* one = addPage("one", AllButtons);
    TSetupPage* two = addPage("two", AllButtons);
    TSetupPage* other = form.Create<TSetupPage>();
    other->SetNextPage(two);
    form.FreeComponent(two);
    EXPECT_EQ(one->NextPage(), nullptr);
    EXPECT_EQ(other->NextPage(), nullptr);
}

TEST(SetupComponent, OwnerAndControllerRules) {
    SetupWorld world;
    ComponentOwner notAForm(false);
    try {
        TSetupPage page(&notAForm);
        FAIL() << "a page owned by something other than a form";
    } catch (const ESetupError& error) {
        EXPECT_STREQ(error.what(), "Only a TForm can own a TSetup component.");
    }

    ComponentOwner form;
    TSetupPage* early = form.Create<TSetupPage>();
    early->SetName("early");
    FakeWizardScope wizard;
    try {
        early->TSetupComponent::Execute();
        FAIL() << "ran without a controller";
    } catch (const ESetupError& error) {
        EXPECT_STREQ(error.what(), "early cannot find the TSetupInfo component.");
    }
    TSetupInfo* info = world.makeController(form);
    TSetupPage* late = form.Create<TSetupPage>();
    EXPECT_EQ(early->SetupInfo(), info);
    EXPECT_EQ(late->SetupInfo(), info);
    EXPECT_EQ(late->AppName(), "Lumora");
    EXPECT_THROW(late->SetSetupInfo(early), ESetupError);
    form.FreeComponent(info);
    EXPECT_EQ(early->SetupInfo(), nullptr);
    EXPECT_EQ(late->AppName(), "");
}

TEST(SetupComponent, ChoiceAndGroupPagesGetTheirScriptEntries) {
    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    auto* choice = form.Create<KindPage>("TSetupChoice");
    choice->SetName("suOptions");
    auto* groups = form.Create<KindPage>("TSetupGroups");
    groups->SetName("suGroups");
    info->RegisterPages();
    ASSERT_NE(info->SetupData().FindChoiceData("suOptions"), nullptr);
    ASSERT_NE(info->SetupData().FindWinGroup("suGroups"), nullptr);
    form.FreeComponent(choice);
    form.FreeComponent(groups);
    EXPECT_EQ(info->SetupData().FindChoiceData("suOptions"), nullptr);
    EXPECT_EQ(info->SetupData().FindWinGroup("suGroups"), nullptr);
}

} // namespace
} // namespace setupkit::testing
