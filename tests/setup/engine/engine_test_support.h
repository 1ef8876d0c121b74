#pragma once
// Helpers of the installer-engine tests: a wizard dialog without a screen, a launcher
// that records instead of starting, a pump that presses scripted buttons, and a
// world of virtual drives in a temporary directory.

#include "platform/profile_file.h"
#include "setup/engine/program_launcher.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_pump.h"
#include "setup/engine/wizard_dialog.h"
#include "temp_dir.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace setupkit::testing {

// The dialog's controls as plain state; showing it modally runs the kick-off at once.
class FakeWizardDialog : public WizardDialog {
public:
    void setCaption(std::string_view caption) override { caption_ = caption; }
    std::string caption() const override { return caption_; }
    void setButtonVisible(WizardButton button, bool visible) override {
        buttons_[button].visible = visible;
    }
    bool buttonVisible(WizardButton button) const override { return state(button).visible; }
    void setButtonEnabled(WizardButton button, bool enabled) override {
        buttons_[button].enabled = enabled;
    }
    bool buttonEnabled(WizardButton button) const override { return state(button).enabled; }
    void setButtonCaption(WizardButton button, std::string_view caption) override {
        buttons_[button].caption = caption;
    }
    std::string buttonCaption(WizardButton button) const override { return state(button).caption; }
    void focusButton(WizardButton button) override { focused = button; }
    void showNotebookPage(int index) override { page_ = index; }
    int notebookPage() const override { return page_; }
    void setPicture(const std::string& encoded) override { picture = encoded; }
    void setMultiDiskIntent(std::string_view text) override { multiDiskIntent = text; }
    void showModeless() override { shownModeless = true; }
    void showModal() override {
        kickOff();
        rethrowKeptError();
    }
    void closeDialog() override { closed = true; }
    void press(WizardButton button) override {
        const ButtonState& pressed = state(button);
        if (!pressed.enabled || !pressed.visible)
            return;
        if (button == WizardButton::Next)
            nextClicked();
        else if (button == WizardButton::Prev)
            prevClicked();
        else
            cancelClicked();
    }
    void postCopyProgress(int amount) override { copyProgress += amount; }

    std::optional<WizardButton> focused;
    std::string picture;
    std::string multiDiskIntent;
    bool shownModeless = false;
    bool closed = false;
    int copyProgress = 0;

private:
    struct ButtonState {
        bool visible = true;
        bool enabled = true;
        std::string caption;
    };
    const ButtonState& state(WizardButton button) const {
        static const ButtonState none;
        auto found = buttons_.find(button);
        return found == buttons_.end() ? none : found->second;
    }
    std::map<WizardButton, ButtonState> buttons_;
    std::string caption_;
    int page_ = 0;
};

// Installs a factory of FakeWizardDialogs for the test's life and frees the dialog
// at the end.
class FakeWizardScope {
public:
    FakeWizardScope();
    ~FakeWizardScope();
    // The dialog made so far, or none.
    FakeWizardDialog* dialog() const;
    int created = 0;
};

class RecordingLauncher : public ProgramLauncher {
public:
    bool start(const std::string& windowsProgramPath) override {
        started.push_back(windowsProgramPath);
        return succeed;
    }
    LaunchResult launch(const LaunchRequest& request) override {
        launched.push_back(request);
        if (onLaunch)
            onLaunch(request);
        LaunchResult result;
        result.started = succeed;
        result.errorCode = succeed ? 0 : 2;
        return result;
    }
    std::vector<std::string> started;
    std::vector<LaunchRequest> launched;
    // Runs in place of the program (e.g. what an engine's setup program would do).
    std::function<void(const LaunchRequest&)> onLaunch;
    bool succeed = true;
};

// Presses the next scripted button each time a page waits; a wait with nothing left
// to press fails the test instead of hanging, and so does a press never made.
class ButtonScriptPump : public SetupMessagePump {
public:
    ButtonScriptPump() = default;
    ButtonScriptPump(const ButtonScriptPump&) = delete;
    ButtonScriptPump& operator=(const ButtonScriptPump&) = delete;
    ~ButtonScriptPump() override;
    void processMessages() override {}
    void waitForMessages() override;
    void press(WizardButton button) { presses.push_back(button); }
    std::deque<WizardButton> presses;
    // Called before each press, e.g. to check what the page shows.
    std::function<void(WizardButton)> beforePress;
};

// A temporary world: drive C: is <temp>/c, the Windows directory C:\WINDOWS, the
// program C:\Lumora\setup, TSETUP.INI in the Windows directory, the temporary
// directory <temp>/tmp. The current directory is restored at the end.
class SetupWorld {
public:
    SetupWorld();
    ~SetupWorld();

    std::filesystem::path host(const std::string& relative) const { return temp.path() / relative; }
    // A controller on `form` with the world's services, its script holding the
    // directory Install = C:\Lumora\ with two files and the log in Install.
    TSetupInfo* makeController(ComponentOwner& form);
    lumora::platform::ProfileFile notes() const;
    // The note an uninstall leaves for the working copy it starts, naming the running
    // program as that copy.
    void writeUnInstallNote(const std::string& logFile);

    lumora::testing::TempDir temp;
    ScriptedSetupInteraction interaction;
    RecordingLauncher launcher;
    ButtonScriptPump pump;
    SetupServices services;

private:
    std::filesystem::path savedDirectory_;
};

} // namespace setupkit::testing
