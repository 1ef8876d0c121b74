#include "recording_progman_shell.h"

#include "common/ascii_case.h"

#include <algorithm>

namespace lumora::platform {

std::vector<std::string> RecordingProgmanShell::executed() const {
    std::vector<std::string> texts;
    for (const auto& entry : log_)
        if (entry != "connect" && entry != "disconnect" && entry.rfind("request ", 0) != 0)
            texts.push_back(entry);
    return texts;
}

const RecordingProgmanShell::Group*
RecordingProgmanShell::findGroup(const std::string& name) const {
    return const_cast<RecordingProgmanShell*>(this)->find(name);
}

RecordingProgmanShell::Group* RecordingProgmanShell::find(const std::string& name) {
    for (auto& group : groups_)
        if (equalsIgnoringCase(group.name, name))
            return &group;
    return nullptr;
}

void RecordingProgmanShell::addExistingGroup(const std::string& name,
                                             std::vector<std::string> items) {
    groups_.push_back(Group{name, std::move(items)});
}

void RecordingProgmanShell::clearLog() {
    log_.clear();
    commands_.clear();
}

bool RecordingProgmanShell::connect() {
    log_.emplace_back("connect");
    return available_;
}

void RecordingProgmanShell::disconnect() {
    log_.emplace_back("disconnect");
}

bool RecordingProgmanShell::execute(std::string_view commandText) {
    log_.emplace_back(commandText);
    return available_ && ProgmanShell::execute(commandText);
}

std::optional<std::string> RecordingProgmanShell::request(std::string_view item) {
    log_.push_back("request " + std::string(item));
    if (!available_)
        return std::nullopt;
    return ProgmanShell::request(item);
}

bool RecordingProgmanShell::acceptCommand(const ProgmanCommand& command) {
    commands_.push_back(command);
    return std::none_of(failing_.begin(), failing_.end(), [&](const std::string& name) {
        return equalsIgnoringCase(name, command.name);
    });
}

std::vector<std::string> RecordingProgmanShell::groupNames() {
    std::vector<std::string> names;
    for (const auto& group : groups_)
        names.push_back(group.name);
    return names;
}

bool RecordingProgmanShell::hasGroup(const std::string& name) {
    return find(name) != nullptr;
}

bool RecordingProgmanShell::createGroup(const std::string& name) {
    if (!find(name))
        groups_.push_back(Group{name, {}});
    return true;
}

bool RecordingProgmanShell::deleteGroup(const std::string& name) {
    const auto before = groups_.size();
    std::erase_if(groups_,
                  [&](const Group& group) { return equalsIgnoringCase(group.name, name); });
    return groups_.size() != before;
}

bool RecordingProgmanShell::addItem(const std::string& group, const std::string&,
                                    const std::string& name) {
    Group* found = find(group);
    if (!found)
        return false;
    found->items.push_back(name);
    return true;
}

bool RecordingProgmanShell::deleteItem(const std::string& group, const std::string& name) {
    Group* found = find(group);
    if (!found)
        return false;
    auto item =
        std::find_if(found->items.begin(), found->items.end(), [&](const std::string& candidate) {
            return equalsIgnoringCase(candidate, name);
        });
    if (item == found->items.end())
        return false;
    found->items.erase(item);
    return true;
}

} // namespace lumora::platform
