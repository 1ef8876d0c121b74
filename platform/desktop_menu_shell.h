#pragma once
// The Program Manager stand-in for Linux desktops, per user, in the freedesktop menu
// and desktop entry formats: a group is a submenu of the
// application menu (a .directory file and a merged .menu file), an item a .desktop
// launcher that belongs to it. Items also carry Categories, so desktops that ignore
// merged menus still list them.

#include "drive_map.h"
#include "progman_shell.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumora::platform {

struct DesktopMenuLocations {
    std::filesystem::path applications;       // .desktop launchers
    std::filesystem::path desktopDirectories; // .directory files
    std::filesystem::path mergedMenus;        // .menu files merged into the application menu
    // $XDG_DATA_HOME/applications, $XDG_DATA_HOME/desktop-directories and
    // $XDG_CONFIG_HOME/menus/applications-merged (with the usual defaults).
    static DesktopMenuLocations forCurrentUser();
};

class DesktopMenuShell : public ProgmanShell {
public:
    explicit DesktopMenuShell(
        DriveMap drives, DesktopMenuLocations locations = DesktopMenuLocations::forCurrentUser());

    // The files a group and an item are kept in (whether or not they exist).
    std::filesystem::path directoryFile(const std::string& group) const;
    std::filesystem::path menuFile(const std::string& group) const;
    std::filesystem::path itemFile(const std::string& group, const std::string& item) const;
    // Every .desktop file of the group.
    std::vector<std::filesystem::path> itemFiles(const std::string& group) const;

    // The command a launcher runs for an AddItem command line: the program with its
    // arguments when the file is an executable program, otherwise the desktop's
    // opener ("xdg-open") with the file; a help file (".hlp") opens with
    // "--help-file" in the program of its name beside it, when there is one. Windows
    // paths go through the drive map.
    // Nothing when the file's drive is not mapped.
    std::optional<std::vector<std::string>> launchCommand(std::string_view commandLine) const;

protected:
    std::vector<std::string> groupNames() override;
    bool hasGroup(const std::string& name) override;
    bool createGroup(const std::string& name) override;
    bool deleteGroup(const std::string& name) override;
    bool addItem(const std::string& group, const std::string& commandLine,
                 const std::string& name) override;
    bool deleteItem(const std::string& group, const std::string& name) override;

private:
    std::string groupId(const std::string& group) const;

    DriveMap drives_;
    DesktopMenuLocations locations_;
};

} // namespace lumora::platform
