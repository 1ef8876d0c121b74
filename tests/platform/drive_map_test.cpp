#include "platform/atomic_file.h"
#include "platform/current_directory.h"
#include "platform/drive_map.h"
#include "platform/host_path_case.h"
#include "scoped_environment.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora::platform;
using lumora::testing::ScopedEnvironment;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// A drive D: with Lumora/Sub/ReadMe.txt in it.
struct DriveD {
    TempDir dir;
    DriveMap drives;
    DriveD() {
        fs::create_directories(dir / "Lumora" / "Sub");
        lumora::testing::writeFile(dir / "Lumora" / "Sub" / "ReadMe.txt", "read me");
        drives.map('D', dir.path());
    }
};

} // namespace

TEST(DriveMap, WindowsPathsFindTheRealFilesWhateverTheirCase) {
    DriveD d;
    const fs::path root = d.dir.path();
    struct Case {
        const char* windows;
        fs::path expected;
    } cases[] = {
        {"D:\\LUMORA\\SUB\\README.TXT", root / "Lumora" / "Sub" / "ReadMe.txt"},
        {"d:/lumora\\sub/readme.txt", root / "Lumora" / "Sub" / "ReadMe.txt"},
        {"D:\\LUMORA\\SUB\\", root / "Lumora" / "Sub"},
        {"D:\\Lumora\\NEW\\File.TXT", root / "Lumora" / "NEW" / "File.TXT"},
        {"D:\\LUMORA\\.\\SUB\\..\\SUB\\README.TXT", root / "Lumora" / "Sub" / "ReadMe.txt"},
        {"D:\\..\\..\\LUMORA", root / "Lumora"},
        {"D:\\", root},
        {"D:", root},
    };
    for (const auto& c : cases) {
        auto host = d.drives.toHostPath(c.windows);
        ASSERT_TRUE(host) << c.windows;
        EXPECT_EQ(*host, c.expected) << c.windows;
    }
    EXPECT_FALSE(d.drives.toHostPath("Q:\\anything"));
    EXPECT_FALSE(d.drives.toHostPath("\\\\server\\share\\file"));
}

TEST(DriveMap, TwoEntriesDifferingOnlyInCaseResolveToTheFirstInByteOrder) {
    TempDir dir;
    fs::create_directories(dir / "setup");
    fs::create_directories(dir / "SETUP");
    EXPECT_EQ(resolveIgnoringCase(dir / "Setup"), dir / "SETUP");
    EXPECT_EQ(resolveIgnoringCase(dir / "setup"), dir / "setup");
    EXPECT_TRUE(existsIgnoringCase(dir / "sEtUp"));
    EXPECT_FALSE(existsIgnoringCase(dir / "setup2"));
}

TEST(DriveMap, PathsWithoutDriveCountFromTheCurrentDirectory) {
    DriveD d;
    const fs::path saved = fs::current_path();
    fs::current_path(d.dir / "Lumora" / "Sub");
    auto up = d.drives.toHostPath("..\\SUB\\README.TXT");
    auto upOnDrive = d.drives.toHostPath("D:..\\..\\..\\LUMORA");
    fs::current_path(d.dir / "Lumora");
    auto relative = d.drives.toHostPath("SUB\\README.TXT");
    auto rooted = d.drives.toHostPath("\\LUMORA\\SUB");
    auto driveRelative = d.drives.toHostPath("D:SUB");
    fs::current_path(saved);
    ASSERT_TRUE(up && upOnDrive && relative && rooted && driveRelative);
    EXPECT_EQ(*up, d.dir / "Lumora" / "Sub" / "ReadMe.txt");
    EXPECT_EQ(*upOnDrive, d.dir / "Lumora");
    EXPECT_EQ(*relative, d.dir / "Lumora" / "Sub" / "ReadMe.txt");
    EXPECT_EQ(*rooted, d.dir / "Lumora" / "Sub");
    EXPECT_EQ(*driveRelative, d.dir / "Lumora" / "Sub");
}

TEST(DriveMap, HostPathsAreNamedThroughTheLongestMappedPrefix) {
    TempDir dir;
    fs::create_directories(dir / "home" / "disk");
    DriveMap drives;
    drives.map('Z', "/");
    drives.map('C', dir / "home");
    drives.map('E', dir / "home" / "disk");
    drives.map('F', dir / "home" / "di"); // a prefix by text only, never by component
    EXPECT_EQ(drives.toWindowsPath(dir / "home" / "disk" / "a.txt"), "E:\\a.txt");
    EXPECT_EQ(drives.toWindowsPath(dir / "home" / "Lumora" / "x" / ""), "C:\\Lumora\\x");
    EXPECT_EQ(drives.toWindowsPath(dir / "home"), "C:\\");
    EXPECT_EQ(drives.toWindowsPath("/"), "Z:\\");
    EXPECT_EQ(drives.toWindowsPath("/usr/bin"), "Z:\\usr\\bin");
    drives.unmap('Z');
    EXPECT_FALSE(drives.toWindowsPath("/usr/bin"));
}

TEST(DriveMap, AHostPathBehindALinkIsNamedThroughTheLinkFreeMapping) {
    TempDir dir;
    fs::create_directories(dir / "real" / "Lumora");
    fs::create_symlink(dir / "real", dir / "link");
    DriveMap drives;
    drives.map('C', dir / "real");
    EXPECT_EQ(drives.toWindowsPath(dir / "link" / "Lumora"), "C:\\Lumora");
}

TEST(DriveMap, WindowsNamesRoundTrip) {
    DriveD d;
    d.drives.map('Z', "/");
    for (const char* name : {"D:\\Lumora\\Sub\\ReadMe.txt", "D:\\Lumora", "D:\\", "Z:\\usr"}) {
        auto host = d.drives.toHostPath(name);
        ASSERT_TRUE(host);
        EXPECT_EQ(d.drives.toWindowsPath(*host), name);
    }
}

TEST(DriveMap, EnvironmentGivesDefaultsThenFileThenVariable) {
    TempDir home;
    ScopedEnvironment environment;
    environment.set("HOME", home.path().string());
    environment.set("XDG_CONFIG_HOME", (home / ".config").string());
    fs::create_directories(home / ".config" / "lumora-setup");
    lumora::testing::writeFile(home / ".config" / "lumora-setup" / "drives",
                               "# drives of the test\n"
                               "A=/mnt/floppy\n"
                               "d: = /srv/data   # a comment\n"
                               "E=/srv/e\n"
                               "Z=\n"
                               "nonsense\n");
    environment.set("LUMORA_DRIVES", "E=/srv/other;b:=/mnt/b;");
    const DriveMap drives = DriveMap::fromEnvironment();
    EXPECT_EQ(DriveMap::driveMapFilePath(), home / ".config" / "lumora-setup" / "drives");
    EXPECT_EQ(drives.root('C'), home.path());
    EXPECT_EQ(drives.root('a'), fs::path("/mnt/floppy"));
    EXPECT_EQ(drives.root('B'), fs::path("/mnt/b"));
    EXPECT_EQ(drives.root('D'), fs::path("/srv/data"));
    EXPECT_EQ(drives.root('E'), fs::path("/srv/other"));
    EXPECT_FALSE(drives.root('Z'));
    EXPECT_EQ(drives.letters(), (std::vector<char>{'A', 'B', 'C', 'D', 'E'}));
}

TEST(DriveMap, EntriesThatCannotBeUnderstoodAreReportedAndSkipped) {
    DriveMap drives;
    auto rejected = drives.applyEntries("D=relative/dir;DD=/x;1=/y;Q;R=/ok", ';');
    EXPECT_EQ(rejected, (std::vector<std::string>{"D=relative/dir", "DD=/x", "1=/y", "Q"}));
    EXPECT_EQ(drives.letters(), std::vector<char>{'R'});
}

TEST(DriveMap, DriveLettersOfWindowsPaths) {
    EXPECT_EQ(driveLetterOf("a:\\setup.exe"), 'A');
    EXPECT_EQ(driveLetterOf("C:"), 'C');
    EXPECT_EQ(driveLetterOf("\\x"), 0);
    EXPECT_EQ(driveLetterOf("1:\\x"), 0);
    EXPECT_EQ(driveLetterOf("C"), 0);
}

TEST(DriveMap, TheCurrentDirectoryIsChangedAndReadInWindowsNames) {
    DriveD d;
    const fs::path saved = fs::current_path();
    setCurrentDirectory(d.drives, "D:\\LUMORA\\SUB\\");
    const std::string inside = currentDirectory(d.drives);
    const fs::path host = fs::current_path();
    setCurrentDirectory(d.drives, "D:");
    const std::string root = currentDirectory(d.drives);
    EXPECT_THROW(setCurrentDirectory(d.drives, "D:\\LUMORA\\MISSING"), FileError);
    EXPECT_THROW(setCurrentDirectory(d.drives, "D:\\LUMORA\\SUB\\README.TXT"), FileError);
    EXPECT_THROW(setCurrentDirectory(d.drives, "Q:\\"), FileError);
    const std::string unchanged = currentDirectory(d.drives);
    fs::current_path(saved);
    EXPECT_EQ(inside, "D:\\Lumora\\Sub");
    EXPECT_EQ(host, d.dir / "Lumora" / "Sub");
    EXPECT_EQ(root, "D:\\");
    EXPECT_EQ(unchanged, "D:\\");
}
