#include "setup/pages/choice_rules.h"

#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/script/setup_choice.h"
#include "setup/script/setup_file_group.h"
#include "setup/script/setup_file_list.h"

namespace setupkit {

void ChoiceSelections::adjust(const TSetupChoiceData* entry) {
    if (entry)
        flags_.resize(entry->Items().size(), false);
}

void ChoiceSelections::check(int n) const {
    if (n < 1 || static_cast<std::size_t>(n) > flags_.size())
        throw ESetupError("Selection index out of bounds.");
}

bool ChoiceSelections::get(int n) const {
    check(n);
    return flags_[static_cast<std::size_t>(n - 1)];
}

void ChoiceSelections::set(int n, bool value) {
    check(n);
    flags_[static_cast<std::size_t>(n - 1)] = value;
}

void ChoiceSelections::clearAll() {
    flags_.assign(flags_.size(), false);
}

int ChoiceSelections::highestSelected() const {
    for (std::size_t i = flags_.size(); i > 0; --i)
        if (flags_[i - 1])
            return static_cast<int>(i);
    return 0;
}

void ChoiceLog::record(SelectionLog& log, bool added, TSetupDir* dir, TSetupFile* file,
                       bool dirAdded) {
    log.dirs.push_back(dir);
    log.files.push_back(file);
    order_.push_back(added);
    dirAdded_.push_back(dirAdded);
}

void ChoiceLog::apply(TSetupInfo& info, const TSetupChoiceItem& item) {
    const TSetupFileGroupList& add = *item.Add();
    for (std::size_t k = 0; k < add.Dirs().size() && k < add.FileLists().size(); ++k) {
        TSetupDir* dir = add.Dirs()[k];
        for (TSetupFile* file : add.FileLists()[k]->Files()) {
            const bool dirIsNew = info.InstallSet().FileListFor(dir) == nullptr;
            if (info.SelectFile(file, dir))
                record(added_, true, dir, file, dirIsNew);
        }
    }
    const TSetupFileGroupList& remove = *item.Remove();
    for (std::size_t k = 0; k < remove.Dirs().size() && k < remove.FileLists().size(); ++k) {
        TSetupDir* dir = remove.Dirs()[k];
        for (TSetupFile* file : remove.FileLists()[k]->Files())
            if (info.UnselectFile(file, dir))
                record(removed_, false, dir, file);
    }
}

void ChoiceLog::applyChoices(TSetupInfo& info, const TSetupChoiceData& entry,
                             const ChoiceSelections& selections) {
    if (const TSetupChoiceItem* common = entry.Common())
        apply(info, *common);
    const auto& items = entry.Items();
    for (std::size_t i = 0; i < items.size() && i < selections.size(); ++i)
        if (selections.flags()[i])
            apply(info, *items[i]);
}

void ChoiceLog::undo(TSetupInfo& info) {
    std::size_t addedLeft = added_.size();
    std::size_t removedLeft = removed_.size();
    for (std::size_t i = order_.size(); i > 0; --i) {
        if (order_[i - 1]) {
            --addedLeft;
            info.UnselectFile(added_.files[addedLeft], added_.dirs[addedLeft]);
            if (dirAdded_[i - 1])
                info.InstallSet().RemoveEmptyDir(added_.dirs[addedLeft]);
        } else {
            --removedLeft;
            info.SelectFile(removed_.files[removedLeft], removed_.dirs[removedLeft]);
        }
    }
    added_ = {};
    removed_ = {};
    order_.clear();
    dirAdded_.clear();
}

} // namespace setupkit
