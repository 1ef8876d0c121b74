#include "platform/registry.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lumora::platform;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

namespace {

const std::string kUninstall =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\UnInstall";

} // namespace

TEST(Registry, TheUninstallEntryIsKeptAcrossRunsAndFoundInAnyCase) {
    TempDir dir;
    {
        Registry registry(dir / "registry");
        registry.writeString(kUninstall + "\\Lumora", "DisplayName", "Lumora");
        registry.writeString(kUninstall + "\\Lumora", "UnInstallString",
                             "C:\\Lumora\\setup UNINSTALL");
    }
    Registry registry(dir / "registry");
    EXPECT_TRUE(registry.keyExists(
        "hklm\\SOFTWARE\\MICROSOFT\\windows\\currentversion\\uninstall\\LUMORA"));
    EXPECT_TRUE(registry.keyExists("HKLM\\Software\\Microsoft")) << "keys above are created too";
    EXPECT_EQ(registry.readString(kUninstall + "\\lumora", "displayname"), "Lumora");
    EXPECT_EQ(
        registry.readString("HKLM\\" + kUninstall.substr(19) + "\\Lumora\\", "UNINSTALLSTRING"),
        "C:\\Lumora\\setup UNINSTALL");
    EXPECT_FALSE(registry.readString(kUninstall + "\\Lumora", "Publisher"));
    EXPECT_FALSE(registry.readString(kUninstall + "\\Other", "DisplayName"));
    EXPECT_EQ(registry.valueNames(kUninstall + "\\Lumora"),
              (std::vector<std::string>{"DisplayName", "UnInstallString"}));
    registry.writeString(kUninstall + "\\Lumora", "DISPLAYNAME", "Lumora 1.1");
    EXPECT_EQ(registry.valueNames(kUninstall + "\\Lumora").front(), "DisplayName");
    EXPECT_EQ(registry.readString(kUninstall + "\\Lumora", "DisplayName"), "Lumora 1.1");
}

TEST(Registry, DeletingAKeyTakesItsSubtreeButNotItsNeighbours) {
    TempDir dir;
    Registry registry(dir / "registry");
    registry.writeString("HKLM\\SOFTWARE\\Borland\\Database Engine", "DLLPath", "C:\\IDAPI");
    registry.writeString("HKLM\\SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM", "LANGDRIVER",
                         "x");
    registry.writeString("HKLM\\SOFTWARE\\Borland\\Database Engine 2", "DLLPath", "C:\\OTHER");
    registry.createKey("HKLM\\SOFTWARE\\Borland\\BLW32");
    EXPECT_EQ(registry.subkeys("HKLM\\software\\borland"),
              (std::vector<std::string>{"BLW32", "Database Engine", "Database Engine 2"}));
    EXPECT_TRUE(registry.deleteKey("HKLM\\SOFTWARE\\BORLAND\\DATABASE ENGINE"));
    EXPECT_FALSE(registry.deleteKey("HKLM\\SOFTWARE\\Borland\\Database Engine"));
    EXPECT_FALSE(registry.keyExists("HKLM\\SOFTWARE\\Borland\\Database Engine\\Settings"));
    EXPECT_EQ(registry.readString("HKLM\\SOFTWARE\\Borland\\Database Engine 2", "DLLPath"),
              "C:\\OTHER");
    EXPECT_EQ(registry.subkeys("HKLM\\SOFTWARE\\Borland"),
              (std::vector<std::string>{"BLW32", "Database Engine 2"}));
    EXPECT_TRUE(registry.deleteValue("HKLM\\SOFTWARE\\Borland\\Database Engine 2", "dllpath"));
    EXPECT_FALSE(registry.deleteValue("HKLM\\SOFTWARE\\Borland\\Database Engine 2", "dllpath"));
    EXPECT_TRUE(registry.keyExists("HKLM\\SOFTWARE\\Borland\\Database Engine 2"));
    EXPECT_TRUE(registry.keyExists("HKEY_CURRENT_USER")) << "root keys always exist";
    EXPECT_FALSE(registry.deleteKey("HKLM"));
}

TEST(Registry, ValuesSurviveWhateverBytesTheyHold) {
    TempDir dir;
    const std::string awkward =
        "quote \" backslash \\ newline \n return \r [x]\n\"a\"=\"b\" \xe9\xff";
    Registry(dir / "registry").writeString("HKCU\\Software\\Lumora", "", awkward);
    Registry(dir / "registry").writeString("HKCU\\Software\\Lumora", "name \"with\" = sign", "v");
    Registry registry(dir / "registry");
    EXPECT_EQ(registry.readString("HKEY_CURRENT_USER\\Software\\Lumora", ""), awkward);
    EXPECT_EQ(registry.readString("HKCU\\Software\\Lumora", "NAME \"WITH\" = SIGN"), "v");
    EXPECT_FALSE(registry.keyExists("HKCU\\Software\\Lumora\\x"));
}

TEST(Registry, KeyPathsNeedAKnownRoot) {
    TempDir dir;
    Registry registry(dir / "registry");
    EXPECT_EQ(Registry::normalizeKey("hkcr\\\\.htm\\"), "HKEY_CLASSES_ROOT\\.htm");
    EXPECT_THROW(registry.writeString("SOFTWARE\\Borland", "DLLPath", "x"), RegistryError);
    EXPECT_THROW(registry.keyExists(""), RegistryError);
    EXPECT_THROW(registry.writeString("HKLM", "x", "y"), RegistryError);
    EXPECT_THROW(registry.createKey("HKLM\\SOFTWARE\nHKLM\\Injected"), RegistryError);
    EXPECT_FALSE(fs::exists(dir / "registry"));
}

TEST(Registry, TheUserStoreLivesInTheConfigDirectory) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(config);
    EXPECT_EQ(Registry::defaultStorePath(), fs::path(config) / "lumora-setup" / "registry");
    Registry::forCurrentUser().createKey("HKLM\\SOFTWARE\\Lumora");
    EXPECT_TRUE(fs::exists(fs::path(config) / "lumora-setup" / "registry"));
}

TEST(Registry, TwoProcessesWritingAtOnceLoseNothing) {
    TempDir dir;
    const fs::path store = dir / "registry";
    std::vector<pid_t> children;
    for (int writer = 0; writer < 2; ++writer) {
        pid_t child = fork();
        if (child == 0) {
            Registry registry(store);
            for (int i = 0; i < 40; ++i)
                registry.writeString("HKLM\\SOFTWARE\\Test" + std::to_string(writer),
                                     std::to_string(i), "v");
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Registry registry(store);
    EXPECT_EQ(registry.valueNames("HKLM\\SOFTWARE\\Test0").size(), 40u);
    EXPECT_EQ(registry.valueNames("HKLM\\SOFTWARE\\Test1").size(), 40u);
}
