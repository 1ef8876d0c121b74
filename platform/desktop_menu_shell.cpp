#include "desktop_menu_shell.h"

#include "atomic_file.h"
#include "common/ascii_case.h"
#include "common/char_replacements.h"
#include "desktop_entry_format.h"
#include "host_path_case.h"
#include "made_paths.h"
#include "program_start.h"
#include "regular_file_read.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

// The program's icon installed beside an item's file as a PNG: named after the file,
// or after the group (the program's own name), so every item of the group shows it.
std::optional<fs::path> iconBeside(const fs::path& target, const std::string& group) {
    const fs::path folder = target.parent_path();
    for (const fs::path& candidate :
         {folder / (target.stem().string() + ".png"), folder / (group + ".png")}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

constexpr std::string_view kPrefix = "lumora-setup-";
constexpr std::string_view kGroupKey = "X-Lumora-Group";
constexpr std::string_view kItemKey = "X-Lumora-Item";

fs::path xdgDirectory(const char* variable, const char* fallbackBelowHome) {
    const char* value = std::getenv(variable);
    if (value && *value == '/')
        return value;
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "") / fallbackBelowHome;
}

std::string xmlEscaped(std::string_view text) {
    static constexpr CharReplacement kMarkup[] = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};
    return withReplacements(text, kMarkup);
}

std::string readOrEmpty(const fs::path& path) {
    try {
        return readWholeFile(path);
    } catch (const NotRegularFile&) {
        throw;
    } catch (const FileError&) {
        return {};
    }
}

bool writeFile(const fs::path& path, const std::string& text) {
    createDirectoriesNoted(path.parent_path());
    try {
        writeFileAtomically(path, text);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

bool isExecutableProgram(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

DesktopMenuLocations DesktopMenuLocations::forCurrentUser() {
    const fs::path data = xdgDirectory("XDG_DATA_HOME", ".local/share");
    const fs::path config = xdgDirectory("XDG_CONFIG_HOME", ".config");
    return {data / "applications", data / "desktop-directories",
            config / "menus" / "applications-merged"};
}

DesktopMenuShell::DesktopMenuShell(DriveMap drives, DesktopMenuLocations locations)
    : drives_(std::move(drives)), locations_(std::move(locations)) {
    // A setup killed while it wrote a menu file left the hidden temporary of that
    // write; only one setup of the user runs at a time, so none is still being written.
    for (const fs::path& folder :
         {locations_.applications, locations_.desktopDirectories, locations_.mergedMenus})
        removeAtomicWriteLeftovers(folder, kPrefix);
}

std::string DesktopMenuShell::groupId(const std::string& group) const {
    return std::string(kPrefix) + desktopIdPart(group);
}

fs::path DesktopMenuShell::directoryFile(const std::string& group) const {
    return locations_.desktopDirectories / (groupId(group) + ".directory");
}

fs::path DesktopMenuShell::menuFile(const std::string& group) const {
    return locations_.mergedMenus / (groupId(group) + ".menu");
}

// "--" never occurs inside a group's ID, so it separates the group from the item.
fs::path DesktopMenuShell::itemFile(const std::string& group, const std::string& item) const {
    return locations_.applications / (groupId(group) + "--" + desktopIdPart(item) + ".desktop");
}

std::vector<fs::path> DesktopMenuShell::itemFiles(const std::string& group) const {
    std::vector<fs::path> files;
    const std::string prefix = groupId(group) + "--";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(locations_.applications, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".desktop")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> DesktopMenuShell::groupNames() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(locations_.desktopDirectories, error)) {
        const std::string file = entry.path().filename().string();
        if (file.rfind(kPrefix, 0) != 0 || entry.path().extension() != ".directory")
            continue;
        const std::string name = desktopEntryValue(readOrEmpty(entry.path()), kGroupKey);
        if (!name.empty())
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return asciiUppered(a) < asciiUppered(b);
    });
    return names;
}

bool DesktopMenuShell::hasGroup(const std::string& name) {
    std::error_code error;
    return fs::exists(directoryFile(name), error);
}

bool DesktopMenuShell::createGroup(const std::string& name) {
    // A group whose menu file is missing (a setup stopped between the two writes) is
    // written again.
    std::error_code error;
    if (hasGroup(name) && fs::exists(menuFile(name), error))
        return true;
    const std::string id = groupId(name);
    const std::string directory = "[Desktop Entry]\n"
                                  "Type=Directory\n"
                                  "Name=" +
                                  escapeDesktopValue(name) +
                                  "\n"
                                  "Icon=folder\n" +
                                  std::string(kGroupKey) + "=" + escapeDesktopValue(name) + "\n";
    // Menu readers take a merged file without a document type line.
    const std::string menu = "<Menu>\n"
                             "  <Name>Applications</Name>\n"
                             "  <Menu>\n"
                             "    <Name>" +
                             xmlEscaped(id) +
                             "</Name>\n"
                             "    <Directory>" +
                             xmlEscaped(id) +
                             ".directory</Directory>\n"
                             "    <Include>\n"
                             "      <Category>X-" +
                             xmlEscaped(id) +
                             "</Category>\n"
                             "    </Include>\n"
                             "  </Menu>\n"
                             "</Menu>\n";
    // The menu refers to the directory file, so that is written first.
    return writeFile(directoryFile(name), directory) && writeFile(menuFile(name), menu);
}

bool DesktopMenuShell::deleteGroup(const std::string& name) {
    if (!hasGroup(name))
        return false;
    std::error_code error;
    for (const auto& item : itemFiles(name))
        fs::remove(item, error);
    fs::remove(menuFile(name), error);
    return fs::remove(directoryFile(name), error);
}

std::optional<std::vector<std::string>>
DesktopMenuShell::launchCommand(std::string_view commandLine) const {
    // The command line as sent is the quoted file path, a blank and the arguments;
    // the path is read as the program name of a command line.
    std::vector<std::string> arguments = splitCommandLine(commandLine);
    if (arguments.empty() || arguments.front().empty())
        return std::nullopt;
    const std::string& file = arguments.front();
    std::optional<fs::path> host;
    if (file.front() == '/')
        host = resolveIgnoringCase(file);
    else
        host = drives_.toHostPath(file);
    if (!host)
        return std::nullopt;
    if (!isExecutableProgram(*host)) {
        // The desktop's opener cannot read a help file of ours: it opens in the help
        // window of the program it belongs to, the program of its name beside it.
        if (asciiUppered(host->extension().string()) == ".HLP") {
            const fs::path program = resolveIgnoringCase(host->parent_path() / host->stem());
            if (isExecutableProgram(program))
                return std::vector<std::string>{program.string(), "--help-file", host->string()};
        }
        return std::vector<std::string>{"xdg-open", host->string()};
    }
    arguments.front() = host->string();
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() >= 3 && hasDriveLetter(argument) && argument[2] == '\\')
            if (auto translated = drives_.toHostPath(argument))
                arguments[i] = translated->string();
    }
    return arguments;
}

bool DesktopMenuShell::addItem(const std::string& group, const std::string& commandLine,
                               const std::string& name) {
    const auto command = launchCommand(commandLine);
    if (!command)
        return false;
    const fs::path target =
        command->front() == "xdg-open" ? fs::path(command->back()) : fs::path(command->front());
    const std::string id = groupId(group);
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=" +
                        escapeDesktopValue(name) + "\n";
    entry += "Exec=" + desktopExecValue(*command) + "\n";
    if (const auto icon = iconBeside(target, group))
        entry += "Icon=" + escapeDesktopValue(icon->string()) + "\n";
    entry += "Path=" + escapeDesktopValue(target.parent_path().string()) + "\n";
    entry += "Terminal=false\n";
    entry += "Categories=Utility;X-" + id + ";\n";
    entry += std::string(kGroupKey) + "=" + escapeDesktopValue(group) + "\n";
    entry += std::string(kItemKey) + "=" + escapeDesktopValue(name) + "\n";
    return writeFile(itemFile(group, name), entry);
}

bool DesktopMenuShell::deleteItem(const std::string& group, const std::string& name) {
    // The file's name follows from the item's name without regard to case, so one
    // look is enough however many items the group holds.
    const fs::path file = itemFile(group, name);
    std::error_code error;
    return equalsIgnoringCase(desktopEntryValue(readOrEmpty(file), kItemKey), name) &&
           fs::remove(file, error);
}

} // namespace lumora::platform
