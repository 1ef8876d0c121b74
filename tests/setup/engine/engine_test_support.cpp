#include "engine_test_support.h"

#include "platform/profile_file.h"
#include "platform/unused_script.h"
#include "setup/engine/answer_file.h"

#include <gtest/gtest.h>

namespace setupkit::testing {

namespace fs = std::filesystem;

namespace {
FakeWizardScope* currentScope = nullptr;
}

FakeWizardScope::FakeWizardScope() {
    currentScope = this;
    SetWizardFactory([this] {
        ++created;
        return std::make_unique<FakeWizardDialog>();
    });
}

FakeWizardScope::~FakeWizardScope() {
    FreeSetupPagesForm();
    SetWizardFactory({});
    SetActivePage(nullptr);
    currentScope = nullptr;
}

FakeWizardDialog* FakeWizardScope::dialog() const {
    return dynamic_cast<FakeWizardDialog*>(SetupPagesForm());
}

ButtonScriptPump::~ButtonScriptPump() {
    std::vector<std::string> unused;
    for (const WizardButton button : presses)
        unused.push_back("press " + std::string(wizardButtonName(button)));
    lumora::platform::reportUnusedScript("the button script", unused);
}

void ButtonScriptPump::waitForMessages() {
    if (presses.empty())
        throw std::logic_error("a page waits for a button, but no press is scripted");
    const WizardButton button = presses.front();
    presses.pop_front();
    if (beforePress)
        beforePress(button);
    WizardDialog* dialog = SetupPagesForm();
    if (!dialog)
        throw std::logic_error("a page waits, but there is no wizard dialog");
    dialog->press(button);
}

SetupWorld::SetupWorld() : savedDirectory_(fs::current_path()) {
    fs::create_directories(host("c/Lumora"));
    fs::create_directories(host("c/WINDOWS/SYSTEM"));
    fs::create_directories(host("tmp"));
    lumora::testing::writeFile(host("c/Lumora/setup"), "the program");
    services.drives.map('C', host("c"));
    services.drives.map('T', host("tmp"));
    services.programFile = host("c/Lumora/setup");
    services.notesFile = host("c/WINDOWS/TSETUP.INI");
    services.windowsDirectory = "C:\\WINDOWS";
    services.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    services.temporaryDirectory = host("tmp");
    services.interaction = &interaction;
    services.languageLoader = noLanguageLibrary();
    services.pump = &pump;
    services.launcher = &launcher;
}

SetupWorld::~SetupWorld() {
    std::error_code ignored;
    fs::current_path(savedDirectory_, ignored);
}

TSetupInfo* SetupWorld::makeController(ComponentOwner& form) {
    TSetupInfo* info = form.Create<TSetupInfo>(services);
    TSetupData& script = info->SetupData();
    script.SetAppName("Lumora");
    TSetupDir* install = script.FindDir("Install");
    install->SetDir("C:\\Lumora\\");
    for (const char* name : {"Lumora.exe", "ReadMe.txt"}) {
        TSetupFile* file = script.AddFile(std::string("C:\\RELEASE\\") + name);
        install->AddFile(file);
        script.GetDisk(1)->AddFile(file);
    }
    script.SetLogFileDir(install);
    return info;
}

lumora::platform::ProfileFile SetupWorld::notes() const {
    return lumora::platform::ProfileFile(services.notesFile);
}

void SetupWorld::writeUnInstallNote(const std::string& logFile) {
    auto note = notes();
    note.writeString("UnInstall", "Program",
                     services.drives.toWindowsPath(services.programFile).value_or(""));
    note.writeString("UnInstall", "Log File", logFile);
}

} // namespace setupkit::testing
