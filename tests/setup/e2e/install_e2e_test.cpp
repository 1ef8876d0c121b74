// The distribution's setup as a user runs it: real processes, offscreen, a temporary
// home, answers from an answer file.

#include "machine.h"

#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/setup_data_property.h"
#include "setup/script/dos_date_time.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <sys/stat.h>
#include <tuple>

namespace setupkit::e2e {
namespace {

namespace fs = std::filesystem;
using lumora::testing::readFile;

fs::path distSetup() {
    return Machine::distribution() / "setup";
}

std::unique_ptr<TSetupData> shippedScript() {
    const auto stream = form::findPackedResource(readFile(distSetup()), form::kSetupFormResource);
    if (!stream)
        throw std::runtime_error("the distribution's setup holds no form");
    const form::FormComponent tree = form::readFormStream(*stream);
    const form::FormProperty* setupData = form::findSetupDataProperty(tree);
    if (!setupData)
        throw std::runtime_error("the form holds no install script");
    auto script = std::make_unique<TSetupData>();
    ValueReader reader(setupData->value.encoded);
    script->ReadData(reader);
    return script;
}

TEST(Distribution, ShipsEveryFileOfItsScriptWithItsRealSizeAndDate) {
    const auto scriptHolder = shippedScript();
    const TSetupData& script = *scriptHolder;
    ASSERT_EQ(script.Files().size(), 12u);
    std::size_t shipped = 0;
    for (const TSetupFile* file : script.Files()) {
        SCOPED_TRACE(file->Name());
        const fs::path path = Machine::distribution() / file->Name();
        ASSERT_TRUE(fs::is_regular_file(path));
        EXPECT_EQ(static_cast<std::uintmax_t>(file->Size()), fs::file_size(path));
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        std::tm local{};
        localtime_r(&info.st_mtime, &local);
        // File dates are kept to two seconds, as the install script always kept them.
        const CalendarDateTime recorded = decodeDateTime(file->DateTime());
        EXPECT_EQ(std::tie(recorded.year, recorded.month, recorded.day, recorded.hour,
                           recorded.minute, recorded.second),
                  std::make_tuple(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour, local.tm_min, local.tm_sec / 2 * 2));
        ++shipped;
    }
    // setup and the program are among them, and nothing else lies in the folder.
    EXPECT_NE(script.FindFile("setup"), nullptr);
    EXPECT_NE(script.FindFile("Lumora"), nullptr);
    EXPECT_EQ(static_cast<std::size_t>(std::distance(
                  fs::directory_iterator(Machine::distribution()), fs::directory_iterator())),
              shipped);
}

TEST(UnattendedInstall, CancelOnTheWelcomePageLeavesTheHomeAsItWas) {
    Machine machine;
    const auto before = machine.listing();
    const ProcessRun run = machine.run(distSetup(), {},
                                       "press Cancel\n"
                                       "answer Yes Cancel Setup?\n"
                                       "answer OK Setup failed.\n");
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(listingDifference(before, machine.listing()), "");
}

TEST(UnattendedInstall, AQuestionTheAnswerFileDoesNotCoverStopsTheRunWithItsText) {
    Machine machine;
    const ProcessRun run = machine.run(distSetup(), {}, "press Cancel\nanswer No\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.log.find("Cancel Setup?"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("the answer file has no button press left for the page \"Welcome\""),
              std::string::npos)
        << run.log;
}

} // namespace
} // namespace setupkit::e2e
