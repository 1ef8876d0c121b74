#include "setup/script/setup_choice.h"

#include "setup/script/assign_support.h"
#include "setup/script/script_positions.h"
#include "setup/script/setup_data.h"

namespace setupkit {

TSetupChoiceItem::TSetupChoiceItem(TSetupData* script)
    : add_(std::make_unique<TSetupFileGroupList>(script)),
      remove_(std::make_unique<TSetupFileGroupList>(script)) {
    SetScript(script);
}

TSetupChoiceItem::~TSetupChoiceItem() {
    leaveScript();
}

void TSetupChoiceItem::SetScript(TSetupData* script) {
    TSetupElement::SetScript(script);
    add_->SetScript(script);
    remove_->SetScript(script);
}

TSetupFileGroupList* TSetupChoiceItem::GroupAt(int index) const {
    switch (index) {
    case 0:
        return add_.get();
    case 1:
        return remove_.get();
    default:
        return nullptr;
    }
}

void TSetupChoiceItem::SetName(std::string name) {
    if (Script()) {
        for (const TSetupChoiceItem* other : Script()->ChoiceItems())
            if (other != this && other->name_ == name)
                return;
    }
    name_ = std::move(name);
}

void TSetupChoiceItem::Assign(const TSetupChoiceItem& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupChoiceItem::Assign(const TSetupChoiceItem& source,
                              const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kChoiceItemErrorPrefix, [&] {
        name_ = source.name_;
        title_ = source.title_;
        description_ = source.description_;
    });
    add_->Assign(*source.add_, sourcePositions);
    remove_->Assign(*source.remove_, sourcePositions);
}

void TSetupChoiceItem::collectOwned(ElementSet& into) {
    into.insert(this);
    collectOwnedOf(*add_, into);
    collectOwnedOf(*remove_, into);
}

TSetupChoiceData::TSetupChoiceData(TSetupData* script) {
    SetScript(script);
}

TSetupChoiceData::~TSetupChoiceData() {
    leaveScript();
}

NamedElements<TSetupChoiceItem> TSetupChoiceData::ListItems() const {
    NamedElements<TSetupChoiceItem> entries;
    entries.reserve(items_.size());
    for (TSetupChoiceItem* item : items_)
        entries.push_back({item->Name(), item});
    return entries;
}

void TSetupChoiceData::Assign(const TSetupChoiceData& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupChoiceData::Assign(const TSetupChoiceData& source,
                              const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kChoiceDataErrorPrefix, [&] {
        items_.clear();
        name_ = source.name_;
        common_ =
            source.common_ && Script() ? Script()->FindChoiceItem(source.common_->Name()) : nullptr;
        const TSetupData& root = detail::requireScript(Script());
        for (TSetupChoiceItem* item : source.items_)
            items_.add(detail::elementAtPosition(root.ChoiceItems(),
                                                 sourcePositions.choiceItemIndex(item)));
    });
}

void TSetupChoiceData::dropReferences(const ElementSet& gone, ReleasedElements&) {
    if (common_ && gone.contains(common_))
        common_ = nullptr;
    items_.removeIf([&](TSetupChoiceItem* item) { return gone.contains(item); });
}

} // namespace setupkit
