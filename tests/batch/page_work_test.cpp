#include "batch/page_work.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace lumora::batch;
using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;

namespace {

std::string refusal(const std::string& path) {
    try {
        readPageBytes(path);
    } catch (const PageRefused& refused) {
        return refused.what();
    }
    return "";
}

Options compressOptions() {
    Options options;
    options.command = Command::Compress;
    return options;
}

} // namespace

TEST(PageWork, BadInputIsRefusedWithItsReason) {
    TempDir dir;
    writeFile(dir / "binary.htm", std::string("<html>\0\x01\x02", 9));
    writeFile(dir / "late-nul.htm",
              std::string(lumora::text::kBinaryProbeBytes, 'a') + std::string(1, '\0'));
    writeFile(dir / "good.htm", "<html>\r\n");
    fs::create_directory(dir / "folder.htm");
    ASSERT_EQ(::mkfifo((dir / "pipe.htm").c_str(), 0600), 0);

    EXPECT_EQ(refusal((dir / "missing.htm").string()), "cannot open: No such file or directory");
    EXPECT_EQ(refusal((dir / "folder.htm").string()), "is a directory");
    EXPECT_EQ(refusal((dir / "pipe.htm").string()), "not a regular file");
    EXPECT_EQ(refusal((dir / "binary.htm").string()),
              "a binary file (it holds NUL bytes), not a page");
    EXPECT_EQ(refusal((dir / "late-nul.htm").string()), ""); // past the probe: text
    EXPECT_EQ(refusal((dir / "good.htm").string()), "");
}

TEST(PageWork, UnreadableFileIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser";
    TempDir dir;
    writeFile(dir / "locked.htm", "<html>\r\n");
    fs::permissions(dir / "locked.htm", fs::perms::none);
    EXPECT_EQ(refusal((dir / "locked.htm").string()), "cannot read: Permission denied");
}

TEST(PageWork, CompressRewritesInPlaceOnlyWhenSomethingChanged) {
    TempDir dir;
    // Windows-1252 (0xE9) with LF endings: the rewrite keeps the encoding, ends lines in CR LF.
    writeFile(dir / "loose.htm", "<p>caf\xe9  \n\n<br>\t\n");
    writeFile(dir / "tight.htm", "<p>x\n");
    const PageResult loose =
        compressPageFile({0, (dir / "loose.htm").string(), ""}, compressOptions());
    EXPECT_EQ(loose.status, PageStatus::Ok);
    EXPECT_TRUE(loose.changed);
    EXPECT_EQ(loose.output, (dir / "loose.htm").string());
    EXPECT_EQ(readFile(dir / "loose.htm"), "<p>caf\xe9\r\n<br>\r\n");

    const PageResult tight =
        compressPageFile({1, (dir / "tight.htm").string(), ""}, compressOptions());
    EXPECT_FALSE(tight.changed);
    EXPECT_TRUE(tight.output.empty());
    EXPECT_EQ(readFile(dir / "tight.htm"), "<p>x\n"); // untouched, LF and all
}

TEST(PageWork, CompressWithOutputWritesEveryPageAndDryRunNothing) {
    TempDir dir;
    writeFile(dir / "tight.htm", "<p>x\r\n");
    const std::string out = (dir / "out/deep/tight.htm").string();
    const PageResult copied =
        compressPageFile({0, (dir / "tight.htm").string(), out}, compressOptions());
    EXPECT_EQ(copied.output, out);
    EXPECT_EQ(readFile(out), "<p>x\r\n");

    writeFile(dir / "loose.htm", "<p>x  \r\n\r\n");
    Options dry = compressOptions();
    dry.dryRun = true;
    const PageResult dryRun =
        compressPageFile({1, (dir / "loose.htm").string(), (dir / "dry/loose.htm").string()}, dry);
    EXPECT_TRUE(dryRun.changed);
    EXPECT_TRUE(dryRun.output.empty());
    EXPECT_EQ(readFile(dir / "loose.htm"), "<p>x  \r\n\r\n");
    EXPECT_FALSE(fs::exists(dir / "dry"));
}

TEST(PageWork, OutputThatCannotBeWrittenIsAnErrorAndTheSourceStays) {
    TempDir dir;
    writeFile(dir / "loose.htm", "<p>x  \r\n");
    writeFile(dir / "blocker", "a file where a directory should be");
    const PageResult result = compressPageFile(
        {0, (dir / "loose.htm").string(), (dir / "blocker/loose.htm").string()}, compressOptions());
    EXPECT_EQ(result.status, PageStatus::Error);
    EXPECT_NE(result.reason.find("cannot create directory"), std::string::npos) << result.reason;
    EXPECT_EQ(readFile(dir / "loose.htm"), "<p>x  \r\n");
}
