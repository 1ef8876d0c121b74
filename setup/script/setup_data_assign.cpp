// The deep copy of a whole script.

#include "setup/script/script_positions.h"
#include "setup/script/setup_data.h"

namespace setupkit {

namespace {

// The destination element at the source element's position, or `fallback` when the
// source element is not in its root's list.
template <class T>
T* samePosition(const OwnedElements<T>& destination, const T* source, int sourcePosition,
                T* fallback) {
    if (!source)
        return nullptr;
    return sourcePosition >= 0 ? destination.at(static_cast<std::size_t>(sourcePosition))
                               : fallback;
}

} // namespace

void TSetupData::Assign(const TSetupData& source) {
    if (&source == this)
        return;
    const ScriptPositions positions(&source);
    appName_ = source.appName_;

    ClearFiles();
    for (const TSetupFile* file : source.files_)
        AddFile("")->Assign(*file);
    ClearDisks();
    for (const TSetupDisk* disk : source.disks_)
        AddDisk("")->Assign(*disk, positions);
    ClearDirs();
    for (const TSetupDir* dir : source.dirs_)
        appendDir()->Assign(*dir, positions);
    ClearFileGroups();
    for (const TSetupFileGroup* group : source.fileGroups_)
        appendFileGroup()->Assign(*group, positions);
    ClearChoiceItems();
    for (const TSetupChoiceItem* item : source.choiceItems_)
        appendChoiceItem()->Assign(*item, positions);
    ClearChoiceData();
    for (const TSetupChoiceData* entry : source.choiceData_)
        appendChoiceData()->Assign(*entry, positions);
    ClearWinItems();
    for (const TSetupWinItem* item : source.winItems_)
        appendWinItem()->Assign(*item, positions);
    ClearWinGroups();
    for (const TSetupWinGroups* group : source.winGroups_)
        appendWinGroup()->Assign(*group, positions);

    bdeFiles_.Assign(source.bdeFiles_, positions);
    bdeLDFiles_.Assign(source.bdeLDFiles_, positions);
    bdeWSFiles_.Assign(source.bdeWSFiles_, positions);

    logFileDir_ = source.logFileDir_ ? FindDir(source.logFileDir_->Name()) : nullptr;
    logFileName_ = source.logFileName_;
    unInstallFiles_ = source.unInstallFiles_;

    // The element copies find parents, directories, common items and the log directory
    // by name, which picks the wrong element when names are empty or repeated, and misses
    // a parent listed after its child. Positions correspond one to one here, so the
    // references are carried over by position instead.
    for (std::size_t k = 0; k < dirs_.size(); ++k) {
        const TSetupDir* parent = source.dirs_[k]->parentDir_;
        dirs_[k]->parentDir_ =
            samePosition(dirs_, parent, positions.dirIndex(parent), dirs_[k]->parentDir_);
    }
    for (std::size_t k = 0; k < winItems_.size(); ++k) {
        const TSetupDir* dir = source.winItems_[k]->Dir();
        winItems_[k]->SetDir(
            samePosition(dirs_, dir, positions.dirIndex(dir), winItems_[k]->Dir()));
    }
    for (std::size_t k = 0; k < choiceData_.size(); ++k) {
        const TSetupChoiceItem* common = source.choiceData_[k]->Common();
        choiceData_[k]->SetCommon(samePosition(
            choiceItems_, common, positions.choiceItemIndex(common), choiceData_[k]->Common()));
    }
    logFileDir_ = samePosition(dirs_, source.logFileDir_, positions.dirIndex(source.logFileDir_),
                               logFileDir_);
}

} // namespace setupkit
