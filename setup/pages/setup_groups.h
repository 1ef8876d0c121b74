#pragma once
// TSetupGroups, the wizard page that puts the installed program into a program
// group: the user picks an existing group or names a new one, and the page creates
// the group and its items through the Program Manager, recording each for the
// uninstall.

#include "platform/progman_shell.h"
#include "setup/engine/setup_page.h"

#include <memory>
#include <string>
#include <vector>

namespace setupkit {

class TSetupWinGroups;

class TSetupGroups : public TSetupPage {
public:
    explicit TSetupGroups(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupGroups"; }
    bool InheritsFrom(std::string_view className) const override;

    // Kept with the form; there is no Program Manager window to minimise here.
    bool MinimizeProgMan() const { return minimizeProgMan_; }
    void SetMinimizeProgMan(bool value) { minimizeProgMan_ = value; }
    const std::vector<std::string>& Text() const { return text_; }
    // Without menu entries the page passes by itself and makes none.
    bool MakesEntries() const { return makesEntries_; }
    void SetMakesEntries(bool value) { makesEntries_ = value; }
    void SetText(std::vector<std::string> text) { text_ = std::move(text); }

    // Renames the page's program-group entry too; when an entry of the new name
    // exists already, the entry of the old name is deleted instead.
    void SetName(std::string name) override;

    // The page's program-group entry in the script, or none.
    TSetupWinGroups* WinGroup() const;
    // The groups the Program Manager listed when the page was last shown.
    const std::vector<std::string>& ExistingGroups() const { return existingGroups_; }

    // Base rules, the explanation, the caption, then the group list is fetched again.
    void ShowPage() override;
    // Passes by itself when none of the items' files is present.
    void RunPage() override;
    // The creation run.
    void DoNext() override;

    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    lumora::platform::ProgmanShell* shell();

    std::unique_ptr<lumora::platform::ProgmanShell> fallbackShell_;
    void fillGroupList();
    std::string groupName() const;

    bool minimizeProgMan_ = true;
    bool makesEntries_ = true;
    std::vector<std::string> text_;
    std::vector<std::string> existingGroups_;
};

} // namespace setupkit
