#include "setup/script/setup_file_group.h"

#include "setup/script/assign_support.h"
#include "setup/script/script_positions.h"
#include "setup/script/setup_data.h"

namespace setupkit {

TSetupFileGroup::TSetupFileGroup(TSetupData* script) {
    SetScript(script);
}

TSetupFileGroup::~TSetupFileGroup() {
    leaveScript();
}

void TSetupFileGroup::SetScript(TSetupData* script) {
    TSetupElement::SetScript(script);
    for (TSetupFileList* list : fileLists_)
        list->SetScript(script);
}

void TSetupFileGroup::SetName(std::string name) {
    if (Script()) {
        for (const TSetupFileGroup* other : Script()->FileGroups())
            if (other != this && other->name_ == name)
                return;
    }
    name_ = std::move(name);
}

TSetupFileList* TSetupFileGroup::FileListFor(const TSetupDir* dir) const {
    const auto found = dirPositions_.find(dir);
    return found == dirPositions_.end() ? nullptr : fileLists_[found->second];
}

TSetupFileList* TSetupFileGroup::appendDir(TSetupDir* dir) {
    dirPositions_.emplace(dir, dirs_.size());
    dirs_.push_back(dir);
    return fileLists_.append(std::make_unique<TSetupFileList>(Script()));
}

bool TSetupFileGroup::AddFile(TSetupFile* file, TSetupDir* dir, bool create) {
    if (dir == nullptr && Script()) {
        for (TSetupDir* candidate : Script()->Dirs())
            if (candidate->HasFile(file))
                dir = candidate;
    }
    if (create && dir != nullptr && FileListFor(dir) == nullptr)
        appendDir(dir);
    TSetupFileList* list = FileListFor(dir);
    if (list == nullptr || file == nullptr)
        return false;
    return list->AddFile(file);
}

bool TSetupFileGroup::RemoveFile(TSetupFile* file, const TSetupDir* dir) {
    TSetupFileList* list = FileListFor(dir);
    return list != nullptr && list->RemoveFile(file);
}

bool TSetupFileGroup::RemoveEmptyDir(const TSetupDir* dir) {
    const auto found = dirPositions_.find(dir);
    if (found == dirPositions_.end() || !fileLists_[found->second]->Files().empty())
        return false;
    const std::size_t position = found->second;
    fileLists_.take(position);
    dirs_.erase(dirs_.begin() + static_cast<std::ptrdiff_t>(position));
    reindexDirs();
    return true;
}

bool TSetupFileGroup::HasFile(const TSetupFile* file, const TSetupDir* dir) const {
    const TSetupFileList* list = FileListFor(dir);
    return list != nullptr && list->HasFile(file);
}

NamedElements<TSetupFile> TSetupFileGroup::ListFiles(const TSetupDir* dir) const {
    const TSetupFileList* list = FileListFor(dir);
    return list ? list->ListFiles() : NamedElements<TSetupFile>{};
}

void TSetupFileGroup::reindexDirs() {
    dirPositions_.clear();
    for (std::size_t k = 0; k < dirs_.size(); ++k)
        dirPositions_.emplace(dirs_[k], k);
}

void TSetupFileGroup::Clear() {
    dirs_.clear();
    dirPositions_.clear();
    fileLists_.clear();
}

void TSetupFileGroup::Assign(const TSetupFileGroup& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupFileGroup::Assign(const TSetupFileGroup& source,
                             const ScriptPositions& sourcePositions) {
    if (&source != this)
        assignGroup(source, sourcePositions);
}

void TSetupFileGroup::assignGroup(const TSetupFileGroup& source,
                                  const ScriptPositions& sourcePositions) {
    guardedAssign(detail::kFileGroupErrorPrefix, [&] {
        name_ = source.name_;
        Clear();
        const TSetupData& root = detail::requireScript(Script());
        for (std::size_t k = 0; k < source.dirs_.size(); ++k) {
            TSetupDir* dir =
                detail::elementAtPosition(root.Dirs(), sourcePositions.dirIndex(source.dirs_[k]));
            appendDir(dir)->Assign(*source.fileLists_[k], sourcePositions);
        }
    });
}

void TSetupFileGroup::collectOwned(ElementSet& into) {
    into.insert(this);
    for (TSetupFileList* list : fileLists_)
        collectOwnedOf(*list, into);
}

void TSetupFileGroup::dropReferences(const ElementSet& gone, ReleasedElements& released) {
    // A directory that goes takes its file list with it, so that Dirs and FileLists
    // keep corresponding by position.
    std::vector<bool> dirGone(dirs_.size());
    for (std::size_t k = 0; k < dirs_.size(); ++k)
        dirGone[k] = gone.contains(dirs_[k]);
    for (auto& list : fileLists_.extractIf([&](std::size_t k) { return dirGone[k]; }))
        released.push_back(std::move(list));
    std::erase_if(dirs_, [&](TSetupDir* dir) { return gone.contains(dir); });
    reindexDirs();
}

TSetupFileGroupList::TSetupFileGroupList(TSetupData* script) : TSetupFileGroup(script) {}

TSetupFileGroupList::~TSetupFileGroupList() {
    leaveScript();
}

void TSetupFileGroupList::Assign(const TSetupFileGroupList& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupFileGroupList::Assign(const TSetupFileGroupList& source,
                                 const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kFileGroupListErrorPrefix, [&] {
        groups_.clear();
        const TSetupData& root = detail::requireScript(Script());
        for (TSetupFileGroup* group : source.groups_)
            groups_.add(detail::elementAtPosition(root.FileGroups(),
                                                  sourcePositions.fileGroupIndex(group)));
    });
    assignGroup(source, sourcePositions);
}

void TSetupFileGroupList::dropReferences(const ElementSet& gone, ReleasedElements& released) {
    TSetupFileGroup::dropReferences(gone, released);
    groups_.removeIf([&](TSetupFileGroup* group) { return gone.contains(group); });
}

} // namespace setupkit
