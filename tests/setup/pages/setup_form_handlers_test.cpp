#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "platform/recording_progman_shell.h"
#include "platform/registry.h"
#include "setup/form/form_text_parser.h"
#include "setup/pages/setup_bde_install.h"
#include "setup/pages/setup_form.h"
#include "setup/pages/setup_groups.h"
#include "setup/pages/setup_prog_exec.h"
#include "setup/pages/setup_uninstall.h"
#include "setup/pages/uninstall_removal.h"

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

using lumora::testing::writeFile;

form::FormComponent shippedSetupForm() {
    return form::parseFormText(
        lumora::testing::readFile(lumora::testing::sourceDir() / "data/installer/TSetupForm.txt"));
}

TEST(SetupFormHandlers, GroupsNextPageOffersTheReadMeThenRegistersTheUninstall) {
    SetupWorld world;
    QtWizardScope wizard;
    lumora::platform::Registry registry(world.host("registry"));
    lumora::platform::RecordingProgmanShell shell;
    world.services.registry = &registry;
    world.services.shell = &shell;
    TSetupForm form(world.services, shippedSetupForm());
    auto* groups = dynamic_cast<TSetupGroups*>(form.Components().FindComponent("suGroups"));
    ASSERT_NE(groups, nullptr);
    EXPECT_TRUE(groups->MinimizeProgMan());
    ASSERT_NE(groups->WinGroup(), nullptr);
    EXPECT_EQ(groups->WinGroup()->Items().size(), 5u);
    auto* prog = dynamic_cast<TSetupProgExec*>(form.Components().FindComponent("suProg"));
    ASSERT_NE(prog, nullptr);
    EXPECT_EQ(prog->ProgName(), "NOTEPAD.EXE");
    auto* unInstall =
        dynamic_cast<TSetupUnInstall*>(form.Components().FindComponent("suUnInstall"));
    ASSERT_NE(unInstall, nullptr);
    EXPECT_EQ(unInstall->LogDir(), "Install");

    writeFile(world.host("c/Lumora/README.TXT"), "Read me.");
    world.interaction.answer("Would you like to read the README.TXT file?", mrYes);
    world.interaction.answer("Read me.", mrOk); // the viewer, closed
    form.suGroupsNextPage(groups);
    EXPECT_EQ(prog->CommandLine(), "C:\\Lumora\\README.TXT");
    EXPECT_EQ(world.interaction.messages().back().text, "Read me.");
    const std::string key = std::string(UnInstallKey) + "\\Lumora";
    EXPECT_EQ(registry.readString(key, "UnInstallString"), "C:\\Lumora\\setup UNINSTALL");

    form.suUnInstallCleanup(unInstall);
    EXPECT_FALSE(registry.keyExists(key));
}

} // namespace
} // namespace setupkit::testing
