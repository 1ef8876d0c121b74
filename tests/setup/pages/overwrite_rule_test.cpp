#include "setup/engine/language_library.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/pages/overwrite_rule.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <deque>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>

using lumora::testing::TempDir;
using lumora::testing::writeFile;
using namespace setupkit;

namespace {

struct Question {
    std::string text;
    int kind;
    unsigned buttons;
};

// Files described in memory, and a user who answers from a queue.
struct Fixture {
    std::map<std::string, FileFacts> files;
    std::deque<int> answers;
    std::vector<Question> asked;
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue{interaction, noLanguageLibrary()};
    bool abort = false;

    FileInspector inspector() {
        FileInspector inspect;
        inspect.exists = [this](const std::string& p) { return files.contains(p); };
        inspect.fileFacts = [this](const std::string& p) {
            return files.contains(p) ? files.at(p) : FileFacts{};
        };
        inspect.sourceFacts = inspect.fileFacts;
        return inspect;
    }
    AskUser ask() {
        return [this](const std::string& text, int kind, unsigned buttons) {
            asked.push_back({text, kind, buttons});
            if (answers.empty())
                throw std::logic_error("unexpected question: " + text);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
    OverwriteDecision decide(TSetupOverWriteOptions& mode, int disk = 1) {
        return decideOverwrite(mode, {"A:\\Lumora.exe", "C:\\Lumora\\Lumora.exe", disk},
                               inspector(), catalogue, ask(), abort,
                               [](std::int64_t s) { return "T" + std::to_string(s); });
    }
};

} // namespace

TEST(OverwriteRule, WithoutQuestions) {
    struct Case {
        TSetupOverWriteOptions mode;
        std::optional<std::int64_t> sourceDate; // nullopt: no target at all
        std::int64_t targetDate;
        bool copy;
    };
    const Case cases[] = {
        {swNever, std::nullopt, 0, true}, {swAsk, std::nullopt, 0, true},
        {swNever, 100, 100, false},       {swAlways, 100, 200, true},
        {swOlder, 100, 100, false},       {swOlder, 101, 100, true},
        {swOlder, 99, 100, false},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.files["A:\\Lumora.exe"] = {10, c.sourceDate.value_or(5)};
        if (c.sourceDate)
            f.files["C:\\Lumora\\Lumora.exe"] = {20, c.targetDate};
        TSetupOverWriteOptions mode = c.mode;
        const auto decision = f.decide(mode);
        EXPECT_EQ(decision.copy, c.copy) << c.mode << " " << c.sourceDate.value_or(-1);
        EXPECT_EQ(decision.targetExisted, c.sourceDate.has_value());
        EXPECT_TRUE(f.asked.empty());
    }
}

TEST(OverwriteRule, AskShowsBothFilesAndTheAnswersDecide) {
    struct Case {
        std::vector<int> answers;
        bool copy;
        bool abort;
        TSetupOverWriteOptions after;
    };
    const Case cases[] = {
        {{mrYes}, true, false, swAsk},         {{mrNo}, false, false, swAsk},
        {{mrAll}, true, false, swAlways},      {{mrAbort, mrYes}, false, true, swAsk},
        {{mrAbort, mrNo}, true, false, swAsk},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.files["A:\\Lumora.exe"] = {1234, 2000};
        f.files["C:\\Lumora\\Lumora.exe"] = {999, 1000};
        f.answers.assign(c.answers.begin(), c.answers.end());
        TSetupOverWriteOptions mode = swAsk;
        const auto decision = f.decide(mode);
        EXPECT_EQ(decision.copy, c.copy);
        EXPECT_TRUE(decision.targetExisted);
        EXPECT_EQ(f.abort, c.abort);
        EXPECT_EQ(mode, c.after);
        ASSERT_EQ(f.asked.size(), c.answers.size());
        EXPECT_EQ(f.asked[0].text, "Overwrite file C:\\Lumora\\Lumora.exe\r\n"
                                   "T1000 999 bytes\r\n"
                                   "with file C:\\Lumora\\Lumora.exe\r\n"
                                   "T2000 1234 bytes");
        EXPECT_EQ(f.asked[0].kind, mtConfirmation);
        EXPECT_EQ(f.asked[0].buttons, mbYes | mbNo | mbAbort | mbAll);
        if (c.answers.size() > 1) {
            EXPECT_EQ(f.asked[1].text, "Abort file copy?");
            EXPECT_EQ(f.asked[1].buttons, mbYes | mbNo);
        }
    }
}

TEST(OverwriteRule, AllMeansNoMoreQuestionsForLaterFiles) {
    Fixture f;
    f.files["A:\\Lumora.exe"] = {1, 1};
    f.files["C:\\Lumora\\Lumora.exe"] = {1, 1};
    f.answers = {mrAll};
    TSetupOverWriteOptions mode = swAsk;
    EXPECT_TRUE(f.decide(mode).copy);
    EXPECT_TRUE(f.decide(mode).copy);
    EXPECT_TRUE(f.decide(mode).copy);
    EXPECT_EQ(f.asked.size(), 1u);
}

TEST(OverwriteRule, UnreadableFileAsksToSkipAndRetryReadsAgain) {
    Fixture f;
    f.files["A:\\Lumora.exe"] = {-1, std::nullopt};
    f.files["C:\\Lumora\\Lumora.exe"] = {5, 1};
    f.answers = {mrRetry, mrAbort};
    TSetupOverWriteOptions mode = swAsk;
    const auto decision = f.decide(mode, 3);
    EXPECT_FALSE(decision.copy);
    EXPECT_TRUE(f.abort);
    ASSERT_EQ(f.asked.size(), 2u);
    EXPECT_EQ(f.asked[0].text,
              "FILE COPY ERROR: A:\\Lumora.exe located on disk 3.\r\nSkip this file?");
    EXPECT_EQ(f.asked[0].buttons, mbYes | mbAbort | mbRetry);

    Fixture target;
    target.files["A:\\Lumora.exe"] = {5, 1};
    target.files["C:\\Lumora\\Lumora.exe"] = {-1, std::nullopt};
    target.answers = {mrYes};
    EXPECT_FALSE(target.decide(mode, 3).copy);
    EXPECT_FALSE(target.abort);
    EXPECT_EQ(target.asked[0].text,
              "FILE COPY ERROR: C:\\Lumora\\Lumora.exe located on disk 0.\r\nSkip this file?");
}

TEST(OverwriteRule, HostInspectorReadsSizesAndDatesThroughTheDriveMap) {
    TempDir dir;
    lumora::platform::DriveMap drives;
    drives.map('C', dir.path());
    writeFile(dir / "ReadMe.txt", "12345");
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1600000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "ReadMe.txt").c_str(), times, 0), 0);

    const FileInspector inspect = hostFileInspector(drives);
    EXPECT_TRUE(inspect.exists("C:\\README.TXT"));
    EXPECT_FALSE(inspect.exists("C:\\missing.txt"));
    const FileFacts facts = inspect.sourceFacts("c:\\readme.txt");
    EXPECT_EQ(facts.size, 5);
    EXPECT_EQ(facts.date, 1600000000);
    EXPECT_EQ(inspect.fileFacts("C:\\missing.txt").size, -1);
}
