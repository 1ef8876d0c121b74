#include "setup/pages/program_groups.h"

#include "common/ascii_case.h"
#include "platform/desktop_menu_shell.h"
#include "platform/progman_shell.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_paths.h"
#include "setup/pages/catalogue_format.h"

#include <algorithm>
#include <filesystem>

namespace setupkit {

namespace fs = std::filesystem;
using lumora::equalsIgnoringCase;

std::string CreateGroupCommand(std::string_view group) {
    return "[CreateGroup(" + std::string(group) + ")]";
}

std::string AddItemCommand(std::string_view path, std::string_view commandLine,
                           std::string_view name) {
    return "[AddItem(\"" + std::string(path) + "\" " + std::string(commandLine) + "," +
           std::string(name) + ")]";
}

std::string ShowGroupCommand(std::string_view group) {
    return "[ShowGroup(" + std::string(group) + ", 7)]";
}

std::string DeleteItemCommand(std::string_view item) {
    return "[DeleteItem(" + std::string(item) + ")]";
}

std::string DeleteGroupCommand(std::string_view group) {
    return "[DeleteGroup(" + std::string(group) + ")]";
}

ProgmanConversation::ProgmanConversation(lumora::platform::ProgmanShell* shell)
    : shell_(shell), connected_(shell && shell->connect()) {}

ProgmanConversation::~ProgmanConversation() {
    if (connected_)
        shell_->disconnect();
}

bool ProgmanConversation::send(std::string_view command) {
    return connected_ && shell_->execute(std::string(command) + "\r\n");
}

std::optional<std::string> ProgmanConversation::request(std::string_view item) {
    if (!connected_)
        return std::nullopt;
    return shell_->request(item);
}

lumora::platform::ProgmanShell*
progmanShellFor(const SetupServices& services,
                std::unique_ptr<lumora::platform::ProgmanShell>& fallback) {
    if (services.shell)
        return services.shell;
    if (!fallback)
        fallback = std::make_unique<lumora::platform::DesktopMenuShell>(services.drives);
    return fallback.get();
}

std::vector<std::string> parseGroupList(std::string_view answer) {
    std::vector<std::string> groups;
    while (!answer.empty()) {
        const size_t end = answer.find_first_of("\r\n");
        std::string_view line = answer.substr(0, end);
        if (!line.empty())
            groups.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        answer.remove_prefix(end + 1);
    }
    return groups;
}

std::vector<std::string> fetchGroupList(lumora::platform::ProgmanShell* shell) {
    ProgmanConversation conversation(shell);
    const auto answer = conversation.request("Groups");
    return answer ? parseGroupList(*answer) : std::vector<std::string>{};
}

std::string itemPath(const TSetupWinItem& item) {
    if (!item.Dir() || !item.ItemFile())
        return {};
    return AddBackslash(item.Dir()->FullPath()) + item.ItemFile()->Name();
}

namespace {

bool fileExists(const TSetupInfo& info, const std::string& path) {
    if (path.empty())
        return false;
    const auto host = info.HostPath(path);
    std::error_code error;
    return host && fs::is_regular_file(*host, error);
}

} // namespace

int countPresentItems(const TSetupInfo& info, const TSetupWinGroups& entry) {
    return static_cast<int>(
        std::count_if(entry.Items().begin(), entry.Items().end(), [&](const TSetupWinItem* item) {
            return item && fileExists(info, itemPath(*item));
        }));
}

bool createProgramGroup(TSetupInfo& info, lumora::platform::ProgmanShell* shell,
                        const TSetupWinGroups& entry, const std::string& group,
                        const std::vector<std::string>& existingGroups) {
    bool created = true;
    {
        ProgmanConversation conversation(shell);
        const bool existed =
            std::any_of(existingGroups.begin(), existingGroups.end(),
                        [&](const std::string& name) { return equalsIgnoringCase(name, group); });
        // Recorded before it is sent: a group half made by a failing shell is still
        // one the uninstall should try to take away.
        if (!existed)
            info.AddGroupEntry("", group);
        if (!conversation.send(CreateGroupCommand(group))) {
            info.MessageDlg(formatCatalogueText(info.GetText(63), {group}), mtError, mbOK);
            created = false;
        }
    }
    {
        ProgmanConversation conversation(shell);
        for (const TSetupWinItem* item : entry.Items()) {
            if (!item)
                continue;
            const std::string path = itemPath(*item);
            if (!info.IsFileSelected(item->ItemFile(), item->Dir()) || !fileExists(info, path))
                continue;
            info.AddGroupEntry(item->Name(), group);
            if (!conversation.send(AddItemCommand(path, item->CommandLine(), item->Name())))
                info.MessageDlg(formatCatalogueText(info.GetText(64), {item->Name()}), mtError,
                                mbOK);
        }
    }
    {
        ProgmanConversation conversation(shell);
        conversation.send(ShowGroupCommand(group));
    }
    return created;
}

void deleteRecordedItems(lumora::platform::ProgmanShell* shell,
                         const std::vector<std::string>& groupNames,
                         const std::vector<std::string>& groupItems) {
    if (groupNames.empty())
        return;
    ProgmanConversation conversation(shell);
    std::string current;
    for (size_t i = 0; i < groupNames.size() && i < groupItems.size(); ++i) {
        if (groupItems[i].empty())
            continue;
        if (groupNames[i] != current) {
            current = groupNames[i];
            conversation.send(ShowGroupCommand(current));
        }
        conversation.send(DeleteItemCommand(groupItems[i]));
    }
}

void deleteRecordedGroups(lumora::platform::ProgmanShell* shell,
                          const std::vector<std::string>& groupNames,
                          const std::vector<std::string>& groupItems) {
    if (groupNames.empty())
        return;
    ProgmanConversation conversation(shell);
    for (size_t i = 0; i < groupNames.size() && i < groupItems.size(); ++i)
        if (groupItems[i].empty())
            conversation.send(DeleteGroupCommand(groupNames[i]));
}

} // namespace setupkit
