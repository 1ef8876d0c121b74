// The distribution's setup run from a copy of the folder with one file damaged, as an
// administrator meets it after a broken download: a clear message that names the file,
// and no claim of success.

#include "machine.h"

#include "platform/file_checksum.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace setupkit::e2e {
namespace {

namespace fs = std::filesystem;
using lumora::testing::readFile;
using lumora::testing::sourceDir;
using lumora::testing::TempDir;
using lumora::testing::writeFile;

// A copy of the distribution folder with `name` cut to half its size.
fs::path distributionWithHalf(const TempDir& dir, const std::string& name) {
    const fs::path copy = dir / "Lumora-setup";
    fs::copy(Machine::distribution(), copy, fs::copy_options::recursive);
    const std::string whole = readFile(copy / name);
    writeFile(copy / name, whole.substr(0, whole.size() / 2));
    return copy;
}

const std::string kInstallAnswers = readFile(sourceDir() / "data/installer/unattended-install.txt");

TEST(DamagedDistribution, ListsTheSizeAndChecksumOfEveryFileItShips) {
    const auto list = lumora::platform::readChecksumList(Machine::distribution());
    ASSERT_TRUE(list);
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(Machine::distribution())) {
        const std::string name = entry.path().filename().string();
        if (name == lumora::platform::ChecksumListName)
            continue;
        ++files;
        const auto recorded = list->find(name);
        ASSERT_NE(recorded, list->end()) << name;
        EXPECT_EQ(recorded->second, lumora::platform::fileFacts(entry.path())) << name;
    }
    EXPECT_EQ(list->size(), files);
}

// A file cut short in the folder (a plain one and a compressed one) stops the copy
// with the copy error that names it and says why, never "Setup completed successfully."
TEST(DamagedDistribution, AFileCutShortIsACopyErrorNotASuccess) {
    for (const std::string name : {"description.txt", "Lumora.hlp"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        const fs::path copy = distributionWithHalf(dir, name);
        Machine machine;
        const ProcessRun run = machine.run(copy / "setup", {}, kInstallAnswers);
        EXPECT_FALSE(run.timedOut) << run.log;
        EXPECT_NE(run.exitCode, 0) << run.log;
        EXPECT_NE(run.log.find("FILE COPY ERROR: " + name + " located on disk 1.\r\nit holds "),
                  std::string::npos)
            << run.log;
        EXPECT_EQ(run.log.find("Setup completed successfully."), std::string::npos) << run.log;
        EXPECT_FALSE(fs::exists(machine.installDir() / name));
    }
}

// A language library cut short is named in a warning before anything else, and
// setup goes on in English: its copy of the library is then refused like any file
// that is not as recorded.
TEST(DamagedDistribution, ALanguageLibraryCutShortIsNamedAndEnglishGoesOn) {
    TempDir dir;
    const fs::path copy = distributionWithHalf(dir, "TSLANG32.DLL");
    Machine machine;
    const ProcessRun run = machine.run(copy / "setup", {}, "answer OK\n" + kInstallAnswers);
    EXPECT_FALSE(run.timedOut) << run.log;
    EXPECT_NE(run.exitCode, 0) << run.log;
    const std::size_t warning =
        run.log.find("The language library cannot be used: TSLANG32.DLL: it holds ");
    EXPECT_NE(warning, std::string::npos) << run.log;
    const std::size_t copyError =
        run.log.find("FILE COPY ERROR: TSLANG32.DLL located on disk 1.\r\nit holds ");
    EXPECT_NE(copyError, std::string::npos) << run.log;
    EXPECT_LT(warning, copyError);
    EXPECT_EQ(run.log.find("Setup completed successfully."), std::string::npos) << run.log;
}

} // namespace
} // namespace setupkit::e2e
