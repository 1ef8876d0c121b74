#include "setup/engine/decompression_library.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>

using lumora::testing::binDir;
using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
using namespace setupkit;

namespace {

// Text that compresses well but not to nothing.
std::string sampleText(std::size_t size) {
    std::string text;
    unsigned state = 42;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += "line " + std::to_string(state % 977) + " of the read-me text\r\n";
    }
    text.resize(size);
    return text;
}

struct Posted {
    void* window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

void recordPost(void* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    static_cast<std::vector<Posted>*>(window)->push_back({window, message, wParam, lParam});
}

std::vector<std::string> entriesOf(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class DecompressionLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        library = DecompressionLibrary(binDir() / "TSComp32.DLL");
        ASSERT_TRUE(library.present());
        ASSERT_TRUE(library.canCompress());
        ASSERT_TRUE(library.canDeCompress());
    }

    // Compresses `bytes` into dir/name.cmp and returns its path.
    std::filesystem::path compressed(const std::string& bytes, const std::string& name = "file") {
        writeFile(dir / name, bytes);
        const auto packed = dir / (name + ".cmp");
        EXPECT_GT(library.TSCompress(dir / name, packed), 0);
        return packed;
    }

    TempDir dir;
    DecompressionLibrary library;
};

} // namespace

TEST_F(DecompressionLibraryTest, RoundTripKeepsContentsDateAndModeAndPostsProgress) {
    const std::string text = sampleText(700 * 1024);
    writeFile(dir / "Lumora.exe", text);
    ASSERT_EQ(::chmod((dir / "Lumora.exe").c_str(), 0755), 0);
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1234567890, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "Lumora.exe").c_str(), times, 0), 0);

    const std::int64_t packedSize = library.TSCompress(dir / "Lumora.exe", dir / "Lumora.ex_");
    ASSERT_GT(packedSize, 0);
    EXPECT_LT(packedSize, static_cast<std::int64_t>(text.size()) / 2);
    EXPECT_EQ(static_cast<std::int64_t>(std::filesystem::file_size(dir / "Lumora.ex_")),
              packedSize);
    EXPECT_EQ(library.TSIsCompressed(dir / "Lumora.ex_"), static_cast<std::int64_t>(text.size()));
    EXPECT_EQ(library.TSCompressedFileTimeStamp(dir / "Lumora.ex_"), 1234567890);

    std::vector<Posted> posted;
    const ProgressTarget progress{recordPost, &posted, DecompressionProgressMessage};
    EXPECT_EQ(library.TSDeCompress(dir / "Lumora.ex_", dir / "out.exe", progress),
              static_cast<std::int64_t>(text.size()));
    EXPECT_EQ(readFile(dir / "out.exe"), text);
    struct stat info {};
    ASSERT_EQ(::stat((dir / "out.exe").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1234567890);

    ASSERT_GT(posted.size(), 1u);
    std::intptr_t total = 0;
    for (const auto& post : posted) {
        EXPECT_EQ(post.message, 1027u);
        EXPECT_EQ(post.wParam, 0u);
        EXPECT_GT(post.lParam, 0);
        total += post.lParam;
    }
    EXPECT_EQ(total, static_cast<std::intptr_t>(text.size()));
}

TEST_F(DecompressionLibraryTest, EmptyFileRoundTrips) {
    const auto packed = compressed("");
    EXPECT_EQ(library.TSIsCompressed(packed), 0);
    EXPECT_EQ(library.TSDeCompress(packed, dir / "out"), 0);
    EXPECT_EQ(readFile(dir / "out"), "");
}

TEST_F(DecompressionLibraryTest, PlainFilesAreNotCompressedAndAreNotExpanded) {
    writeFile(dir / "plain.txt", "just text, long enough to hold a header of 32 bytes or more");
    writeFile(dir / "target", "old");
    EXPECT_EQ(library.TSIsCompressed(dir / "plain.txt"), -1);
    EXPECT_EQ(library.TSCompressedFileTimeStamp(dir / "plain.txt"), -1);
    EXPECT_EQ(library.TSIsCompressed(dir / "missing"), -1);
    EXPECT_EQ(library.TSDeCompress(dir / "plain.txt", dir / "target"), TSC_ERROR_FORMAT);
    EXPECT_EQ(library.TSDeCompress(dir / "missing", dir / "target"), TSC_ERROR_SOURCE);
    EXPECT_EQ(readFile(dir / "target"), "old");
}

TEST_F(DecompressionLibraryTest, TruncatedOrDamagedFilesFailAndLeaveTheOldTarget) {
    const auto packed = compressed(sampleText(300 * 1024));
    const std::string whole = readFile(packed);
    writeFile(dir / "target", "old target");
    const auto before = entriesOf(dir.path());

    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    for (std::size_t keep :
         {std::size_t{10}, std::size_t{32}, std::size_t{40}, whole.size() / 2, whole.size() - 1})
        cases.push_back({"truncated", whole.substr(0, keep)});
    std::string flipped = whole;
    flipped[whole.size() / 2] = static_cast<char>(flipped[whole.size() / 2] ^ 0x55);
    cases.push_back({"payload byte changed", flipped});
    std::string longer = whole;
    longer[8] = static_cast<char>(longer[8] + 1); // the stated size, one more than real
    cases.push_back({"size field changed", longer});
    cases.push_back({"data after the frame", whole + "extra"});

    for (const auto& c : cases) {
        writeFile(dir / "bad.cmp", c.bytes);
        EXPECT_LT(library.TSDeCompress(dir / "bad.cmp", dir / "target"), 0) << c.what;
        EXPECT_EQ(readFile(dir / "target"), "old target") << c.what;
        std::filesystem::remove(dir / "bad.cmp");
        EXPECT_EQ(entriesOf(dir.path()), before) << c.what;
    }
}

TEST(DecompressionLibrary, AbsentLibraryAnswersAsFailures) {
    TempDir dir;
    DecompressionLibrary library(dir / "TSComp32.DLL");
    EXPECT_FALSE(library.present());
    EXPECT_FALSE(library.canDeCompress());
    EXPECT_EQ(library.TSIsCompressed(dir / "x"), -1);
    EXPECT_LT(library.TSDeCompress(dir / "x", dir / "y"), 0);
}
