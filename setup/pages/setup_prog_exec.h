#pragma once
// TSetupProgExec, the component that starts another program for the installer (the
// read-me in a text viewer) and waits for it.

#include "setup/engine/setup_component.h"

#include <string>

namespace setupkit {

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

class TSetupProgExec : public TSetupComponent {
public:
    explicit TSetupProgExec(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupProgExec"; }
    bool InheritsFrom(std::string_view className) const override;

    // A script directory name or a special name for ResolveDir.
    const std::string& ProgDir() const { return progDir_; }
    void SetProgDir(std::string dir) { progDir_ = std::move(dir); }
    const std::string& ProgName() const { return progName_; }
    void SetProgName(std::string name) { progName_ = std::move(name); }
    const std::string& CommandLine() const { return commandLine_; }
    void SetCommandLine(std::string commandLine) { commandLine_ = std::move(commandLine); }
    bool WaitForDone() const { return waitForDone_; }
    void SetWaitForDone(bool wait) { waitForDone_ = wait; }
    // Kept with the form; the programs started here open their own windows.
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state) { windowState_ = state; }

    // Starts ResolveDir(ProgDir) + ProgName + " " + CommandLine in the program's
    // directory and, with WaitForDone, waits for it to end. 1 when it ran, 2 when it
    // could not be started. The system text editor NOTEPAD.EXE, which this system
    // does not have, is answered by the installer's own read-only viewer showing the
    // file the command line names; it returns when the viewer is closed.
    int Execute() override;

    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    int showInViewer();

    std::string progDir_ = "(none)";
    std::string progName_;
    std::string commandLine_;
    bool waitForDone_ = true;
    TWindowState windowState_ = TWindowState::wsNormal;
};

} // namespace setupkit
