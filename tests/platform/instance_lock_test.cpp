#include "platform/drive_map.h"
#include "platform/instance_lock.h"
#include "platform/program_start.h"
#include "temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lumora::platform;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// The state a separate process finds when it tries the lock.
InstanceLock::State stateInAnotherProcess(const fs::path& program) {
    pid_t child = fork();
    if (child == 0) {
        InstanceLock lock(program);
        _exit(static_cast<int>(lock.state()));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return static_cast<InstanceLock::State>(WIFEXITED(status) ? WEXITSTATUS(status) : 99);
}

} // namespace

TEST(InstanceLock, ASecondProcessIsRefusedUntilTheFirstLetsGo) {
    const fs::path program = "/opt/lumora-test/setup";
    InstanceLock first(program);
    ASSERT_EQ(first.state(), InstanceLock::State::Held);
    EXPECT_EQ(stateInAnotherProcess(program), InstanceLock::State::HeldElsewhere);
    EXPECT_EQ(stateInAnotherProcess("/opt/lumora-test/../lumora-test/setup"),
              InstanceLock::State::HeldElsewhere);
    EXPECT_EQ(stateInAnotherProcess("/opt/lumora-test/setup-copy"), InstanceLock::State::Held)
        << "another program file has its own lock";
    first.release();
    EXPECT_EQ(first.state(), InstanceLock::State::Released);
    EXPECT_EQ(stateInAnotherProcess(program), InstanceLock::State::Held);
}

TEST(InstanceLock, ALockLeftByAKilledProcessNeverBlocks) {
    const fs::path program = "/opt/lumora-test/killed/setup";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        InstanceLock lock(program);
        const char state = static_cast<char>(lock.state());
        (void)!write(ready[1], &state, 1);
        pause();
        _exit(0);
    }
    char state = 0;
    ASSERT_EQ(read(ready[0], &state, 1), 1);
    close(ready[0]);
    close(ready[1]);
    ASSERT_EQ(static_cast<InstanceLock::State>(state), InstanceLock::State::Held);
    EXPECT_EQ(stateInAnotherProcess(program), InstanceLock::State::HeldElsewhere);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(fs::exists(InstanceLock::lockFilePath(program)))
        << "the killed holder left its file";
    InstanceLock after(program);
    EXPECT_EQ(after.state(), InstanceLock::State::Held);
}

TEST(InstanceLock, AProgramStartedByTheHolderDoesNotInheritTheLock) {
    const fs::path program = "/opt/lumora-test/viewer-parent/setup";
    auto started = std::make_unique<InstanceLock>(program);
    ASSERT_EQ(started->state(), InstanceLock::State::Held);
    StartedProgram viewer = startProgram(DriveMap(), {.commandLine = "sleep 30"});
    started.reset();
    EXPECT_EQ(stateInAnotherProcess(program), InstanceLock::State::Held);
    kill(viewer.pid(), SIGKILL);
    viewer.wait();
}

TEST(InstanceLock, LockFilesLiveInTheRuntimeDirectory) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(runtime);
    const fs::path lock = InstanceLock::lockFilePath("/media/cdrom/SETUP.EXE");
    EXPECT_EQ(lock.parent_path(), fs::path(runtime));
    EXPECT_NE(lock, InstanceLock::lockFilePath("/media/cdrom/setup.exe"))
        << "mutex names are case-sensitive";
    EXPECT_NE(lock.filename().string().find("SETUP.EXE"), std::string::npos);
}

TEST(InstanceLock, WithoutALockFileTheCheckPasses) {
    const fs::path program = "/opt/lumora-test/blocked/setup";
    fs::create_directories(InstanceLock::lockFilePath(program));
    InstanceLock lock(program);
    EXPECT_EQ(lock.state(), InstanceLock::State::Unavailable);
    EXPECT_FALSE(lock.anotherInstanceRuns());
    fs::remove(InstanceLock::lockFilePath(program));
}

TEST(InstanceLock, ALockFileOfAnotherUserIsNotTrusted) {
    const fs::path program = "/opt/lumora-test/foreign/setup";
    const fs::path lockFile = InstanceLock::lockFilePath(program);
    lumora::testing::writeFile(lockFile, "");
    if (::chown(lockFile.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "only root can give a file to another user here";
    InstanceLock lock(program);
    EXPECT_EQ(lock.state(), InstanceLock::State::Unavailable);
    fs::remove(lockFile);
}
