#include "setup/script/setup_data.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <unordered_map>

namespace setupkit {

namespace {

template <class T> T* findLastNamed(const OwnedElements<T>& list, std::string_view name) {
    T* found = nullptr;
    for (T* element : list)
        if (element->Name() == name)
            found = element;
    return found;
}

} // namespace

TSetupData::TSetupData() {
    AddDisk("Setup Disk");
    AddDir("Install", "C:\\NewApps\\", nullptr);
    AddDir("Windows", "C:\\WINDOWS\\", nullptr);
    AddDir("Windows System", "SYSTEM\\", FindDir("Windows"));
}

TSetupData::~TSetupData() {
    ElementSet owned;
    for (TSetupElement* list : {&bdeFiles_, &bdeLDFiles_, &bdeWSFiles_})
        list->collectOwned(owned);
    const auto collect = [&](const auto& list) {
        for (TSetupElement* element : list)
            element->collectOwned(owned);
    };
    collect(choiceData_);
    collect(choiceItems_);
    collect(dirs_);
    collect(disks_);
    collect(fileGroups_);
    collect(files_);
    collect(winItems_);
    collect(winGroups_);
    forgetElements(owned);
    // What is left was adopted from outside; it outlives the root as standalone elements.
    for (TSetupElement* element : attached_)
        element->script_ = nullptr;
    attached_.clear();
}

void TSetupData::forgetElement(TSetupElement& element) {
    ElementSet gone;
    element.collectOwned(gone);
    forgetElements(gone);
}

void TSetupData::forgetElements(const ElementSet& gone) {
    ReleasedElements released;
    const bool referenced = std::any_of(
        gone.begin(), gone.end(), [](const TSetupElement* e) { return e->canBeReferenced(); });
    if (referenced) {
        for (TSetupElement* element : attached_)
            if (!gone.contains(element))
                element->dropReferences(gone, released);
    }
    if (logFileDir_ && gone.contains(logFileDir_))
        logFileDir_ = nullptr;
    for (TSetupElement* element : gone) {
        if (element->script_)
            element->script_->attached_.erase(element);
        element->script_ = nullptr;
    }
    // `released` frees the sub-elements let go above, each leaving the root in turn.
}

template <class T> void TSetupData::clearElements(OwnedElements<T>& list) {
    ElementSet gone;
    for (TSetupElement* element : list)
        element->collectOwned(gone);
    forgetElements(gone);
    list.clear();
}

template <class T> bool TSetupData::removeElement(OwnedElements<T>& list, T* element) {
    const int position = list.indexOf(element);
    if (position < 0)
        return false;
    forgetElement(*element);
    list.take(static_cast<std::size_t>(position));
    return true;
}

TSetupFile* TSetupData::appendFile() {
    return files_.append(std::make_unique<TSetupFile>(this));
}

TSetupDisk* TSetupData::appendDisk() {
    TSetupDisk* disk = disks_.append(std::make_unique<TSetupDisk>(this));
    disk->number_ = static_cast<std::uint16_t>(disks_.size());
    return disk;
}

TSetupDir* TSetupData::appendDir() {
    TSetupDir* dir = dirs_.append(std::make_unique<TSetupDir>(this));
    dir->name_.clear();
    return dir;
}

TSetupFileGroup* TSetupData::appendFileGroup() {
    return fileGroups_.append(std::make_unique<TSetupFileGroup>(this));
}

TSetupChoiceItem* TSetupData::appendChoiceItem() {
    return choiceItems_.append(std::make_unique<TSetupChoiceItem>(this));
}

TSetupChoiceData* TSetupData::appendChoiceData() {
    return choiceData_.append(std::make_unique<TSetupChoiceData>(this));
}

TSetupWinItem* TSetupData::appendWinItem() {
    return winItems_.append(std::make_unique<TSetupWinItem>(this));
}

TSetupWinGroups* TSetupData::appendWinGroup() {
    return winGroups_.append(std::make_unique<TSetupWinGroups>(this));
}

TSetupFile* TSetupData::AddFile(std::string_view path) {
    const std::size_t split = path.find_last_of(":\\");
    TSetupFile* file = appendFile();
    if (split == std::string_view::npos) {
        file->SetName(std::string(path));
    } else {
        file->SetName(std::string(path.substr(split + 1)));
        file->SetSource(std::string(path.substr(0, split + 1)));
    }
    return file;
}

TSetupFile* TSetupData::FindFile(std::string_view name) const {
    for (TSetupFile* file : files_)
        if (lumora::equalsIgnoringCase(file->Name(), name))
            return file;
    return nullptr;
}

void TSetupData::ClearFiles() {
    clearElements(files_);
}

TSetupDisk* TSetupData::AddDisk(std::string description) {
    TSetupDisk* disk = appendDisk();
    disk->SetDescription(std::move(description));
    return disk;
}

TSetupDisk* TSetupData::GetDisk(int number) const {
    if (number < 1 || static_cast<std::size_t>(number) > disks_.size())
        return nullptr;
    return disks_[static_cast<std::size_t>(number - 1)];
}

void TSetupData::ClearDisks() {
    clearElements(disks_);
}

TSetupDir* TSetupData::AddDir(std::string name, std::string dir, TSetupDir* parent) {
    if (TSetupDir* existing = FindDir(name))
        return existing;
    TSetupDir* created = appendDir();
    created->SetParentDir(parent);
    created->SetDir(std::move(dir));
    created->SetName(std::move(name));
    return created;
}

TSetupDir* TSetupData::FindDir(std::string_view name) const {
    return findLastNamed(dirs_, name);
}

NamedElements<TSetupDir> TSetupData::ListDirs() const {
    NamedElements<TSetupDir> entries;
    entries.reserve(dirs_.size());
    for (TSetupDir* dir : dirs_)
        entries.push_back({dir->Name(), dir});
    return entries;
}

void TSetupData::ClearDirs() {
    clearElements(dirs_);
}

std::vector<TSetupDir*> TSetupData::ChildDirs(const TSetupDir* parent) const {
    std::vector<TSetupDir*> children;
    for (TSetupDir* dir : dirs_)
        if (dir != parent && dir->ParentDir() == parent)
            children.push_back(dir);
    return children;
}

std::vector<TSetupDir*> TSetupData::DescendantDirs(const TSetupDir* top) const {
    std::unordered_map<const TSetupDir*, std::vector<TSetupDir*>> children;
    for (TSetupDir* dir : dirs_)
        if (dir->ParentDir())
            children[dir->ParentDir()].push_back(dir);
    std::vector<TSetupDir*> found;
    std::unordered_set<const TSetupDir*> seen{top};
    // Depth first with an explicit stack: a deep chain must not exhaust the call stack.
    std::vector<std::pair<const TSetupDir*, std::size_t>> stack{{top, 0}};
    while (!stack.empty()) {
        auto& [dir, next] = stack.back();
        const auto entry = children.find(dir);
        if (entry == children.end() || next >= entry->second.size()) {
            stack.pop_back();
            continue;
        }
        TSetupDir* child = entry->second[next++];
        if (seen.insert(child).second) {
            found.push_back(child);
            stack.emplace_back(child, 0);
        }
    }
    return found;
}

TSetupFileGroup* TSetupData::AddFileGroup(std::string name) {
    if (TSetupFileGroup* existing = FindFileGroup(name))
        return existing;
    TSetupFileGroup* created = appendFileGroup();
    created->SetName(std::move(name));
    return created;
}

TSetupFileGroup* TSetupData::FindFileGroup(std::string_view name) const {
    return findLastNamed(fileGroups_, name);
}

void TSetupData::ClearFileGroups() {
    clearElements(fileGroups_);
}

TSetupChoiceItem* TSetupData::AddChoiceItem(std::string name) {
    if (TSetupChoiceItem* existing = FindChoiceItem(name))
        return existing;
    TSetupChoiceItem* created = appendChoiceItem();
    created->SetName(std::move(name));
    return created;
}

TSetupChoiceItem* TSetupData::FindChoiceItem(std::string_view name) const {
    return findLastNamed(choiceItems_, name);
}

void TSetupData::ClearChoiceItems() {
    clearElements(choiceItems_);
}

TSetupChoiceData* TSetupData::AddChoiceData(std::string name) {
    if (TSetupChoiceData* existing = FindChoiceData(name))
        return existing;
    TSetupChoiceData* created = appendChoiceData();
    created->SetName(std::move(name));
    return created;
}

TSetupChoiceData* TSetupData::FindChoiceData(std::string_view name) const {
    return findLastNamed(choiceData_, name);
}

void TSetupData::ClearChoiceData() {
    clearElements(choiceData_);
}

bool TSetupData::RemoveChoiceData(TSetupChoiceData* entry) {
    return removeElement(choiceData_, entry);
}

TSetupWinItem* TSetupData::AddWinItem(std::string name) {
    if (TSetupWinItem* existing = FindWinItem(name))
        return existing;
    TSetupWinItem* created = appendWinItem();
    created->SetName(std::move(name));
    return created;
}

TSetupWinItem* TSetupData::FindWinItem(std::string_view name) const {
    return findLastNamed(winItems_, name);
}

void TSetupData::ClearWinItems() {
    clearElements(winItems_);
}

TSetupWinGroups* TSetupData::AddWinGroup(std::string name) {
    if (TSetupWinGroups* existing = FindWinGroup(name))
        return existing;
    TSetupWinGroups* created = appendWinGroup();
    created->SetName(std::move(name));
    return created;
}

TSetupWinGroups* TSetupData::FindWinGroup(std::string_view name) const {
    return findLastNamed(winGroups_, name);
}

void TSetupData::ClearWinGroups() {
    clearElements(winGroups_);
}

bool TSetupData::RemoveWinGroup(TSetupWinGroups* group) {
    return removeElement(winGroups_, group);
}

} // namespace setupkit
