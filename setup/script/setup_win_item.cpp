#include "setup/script/setup_win_item.h"

#include "setup/script/assign_support.h"
#include "setup/script/script_positions.h"
#include "setup/script/setup_data.h"

namespace setupkit {

TSetupWinItem::TSetupWinItem(TSetupData* script) {
    SetScript(script);
}

TSetupWinItem::~TSetupWinItem() {
    leaveScript();
}

void TSetupWinItem::SetName(std::string name) {
    if (Script()) {
        for (const TSetupWinItem* other : Script()->WinItems())
            if (other != this && other->name_ == name)
                return;
    }
    name_ = std::move(name);
}

void TSetupWinItem::Assign(const TSetupWinItem& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupWinItem::Assign(const TSetupWinItem& source, const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kWinItemErrorPrefix, [&] {
        commandLine_ = source.commandLine_;
        // An item without a directory copies as one without a directory.
        dir_ = source.dir_ && Script() ? Script()->FindDir(source.dir_->Name()) : nullptr;
        itemFile_ = source.itemFile_
                        ? detail::elementAtPosition(detail::requireScript(Script()).Files(),
                                                    sourcePositions.fileIndex(source.itemFile_))
                        : nullptr;
        name_ = source.name_;
    });
}

void TSetupWinItem::dropReferences(const ElementSet& gone, ReleasedElements&) {
    if (dir_ && gone.contains(dir_))
        dir_ = nullptr;
    if (itemFile_ && gone.contains(itemFile_))
        itemFile_ = nullptr;
}

TSetupWinGroups::TSetupWinGroups(TSetupData* script) {
    SetScript(script);
}

TSetupWinGroups::~TSetupWinGroups() {
    leaveScript();
}

NamedElements<TSetupWinItem> TSetupWinGroups::ListItems() const {
    NamedElements<TSetupWinItem> entries;
    entries.reserve(items_.size());
    for (TSetupWinItem* item : items_)
        entries.push_back({item->Name(), item});
    return entries;
}

void TSetupWinGroups::Assign(const TSetupWinGroups& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupWinGroups::Assign(const TSetupWinGroups& source,
                             const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kWinGroupErrorPrefix, [&] {
        items_.clear();
        name_ = source.name_;
        title_ = source.title_;
        const TSetupData& root = detail::requireScript(Script());
        for (TSetupWinItem* item : source.items_)
            items_.add(
                detail::elementAtPosition(root.WinItems(), sourcePositions.winItemIndex(item)));
    });
}

void TSetupWinGroups::dropReferences(const ElementSet& gone, ReleasedElements&) {
    items_.removeIf([&](TSetupWinItem* item) { return gone.contains(item); });
}

} // namespace setupkit
