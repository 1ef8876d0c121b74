#include "engine_test_support.h"
#include "qt_wizard_scope.h"
#include "shipped_form.h"
#include "step_pump.h"

#include "setup/engine/decompression_library.h"
#include "setup/engine/setup_page.h"
#include "setup/pages/setup_form.h"

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::testing::readFile;
using lumora::testing::writeFile;

// The shipped form's chain welcome -> directory -> last message -> file copy installs
// every file of the script into the chosen directory and records it for the log. The
// chain is cut after the copy, so the pages that follow it play no part here.
TEST(SetupInstallChain, TheShippedChainInstallsEveryFileIntoTheChosenDirectory) {
    SetupWorld world;
    fs::create_directories(world.host("c/SETUP"));
    world.services.programFile = world.host("c/SETUP/setup");
    writeFile(world.services.programFile, "the program");
    fs::remove_all(world.host("c/Lumora"));
    StepPump pump;
    world.services.pump = &pump;
    QtWizardScope wizard;
    TSetupForm form(world.services, shippedSetupForm());
    TSetupInfo* info = form.SetupInfo();
    ASSERT_NE(info, nullptr);
    std::vector<std::string> expected;
    // The files the script ships compressed lie on the disk compressed.
    const DecompressionLibrary library = DecompressionLibrary::besideProgram();
    for (const TSetupFile* file : info->SetupData().Files()) {
        const fs::path source = world.host("c/SETUP/" + file->Name());
        writeFile(file->Compressed() ? world.host("plain") : source, "bytes of " + file->Name());
        if (file->Compressed()) {
            ASSERT_GE(library.TSCompress(world.host("plain"), source), 0) << file->Name();
        }
        expected.push_back("C:\\Lumora\\" + file->Name());
    }
    std::sort(expected.begin(), expected.end());
    auto* copy = static_cast<TSetupPage*>(form.Components().FindComponent("suCopy"));
    ASSERT_NE(copy, nullptr);
    copy->SetNextPage(nullptr);

    world.interaction.answer("The directory C:\\Lumora\\ does not exist. Create it?", mrYes);
    for (int page = 0; page < 3; ++page)
        pump.press(WizardButton::Next);
    auto* welcome = static_cast<TSetupPage*>(form.Components().FindComponent("suWelcome"));
    EXPECT_EQ(welcome->Execute(), psDone);

    for (const TSetupFile* file : info->SetupData().Files())
        EXPECT_EQ(readFile(world.host("c/Lumora/" + file->Name())), "bytes of " + file->Name());
    std::vector<std::string> installed = info->InstalledFiles();
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(installed, expected);
    EXPECT_EQ(info->CreatedDirs(), (std::vector<std::string>{"C:\\Lumora\\"}));
    EXPECT_TRUE(pump.steps.empty());
}

} // namespace
} // namespace setupkit::testing
