#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "platform/registry.h"
#include "setup/engine/text_viewer_dialog.h"
#include "setup/pages/setup_bde_install.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/pages/setup_prog_exec.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::platform::ProfileFile;
using lumora::platform::Registry;
using lumora::testing::readFile;
using lumora::testing::writeFile;
using Strings = std::vector<std::string>;

void writeScript(const fs::path& path, const std::string& body) {
    writeFile(path, "#!/bin/sh\n" + body);
    fs::permissions(path, fs::perms::owner_all);
}

TEST(ProgExec, RunsTheCommandInTheProgramsDirectoryAndWaitsAsTold) {
    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    auto* prog = form.Create<TSetupProgExec>();
    prog->SetProgDir("Install");
    prog->SetProgName("tool");
    prog->SetCommandLine("C:\\Lumora\\ReadMe.txt");
    EXPECT_EQ(prog->Execute(), 1);
    prog->SetWaitForDone(false);
    world.launcher.succeed = false;
    EXPECT_EQ(prog->Execute(), 2);
    ASSERT_EQ(world.launcher.launched.size(), 2u);
    EXPECT_EQ(world.launcher.launched[0].commandLine, "C:\\Lumora\\tool C:\\Lumora\\ReadMe.txt");
    EXPECT_EQ(world.launcher.launched[0].workingDirectory, "C:\\Lumora");
    EXPECT_TRUE(world.launcher.launched[0].wait);
    EXPECT_FALSE(world.launcher.launched[1].wait);
}

TEST(ProgExec, RealProgramIsWaitedForOrLeftRunning) {
    SetupWorld world;
    PlatformProgramLauncher launcher(world.services.drives);
    world.services.launcher = &launcher;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    // Writes its argument once a go-file exists (or at once without one to wait for).
    writeScript(world.host("c/Lumora/tool"),
                "while [ -e hold ] && [ ! -e go ]; do sleep 0.01; done\necho \"$1\" > done\n");
    auto* prog = form.Create<TSetupProgExec>();
    prog->SetProgDir("Install");
    prog->SetProgName("tool");
    prog->SetCommandLine("first");
    EXPECT_EQ(prog->Execute(), 1);
    EXPECT_EQ(readFile(world.host("c/Lumora/done")), "first\n") << "returned before the end";

    writeFile(world.host("c/Lumora/hold"), "");
    prog->SetWaitForDone(false);
    prog->SetCommandLine("second");
    EXPECT_EQ(prog->Execute(), 1) << "a program left running must not block setup";
    EXPECT_EQ(readFile(world.host("c/Lumora/done")), "first\n");
    writeFile(world.host("c/Lumora/go"), "");
    for (int i = 0; i < 500 && readFile(world.host("c/Lumora/done")) != "second\n"; ++i)
        ::usleep(10000);
    EXPECT_EQ(readFile(world.host("c/Lumora/done")), "second\n");

    prog->SetProgName("missing");
    EXPECT_EQ(prog->Execute(), 2);
}

TEST(ProgExec, NotepadShowsTheFileInTheViewerAndWaitsForItsClose) {
    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    writeFile(world.host("c/Lumora/README.TXT"), "Read me\r\nfirst.\r\n");
    auto* prog = form.Create<TSetupProgExec>();
    prog->SetProgDir("Windows");
    prog->SetProgName("NOTEPAD.EXE");
    prog->SetCommandLine("C:\\Lumora\\README.TXT");
    world.interaction.answer("Read me\r\nfirst.\r\n", mrOk);
    EXPECT_EQ(prog->Execute(), 1);
    ASSERT_EQ(world.interaction.messages().size(), 1u);
    const RecordedMessage& shown = world.interaction.messages()[0];
    EXPECT_EQ(shown.box, RecordedMessage::Box::Viewer);
    EXPECT_EQ(shown.title, "README.TXT");
    EXPECT_EQ(shown.text, "Read me\r\nfirst.\r\n");
    EXPECT_TRUE(world.launcher.launched.empty());
    prog->SetCommandLine("C:\\Lumora\\NOTHERE.TXT");
    EXPECT_EQ(prog->Execute(), 2);
}

TEST(TextViewer, ShowsTheFileReadOnlyInEitherEncoding) {
    TextViewerDialog viewer("README.TXT", QByteArray("caf\xe9\r\nline"));
    EXPECT_TRUE(viewer.text()->isReadOnly());
    EXPECT_EQ(viewer.text()->toPlainText(), QString::fromUtf8("café\nline"));
    EXPECT_EQ(decodeViewerText(QByteArray("caf\xc3\xa9")), QString::fromUtf8("café"));
    EXPECT_EQ(viewer.windowTitle(), "README.TXT");
}

// The engine page on the real dialog, with the engine's own setup program a script
// that writes what the real one would into WIN.INI.
class EnginePage : public ::testing::Test {
protected:
    EnginePage() : registry(world.host("registry")), launcher(world.services.drives) {
        world.services.registry = &registry;
        world.services.launcher = &launcher;
        info = world.makeController(form);
        page = form.Create<TSetupBDEInstall>();
        page->SetName("suBDE");
        page->SetButtons(btNext | btCancel);
        next = form.Create<TSetupPage>();
        next->SetName("suAfter");
        next->OnExecute = [this](TSetupComponent*) { next->SetPageState(psDone); };
        page->SetNextPage(next);
        info->Loaded();
        fs::create_directories(world.host("c/ENGINE"));
        writeScript(world.host("c/ENGINE/SETUP.EXE"),
                    "echo run >> runs\nprintf '[IDAPI]\\r\\nDLLPATH=C:\\\\IDAPI\\r\\n"
                    "CONFIGFILE01=C:\\\\IDAPI\\\\IDAPI.CFG\\r\\n' > '" +
                        winIni().string() + "'\n");
        info->SetupData().AddDir("Engine", "C:\\ENGINE\\", nullptr);
        page->SetBDEType(bde16Borland);
        page->SetBDEDir("Engine");
    }
    fs::path winIni() const { return world.host("c/WINDOWS/WIN.INI"); }
    int runs() const {
        if (!fs::exists(world.host("c/ENGINE/runs")))
            return 0;
        const std::string text = readFile(world.host("c/ENGINE/runs"));
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    SetupWorld world;
    QtWizardScope wizard;
    Registry registry;
    PlatformProgramLauncher launcher;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupBDEInstall* page = nullptr;
    TSetupPage* next = nullptr;
};

TEST_F(EnginePage, NoneIsNeverShown) {
    world.interaction.answer("This is not a valid directory string.", mrOk);
    page->SetDefaultDir("D:\\ENGINE");
    EXPECT_EQ(page->DefaultDir(), "C:\\IDAPI\\");
    page->SetDefaultDir("D:\\ENGINE\\");
    EXPECT_EQ(page->DefaultDir(), "D:\\ENGINE\\");
    page->SetBDEType(bdeNone);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(SetupPagesForm(), nullptr);
    EXPECT_EQ(runs(), 0);
}

TEST_F(EnginePage, MissingEngineIsInstalledByItsSetupProgram) {
    world.pump.beforePress = [&](WizardButton) {
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        EXPECT_EQ(dialog->caption(), "BDE Installation");
        EXPECT_EQ(dialog->notebookPage(), npBDEInstall);
        EXPECT_FALSE(dialog->btnBDEReinstall->isEnabled());
        EXPECT_EQ(dialog->btnBDEReinstall->text(), "&Reinstall BDE");
    };
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(runs(), 1);
    EXPECT_TRUE(page->Present());
}

TEST_F(EnginePage, PresentEngineGoesOnAndReinstallRunsTheSetupAgain) {
    ProfileFile(winIni()).writeString("IDAPI", "DLLPATH", "C:\\IDAPI");
    ProfileFile(winIni()).writeString("IDAPI", "CONFIGFILE01", "C:\\IDAPI\\IDAPI.CFG");
    bool reachedNext = false;
    next->OnExecute = [&](TSetupComponent*) {
        reachedNext = true;
        next->SetPageState(psDone);
    };
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_TRUE(reachedNext);
    EXPECT_EQ(runs(), 0);

    // The Reinstall button, pressed instead of Next.
    struct ReinstallPump : SetupMessagePump {
        void processMessages() override {}
        void waitForMessages() override {
            QPushButton* reinstall = TSetupPagesForm::instance()->btnBDEReinstall;
            ASSERT_TRUE(reinstall->isEnabled());
            reinstall->click();
        }
    } reinstallPump;
    world.services.pump = &reinstallPump;
    reachedNext = false;
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(runs(), 1);
    EXPECT_TRUE(reachedNext);
}

TEST_F(EnginePage, SetupProgramThatIsMissingOrIneffectiveCancels) {
    page->SetInstallProgram("NOSUCH.EXE");
    world.pump.press(WizardButton::Next);
    world.interaction.answer("Unable to locate the BDE setup program.", mrOk);
    world.interaction.answer("The BDE setup program failed to execute properly.", mrOk);
    EXPECT_EQ(page->Execute(), psCancelled);
}

TEST_F(EnginePage, FloppyEngineAsksForItsDiskUntilCancelled) {
    world.services.drives.map('A', world.host("floppy"));
    fs::create_directories(world.host("floppy"));
    page->SetBDEDir("Floppy");
    info->SetupData().AddDir("Floppy", "A:\\", nullptr);
    world.pump.press(WizardButton::Next);
    world.interaction.answer("Please insert the BDE Disk 1.", mrOk);
    world.interaction.answer("Please insert the BDE Disk 1.", mrCancel);
    EXPECT_EQ(page->Execute(), psCancelled);
    EXPECT_EQ(runs(), 0);
}

TEST_F(EnginePage, IntegratedInstallSelectsTheFilesAndWritesWinIni) {
    TSetupData& script = info->SetupData();
    TSetupFile* engineFile = script.AddFile("IDAPI.DLL");
    TSetupFile* driverFile = script.AddFile("USA.LD");
    script.BDEFiles().AddFile(engineFile);
    script.BDELDFiles().AddFile(driverFile);
    page->SetBDEType(bde16Integrated);
    page->SetBDEDir("(none)");
    page->SetAllowUnInstall(true);
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    TSetupDir* engine = script.FindDir("$$$BDE$$$");
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->FullPath(), "C:\\IDAPI\\") << "(none) resolves empty: the default";
    EXPECT_TRUE(info->IsFileSelected(engineFile, engine));
    EXPECT_TRUE(info->IsFileSelected(driverFile, script.FindDir("$$$BDELD$$$")));
    const ProfileFile ini(winIni());
    EXPECT_EQ(ini.readString("IDAPI", "DLLPATH"), "C:\\IDAPI");
    EXPECT_EQ(ini.readString("IDAPI", "CONFIGFILE01"), "C:\\IDAPI\\IDAPI.CFG");
    EXPECT_EQ(ini.readString("Borland Language Drivers", "LDPath"), "C:\\IDAPI\\LANGDRV");
    EXPECT_EQ(info->InstalledBDEType(), bde16Integrated);

    // What the copy page would have put there, and a user's file in a subdirectory.
    fs::create_directories(world.host("c/IDAPI/LANGDRV"));
    fs::create_directories(world.host("c/IDAPI/KEEP"));
    writeFile(world.host("c/IDAPI/LANGDRV/USA.LD"), "driver");
    writeFile(world.host("c/IDAPI/IDAPI.DLL"), "engine");
    writeFile(world.host("c/IDAPI/KEEP/mine.txt"), "mine");
    world.interaction.answer("Unable to delete directory C:\\IDAPI.", mrOk);
    page->RemoveBDE(bde16Integrated);
    EXPECT_FALSE(fs::exists(world.host("c/IDAPI/LANGDRV")));
    EXPECT_FALSE(fs::exists(world.host("c/IDAPI/IDAPI.DLL")));
    EXPECT_TRUE(fs::exists(world.host("c/IDAPI/KEEP/mine.txt")));
    EXPECT_FALSE(ProfileFile(winIni()).hasSection("IDAPI"));
}

TEST(EngineRules, EngineDirectoryForAnIntegratedInstall) {
    const struct {
        const char* resolved;
        const char* defaultDir;
        const char* expected;
    } cases[] = {
        {"", "C:\\IDAPI\\", "C:\\IDAPI\\"},
        {"\\", "D:\\ENGINE\\", "D:\\ENGINE\\"},
        {"C:\\Lumora\\BDE\\", "C:\\IDAPI\\", "C:\\Lumora\\BDE\\"},
        {"", "A:\\ENGINE\\", "C:\\IDAPI\\"},
        {"b:\\x\\", "C:\\IDAPI\\", "C:\\IDAPI\\"},
    };
    for (const auto& example : cases)
        EXPECT_EQ(integratedEngineDir(example.resolved, example.defaultDir), example.expected)
            << example.resolved << " / " << example.defaultDir;
}

TEST(EngineRules, ExtraDataLinesAreAdjustedAndIncompleteOnesSkipped) {
    lumora::testing::TempDir temp;
    Registry registry(temp.path() / "registry");
    const std::string key = "SOFTWARE\\Borland\\Database Engine";
    writeExtraData(registry,
                   {key + ":~:DLLPATH:~:X:\\OLD", key + ":~:CONFIGFILE01:~:X:\\OLD\\IDAPI32.CFG",
                    key + ":~:Locale_Lib1:~:X:\\OLD\\USA.BLL", key + ":~:SHAREDMEMSIZE:~:2048",
                    key + ":~::~:empty name", key + ":~:NOVALUE:~:", ":~:NOKEY:~:1",
                    key + ":~:ONLYTWO"},
                   "C:\\IDAPI\\");
    const std::string full = "HKEY_LOCAL_MACHINE\\" + key;
    EXPECT_EQ(registry.valueNames(full),
              (Strings{"DLLPATH", "CONFIGFILE01", "Locale_Lib1", "SHAREDMEMSIZE"}));
    EXPECT_EQ(registry.readString(full, "DLLPATH"), "C:\\IDAPI");
    EXPECT_EQ(registry.readString(full, "CONFIGFILE01"), "C:\\IDAPI\\IDAPI32.CFG");
    EXPECT_EQ(registry.readString(full, "Locale_Lib1"), "C:\\IDAPI\\USA.BLL");
    EXPECT_EQ(registry.readString(full, "SHAREDMEMSIZE"), "2048");
    EXPECT_TRUE(bdePresent(bde32Integrated, temp.path() / "WIN.INI", registry));

    lumora::platform::DriveMap drives;
    drives.map('C', temp.path());
    fs::create_directories(temp.path() / "IDAPI");
    writeFile(temp.path() / "IDAPI/IDAPI32.DLL", "engine");
    removeBDE(bde32Integrated, drives, temp.path() / "WIN.INI", registry, {});
    EXPECT_FALSE(fs::exists(temp.path() / "IDAPI"));
    EXPECT_FALSE(registry.keyExists(full));
    EXPECT_TRUE(registry.keyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland"));
}

} // namespace
} // namespace setupkit::testing
