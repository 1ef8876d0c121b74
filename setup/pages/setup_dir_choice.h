#pragma once
// TSetupDirChoice, the wizard page where the user accepts or changes the directory the
// application is installed into (the Dir of one script directory, which everything
// below it follows). Next refuses floppy drives, offers to create a missing directory
// and selects it for installation; Previous deselects it again.

#include "setup/engine/setup_page.h"

#include <string>
#include <vector>

namespace setupkit {

class TSetupDir;

class TSetupDirChoice : public TSetupPage {
public:
    explicit TSetupDirChoice(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupDirChoice"; }
    bool InheritsFrom(std::string_view className) const override;

    // Name of the script directory whose Dir the page sets.
    const std::string& InstallDir() const { return installDir_; }
    void SetInstallDir(std::string name) { installDir_ = std::move(name); }
    // That directory's Dir; empty without a script, an InstallDir or with "(none)".
    std::string TargetDir() const;
    // Taken (with a trailing backslash) only for a local absolute path such as
    // "D:\Apps"; anything else is ignored without a message.
    void SetTargetDir(const std::string& value);
    bool AllowDirChange() const { return allowDirChange_; }
    void SetAllowDirChange(bool allow) { allowDirChange_ = allow; }
    bool DoInvisible() const { return doInvisible_; }
    void SetDoInvisible(bool invisible) { doInvisible_ = invisible; }
    int PreserveTrailing() const { return preserveTrailing_; }
    void SetPreserveTrailing(int count) { preserveTrailing_ = count; }
    const std::vector<std::string>& Text() const { return text_; }
    void SetText(std::vector<std::string> lines) { text_ = std::move(lines); }
    const std::vector<std::string>& SelectText() const { return selectText_; }
    void SetSelectText(std::vector<std::string> lines) { selectText_ = std::move(lines); }

    // The target as the page last showed it (the destination label's text).
    const std::string& ShownTarget() const { return shownTarget_; }

    // Without a script the page cancels; with DoInvisible it accepts its directory
    // and goes on without showing anything.
    int Execute() override;
    void ShowPage() override;
    // The Browse view, for the Browse button; it waits for Previous, Next or Cancel.
    void DoBrowse(std::string_view senderName) override;
    void DoNext() override;
    void DoPrev() override;

    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    TSetupDir* installDirectory() const;
    // The Browse view's path for a directory picked in its list.
    std::string pathForListDirectory(const std::string& directory) const;

    std::string installDir_;
    bool allowDirChange_ = true;
    bool doInvisible_ = false;
    int preserveTrailing_ = 0;
    std::vector<std::string> text_;
    std::vector<std::string> selectText_;
    std::string shownTarget_;
};

} // namespace setupkit
