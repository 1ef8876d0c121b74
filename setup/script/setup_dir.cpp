#include "setup/script/setup_dir.h"

#include "setup/script/assign_support.h"
#include "setup/script/script_positions.h"
#include "setup/script/setup_data.h"

#include <unordered_set>

namespace setupkit {

TSetupDir::TSetupDir(TSetupData* script) : TSetupFileList(script) {}

TSetupDir::~TSetupDir() {
    leaveScript();
}

void TSetupDir::SetDir(std::string dir) {
    dir_ = withTrailingBackslash(std::move(dir));
}

void TSetupDir::SetName(std::string name) {
    if (Script()) {
        for (const TSetupDir* other : Script()->Dirs())
            if (other != this && other->name_ == name)
                return;
    }
    name_ = std::move(name);
}

std::vector<const TSetupDir*> TSetupDir::chain() const {
    std::vector<const TSetupDir*> dirs;
    std::unordered_set<const TSetupDir*> seen;
    for (const TSetupDir* dir = this; dir && seen.insert(dir).second; dir = dir->parentDir_)
        dirs.push_back(dir);
    return dirs;
}

std::string TSetupDir::FullPath() const {
    const std::vector<const TSetupDir*> dirs = chain();
    std::string path;
    for (auto dir = dirs.rbegin(); dir != dirs.rend(); ++dir)
        path += (*dir)->dir_;
    return path;
}

std::vector<TSetupDir*> TSetupDir::Ancestors() const {
    std::vector<TSetupDir*> ancestors;
    const std::vector<const TSetupDir*> dirs = chain();
    for (std::size_t i = 1; i < dirs.size(); ++i)
        ancestors.push_back(dirs[i - 1]->parentDir_);
    return ancestors;
}

void TSetupDir::Assign(const TSetupDir& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupDir::Assign(const TSetupDir& source, const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kDirErrorPrefix, [&] {
        parentDir_ =
            source.parentDir_ && Script() ? Script()->FindDir(source.parentDir_->name_) : nullptr;
        dir_ = source.dir_;
    });
    TSetupFileList::Assign(source, sourcePositions);
    guardedAssign(detail::kDirErrorPrefix, [&] { name_ = source.name_; });
}

void TSetupDir::dropReferences(const ElementSet& gone, ReleasedElements& released) {
    TSetupFileList::dropReferences(gone, released);
    if (parentDir_ && gone.contains(parentDir_))
        parentDir_ = nullptr;
}

} // namespace setupkit
