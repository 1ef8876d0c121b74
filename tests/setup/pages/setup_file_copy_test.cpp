#include "engine_test_support.h"
#include "qt_wizard_scope.h"
#include "step_pump.h"

#include "platform/file_checksum.h"
#include "setup/engine/decompression_library.h"
#include "setup/pages/setup_file_copy.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/pages/vel_progress_bar.h"

#include <QLabel>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::testing::binDir;
using lumora::testing::readFile;
using lumora::testing::writeFile;

constexpr auto Next = WizardButton::Next;
constexpr auto Cancel = WizardButton::Cancel;

// welcome -> copy page -> last page. The setup program lies in C:\SETUP (the "disk"),
// the files were taken from C:\RELEASE (their Source, used in test mode), and they go
// to C:\Apps\Lumora, which does not exist yet.
class FileCopyPage : public ::testing::Test {
protected:
    FileCopyPage() {
        fs::create_directories(world.host("c/SETUP"));
        fs::create_directories(world.host("c/RELEASE"));
        world.services.programFile = world.host("c/SETUP/setup");
        world.services.pump = &pump;
        info = world.makeController(form);
        TSetupData& script = info->SetupData();
        script.ClearFiles();
        install = script.FindDir("Install");
        install->SetDir("C:\\Apps\\Lumora\\");
        welcome = form.Create<TSetupPage>();
        welcome->SetName("suWelcome");
        page = form.Create<TSetupFileCopy>();
        page->SetName("suCopy");
        last = form.Create<TSetupPage>();
        last->SetName("suLast");
        welcome->SetNextPage(page);
        page->SetNextPage(last);
        page->OnNextPage = [this](TSetupComponent*) { atEnd = snapshot(); };
        page->OnCancel = [this](TSetupComponent*) { ++cancels; };
    }

    TSetupFile* addFile(const std::string& name, const std::string& bytes, TSetupDir* dir,
                        int disk = 1) {
        writeFile(world.host("c/SETUP/" + name), bytes);
        writeFile(world.host("c/RELEASE/" + name), "release " + bytes);
        TSetupData& script = info->SetupData();
        TSetupFile* file = script.AddFile("C:\\RELEASE\\" + name);
        file->SetSize(static_cast<std::int32_t>(bytes.size()));
        dir->AddFile(file);
        while (static_cast<int>(script.Disks().size()) < disk)
            script.AddDisk("Disk " + std::to_string(script.Disks().size() + 1));
        script.GetDisk(disk)->AddFile(file);
        return file;
    }
    fs::path target(const std::string& name) const { return world.host("c/Apps/Lumora/" + name); }
    void makeTarget(const std::string& name, const std::string& bytes) {
        fs::create_directories(target("").parent_path());
        writeFile(target(name), bytes);
    }

    struct Snapshot {
        std::string caption;
        bool prevShown = true;
        bool nextShown = true;
        std::int64_t totalProgress = -1;
        std::int64_t totalMaximum = -1;
        std::string filesLeft;
    };
    static Snapshot snapshot() {
        TSetupPagesForm& dialog = *TSetupPagesForm::instance();
        return {dialog.caption(),
                dialog.buttonVisible(WizardButton::Prev),
                dialog.buttonVisible(Next),
                dialog.pbrFCProgress->Progress(),
                dialog.pbrFCProgress->MaxValue(),
                dialog.laFCFilesLeft->text().toStdString()};
    }

    // Selects the install directory with its files and runs the chain; the welcome's
    // Next comes before the steps the test scripted.
    int run() {
        info->SelectDir(install, true);
        pump.steps.push_front([] { SetupPagesForm()->press(Next); });
        return welcome->Execute();
    }

    SetupWorld world;
    QtWizardScope wizard;
    StepPump pump;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupDir* install = nullptr;
    TSetupPage* welcome = nullptr;
    TSetupFileCopy* page = nullptr;
    TSetupPage* last = nullptr;
    Snapshot atEnd;
    int cancels = 0;
};

TEST_F(FileCopyPage, InstallsIntoNewDirectoriesRecordsThemAndMovesOn) {
    TSetupDir* help = info->SetupData().AddDir("Help", "Help\\", install);
    addFile("Lumora.exe", std::string(5000, 'x'), install);
    addFile("Lumora.hlp", "help", help);
    pump.step([this] {
        TSetupPagesForm& dialog = *TSetupPagesForm::instance();
        EXPECT_EQ(dialog.CurrentPage, last);
        EXPECT_FALSE(dialog.buttonEnabled(WizardButton::Prev)) << "no way back over the copy";
        EXPECT_EQ(dialog.laFC1->text(), "Copying");
        EXPECT_EQ(dialog.laFCTotal->text(), "Total:");
        // The bars sit beside the wider of their labels, on the labels' rows.
        const int labels = std::max(dialog.laFCFile->width(), dialog.laFCTotal->width());
        EXPECT_EQ(dialog.pbrFCFile->x(), labels + 20);
        EXPECT_EQ(dialog.pbrFCProgress->y(), dialog.laFCTotal->y() - 2);
        EXPECT_EQ(dialog.pbrFCProgress->width(),
                  dialog.nbPage->width() - labels - dialog.laFCTotal->x() - 30);
        EXPECT_EQ(dialog.laFCTarget->text(), "C:\\Apps\\Lumora\\Help\\Lumora.hlp");
        dialog.press(Next);
    });
    EXPECT_EQ(run(), psDone);
    EXPECT_EQ(atEnd.caption, "Copying Files");
    EXPECT_FALSE(atEnd.prevShown);
    EXPECT_FALSE(atEnd.nextShown);
    EXPECT_EQ(atEnd.totalMaximum, 5004);
    EXPECT_EQ(atEnd.totalProgress, 5004);
    EXPECT_EQ(atEnd.filesLeft, "1");
    EXPECT_EQ(readFile(target("Lumora.exe")), std::string(5000, 'x'));
    EXPECT_EQ(readFile(target("Help/Lumora.hlp")), "help");
    EXPECT_EQ(info->CreatedDirs(), (std::vector<std::string>{"C:\\Apps\\", "C:\\Apps\\Lumora\\",
                                                             "C:\\Apps\\Lumora\\Help\\"}));
    EXPECT_EQ(info->InstalledFiles(),
              (std::vector<std::string>{"C:\\Apps\\Lumora\\Help\\Lumora.hlp",
                                        "C:\\Apps\\Lumora\\Lumora.exe"}));
    // Each was announced before it was made, so that a kill in between leaves a trace.
    const std::string journal = readFile(target("INSTALL.LOG.journal"));
    for (const std::string& dir : info->CreatedDirs()) {
        ASSERT_NE(journal.find("d\t" + dir + "\n"), std::string::npos) << dir;
        EXPECT_LT(journal.find("d\t" + dir + "\n"), journal.find("D\t" + dir + "\n")) << dir;
    }
    for (const std::string& file : info->InstalledFiles()) {
        ASSERT_NE(journal.find("f\t" + file + "\n"), std::string::npos) << file;
        EXPECT_LT(journal.find("f\t" + file + "\n"), journal.find("F\t" + file + "\n")) << file;
    }
    EXPECT_FALSE(fs::exists(world.host("c/WINDOWS/TSETUP.JNL"))) << "nothing left waiting";
    EXPECT_EQ(cancels, 0);
    EXPECT_TRUE(world.interaction.messages().empty());
}

TEST_F(FileCopyPage, OverwriteSettingsDecideOverExistingTargets) {
    struct Case {
        TSetupOverWriteOptions overWrite;
        std::vector<int> answers; // to the questions, in order
        std::string replaced;     // which of a, b, c got the new bytes
        TSetupOverWriteOptions afterwards;
    };
    const Case cases[] = {
        {swAsk, {mrAll}, "abc", swAlways}, {swAsk, {mrNo, mrYes, mrNo}, "b", swAsk},
        {swNever, {}, "", swNever},        {swOlder, {}, "", swOlder},
        {swAlways, {}, "abc", swAlways},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.replaced + " " + std::to_string(c.overWrite));
        if (info->SetupData().Files().empty())
            for (const char* name : {"a.txt", "b.txt", "c.txt", "new.txt"})
                addFile(name, "new", install);
        const auto sameDate = fs::last_write_time(world.host("c/SETUP/a.txt"));
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            makeTarget(name, "old");
            // The same date as the source: swOlder keeps the target.
            fs::last_write_time(target(name), sameDate);
            fs::last_write_time(world.host(std::string("c/SETUP/") + name), sameDate);
        }
        fs::remove(target("new.txt"));
        page->SetOverWrite(c.overWrite);
        for (int answer : c.answers)
            world.interaction.answer(answer);
        pump.press(Next);
        const std::size_t asked = world.interaction.messages().size();
        EXPECT_EQ(run(), psDone);
        EXPECT_EQ(world.interaction.messages().size() - asked, c.answers.size());
        // One question per existing target, in order, each naming its file.
        for (std::size_t i = 0;
             i < c.answers.size() && asked + i < world.interaction.messages().size(); ++i)
            EXPECT_EQ(world.interaction.messages()[asked + i].text.rfind(
                          "Overwrite file C:\\Apps\\Lumora\\" + std::string(1, char('a' + i)) +
                              ".txt\r\n",
                          0),
                      0u)
                << i;
        for (char name : std::string("abc"))
            EXPECT_EQ(readFile(target(std::string(1, name) + ".txt")),
                      c.replaced.find(name) != std::string::npos ? "new" : "old")
                << name;
        EXPECT_EQ(readFile(target("new.txt")), "new");
        // Files that replaced others are left out of the log; the new one is in.
        EXPECT_EQ(info->InstalledFiles(), (std::vector<std::string>{"C:\\Apps\\Lumora\\new.txt"}));
        EXPECT_EQ(page->OverWrite(), c.afterwards);
        FreeSetupPagesForm();
    }
}

TEST_F(FileCopyPage, DiskPrompts) {
    struct Case {
        const char* name;
        int secondDisk;
        bool test;
        std::vector<int> prompts; // answers to "Please insert disk 2 ..."
        int result;
        std::string second; // bytes of the second file afterwards ("" when not copied)
    };
    const Case cases[] = {
        {"all on disk 1", 1, false, {}, psDone, "two"},
        {"disk 2 asked for", 2, false, {mrOk}, psDone, "two"},
        {"disk 2 refused", 2, false, {mrCancel}, psCancelled, ""},
        {"test mode from drive C", 2, true, {}, psDone, "release two"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(world.host("c/Apps"));
        info->InstallSet().Clear();
        info->SetupData().ClearFiles();
        info->SetupData().ClearDisks();
        addFile("1.txt", "one", install);
        addFile("2.txt", "two", install, c.secondDisk);
        info->SetTest(c.test);
        for (int answer : c.prompts)
            world.interaction.answer("Please insert disk 2 labeled Disk 2.", answer);
        if (c.result == psDone)
            pump.press(Next);
        const std::size_t asked = world.interaction.messages().size();
        EXPECT_EQ(run(), c.result);
        EXPECT_EQ(world.interaction.messages().size() - asked, c.prompts.size());
        EXPECT_EQ(fs::exists(target("2.txt")) ? readFile(target("2.txt")) : "", c.second);
        FreeSetupPagesForm();
    }
}

TEST_F(FileCopyPage, EmptySelectedDirectoryIsMadeOnlyWhenAsked) {
    // A choice item can put a directory without files into the install set.
    info->InstallSet().AddFile(nullptr, info->SetupData().AddDir("Data", "Data\\", install), true);
    addFile("Lumora.exe", "program", install);
    page->SetOverWrite(swAlways);
    for (bool create : {false, true}) {
        SCOPED_TRACE(create);
        page->SetCreateEmptyDirs(create);
        pump.press(Next);
        EXPECT_EQ(run(), psDone);
        EXPECT_EQ(fs::is_directory(target("Data")), create);
        FreeSetupPagesForm();
    }
    EXPECT_EQ(info->CreatedDirs().back(), "C:\\Apps\\Lumora\\Data\\");
}

TEST_F(FileCopyPage, CompressedFileIsExpandedThroughTheLibrary) {
    const DecompressionLibrary library(binDir() / "TSComp32.DLL");
    ASSERT_TRUE(library.canCompress()) << "the build puts TSComp32.DLL beside the tests";
    std::string manual;
    for (int i = 0; i < 20000; ++i)
        manual += "line " + std::to_string(i) + "\n";
    TSetupFile* file = addFile("Lumora.hlp", manual, install);
    writeFile(world.host("raw.hlp"), manual);
    const std::int64_t packed =
        library.TSCompress(world.host("raw.hlp"), world.host("c/SETUP/Lumora.hlp"));
    ASSERT_GT(packed, 0);
    file->SetCompressed(true);
    file->SetCompressedSize(static_cast<std::int32_t>(packed));
    pump.press(Next);
    EXPECT_EQ(run(), psDone);
    EXPECT_EQ(readFile(target("Lumora.hlp")), manual);
    EXPECT_EQ(info->InstalledFiles(), (std::vector<std::string>{"C:\\Apps\\Lumora\\Lumora.hlp"}));
    // The library's progress messages (1027) filled the total bar.
    EXPECT_EQ(atEnd.totalMaximum, static_cast<int>(manual.size()));
    EXPECT_EQ(atEnd.totalProgress, atEnd.totalMaximum);
}

// Files may grow no further than `limit` bytes while it lives; the signal that would
// end the process is ignored so the write fails instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

TEST_F(FileCopyPage, CopyFailingHalfWayLeavesTheOldTargetAndTheRunGoesOn) {
    const std::string old(10000, 'o');
    makeTarget("big.bin", old);
    addFile("big.bin", std::string(1 << 20, 'n'), install);
    addFile("small.txt", "small", install);
    page->SetOverWrite(swAlways);
    // The catalogue's text, and the system's reason on a line of its own.
    const std::string error = "FILE COPY ERROR: big.bin located on disk 1.\r\nFile too large";
    world.interaction.answer(error, mrRetry);
    world.interaction.answer(error, mrIgnore);
    pump.press(Next);
    int result = -1;
    {
        const FileSizeLimit limit(256 * 1024);
        result = run();
    }
    EXPECT_EQ(result, psDone);
    EXPECT_EQ(readFile(target("big.bin")), old);
    EXPECT_EQ(readFile(target("small.txt")), "small");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(target("").parent_path()))
        // The journal of what this run wrote lies beside the log until the run ends.
        if (entry.path().filename() != "INSTALL.LOG.journal")
            left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"big.bin", "small.txt"})) << "no half copy left";
    EXPECT_EQ(world.interaction.messages().size(), 2u);
    EXPECT_EQ(atEnd.totalProgress, atEnd.totalMaximum) << "an ignored file still counts";
}

// A source that is not the file the script and the distribution's list record, and a
// file the script puts on no disk: each is a copy error that names the file and says
// why, in the box and on standard error, and nothing of the file is installed. (The
// system's own reasons are shown the same way: see CopyFailingHalfWay.)
class FileCopyError : public FileCopyPage, public ::testing::WithParamInterface<int> {};

TEST_P(FileCopyError, SaysWhy) {
    using Self = std::remove_reference_t<decltype(*this)>;
    struct Case {
        const char* name;
        std::function<void(Self&)> arrange;
        int disk;
        std::string cause;
    };
    const Case cases[] = {
        {"cut short",
         [](Self& test) {
             test.addFile("a.txt", std::string(5000, 'a'), test.install);
             writeFile(test.world.host("c/SETUP/a.txt"), std::string(100, 'a'));
         },
         1, "it holds 100 bytes, not 5000"},
        {"damaged",
         [](Self& test) {
             test.addFile("a.txt", "right", test.install);
             writeFile(test.world.host("c/SETUP/a.txt"), "wrong");
             writeFile(test.world.host("c/SETUP/SETUP.SUM"),
                       lumora::platform::formatChecksumList(
                           {{"a.txt", {5, lumora::platform::crc32("right")}}}));
         },
         1, "its checksum differs from the one recorded"},
        {"on no disk",
         [](Self& test) {
             TSetupFile* file = test.addFile("a.txt", "text", test.install);
             test.info->SetupData().GetDisk(1)->RemoveFile(file);
         },
         0, "the install script puts it on no install disk"},
    };
    const Case& c = cases[GetParam()];
    SCOPED_TRACE(c.name);
    c.arrange(*this);
    world.interaction.answer("FILE COPY ERROR: a.txt located on disk " + std::to_string(c.disk) +
                                 ".\r\n" + c.cause,
                             mrIgnore);
    pump.press(Next);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run(), psDone);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("a.txt failed: "), std::string::npos) << log;
    EXPECT_NE(log.find("(" + c.cause + ")"), std::string::npos) << log;
    EXPECT_TRUE(info->InstalledFiles().empty());
    EXPECT_FALSE(fs::is_regular_file(target("a.txt")));
    EXPECT_EQ(world.interaction.pendingAnswers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Causes, FileCopyError, ::testing::Range(0, 3));

TEST_F(FileCopyPage, CancelDuringTheCopyStopsBeforeTheNextFileAndCancelsTheChain) {
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        addFile(name, name, install);
    bool pressed = false;
    pump.onProcess = [&] {
        if (!pressed && fs::exists(target("1.txt"))) {
            pressed = true;
            SetupPagesForm()->press(Cancel);
        }
    };
    world.interaction.answer("Cancel Setup?", mrYes);
    EXPECT_EQ(run(), psCancelled);
    EXPECT_TRUE(fs::exists(target("1.txt")));
    EXPECT_FALSE(fs::exists(target("2.txt")));
    EXPECT_FALSE(fs::exists(target("3.txt")));
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(page->Aborted());
    EXPECT_EQ(welcome->PageState(), psCancelled);
    EXPECT_EQ(last->PageState(), psWaiting) << "the page after never ran";
}

TEST_F(FileCopyPage, LowSpaceWarnsOrFiresTheEventAndWaitsForCancel) {
    // Far more than any test machine's drive holds; the files need not exist.
    TSetupData& script = info->SetupData();
    for (int i = 0; i < 2000; ++i) {
        TSetupFile* file = script.AddFile("C:\\RELEASE\\f" + std::to_string(i));
        file->SetSize(2000000000);
        install->AddFile(file);
        script.GetDisk(1)->AddFile(file);
    }
    const std::int64_t needed = 2000LL * 2000000000;
    for (bool handled : {false, true}) {
        SCOPED_TRACE(handled);
        std::vector<std::pair<char, std::int64_t>> fired;
        if (handled)
            page->OnDriveTooSmall = [&](TSetupComponent* sender, char drive, std::int64_t need,
                                        std::int64_t available) {
                EXPECT_EQ(sender, page);
                EXPECT_LT(available, need);
                fired.emplace_back(drive, need);
            };
        const std::size_t asked = world.interaction.messages().size();
        pump.step([] {
            TSetupPagesForm& dialog = *TSetupPagesForm::instance();
            EXPECT_FALSE(dialog.buttonVisible(Next));
            EXPECT_TRUE(dialog.buttonEnabled(Cancel));
            dialog.press(Cancel);
        });
        if (!handled)
            world.interaction.answer(mrOk);
        world.interaction.answer("Cancel Setup?", mrYes);
        EXPECT_EQ(run(), psCancelled);
        const auto& messages = world.interaction.messages();
        if (handled) {
            EXPECT_EQ(fired, (std::vector<std::pair<char, std::int64_t>>{{'C', needed}}));
            EXPECT_EQ(messages.size() - asked, 1u) << "the cancel question only";
        } else {
            ASSERT_EQ(messages.size() - asked, 2u);
            const RecordedMessage& warning = messages[asked];
            EXPECT_EQ(warning.box, RecordedMessage::Box::Standard);
            EXPECT_EQ(warning.kind, mtWarning);
            EXPECT_EQ(warning.text.rfind("There is not enough space on the C drive.\r\n", 0), 0u);
            EXPECT_NE(warning.text.find("\r\n" + std::to_string(needed) +
                                        " bytes are required on this drive.\r\n"),
                      std::string::npos);
        }
        EXPECT_FALSE(fs::exists(world.host("c/Apps"))) << "nothing was made";
        FreeSetupPagesForm();
    }
}

} // namespace
} // namespace setupkit::testing
