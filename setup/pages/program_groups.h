#pragma once
// The Program Manager conversation of the groups and uninstall pages: the command
// texts, the group list, which items are present, the creation run that records
// every group and item before it is sent, and the removal of what was recorded.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {
class ProgmanShell;
}

namespace setupkit {

class TSetupInfo;
struct SetupServices;
class TSetupWinGroups;
class TSetupWinItem;

std::string CreateGroupCommand(std::string_view group);
// The file's path in double quotes, a blank, the command line, a comma, the name.
std::string AddItemCommand(std::string_view path, std::string_view commandLine,
                           std::string_view name);
std::string ShowGroupCommand(std::string_view group);
std::string DeleteItemCommand(std::string_view item);
std::string DeleteGroupCommand(std::string_view group);

// One connection to the Program Manager, closed when it goes out of scope. Without a
// shell, or when the shell refuses, every send fails and every request is empty.
class ProgmanConversation {
public:
    explicit ProgmanConversation(lumora::platform::ProgmanShell* shell);
    ~ProgmanConversation();
    ProgmanConversation(const ProgmanConversation&) = delete;
    ProgmanConversation& operator=(const ProgmanConversation&) = delete;

    bool connected() const { return connected_; }
    // Sends the command followed by CR LF; false when it could not be sent.
    bool send(std::string_view command);
    std::optional<std::string> request(std::string_view item);

private:
    lumora::platform::ProgmanShell* shell_;
    bool connected_;
};

// The Program Manager the services name; without one, the current user's desktop
// menus, made once and kept in `fallback`.
lumora::platform::ProgmanShell*
progmanShellFor(const SetupServices& services,
                std::unique_ptr<lumora::platform::ProgmanShell>& fallback);

// The group names of a "Groups" answer, one a line, empty lines left out.
std::vector<std::string> parseGroupList(std::string_view answer);
// Asks the Program Manager for its groups in a connection of its own.
std::vector<std::string> fetchGroupList(lumora::platform::ProgmanShell* shell);

// The Windows path of the item's file: its directory's full path with a trailing
// backslash and the file's name; empty when the item lacks either.
std::string itemPath(const TSetupWinItem& item);
// How many of the entry's items have their file on disk.
int countPresentItems(const TSetupInfo& info, const TSetupWinGroups& entry);

// Creates the group (recorded first when it is not among `existingGroups`), adds
// every present, selected item (each recorded before it is sent) and shows the
// group. Failures show texts 63 and 64 and the run goes on. Returns false when the
// group could not be created.
bool createProgramGroup(TSetupInfo& info, lumora::platform::ProgmanShell* shell,
                        const TSetupWinGroups& entry, const std::string& group,
                        const std::vector<std::string>& existingGroups);

// The uninstall's item step: for every entry with an item, in order, a show command
// when its group differs from the last one shown, then the delete command.
void deleteRecordedItems(lumora::platform::ProgmanShell* shell,
                         const std::vector<std::string>& groupNames,
                         const std::vector<std::string>& groupItems);
// The uninstall's group step: every group recorded without an item was created by
// setup and is deleted.
void deleteRecordedGroups(lumora::platform::ProgmanShell* shell,
                          const std::vector<std::string>& groupNames,
                          const std::vector<std::string>& groupItems);

} // namespace setupkit
