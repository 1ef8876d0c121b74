#pragma once
// A Program Manager for tests: it keeps its groups and items in memory, records
// every conversation, command text and request exactly as received, and can be told
// to be absent or to fail chosen commands.

#include "progman_shell.h"

#include <string>
#include <vector>

namespace lumora::platform {

class RecordingProgmanShell : public ProgmanShell {
public:
    struct Group {
        std::string name;
        std::vector<std::string> items; // item names, in the order added
    };

    // Everything the shell was sent, in order: "connect", "disconnect", the execute
    // texts exactly as received, and "request " + item.
    const std::vector<std::string>& log() const { return log_; }
    // Only the execute texts.
    std::vector<std::string> executed() const;
    // Only the commands that ran (parsed), for tests that count them.
    const std::vector<ProgmanCommand>& commands() const { return commands_; }
    const std::vector<Group>& groups() const { return groups_; }
    const Group* findGroup(const std::string& name) const;

    // A group that existed before setup ran.
    void addExistingGroup(const std::string& name, std::vector<std::string> items = {});
    // No Program Manager: connections are refused.
    void setAvailable(bool available) { available_ = available; }
    // Commands of this name (e.g. "CreateGroup") fail without effect.
    void failCommand(const std::string& name) { failing_.push_back(name); }
    void clearLog();

    bool connect() override;
    void disconnect() override;
    bool execute(std::string_view commandText) override;
    std::optional<std::string> request(std::string_view item) override;

protected:
    std::vector<std::string> groupNames() override;
    bool hasGroup(const std::string& name) override;
    bool createGroup(const std::string& name) override;
    bool deleteGroup(const std::string& name) override;
    bool addItem(const std::string& group, const std::string& commandLine,
                 const std::string& name) override;
    bool deleteItem(const std::string& group, const std::string& name) override;
    bool acceptCommand(const ProgmanCommand& command) override;

private:
    Group* find(const std::string& name);

    std::vector<std::string> log_;
    std::vector<ProgmanCommand> commands_;
    std::vector<Group> groups_;
    std::vector<std::string> failing_;
    bool available_ = true;
};

} // namespace lumora::platform
