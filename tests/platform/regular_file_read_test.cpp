// Every settings file setup reads, when it is a pipe or a device instead of a file:
// the read ends at once with an error that says so, instead of waiting for a writer
// that never comes or filling memory from /dev/zero.

#include "platform/desktop_menu_shell.h"
#include "platform/drive_map.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "platform/regular_file_read.h"
#include "scoped_environment.h"
#include "temp_dir.h"
#include "watchdog.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace lumora::platform;
using lumora::testing::ScopedEnvironment;
using lumora::testing::TempDir;
using lumora::testing::Watchdog;
namespace fs = std::filesystem;

namespace {

enum class Special { Fifo, Zero };

// Puts a pipe, or a link to /dev/zero, at `path`.
void makeSpecial(const fs::path& path, Special kind) {
    fs::create_directories(path.parent_path());
    if (kind == Special::Fifo)
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    else
        fs::create_symlink("/dev/zero", path);
}

} // namespace

TEST(RegularFileRead, EveryReaderRefusesPipesAndDevicesAtOnce) {
    struct Reader {
        const char* name;
        // The file the reader reads, under the temporary home.
        fs::path (*file)(const fs::path& home);
        std::function<void(const fs::path& file)> read;
    };
    const Reader readers[] = {
        {"a whole file", [](const fs::path& home) { return home / "page.htm"; },
         [](const fs::path& file) { readWholeFile(file); }},
        {"the drive map",
         [](const fs::path& home) { return home / ".config" / "lumora-setup" / "drives"; },
         [](const fs::path&) { DriveMap::fromEnvironment(); }},
        {"the registry store", [](const fs::path& home) { return home / "registry"; },
         [](const fs::path& file) { Registry(file).readString("HKEY_CURRENT_USER\\A", "b"); }},
        {"a registry change", [](const fs::path& home) { return home / "registry"; },
         [](const fs::path& file) {
             Registry(file).writeString("HKEY_CURRENT_USER\\A", "b", "c");
         }},
        {"the setup notes", [](const fs::path& home) { return home / "TSETUP.INI"; },
         [](const fs::path& file) { ProfileFile(file).readString("Setup", "Key", ""); }},
        {"a setup notes change", [](const fs::path& home) { return home / "TSETUP.INI"; },
         [](const fs::path& file) { ProfileFile(file).writeString("Setup", "Key", "v"); }},
        {"a menu file",
         [](const fs::path& home) {
             return home / "directories" / "lumora-setup-lumora.directory";
         },
         [](const fs::path& file) {
             DesktopMenuShell shell(DriveMap(),
                                    {file.parent_path().parent_path() / "apps", file.parent_path(),
                                     file.parent_path().parent_path() / "menus"});
             shell.request("Groups");
         }},
    };
    for (const Special kind : {Special::Fifo, Special::Zero}) {
        for (const Reader& reader : readers) {
            SCOPED_TRACE(std::string(reader.name) +
                         (kind == Special::Fifo ? " as a pipe" : " as /dev/zero"));
            TempDir home;
            ScopedEnvironment environment;
            environment.set("HOME", home.path().string());
            environment.set("XDG_CONFIG_HOME", (home / ".config").string());
            environment.unset("LUMORA_DRIVES");
            const fs::path file = reader.file(home.path());
            makeSpecial(file, kind);
            const Watchdog watchdog(5);
            try {
                reader.read(file);
                ADD_FAILURE() << "read without complaint";
            } catch (const NotRegularFile& error) {
                EXPECT_EQ(error.path(), file.string());
                EXPECT_NE(std::string(error.what()).find("not a regular file"), std::string::npos)
                    << error.what();
            }
        }
    }
}

TEST(RegularFileRead, ReadsAFileWholeAndFailsPlainlyOtherwise) {
    TempDir dir;
    lumora::testing::writeFile(dir / "a.txt", std::string(100000, 'x') + "end");
    EXPECT_EQ(readRegularFile(dir / "a.txt"), std::string(100000, 'x') + "end");
    lumora::testing::writeFile(dir / "empty", "");
    EXPECT_EQ(readRegularFile(dir / "empty"), "");
    // A missing file and a folder are plain read errors, as they always were.
    for (const auto& [path, cause] :
         {std::pair{dir / "missing", "No such file"}, std::pair{dir.path(), "is a directory"}}) {
        try {
            readRegularFile(path);
            ADD_FAILURE() << path;
        } catch (const NotRegularFile&) {
            ADD_FAILURE() << path << " is no special file";
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find(cause), std::string::npos) << error.what();
        }
    }
}
