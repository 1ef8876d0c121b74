#include "setup/pages/setup_uninstall.h"

#include "common/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/current_directory.h"
#include "platform/progman_shell.h"
#include "platform/registry.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/install_journal.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/setup_paths.h"
#include "setup/pages/catalogue_format.h"
#include "setup/pages/program_groups.h"
#include "setup/pages/setup_bde_install.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/pages/uninstall_removal.h"

#include <QPlainTextEdit>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace setupkit {

using lumora::equalsIgnoringCase;

TSetupUnInstall::TSetupUnInstall(ComponentOwner* owner) : TSetupPage(owner) {
    for (const TSetupComponent* component : owner->Components())
        if (component->InheritsFrom("TSetupUnInstall"))
            throw ESetupError("Only allowed one TSetupUnInstall per form.");
}

bool TSetupUnInstall::InheritsFrom(std::string_view className) const {
    return className == "TSetupUnInstall" || TSetupPage::InheritsFrom(className);
}

bool TSetupUnInstall::AttemptUnInstall() const {
    return SetupInfo() && SetupInfo()->AttemptUnInstall();
}

std::string TSetupUnInstall::LogDir() const {
    const TSetupData* script = Script();
    return script && script->LogFileDir() ? script->LogFileDir()->Name() : "(none)";
}

void TSetupUnInstall::SetLogDir(const std::string& name) {
    if (TSetupData* script = Script())
        script->SetLogFileDir(script->FindDir(name));
}

std::string TSetupUnInstall::LogFileName() const {
    const TSetupData* script = Script();
    return script ? script->LogFileName() : std::string();
}

void TSetupUnInstall::SetLogFileName(const std::string& name) {
    if (TSetupData* script = Script())
        script->SetLogFileName(name);
}

std::string TSetupUnInstall::LogFile() const {
    return SetupInfo() ? SetupInfo()->LogFile() : std::string();
}

const std::vector<std::string>& TSetupUnInstall::UnInstallFiles() const {
    const TSetupData* script = Script();
    return script ? script->UnInstallFiles() : privateFiles_;
}

void TSetupUnInstall::SetUnInstallFiles(const std::vector<std::string>& names) {
    TSetupData* script = Script();
    if (!script) {
        privateFiles_.clear();
        for (const std::string& name : names)
            if (!name.empty() &&
                std::find(privateFiles_.begin(), privateFiles_.end(), name) == privateFiles_.end())
                privateFiles_.push_back(name);
        return;
    }
    std::vector<std::string>& files = script->UnInstallFiles();
    files.clear();
    for (const std::string& name : names) {
        if (name.empty() || std::find(files.begin(), files.end(), name) != files.end())
            continue;
        bool known = false;
        for (const TSetupFile* file : script->Files()) {
            if (equalsIgnoringCase(file->Name(), name)) {
                files.push_back(name);
                known = true;
            }
        }
        if (!known && SetupInfo())
            SetupInfo()->Services().interaction->showStandardMessage(
                "Unable to locate file " + name + " in the installed files.", mtWarning, mbOK);
    }
}

lumora::platform::Registry TSetupUnInstall::registry() const {
    const TSetupInfo* info = SetupInfo();
    if (info && info->Services().registry)
        return *info->Services().registry;
    return lumora::platform::Registry::forCurrentUser();
}

void TSetupUnInstall::RegisterUnInstall(const std::string& displayName) {
    const TSetupInfo* info = SetupInfo();
    if (displayName.empty() || !info)
        return;
    const std::string directory = ResolveDir(info, LogDir());
    if (directory.empty() || directory == "\\")
        return;
    const std::string& program = info->ProgramPath();
    const size_t slash = program.find_last_of("\\:");
    const std::string fileName = slash == std::string::npos ? program : program.substr(slash + 1);
    auto store = registry();
    writeUnInstallEntry(store, displayName, directory + fileName + " UNINSTALL");
}

void TSetupUnInstall::UnregisterUnInstall(const std::string& displayName) {
    if (displayName.empty())
        return;
    auto store = registry();
    deleteUnInstallEntry(store, displayName);
}

lumora::platform::ProgmanShell* TSetupUnInstall::shell() {
    return progmanShellFor(SetupInfo()->Services(), fallbackShell_);
}

void TSetupUnInstall::ShowPage() {
    TSetupPage::ShowPage();
    std::string intent;
    if (!text_.empty()) {
        for (size_t i = 0; i < text_.size(); ++i)
            intent += (i ? "\n" : "") + text_[i];
    } else {
        intent = formatCatalogueText(TSetupPage::Text(85), {AppName()}) + "  " +
                 TSetupPage::Text(86) + "\r\n\r\n" + TSetupPage::Text(87);
    }
    Dialog().setCaption(formatCatalogueText(TSetupPage::Text(84), {AppName()}));
    Dialog().showNotebookPage(npUnInstall);
    if (TSetupPagesForm* dialog = TSetupPagesForm::instance()) {
        QString shown = QString::fromStdString(intent);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        dialog->meUNIIntent->clear();
        dialog->meUNIIntent->setPlainText(shown);
    }
}

void TSetupUnInstall::DoNext() {
    TSetupInfo* info = SetupInfo();
    if (!info)
        return;
    WizardDialog& dialog = Dialog();
    dialog.setButtonEnabled(WizardButton::Next, false);
    if (OnCleanup)
        OnCleanup(this);
    const auto& drives = info->Services().drives;
    lumora::platform::ProgmanShell* menus = shell();

    // The log goes last but for the directories, and the program that the uninstall
    // entry starts just before it: until then a second uninstall can finish the work.
    deleteRecordedItems(menus, info->GroupNames(), info->GroupItems());
    deleteRecordedGroups(menus, info->GroupNames(), info->GroupItems());
    for (TSetupComponent* component : Owner()->Components())
        if (auto* engine = dynamic_cast<TSetupBDEInstall*>(component))
            engine->RemoveBDE(info->InstalledBDEType());
    // The program the uninstall entry starts, the files its relaunch copies and the
    // log stay until everything else is gone: until then a second uninstall can
    // finish the work.
    const std::string& log = info->LogFile();
    const std::string logDirectory = log.substr(0, log.find_last_of('\\') + 1);
    std::vector<std::string> lastNames{ExtractFileName(info->ProgramPath())};
    for (const std::string& name : UnInstallFiles())
        lastNames.push_back(name);
    const auto isLast = [&](const std::string& file) {
        return !log.empty() && file.size() > logDirectory.size() &&
               equalsIgnoringCase(file.substr(0, logDirectory.size()), logDirectory) &&
               std::any_of(lastNames.begin(), lastNames.end(), [&](const std::string& name) {
                   return equalsIgnoringCase(file.substr(logDirectory.size()), name);
               });
    };
    // A file the user already deleted, or cannot be deleted, is passed silently.
    for (const std::string& file : info->InstalledFiles())
        if (!isLast(file))
            removeRecordedFile(drives, file);
    try {
        lumora::platform::setCurrentDirectory(drives, FixDriveRoot(info->ProgramDirectory()));
    } catch (const std::exception&) {
        // Only a directory we are in could be kept from going; the rest goes on.
    }
    const auto holdsLog = [&](const std::string& dir) {
        return !log.empty() && dir.size() <= logDirectory.size() &&
               equalsIgnoringCase(logDirectory.substr(0, dir.size()), dir);
    };
    removeDirectories([&](const std::string& dir) { return !holdsLog(dir); });
    removeMadePaths();
    if (!log.empty()) {
        std::vector<std::string> names = lastNames;
        names.push_back(ExtractFileName(log));
        names.push_back(ExtractFileName(installJournalPath(log)));
        const bool created = std::any_of(
            info->CreatedDirs().begin(), info->CreatedDirs().end(),
            [&](const std::string& dir) { return equalsIgnoringCase(dir, logDirectory); });
        const std::filesystem::path aside = info->Services().programFile.parent_path() / ".removed";
        if (!created || !removeFolderAtOnce(drives, logDirectory, names, aside)) {
            for (const std::string& file : info->InstalledFiles())
                if (isLast(file))
                    removeRecordedFile(drives, file);
            removeRecordedFile(drives, installJournalPath(log));
            if (const auto host = info->HostPath(log))
                lumora::platform::removeAtomicWriteLeftovers(host->parent_path(),
                                                             host->filename().string());
            removeRecordedFile(drives, log);
        }
        removeDirectories(holdsLog);
    }
    info->SetUnInstallDone(true);
    dialog.setButtonEnabled(WizardButton::Next, true);
    TSetupPage::DoNext();
}

void TSetupUnInstall::removeDirectories(const std::function<bool(const std::string&)>& which) {
    TSetupInfo* info = SetupInfo();
    const auto& created = info->CreatedDirs();
    // Sorted, so every subdirectory comes after its parent and goes first here.
    for (size_t i = created.size(); i-- > 0;) {
        if (!which(created[i]))
            continue;
        const std::string path = FixDriveRoot(created[i]);
        const Removal removal = removeRecordedDirectory(info->Services().drives, path);
        // Something the user put there keeps the directory; the uninstall still ends.
        if (removal == Removal::NotEmpty || removal == Removal::Failed)
            info->MessageDlg(formatCatalogueText(info->GetText(92), {path}), mtWarning, mbOK);
    }
}

// What setup made among the user's settings goes once nothing is left in it, without
// a word: the user did not choose these places.
void TSetupUnInstall::removeMadePaths() {
    TSetupInfo* info = SetupInfo();
    std::error_code error;
    for (const std::string& store : info->MadeStores())
        if (const auto host = info->HostPath(store); host && std::filesystem::exists(*host, error))
            lumora::platform::Registry(*host).removeIfEmpty();
    const auto& folders = info->MadeFolders();
    for (size_t i = folders.size(); i-- > 0;)
        removeRecordedDirectory(info->Services().drives, folders[i]);
}

bool TSetupUnInstall::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "LogDir" || name == "LogFileDir") {
        // The script is the controller's and is read before the pages.
        SetLogDir(formString(property));
    } else if (name == "LogFileName") {
        SetLogFileName(formString(property));
    } else if (name == "UnInstallFiles.Strings" || name == "UnInstallFiles") {
        if (TSetupData* script = Script())
            script->UnInstallFiles() = formStrings(property);
        else
            privateFiles_ = formStrings(property);
    } else if (name == "Text.Strings" || name == "Text") {
        text_ = formStrings(property);
    } else if (name == "OnCleanup") {
        context.event(formIdentifier(property),
                      [this](NotifyEvent handler) { OnCleanup = std::move(handler); });
    } else {
        return TSetupPage::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
