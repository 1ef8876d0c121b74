#pragma once
// What a choice page does to the install set, without any controls: the flags of
// the user's picks, kept as long as the page's choice list, and the record of the
// files the page's choices added to or took out of the controller's selection, so
// that Previous can put the selection back exactly as it was.

#include <cstddef>
#include <vector>

namespace setupkit {

class TSetupChoiceData;
class TSetupChoiceItem;
class TSetupDir;
class TSetupFile;
class TSetupInfo;

// One flag per choice; choice n (1-based) is flag n - 1.
class ChoiceSelections {
public:
    // Brings the flags to the length of the entry's items: clear flags are appended,
    // surplus ones dropped. Nothing without an entry.
    void adjust(const TSetupChoiceData* entry);
    // Raises ESetupError "Selection index out of bounds." unless 1 <= n <= size().
    void check(int n) const;
    bool get(int n) const;
    void set(int n, bool value);
    void clearAll();
    // The highest-numbered set choice; 0 when none is set.
    int highestSelected() const;
    std::size_t size() const { return flags_.size(); }
    const std::vector<bool>& flags() const { return flags_; }

private:
    std::vector<bool> flags_;
};

// (directory, file) pairs as two parallel lists.
struct SelectionLog {
    std::vector<TSetupDir*> dirs;
    std::vector<TSetupFile*> files;
    std::size_t size() const { return files.size(); }
    bool empty() const { return files.empty(); }
};

// The changes a page's choices made to the controller's install set, in order.
class ChoiceLog {
public:
    // Applying an item: every file of its Add group is selected under its directory,
    // then every file of its Remove group unselected; each real change is recorded.
    // The groups' Groups references are not followed.
    void apply(TSetupInfo& info, const TSetupChoiceItem& item);
    // The entry's Common item, if any, then every item whose flag is set, in order.
    void applyChoices(TSetupInfo& info, const TSetupChoiceData& entry,
                      const ChoiceSelections& selections);
    // Undoes every recorded change, the newest first, and empties the logs. Going
    // backwards keeps the result exact even when one choice takes out what an
    // earlier one (or the common item) put in.
    void undo(TSetupInfo& info);

    const SelectionLog& AddedLog() const { return added_; }
    const SelectionLog& RemovedLog() const { return removed_; }
    bool empty() const { return order_.empty(); }

private:
    void record(SelectionLog& log, bool added, TSetupDir* dir, TSetupFile* file,
                bool dirAdded = false);

    SelectionLog added_;
    SelectionLog removed_;
    // Whether each change, in the order made, was an addition (else a removal).
    std::vector<bool> order_;
    // Whether each change, in the order made, brought its directory into the set; its
    // undo takes the directory out again once it is empty.
    std::vector<bool> dirAdded_;
};

} // namespace setupkit
