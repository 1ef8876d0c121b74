#include "engine_test_support.h"
#include "qt_wizard_scope.h"
#include "shipped_form.h"

#include "setup/engine/setup_error.h"
#include "setup/engine/setup_page.h"
#include "setup/pages/setup_background.h"
#include "setup/pages/setup_form.h"
#include "setup/pages/setup_message.h"
#include "setup/pages/setup_pages_form.h"

#include "setup/form/form_stream_reader.h"
#include "setup/form/form_stream_writer.h"
#include "setup/form/form_text_parser.h"
#include "setup/form/form_text_writer.h"
#include "temp_dir.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

std::string shippedFormText() {
    return lumora::testing::readFile(lumora::testing::sourceDir() /
                                     "data/installer/TSetupForm.txt");
}

form::FormComponent shippedSetupForm() {
    return form::parseFormText(shippedFormText());
}

TEST(SetupForm, TheShippedFormTextRoundTripsThroughTheStream) {
    const std::string text = shippedFormText();
    const std::string stream = form::writeFormStream(form::parseFormText(text));
    EXPECT_TRUE(stream.starts_with("TPF0"));
    EXPECT_EQ(form::formToText(form::readFormStream(stream)), text);
}

TEST(SetupForm, LoadsTheShippedForm) {
    SetupWorld world;
    QtWizardScope wizard;
    TSetupForm form(world.services, shippedSetupForm());
    TSetupInfo* info = form.SetupInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(form.windowTitle(), "Lumora Setup Program");
    EXPECT_EQ(info->SetupData().AppName(), "Lumora");
    EXPECT_EQ(info->SetupData().Files().size(), 13u);
    EXPECT_EQ(info->MultiDiskFiles().size(), 6u);
    EXPECT_EQ(info->SelectedDirs().size(), 3u);
    EXPECT_EQ(info->InstallSet().ListFiles(info->SetupData().FindDir("Install")).size(), 13u);

    TSetupBackground* background = form.Background();
    ASSERT_NE(background, nullptr);
    ASSERT_NE(background->AutoSetup(), nullptr);
    EXPECT_EQ(background->AutoSetup()->Name(), "suWelcome");
    EXPECT_EQ(background->AutoUnInstall()->Name(), "suUnInstall");
    EXPECT_EQ(background->AppFontColor(), QColor(255, 255, 0));
    EXPECT_EQ(background->appNameLabel()->text(), "Lumora");

    auto* welcome = dynamic_cast<TSetupMessage*>(form.Components().FindComponent("suWelcome"));
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->Lines().size(), 7u);
    EXPECT_EQ(welcome->Buttons(), btNext | btCancel);
    ASSERT_NE(welcome->NextPage(), nullptr);
    EXPECT_EQ(welcome->NextPage()->Name(), "suDir");
    EXPECT_NE(info->SetupData().FindWinGroup("suGroups"), nullptr);
    EXPECT_NE(info->SetupData().FindChoiceData("suInstallType"), nullptr);
}

TEST(SetupForm, TheWelcomePageShowsHowToGoOnWithoutScrolling) {
    SetupWorld world;
    QtWizardScope wizard;
    TSetupForm form(world.services, shippedSetupForm());
    auto* welcome = dynamic_cast<TSetupMessage*>(form.Components().FindComponent("suWelcome"));
    ASSERT_NE(welcome, nullptr);
    bool seen = false;
    world.pump.beforePress = [&](WizardButton) {
        if (seen)
            return;
        seen = true;
        QTextEdit* memo = TSetupPagesForm::instance()->meMSGIntent;
        QCoreApplication::processEvents();
        EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const QTextCursor found = memo->document()->find(QStringLiteral("Click Next to continue"));
        ASSERT_FALSE(found.isNull());
        // The sentence's last line lies inside the memo as it opens.
        const QRect where = memo->cursorRect(found);
        EXPECT_GE(where.top(), 0);
        EXPECT_LE(where.bottom(), memo->viewport()->height()) << memo->toPlainText().toStdString();
        // No sentence is broken by a line end of its own.
        for (const std::string& line : welcome->Lines())
            EXPECT_TRUE(line.empty() || line.back() == '.') << line;
    };
    world.pump.press(WizardButton::Cancel);
    world.interaction.answer("Cancel Setup?", mrYes);
    EXPECT_EQ(welcome->Execute(), psCancelled);
    EXPECT_TRUE(seen);
}

TEST(SetupForm, UnknownClassInTheTreeIsNamed) {
    SetupWorld world;
    QtWizardScope wizard;
    form::FormComponent tree = shippedSetupForm();
    tree.children.push_back({"TSetupSpinner", "suSpin", {}, {}});
    try {
        TSetupForm form(world.services, tree);
        FAIL() << "an unknown class was built";
    } catch (const ESetupError& error) {
        EXPECT_STREQ(error.what(), "Class TSetupSpinner not found (component suSpin)");
    }
}

} // namespace
} // namespace setupkit::testing
