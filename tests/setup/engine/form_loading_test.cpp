#include "engine_test_support.h"

#include "setup/engine/form_loading.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_page.h"

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

using form::FormComponent;
using form::FormProperty;
using form::FormValue;

FormProperty ident(std::string name, std::string value) {
    FormProperty property{std::move(name), {}};
    property.value.kind = FormValue::Kind::Identifier;
    property.value.text = std::move(value);
    return property;
}

FormProperty setOf(std::string name, std::vector<std::string> members) {
    FormProperty property{std::move(name), {}};
    property.value.kind = FormValue::Kind::Set;
    property.value.names = std::move(members);
    return property;
}

FormProperty script(const TSetupData& data) {
    FormProperty property{"SetupData", {}};
    property.value.kind = FormValue::Kind::List;
    ValueWriter writer;
    data.WriteData(writer);
    property.value.encoded = writer.takeBytes();
    return property;
}

class FormLoading : public ::testing::Test {
protected:
    FormLoading() {
        factory.registerClass("TSetupInfo", [this](ComponentOwner& owner) {
            return owner.Create<TSetupInfo>(world.services);
        });
        factory.registerClass("TSetupPage",
                              [](ComponentOwner& owner) { return owner.Create<TSetupPage>(); });
        handlers["pageNext"] = [this](TSetupComponent* sender) {
            events.push_back(sender->Name());
        };
        TSetupData data;
        data.SetAppName("Stored App");
        data.FindDir("Install")->SetDir("C:\\Stored\\");
        tree = {"TSetupForm", "SetupForm", {}, {}};
        tree.children.push_back({"TSetupInfo", "suInfo", {script(data)}, {}});
        // The first page names the second before the second is read.
        tree.children.push_back({"TSetupPage",
                                 "first",
                                 {ident("NextPage", "second"), ident("OnNextPage", "pageNext"),
                                  setOf("Buttons", {"btNext", "btCancel"})},
                                 {}});
        tree.children.push_back({"TSetupPage", "second", {}, {}});
    }
    void load() {
        factory.load(tree, form, handlers, [](const FormProperty&) { return false; });
    }
    std::string loadError() {
        try {
            load();
        } catch (const ESetupError& error) {
            return error.what();
        }
        return "no error";
    }

    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    ComponentFactory factory;
    EventHandlers handlers;
    FormComponent tree;
    std::vector<std::string> events;
};

TEST_F(FormLoading, BuildsLinksResolvesAndStarts) {
    load();
    auto* info = dynamic_cast<TSetupInfo*>(form.FindComponent("suInfo"));
    auto* first = dynamic_cast<TSetupPage*>(form.FindComponent("first"));
    auto* second = dynamic_cast<TSetupPage*>(form.FindComponent("second"));
    ASSERT_TRUE(info && first && second);
    EXPECT_EQ(first->NextPage(), second);
    EXPECT_EQ(first->Buttons(), btNext | btCancel);
    EXPECT_EQ(second->Buttons(), btPrev | btNext | btCancel);
    EXPECT_EQ(first->SetupInfo(), info);
    EXPECT_EQ(first->AppName(), "Stored App");
    EXPECT_FALSE(form.Loading());
    // The load notification ran the start sequence.
    EXPECT_EQ(info->SelectedDirs().size(), 3u);
    ASSERT_TRUE(first->OnNextPage);
    first->OnNextPage(first);
    EXPECT_EQ(events, (std::vector<std::string>{"first"}));
}

TEST_F(FormLoading, UnknownNamesGiveErrorsNamingThem) {
    {
        tree.children.push_back({"TSetupWidget", "odd", {}, {}});
        EXPECT_EQ(loadError(), "Class TSetupWidget not found (component odd)");
        tree.children.pop_back();
    }
    {
        ComponentOwner fresh;
        tree.children[2].properties.push_back(ident("Colour", "clRed"));
        try {
            factory.load(tree, fresh, handlers, {});
            ADD_FAILURE() << "an unknown property was accepted";
        } catch (const ESetupError& error) {
            EXPECT_STREQ(error.what(),
                         "Error reading second.Colour: Property Colour does not exist");
        }
        tree.children[2].properties.pop_back();
    }
    {
        ComponentOwner fresh;
        tree.children[1].properties[0].value.text = "third";
        try {
            factory.load(tree, fresh, handlers, {});
            ADD_FAILURE() << "a reference to nothing was accepted";
        } catch (const ESetupError& error) {
            EXPECT_STREQ(error.what(), "Invalid component reference: no component named third");
        }
        tree.children[1].properties[0].value.text = "second";
    }
    {
        ComponentOwner fresh;
        handlers.clear();
        try {
            factory.load(tree, fresh, handlers, {});
            ADD_FAILURE() << "an unknown handler was accepted";
        } catch (const ESetupError& error) {
            EXPECT_STREQ(error.what(),
                         "Invalid event handler: the form has no method named pageNext");
        }
    }
}

} // namespace
} // namespace setupkit::testing
