#include "platform/drive_map.h"
#include "setup/engine/copy_file_with_progress.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <numeric>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
using namespace setupkit;

namespace {

std::string patternBytes(std::size_t size, unsigned seed = 1) {
    std::string bytes(size, '\0');
    unsigned state = seed;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

// The names in a directory, so a test can see that no temporary file was left.
std::vector<std::string> entriesOf(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string copyError(const std::filesystem::path& source, const std::filesystem::path& target,
                      const CopyProgress& callback = {}) {
    try {
        CopyFileWithProgress(source, target, callback);
    } catch (const EInOutError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(CopyFileWithProgress, ReportsEvery2048ByteBlockAndTheFinalShortOne) {
    struct Case {
        std::size_t size;
        std::vector<int> blocks;
    };
    const std::vector<Case> cases = {
        {0, {0}},
        {5000, {2048, 2048, 904}},
        {4096, {2048, 2048, 0}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string bytes = patternBytes(c.size);
        writeFile(dir / "in", bytes);
        std::vector<int> seen;
        CopyFileWithProgress(dir / "in", dir / "out", [&](int n) { seen.push_back(n); });
        EXPECT_EQ(seen, c.blocks) << c.size;
        EXPECT_EQ(readFile(dir / "out"), bytes);
    }
}

TEST(CopyFileWithProgress, LargeFileArrivesWholeAndEveryBlockIsCounted) {
    TempDir dir;
    const std::string bytes = patternBytes(3 * 256 * 1024 + 4097, 7);
    writeFile(dir / "in", bytes);
    std::vector<int> seen;
    CopyFileWithProgress(dir / "in", dir / "out", [&](int n) { seen.push_back(n); });
    EXPECT_EQ(readFile(dir / "out"), bytes);
    EXPECT_EQ(std::accumulate(seen.begin(), seen.end(), std::size_t{0}), bytes.size());
    EXPECT_EQ(seen.size(), bytes.size() / 2048 + 1);
}

TEST(CopyFileWithProgress, KeepsPermissionBitsAndTheSourceDate) {
    TempDir dir;
    writeFile(dir / "tool", "#!/bin/sh\n");
    ASSERT_EQ(::chmod((dir / "tool").c_str(), 0750), 0);
    const struct timespec times[2] = {{1000000000, 0}, {981200000, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "tool").c_str(), times, 0), 0);

    const mode_t oldMask = ::umask(027);
    CopyFileWithProgress(dir / "tool", dir / "copy");
    writeFile(dir / "shared", "anyone may write this");
    ASSERT_EQ(::chmod((dir / "shared").c_str(), 0666), 0);
    CopyFileWithProgress(dir / "shared", dir / "shared.copy");
    ::umask(oldMask);
    struct stat shared {};
    ASSERT_EQ(::stat((dir / "shared.copy").c_str(), &shared), 0);
    EXPECT_EQ(shared.st_mode & 07777, 0640u);
    struct stat info {};
    ASSERT_EQ(::stat((dir / "copy").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);
    EXPECT_EQ(info.st_mtim.tv_sec, 981200000);
    EXPECT_EQ(info.st_mtim.tv_nsec, 123456789);
}

TEST(CopyFileWithProgress, ReplacesASymbolicLinkInsteadOfWritingThroughIt) {
    TempDir dir;
    writeFile(dir / "elsewhere", "precious");
    std::filesystem::create_symlink(dir / "elsewhere", dir / "target");
    writeFile(dir / "source", "new contents");

    CopyFileWithProgress(dir / "source", dir / "target");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "target"));
    EXPECT_EQ(readFile(dir / "target"), "new contents");
    EXPECT_EQ(readFile(dir / "elsewhere"), "precious");
}

TEST(CopyFileWithProgress, TakesOverThePartAKilledCopyLeftAndNeverFollowsALinkThere) {
    TempDir dir;
    writeFile(dir / "source", "new contents");
    // What a copy killed half-way leaves beside its target.
    writeFile(dir / ".target.part", "half of the ol");
    CopyFileWithProgress(dir / "source", dir / "target");
    EXPECT_EQ(readFile(dir / "target"), "new contents");
    EXPECT_FALSE(std::filesystem::exists(dir / ".target.part"));

    // A link planted at the part's name is removed, not written through.
    writeFile(dir / "elsewhere", "precious");
    std::filesystem::create_symlink(dir / "elsewhere", dir / ".other.part");
    CopyFileWithProgress(dir / "source", dir / "other");
    EXPECT_EQ(readFile(dir / "other"), "new contents");
    EXPECT_EQ(readFile(dir / "elsewhere"), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / ".other.part"));
}

TEST(CopyFileWithProgress, FailuresCarryTheUsersMessages) {
    TempDir dir;
    writeFile(dir / "source", "abc");
    std::filesystem::create_directory(dir / "folder");
    EXPECT_EQ(copyError(dir / "missing", dir / "target"), "Source file doesn't exist.");
    EXPECT_EQ(copyError(dir / "folder", dir / "target"), "Error opening source file.");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(copyError(dir / "pipe", dir / "target"), "Error opening source file.");
    EXPECT_EQ(copyError(dir / "source", dir / "no-such-dir" / "target"),
              "Error opening target file.");
    EXPECT_EQ(copyError(dir / "source", dir / "folder"), "Error opening target file.");
    EXPECT_FALSE(std::filesystem::exists(dir / "target"));
}

TEST(CopyFileWithProgress, CopyingAFileOntoItselfKeepsIt) {
    TempDir dir;
    const std::string bytes = patternBytes(10000);
    writeFile(dir / "same", bytes);
    CopyFileWithProgress(dir / "same", dir / "same");
    EXPECT_EQ(readFile(dir / "same"), bytes);
}

TEST(CopyFileWithProgress, SourceTruncatedUnderTheCopyLeavesTheOldTarget) {
    TempDir dir;
    writeFile(dir / "source", patternBytes(2 * 1024 * 1024, 3));
    const std::string old = patternBytes(70000, 9);
    writeFile(dir / "target", old);
    const auto before = entriesOf(dir.path());

    bool truncated = false;
    const std::string error = copyError(dir / "source", dir / "target", [&](int) {
        if (!truncated)
            std::filesystem::resize_file(dir / "source", 300 * 1024);
        truncated = true;
    });
    EXPECT_EQ(error, "Error during file copy.");
    EXPECT_EQ(readFile(dir / "target"), old);
    EXPECT_EQ(entriesOf(dir.path()), before);
}

TEST(CopyFileWithProgress, FullTargetFileSystemLeavesTheOldTarget) {
    TempDir dir;
    writeFile(dir / "source", patternBytes(1024 * 1024, 4));
    const std::string old = patternBytes(5000, 5);
    writeFile(dir / "target", old);
    const auto before = entriesOf(dir.path());

    // A file-size limit in a child process stands in for a disk that fills up.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {100 * 1024, 100 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string error = copyError(dir / "source", dir / "target");
        ::_exit(error == "Error during file copy." ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(dir / "target"), old);
    EXPECT_EQ(entriesOf(dir.path()), before);
}

TEST(CopyFileWithProgress, AnExceptionFromTheCallbackLeavesTheOldTarget) {
    TempDir dir;
    writeFile(dir / "source", patternBytes(600 * 1024));
    writeFile(dir / "target", "old");
    struct Stop {};
    EXPECT_THROW(CopyFileWithProgress(dir / "source", dir / "target", [](int) { throw Stop(); }),
                 Stop);
    EXPECT_EQ(readFile(dir / "target"), "old");
    EXPECT_EQ(entriesOf(dir.path()), (std::vector<std::string>{"source", "target"}));
}

TEST(CopyFileWithProgress, WindowsPathsGoThroughTheDriveMap) {
    TempDir dir;
    std::filesystem::create_directory(dir / "Apps");
    writeFile(dir / "setup.exe", "program");
    lumora::platform::DriveMap drives;
    drives.map('D', dir.path());

    CopyFileWithProgress(drives, "D:\\SETUP.EXE", "D:\\apps\\Setup.exe");
    EXPECT_EQ(readFile(dir / "Apps" / "Setup.exe"), "program");
    EXPECT_THROW(CopyFileWithProgress(drives, "Q:\\setup.exe", "D:\\x"), EInOutError);
}

TEST(CopyFileWithProgress, CopiesBetweenFileSystemsThroughItsOwnBuffer) {
    // Between two file systems the system may refuse to move the bytes itself; the
    // copy then reads and writes them.
    TempDir dir;
    struct stat here {};
    struct stat shm {};
    if (::stat(dir.path().c_str(), &here) != 0 || ::stat("/dev/shm", &shm) != 0 ||
        here.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system at hand";
    char name[] = "/dev/shm/copy-test-XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const std::string bytes = patternBytes(600 * 1024 + 5, 11);
    writeFile(name, bytes);
    std::vector<int> seen;
    CopyFileWithProgress(name, dir / "out", [&](int n) { seen.push_back(n); });
    ::unlink(name);
    EXPECT_EQ(readFile(dir / "out"), bytes);
    EXPECT_EQ(std::accumulate(seen.begin(), seen.end(), std::size_t{0}), bytes.size());
}
