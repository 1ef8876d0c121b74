#include "setup/engine/setup_info.h"

#include "common/ascii_case.h"
#include "platform/instance_lock.h"
#include "setup/engine/exit_status.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/install_journal.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/setup_message_dlg.h"
#include "setup/engine/setup_page.h"
#include "setup/engine/setup_paths.h"

#include <algorithm>
#include <unordered_map>

namespace setupkit {

using lumora::asciiUppered;
using lumora::equalsIgnoringCase;

TSetupInfo::TSetupInfo(ComponentOwner* owner, SetupServices& services)
    : TSetupComponent(owner), services_(services), script_(std::make_unique<TSetupData>()) {
    for (TSetupComponent* component : owner->Components())
        if (component->InheritsFrom("TSetupInfo"))
            throw ESetupError("Only allowed one TSetupInfo per application.");
    if (!services_.interaction)
        throw ESetupError("TSetupInfo needs an interaction to show its messages.");
    catalogue_ = std::make_unique<MessageCatalogue>(
        *services_.interaction,
        services_.languageLoader ? services_.languageLoader : noLanguageLibrary());
    installSet_ = std::make_unique<TSetupFileGroup>();
    installSet_->SetScript(script_.get());
    script_->SetErrorReporter(
        [this](const std::string& message) { MessageDlg(message, mtError, mbOK); });
    programPath_ = services_.drives.toWindowsPath(services_.programFile)
                       .value_or(services_.programFile.string());
    sourceDir_ = ProgramDirectory();
}

bool TSetupInfo::InheritsFrom(std::string_view className) const {
    return className == "TSetupInfo" || TSetupComponent::InheritsFrom(className);
}

std::string TSetupInfo::ProgramDirectory() const {
    const size_t slash = programPath_.find_last_of("\\:");
    return slash == std::string::npos ? std::string()
                                      : AddBackslash(programPath_.substr(0, slash + 1));
}

std::optional<std::filesystem::path> TSetupInfo::HostPath(const std::string& windowsPath) const {
    return services_.drives.toHostPath(windowsPath);
}

int TSetupInfo::ExitStatusFor(int pageResult) const {
    if (pageResult == psDone)
        return kExitSuccess;
    return cancelledByUser_ ? kExitCancelled : kExitFailed;
}

int TSetupInfo::MessageDlg(std::string_view text, int kind, unsigned buttons) const {
    return SetupMessageDlg(*catalogue_, text, kind, buttons);
}

void TSetupInfo::SetLanguage(const std::string& name) {
    if (Owner() && Owner()->Loading())
        catalogue_->setStoredLanguage(name);
    else
        catalogue_->setLanguage(name);
}

void TSetupInfo::SetMultiDiskFiles(const std::vector<std::string>& names) {
    multiDiskFiles_.clear();
    for (const std::string& name : names) {
        if (name.empty() || std::find(multiDiskFiles_.begin(), multiDiskFiles_.end(), name) !=
                                multiDiskFiles_.end())
            continue;
        const bool known = std::any_of(
            script_->Files().begin(), script_->Files().end(),
            [&](const TSetupFile* file) { return equalsIgnoringCase(file->Name(), name); });
        if (known)
            multiDiskFiles_.push_back(name);
        else
            services_.interaction->showStandardMessage(
                "Unable to locate file " + name + " in the installed files.", mtWarning, mbOK);
    }
}

// --- Selection --------------------------------------------------------------------

namespace {

// The script's directories by parent, built once per walk so a walk stays linear.
std::unordered_map<const TSetupDir*, std::vector<TSetupDir*>>
childrenByParent(const std::vector<TSetupDir*>& dirs) {
    std::unordered_map<const TSetupDir*, std::vector<TSetupDir*>> children;
    for (TSetupDir* dir : dirs)
        if (dir->ParentDir())
            children[dir->ParentDir()].push_back(dir);
    return children;
}

} // namespace

bool TSetupInfo::IsDirSelected(const TSetupDir* dir) const {
    return std::find(selectedDirs_.begin(), selectedDirs_.end(), dir) != selectedDirs_.end();
}

void TSetupInfo::SelectDir(TSetupDir* dir, bool withFiles) {
    if (!dir)
        return;
    const std::vector<TSetupDir*> all(script_->Dirs().begin(), script_->Dirs().end());
    const auto children = childrenByParent(all);
    std::unordered_set<const TSetupDir*> selected(selectedDirs_.begin(), selectedDirs_.end());
    // Parent links may loop: each directory is visited once.
    std::unordered_set<const TSetupDir*> seen;
    std::function<void(TSetupDir*)> select = [&](TSetupDir* current) {
        if (!seen.insert(current).second)
            return;
        if (selected.insert(current).second)
            selectedDirs_.push_back(current);
        if (auto found = children.find(current); found != children.end())
            for (TSetupDir* child : found->second)
                select(child);
        if (withFiles)
            for (TSetupFile* file : current->Files())
                SelectFile(file, current);
    };
    select(dir);
}

void TSetupInfo::DeselectDir(TSetupDir* dir) {
    if (!dir || !IsDirSelected(dir))
        return;
    const auto children = childrenByParent(selectedDirs_);
    std::unordered_set<const TSetupDir*> remove;
    std::function<void(const TSetupDir*)> collect = [&](const TSetupDir* current) {
        if (!remove.insert(current).second)
            return;
        if (auto found = children.find(current); found != children.end())
            for (const TSetupDir* child : found->second)
                collect(child);
    };
    collect(dir);
    std::erase_if(selectedDirs_, [&](const TSetupDir* d) { return remove.count(d) > 0; });
}

bool TSetupInfo::SelectFile(TSetupFile* file, TSetupDir* dir) {
    if (!file || !dir)
        return false;
    return installSet_->AddFile(file, dir, true);
}

bool TSetupInfo::UnselectFile(TSetupFile* file, TSetupDir* dir) {
    if (!file || !dir)
        return false;
    return installSet_->RemoveFile(file, dir);
}

bool TSetupInfo::IsFileSelected(const TSetupFile* file, const TSetupDir* dir) const {
    if (!file || !dir)
        return false;
    return installSet_->HasFile(file, dir);
}

// --- Records ------------------------------------------------------------------------

bool TSetupInfo::AddCreatedDir(const std::string& path) {
    if (!createdDirs_.add(path))
        return false;
    journal('D', path);
    return true;
}

bool TSetupInfo::AddInstalledFile(const std::string& path) {
    if (!installedFiles_.add(path))
        return false;
    journal('F', path);
    return true;
}

bool TSetupInfo::AddGroupEntry(const std::string& item, const std::string& group) {
    // The separator cannot occur in a name read back from the log.
    if (!groupKeys_.insert(asciiUppered(group) + ":~:" + asciiUppered(item)).second)
        return false;
    groupNames_.push_back(group);
    groupItems_.push_back(item);
    journal('G', groupEntryValue(group, item));
    return true;
}

void TSetupInfo::SetInstalledBDEType(std::uint8_t type) {
    installedBDEType_ = type;
    if (type != 0)
        journal('B', std::to_string(type));
}

// --- The form -----------------------------------------------------------------------

void TSetupInfo::RegisterPages() {
    for (TSetupComponent* component : Owner()->Components()) {
        if (component->InheritsFrom("TSetupChoice") && !script_->FindChoiceData(component->Name()))
            script_->AddChoiceData(component->Name());
        if (component->InheritsFrom("TSetupGroups") && !script_->FindWinGroup(component->Name()))
            script_->AddWinGroup(component->Name());
    }
}

void TSetupInfo::Notification(TSetupComponent* component, Operation operation) {
    TSetupComponent::Notification(component, operation);
    if (component == this)
        return;
    if (operation == Operation::opInsert) {
        if (component->InheritsFrom("TSetupChoice") && !script_->FindChoiceData(component->Name()))
            script_->AddChoiceData(component->Name());
        if (component->InheritsFrom("TSetupGroups") && !script_->FindWinGroup(component->Name()))
            script_->AddWinGroup(component->Name());
        if (component->InheritsFrom("TSetupLanguage") && !component->SetupInfo()) {
            component->linkSetupInfo(this);
            component->TakeDefaultLanguage(Language());
        } else {
            component->linkSetupInfo(this);
        }
        return;
    }
    if (component->InheritsFrom("TSetupChoice"))
        if (TSetupChoiceData* entry = script_->FindChoiceData(component->Name()))
            script_->RemoveChoiceData(entry);
    if (component->InheritsFrom("TSetupGroups"))
        if (TSetupWinGroups* group = script_->FindWinGroup(component->Name()))
            script_->RemoveWinGroup(group);
}

bool TSetupInfo::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "Language") {
        catalogue_->setStoredLanguage(formString(property));
    } else if (name == "MultiDiskFiles") {
        // Stored lists are taken as they are, without the check of an assignment.
        multiDiskFiles_ = formStrings(property);
    } else if (name == "MultiException") {
        multiException_ = formBoolean(property);
    } else if (name == "Test") {
        test_ = formBoolean(property);
    } else if (name == "Picture") {
        picture_ = property.value.text;
    } else if (name == "SetupData") {
        if (property.value.encoded.empty())
            throw ESetupError("Invalid property value for SetupData: no stored script");
        ValueReader reader(property.value.encoded);
        script_->ReadData(reader);
    } else if (name == "OnMultiInstance") {
        context.event(formIdentifier(property),
                      [this](NotifyEvent handler) { OnMultiInstance = std::move(handler); });
    } else {
        return TSetupComponent::SetProperty(property, context);
    }
    return true;
}

std::optional<std::string> TSetupInfo::LockTargetFolders() {
    for (const TSetupDir* dir : installSet_->Dirs()) {
        if (!IsDirSelected(dir))
            continue;
        const auto host = HostPath(dir->FullPath());
        if (!host)
            continue;
        // A folder not made yet is guarded by the one it will be made in.
        std::error_code error;
        std::filesystem::path folder = host->lexically_normal();
        while (!std::filesystem::is_directory(folder, error) && folder.has_relative_path())
            folder = folder.parent_path();
        // One lock a folder: a second one of this run would refuse the first.
        if (!lockedTargets_.insert(folder.string()).second)
            continue;
        auto lock = std::make_unique<lumora::platform::DirectoryLock>(folder);
        if (lock->heldElsewhere())
            return folder.string();
        targetLocks_.push_back(std::move(lock));
    }
    return std::nullopt;
}

std::string ResolveDir(const TSetupInfo* info, const std::string& name) {
    if (!info || name == "(none)")
        return {};
    if (name == "Source Dir")
        return info->MultiDisk() ? info->SourceDir() : info->ProgramDirectory();
    if (name == "Windows")
        return AddBackslash(info->Services().windowsDirectory);
    if (name == "Windows System")
        return AddBackslash(info->Services().systemDirectory);
    const TSetupDir* dir = info->SetupData().FindDir(name);
    return dir ? AddBackslash(dir->FullPath()) : std::string();
}

} // namespace setupkit
