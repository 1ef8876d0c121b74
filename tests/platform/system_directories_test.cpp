#include "platform/atomic_file.h"
#include "platform/system_directories.h"
#include "scoped_environment.h"
#include "temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

using namespace lumora::platform;
using lumora::testing::ScopedEnvironment;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

namespace {

DriveMap homeAndRoot(const fs::path& home) {
    DriveMap drives;
    drives.map('C', home);
    drives.map('Z', "/");
    return drives;
}

} // namespace

TEST(SystemDirectories, WindowsAndSystemDirectoriesLiveInTheDataDirectory) {
    TempDir home;
    ScopedEnvironment environment;
    environment.set("HOME", home.path().string());
    environment.set("XDG_DATA_HOME", (home / ".local" / "share").string());
    const DriveMap drives = homeAndRoot(home.path());
    EXPECT_EQ(windowsDirectory(drives), "C:\\.local\\share\\lumora-setup\\WINDOWS");
    EXPECT_EQ(systemDirectory(drives), "C:\\.local\\share\\lumora-setup\\WINDOWS\\SYSTEM");
    EXPECT_TRUE(
        fs::is_directory(home / ".local" / "share" / "lumora-setup" / "WINDOWS" / "SYSTEM"));

    environment.unset("XDG_DATA_HOME");
    EXPECT_EQ(windowsDirectoryHost(), home / ".local" / "share" / "lumora-setup" / "WINDOWS");
}

TEST(SystemDirectories, ADataDirectoryOutsideHomeIsNamedOnTheRootDrive) {
    TempDir home;
    TempDir data;
    ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", data.path().string());
    const DriveMap drives = homeAndRoot(home.path());
    const std::string expected = "Z:" + (data / "lumora-setup" / "WINDOWS").string();
    std::string slashes = expected;
    std::replace(slashes.begin(), slashes.end(), '/', '\\');
    EXPECT_EQ(windowsDirectory(drives), slashes);
}

TEST(SystemDirectories, ProfilesByBareNameAreFoundInTheWindowsDirectoryInAnyCase) {
    TempDir data;
    ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", data.path().string());
    const fs::path windows = windowsDirectoryHost();
    EXPECT_EQ(windowsProfilePath("TSETUP.INI"), windows / "TSETUP.INI");
    writeFileAtomically(windows / "win.ini", "[IDAPI]\r\n");
    EXPECT_EQ(windowsProfilePath("WIN.INI"), windows / "win.ini");
}

TEST(SystemDirectories, TemporaryDirectoryFollowsTempThenTmpThenTmpdir) {
    TempDir home;
    fs::create_directories(home / "Temp");
    const DriveMap drives = homeAndRoot(home.path());
    struct Case {
        std::vector<std::pair<std::string, std::string>> variables;
        fs::path expected;
    } cases[] = {
        {{{"TMPDIR", "/var/tmp"}, {"temp", "/srv/temp"}, {"tmp", "/srv/tmp"}}, "/srv/temp"},
        {{{"TMPDIR", "/var/tmp"}, {"TEMP", "/srv/upper"}, {"tmp", "/srv/tmp"}}, "/srv/upper"},
        {{{"TMPDIR", "/var/tmp"}, {"Tmp", "/srv/mixed"}}, "/srv/mixed"},
        {{{"TMPDIR", "/var/tmp"}, {"temp", ""}, {"TMP", "/srv/tmp"}}, "/srv/tmp"},
        {{{"TMPDIR", "/var/tmp"}}, "/var/tmp"},
        {{{"TEMP", "C:\\TEMP"}}, home / "Temp"},
        {{}, "/tmp"},
    };
    for (const auto& c : cases) {
        ScopedEnvironment environment;
        for (const char* name : {"TMPDIR", "temp", "TEMP", "Temp", "tmp", "TMP", "Tmp"})
            environment.unset(name);
        for (const auto& [name, value] : c.variables)
            environment.set(name, value);
        EXPECT_EQ(temporaryDirectoryHost(drives), c.expected) << c.expected;
    }
    ScopedEnvironment environment;
    environment.set("TEMP", (home / "Temp").string());
    EXPECT_EQ(temporaryDirectory(drives), "C:\\Temp\\");
}

TEST(SystemDirectories, EveryTemporaryCopyGetsAFreshPrivateDirectory) {
    TempDir temp;
    ScopedEnvironment environment;
    environment.set("TEMP", temp.path().string());
    const DriveMap drives = homeAndRoot("/nonexistent-home");
    std::set<fs::path> made;
    for (int i = 0; i < 3; ++i) {
        const fs::path dir = createPrivateTemporaryDirectory(drives);
        EXPECT_EQ(dir.parent_path(), temp.path());
        struct stat info {};
        ASSERT_EQ(::stat(dir.c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        made.insert(dir);
    }
    EXPECT_EQ(made.size(), 3u);
    EXPECT_THROW(createPrivateDirectory(temp / "missing"), FileError);
}
