#pragma once
// TSetupBDEInstall, the page that makes sure the database engine is present: it
// runs the engine's own setup program, or selects the engine's files for the copy
// page and writes the engine's settings itself; the uninstall page calls its removal.

#include "setup/engine/setup_page.h"
#include "setup/pages/bde_install_rules.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumora::platform {
class Registry;
}

namespace setupkit {

class TSetupBDEInstall : public TSetupPage {
public:
    // Raises ESetupError "Only allowed one TSetupBDEInstall per application." for a
    // second one on the form.
    explicit TSetupBDEInstall(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupBDEInstall"; }
    bool InheritsFrom(std::string_view className) const override;

    TSetupBDEInstallTypes BDEType() const { return bdeType_; }
    void SetBDEType(TSetupBDEInstallTypes type) { bdeType_ = type; }
    const std::string& BDEDir() const { return bdeDir_; }
    void SetBDEDir(std::string dir) { bdeDir_ = std::move(dir); }
    const std::string& DefaultDir() const { return defaultDir_; }
    // Only a directory path is taken; anything else gets the warning "This is not a
    // valid directory string." and the old value stays.
    void SetDefaultDir(const std::string& dir);
    const std::string& InstallProgram() const { return installProgram_; }
    void SetInstallProgram(std::string name) { installProgram_ = std::move(name); }
    bool AllowUnInstall() const { return allowUnInstall_; }
    void SetAllowUnInstall(bool allow) { allowUnInstall_ = allow; }
    const std::vector<std::string>& Text() const { return text_; }
    void SetText(std::vector<std::string> text) { text_ = std::move(text); }
    // Lines "registry key:~:value name:~:value" for the 32-bit integrated install.
    const std::vector<std::string>& ExtraData() const { return extraData_; }
    void SetExtraData(std::vector<std::string> lines) { extraData_ = std::move(lines); }

    // Whether the engine counts as installed by this page.
    bool Installed() const { return installed_; }
    // Whether the engine is there for the page's type.
    bool Present() const;

    // bdeNone: psDone at once, nothing shown. Otherwise the page loop.
    int Execute() override;
    void ShowPage() override;
    void DoNext() override;
    // The Reinstall button: installs whether or not the engine is there.
    void DoBrowse(std::string_view senderName) override;
    // Takes away what an install of `type` set up; only with AllowUnInstall.
    void RemoveBDE(std::uint8_t type);

    void Notification(TSetupComponent* component, Operation operation) override;
    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    void install();
    void runSetupProgram();
    void installIntegrated();
    std::filesystem::path winIni() const;
    lumora::platform::Registry registry() const;

    TSetupBDEInstallTypes bdeType_ = bdeNone;
    std::string bdeDir_ = "(none)";
    std::string defaultDir_ = "C:\\IDAPI\\";
    std::string installProgram_ = "SETUP.EXE";
    bool allowUnInstall_ = false;
    std::vector<std::string> text_;
    std::vector<std::string> extraData_;
    bool installed_ = false;
};

} // namespace setupkit
