#include "setup/pages/setup_prog_exec.h"

#include "common/ascii_case.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/program_launcher.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/setup_paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace setupkit {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view TextEditor = "NOTEPAD.EXE";

std::string trimmedUnquoted(std::string text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

} // namespace

TSetupProgExec::TSetupProgExec(ComponentOwner* owner) : TSetupComponent(owner) {}

bool TSetupProgExec::InheritsFrom(std::string_view className) const {
    return className == "TSetupProgExec" || TSetupComponent::InheritsFrom(className);
}

int TSetupProgExec::Execute() {
    TSetupComponent::Execute();
    TSetupInfo* info = SetupInfo();
    const std::string directory = ResolveDir(info, progDir_);
    const std::string program = directory + progName_;
    const auto host = info->HostPath(program);
    std::error_code error;
    const bool exists = host && fs::is_regular_file(*host, error);
    if (!exists && lumora::asciiUppered(progName_) == TextEditor)
        return showInViewer();

    LaunchRequest request;
    request.commandLine = program + " " + commandLine_;
    const size_t slash = program.find_last_of("\\:");
    request.workingDirectory =
        slash == std::string::npos ? std::string() : FixDriveRoot(program.substr(0, slash + 1));
    request.wait = waitForDone_;
    ProgramLauncher* launcher = info->Services().launcher;
    if (!launcher)
        return 2;
    return launcher->launch(request).started ? 1 : 2;
}

int TSetupProgExec::showInViewer() {
    TSetupInfo* info = SetupInfo();
    const std::string document = trimmedUnquoted(commandLine_);
    const auto host = document.empty() ? std::nullopt : info->HostPath(document);
    std::error_code error;
    if (!host || !fs::is_regular_file(*host, error))
        return 2;
    std::ifstream in(*host, std::ios::binary);
    if (!in)
        return 2;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t slash = document.find_last_of("\\:");
    info->Services().interaction->showTextViewer(
        slash == std::string::npos ? document : document.substr(slash + 1), bytes);
    return 1;
}

bool TSetupProgExec::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "ProgDir") {
        progDir_ = formString(property);
    } else if (name == "ProgName") {
        progName_ = formString(property);
    } else if (name == "CommandLine") {
        commandLine_ = formString(property);
    } else if (name == "WaitForDone") {
        waitForDone_ = formBoolean(property);
    } else if (name == "WindowState" || name == "ShowWindow") {
        const std::string value = formIdentifier(property);
        if (value == "wsNormal" || value == "swNormal" || value == "swShowNormal")
            windowState_ = TWindowState::wsNormal;
        else if (value == "wsMinimized" || value == "swMinimize" || value == "swShowMinimized")
            windowState_ = TWindowState::wsMinimized;
        else if (value == "wsMaximized" || value == "swMaximize" || value == "swShowMaximized")
            windowState_ = TWindowState::wsMaximized;
        else
            throw ESetupError("Invalid property value for " + name + ": " + value);
    } else {
        return TSetupComponent::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
