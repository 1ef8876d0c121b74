#include "platform/drive_map.h"
#include "setup/engine/language_library.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/pages/copy_plan.h"
#include "setup/pages/directory_creation.h"
#include "setup/pages/file_install.h"
#include "setup/script/setup_script.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <deque>

using lumora::testing::binDir;
using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
using namespace setupkit;

namespace {

std::string catchMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const EInOutError& error) {
        return error.what() + (error.cause().empty() ? "" : " (" + error.cause() + ")");
    }
    return "no error";
}

} // namespace

// The pieces of the copy run together: directories made and recorded, a new file and
// an expanded compressed file recorded, a replaced file written but not recorded.
TEST(FileInstall, CopyRunInstallsNewReplacedAndCompressedFiles) {
    TempDir sourceDrive;
    TempDir targetDrive;
    lumora::platform::DriveMap drives;
    drives.map('S', sourceDrive.path());
    drives.map('C', targetDrive.path());
    const DecompressionLibrary library(binDir() / "TSComp32.DLL");
    ASSERT_TRUE(library.canCompress());

    writeFile(sourceDrive / "Lumora.exe", "the program");
    writeFile(sourceDrive / "ReadMe.txt", "new read-me");
    writeFile(sourceDrive / "help.raw", std::string(50000, 'h'));
    ASSERT_GT(library.TSCompress(sourceDrive / "help.raw", sourceDrive / "Lumora.hlp"), 0);
    std::filesystem::create_directories(targetDrive / "Apps" / "Lumora");
    writeFile(targetDrive / "Apps" / "Lumora" / "ReadMe.txt", "old read-me");

    TSetupData script;
    TSetupDir* install = script.FindDir("Install");
    install->SetDir("C:\\Apps\\Lumora\\");
    TSetupDir* help = script.AddDir("Help", "Help\\Files\\", install);
    TSetupFileGroup installSet(&script);
    const std::vector<TSetupDir*> selected = {install, help};
    auto add = [&](const char* name, TSetupDir* dir, bool compressed) {
        TSetupFile* file = script.AddFile(std::string("S:\\") + name);
        file->SetCompressed(compressed);
        script.GetDisk(1)->AddFile(file);
        installSet.AddFile(file, dir, true);
    };
    add("Lumora.exe", install, false);
    add("ReadMe.txt", install, false);
    add("Lumora.hlp", help, true);

    auto creation = createTargetDirectories(
        drives, targetDirectories(installSet, selected, false),
        [](const std::string& path) { FAIL() << "could not create " << path; });
    EXPECT_EQ(creation.created, (std::vector<std::string>{"C:\\Apps\\Lumora\\Help\\",
                                                          "C:\\Apps\\Lumora\\Help\\Files\\"}));

    ScriptedSetupInteraction interaction;
    MessageCatalogue texts(interaction, noLanguageLibrary());
    const FileInspector inspect = hostFileInspector(drives, &library);
    TSetupOverWriteOptions overWrite = swAlways;
    bool abort = false;
    std::vector<std::string> installed;
    for (const CopyEntry& entry : buildCopyList(creation.targets, installSet, script)) {
        const std::string source = "S:\\" + entry.fileName;
        const std::string target = entry.targetDir + entry.fileName;
        const auto decision = decideOverwrite(overWrite, {source, target, entry.disk}, inspect,
                                              texts, nullptr, abort);
        ASSERT_TRUE(decision.copy);
        copyOrExpandFile(drives, source, target, entry.file->Compressed(), false, &library, texts);
        if (!decision.targetExisted)
            installed.push_back(target);
    }
    // In copy-list order: by file name first.
    EXPECT_EQ(installed, (std::vector<std::string>{"C:\\Apps\\Lumora\\Lumora.exe",
                                                   "C:\\Apps\\Lumora\\Help\\Files\\Lumora.hlp"}));
    const auto dir = targetDrive / "Apps" / "Lumora";
    EXPECT_EQ(readFile(dir / "ReadMe.txt"), "new read-me");
    EXPECT_EQ(readFile(dir / "Lumora.exe"), "the program");
    EXPECT_EQ(readFile(dir / "Help" / "Files" / "Lumora.hlp"), std::string(50000, 'h'));
}

TEST(FileInstall, ExpansionThatCannotHappenIsACompressionError) {
    TempDir drive;
    lumora::platform::DriveMap drives;
    drives.map('C', drive.path());
    writeFile(drive / "plain.txt", "not compressed");
    ScriptedSetupInteraction interaction;
    MessageCatalogue texts(interaction, noLanguageLibrary());
    const DecompressionLibrary absent;
    const DecompressionLibrary missing(drive / "TSComp32.DLL");
    const DecompressionLibrary library(binDir() / "TSComp32.DLL");

    // The message names the library, not only the file being installed.
    EXPECT_EQ(catchMessage([&] {
                  copyOrExpandFile(drives, "C:\\plain.txt", "C:\\out.txt", true, false, &absent,
                                   texts);
              }),
              "Compression error. (TSComp32.DLL: no such library)");
    EXPECT_EQ(catchMessage([&] {
                  copyOrExpandFile(drives, "C:\\plain.txt", "C:\\out.txt", true, false, &missing,
                                   texts);
              }),
              "Compression error. (TSComp32.DLL: no such library)");
    EXPECT_EQ(catchMessage([&] {
                  copyOrExpandFile(drives, "C:\\plain.txt", "C:\\out.txt", true, false, &library,
                                   texts);
              }).rfind("Compression error. (TSComp32.DLL could not expand it (error ", 0),
              0u);
    // Test mode copies the file as it lies on the source.
    copyOrExpandFile(drives, "C:\\plain.txt", "C:\\out.txt", true, true, &absent, texts);
    EXPECT_EQ(readFile(drive / "out.txt"), "not compressed");
}

// The box has room for a cause of a few lines; a longer one is cut (the log keeps it).
TEST(FileInstall, FileErrorTextAddsTheCauseWhereThereIsRoom) {
    ScriptedSetupInteraction interaction;
    MessageCatalogue texts(interaction, noLanguageLibrary());
    EXPECT_EQ(fileErrorText(texts, "a.txt", 1, ""), "FILE COPY ERROR: a.txt located on disk 1.");
    const std::string text = fileErrorText(texts, "a.txt", 1, std::string(500, 'c'));
    EXPECT_EQ(text,
              "FILE COPY ERROR: a.txt located on disk 1.\r\n" + std::string(160, 'c') + "...");
}

// A source cut short is refused before the target is touched; a whole one installs.
TEST(FileInstall, ASourceOfAnotherSizeThanRecordedIsRefused) {
    TempDir drive;
    lumora::platform::DriveMap drives;
    drives.map('C', drive.path());
    writeFile(drive / "a.txt", "cut");
    writeFile(drive / "old.txt", "old");
    ScriptedSetupInteraction interaction;
    MessageCatalogue texts(interaction, noLanguageLibrary());
    const FileExpectation expected{10, 10, std::nullopt};
    EXPECT_EQ(catchMessage([&] {
                  copyOrExpandFile(drives, "C:\\a.txt", "C:\\old.txt", false, false, nullptr, texts,
                                   {}, {}, expected);
              }),
              "Error opening source file. (it holds 3 bytes, not 10)");
    EXPECT_EQ(readFile(drive / "old.txt"), "old");
    writeFile(drive / "a.txt", "0123456789");
    copyOrExpandFile(drives, "C:\\a.txt", "C:\\old.txt", false, false, nullptr, texts, {}, {},
                     expected);
    EXPECT_EQ(readFile(drive / "old.txt"), "0123456789");
}

TEST(FileInstall, FileErrorQuestion) {
    struct Case {
        std::vector<int> answers;
        FileErrorOutcome outcome;
        bool abort;
    };
    const Case cases[] = {
        {{mrRetry}, FileErrorOutcome::Retry, false},
        {{mrIgnore}, FileErrorOutcome::Ignore, false},
        {{mrAbort, mrYes}, FileErrorOutcome::Leave, true},
        {{mrAbort, mrNo}, FileErrorOutcome::Leave, false},
    };
    ScriptedSetupInteraction interaction;
    MessageCatalogue texts(interaction, noLanguageLibrary());
    for (const auto& c : cases) {
        std::deque<int> answers(c.answers.begin(), c.answers.end());
        std::vector<std::string> asked;
        const AskUser ask = [&](const std::string& text, int, unsigned) {
            asked.push_back(text);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
        bool abort = false;
        EXPECT_EQ(askAboutFileError(texts, ask, "Lumora.exe", 2, abort, "Permission denied"),
                  c.outcome);
        EXPECT_EQ(abort, c.abort);
        EXPECT_EQ(asked.front(),
                  "FILE COPY ERROR: Lumora.exe located on disk 2.\r\nPermission denied");
        EXPECT_TRUE(answers.empty());
    }
}
