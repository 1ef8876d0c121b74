#pragma once
// The shell the installer talks to as if it were the Program Manager: it takes the
// same command strings ("[CreateGroup(Lumora)]\r\n", "[AddItem(\"C:\\Lumora\\Lumora\"
// ,Lumora)]\r\n", ...) and answers the "Groups" request. Subclasses keep the groups:
// the desktop-menu backend in the user's menus, the recording backend in memory.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {

// One bracketed command: its name and its arguments as written (blanks around each
// argument removed, quotes kept).
struct ProgmanCommand {
    std::string name;
    std::vector<std::string> arguments;
};

// Every command of an execute string ("[A(x)][B(y, 7)]\r\n"); nothing when the text
// is not a list of bracketed commands. Arguments split at commas outside double
// quotes and outside nested parentheses.
std::optional<std::vector<ProgmanCommand>> parseProgmanCommands(std::string_view text);

// An argument without its surrounding double quotes, if it has them.
std::string unquoteProgmanArgument(std::string_view argument);

class ProgmanShell {
public:
    virtual ~ProgmanShell() = default;

    // Opens and closes one conversation; a shell that is not there refuses to open.
    virtual bool connect() { return true; }
    virtual void disconnect() {}

    // Runs the commands of one execute transaction in order; false when the text
    // cannot be parsed or a command fails (the commands after it are not run).
    // CreateGroup and ShowGroup make their group the current one; AddItem adds to
    // and DeleteItem deletes from the current group, as the Program Manager does.
    virtual bool execute(std::string_view commandText);

    // The data item "Groups": every group name followed by CR LF. Nothing for other
    // items.
    virtual std::optional<std::string> request(std::string_view item);

    const std::string& currentGroup() const { return currentGroup_; }

protected:
    virtual std::vector<std::string> groupNames() = 0;
    virtual bool hasGroup(const std::string& name) = 0;
    virtual bool createGroup(const std::string& name) = 0;
    virtual bool deleteGroup(const std::string& name) = 0;
    // `commandLine` is the item's command as sent: the quoted file path, a blank and
    // its arguments.
    virtual bool addItem(const std::string& group, const std::string& commandLine,
                         const std::string& name) = 0;
    virtual bool deleteItem(const std::string& group, const std::string& name) = 0;
    // Every ProgmanCommand passes here first; the recording backend logs and fails
    // commands through it. Returns false to fail the command without running it.
    virtual bool acceptCommand(const ProgmanCommand&) { return true; }

private:
    bool run(const ProgmanCommand& command);
    std::string currentGroup_;
};

// The item name the Program Manager gives an item added without one: the file name
// of the command's program without its extension.
std::string defaultItemName(std::string_view commandLine);

} // namespace lumora::platform
