#include "platform/atomic_file.h"
#include "temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lumora::platform;
using lumora::testing::TempDir;

TEST(AtomicFile, WritesReplacesAndKeepsPermissions) {
    TempDir dir;
    const auto path = dir / "page.htm";
    writeFileAtomically(path, "one");
    EXPECT_EQ(readWholeFile(path), "one");
    ::chmod(path.c_str(), 0640);
    writeFileAtomically(path, "two");
    EXPECT_EQ(readWholeFile(path), "two");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Synced one by one or left to one sync of the file system, a new file and a
// replaced one hold all of their bytes under their name and nothing else is left.
TEST(AtomicFile, NewAndReplacedFilesAreWholeWhicheverWayTheyAreSynced) {
    for (const NewFileSync sync : {NewFileSync::Each, NewFileSync::Later}) {
        TempDir dir;
        const auto path = dir / "page.htm";
        const std::string big(100000, 'x');
        writeFileAtomically(path, big, sync);
        EXPECT_EQ(readWholeFile(path), big);
        writeFileAtomically(path, "replaced", sync);
        EXPECT_EQ(readWholeFile(path), "replaced");
        syncFileSystemOf(dir.path());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
    TempDir dir;
    EXPECT_THROW(syncFileSystemOf(dir / "missing"), FileError);
}

TEST(AtomicFile, FailedWriteLeavesOldFileAndNoTemporary) {
    TempDir dir;
    const auto path = dir / "page.htm";
    writeFileAtomically(path, "old");
    // A full disk, imitated with a file size limit in a child process.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            1024, 1024
        };
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            writeFileAtomically(path, std::string(4096, 'x'));
        } catch (const FileError&) {
            _exit(0);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write did not fail";
    EXPECT_EQ(readWholeFile(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicFile, WritingThroughALinkKeepsTheLink) {
    TempDir dir;
    writeFileAtomically(dir / "real.htm", "old");
    std::filesystem::create_symlink(dir / "real.htm", dir / "link.htm");
    writeFileAtomically(dir / "link.htm", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.htm"));
    EXPECT_EQ(readWholeFile(dir / "real.htm"), "new");
}

TEST(AtomicFile, ReadingMissingFileOrDirectoryFails) {
    TempDir dir;
    EXPECT_THROW(readWholeFile(dir / "none"), FileError);
    EXPECT_THROW(readWholeFile(dir.path()), FileError);
}
