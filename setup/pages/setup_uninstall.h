#pragma once
// TSetupUnInstall, the page that removes an installation again (run by the
// temporary copy of setup that the uninstall relaunch started), and the component
// that registers and unregisters the installation in the list of removable
// programs.

#include "platform/progman_shell.h"
#include "setup/engine/setup_page.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumora::platform {
class Registry;
}

namespace setupkit {

class TSetupUnInstall : public TSetupPage {
public:
    // Raises ESetupError "Only allowed one TSetupUnInstall per form." for a second one.
    explicit TSetupUnInstall(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupUnInstall"; }
    bool InheritsFrom(std::string_view className) const override;

    // The controller's flag; False without a controller.
    bool AttemptUnInstall() const;
    // The name of the script's log directory, "(none)" when it has none. Setting it
    // picks the script directory of that name, or none.
    std::string LogDir() const;
    void SetLogDir(const std::string& name);
    std::string LogFileName() const;
    void SetLogFileName(const std::string& name);
    // The controller's LogFile.
    std::string LogFile() const;
    // The script's list of support files for the uninstall relaunch (a private list
    // without a script).
    const std::vector<std::string>& UnInstallFiles() const;
    // Keeps each non-empty entry once for every script file of that name; warns about
    // entries that name none.
    void SetUnInstallFiles(const std::vector<std::string>& names);
    const std::vector<std::string>& Text() const { return text_; }
    void SetText(std::vector<std::string> text) { text_ = std::move(text); }
    // Fired at the start of the removal.
    NotifyEvent OnCleanup;

    // The uninstall entry: the log directory + the running program's file name +
    // " UNINSTALL". Nothing for an empty name or without a log directory.
    void RegisterUnInstall(const std::string& displayName);
    void UnregisterUnInstall(const std::string& displayName);

    void ShowPage() override;
    // The removal: items, files, the log, directories innermost first, groups, the
    // database engine; then the uninstall counts as done.
    void DoNext() override;

    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    lumora::platform::ProgmanShell* shell();

    std::unique_ptr<lumora::platform::ProgmanShell> fallbackShell_;
    lumora::platform::Registry registry() const;
    // The recorded directories `which` picks, innermost first.
    void removeDirectories(const std::function<bool(const std::string&)>& which);
    void removeMadePaths();

    std::vector<std::string> text_;
    std::vector<std::string> privateFiles_;
};

} // namespace setupkit
