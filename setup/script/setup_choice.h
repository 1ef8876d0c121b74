#pragma once
// The choices of the choice pages: a choice item says what choosing it adds to and takes
// out of the selection; a choice data entry lists the items one page shows.

#include "setup/script/element_lists.h"
#include "setup/script/setup_element.h"

#include <memory>
#include <string>
#include <vector>

namespace setupkit {

class TSetupFileGroupList;
class ScriptPositions;

class TSetupChoiceItem : public TSetupElement {
public:
    explicit TSetupChoiceItem(TSetupData* script = nullptr);
    ~TSetupChoiceItem() override;

    void SetScript(TSetupData* script) override;

    // What choosing the item installs, and what it takes out of the selection.
    TSetupFileGroupList* Add() const { return add_.get(); }
    TSetupFileGroupList* Remove() const { return remove_.get(); }
    // 0 gives Add, 1 gives Remove, anything else nullptr.
    TSetupFileGroupList* GroupAt(int index) const;

    // The explanatory lines shown under the title; setting copies the lines.
    const std::vector<std::string>& Description() const { return description_; }
    void SetDescription(std::vector<std::string> lines) { description_ = std::move(lines); }
    // Unique among the root's choice items (case-sensitive): a clashing rename is ignored.
    const std::string& Name() const { return name_; }
    void SetName(std::string name);
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    void Assign(const TSetupChoiceItem& source);
    void Assign(const TSetupChoiceItem& source, const ScriptPositions& sourcePositions);

protected:
    bool canBeReferenced() const override { return true; }
    void collectOwned(ElementSet& into) override;

private:
    friend class detail::ScriptReader;

    std::unique_ptr<TSetupFileGroupList> add_;
    std::vector<std::string> description_;
    std::string name_;
    std::unique_ptr<TSetupFileGroupList> remove_;
    std::string title_;
};

class TSetupChoiceData : public TSetupElement {
public:
    explicit TSetupChoiceData(TSetupData* script = nullptr);
    ~TSetupChoiceData() override;

    // The item applied whatever the user picks; may be null.
    TSetupChoiceItem* Common() const { return common_; }
    void SetCommon(TSetupChoiceItem* item) { common_ = item; }
    // The items in display order.
    const RefList<TSetupChoiceItem>& Items() const { return items_; }
    // The component name of the page that shows the choices; not required to be unique.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // False for null or an item already listed.
    bool AddItem(TSetupChoiceItem* item) { return items_.add(item); }
    NamedElements<TSetupChoiceItem> ListItems() const;

    // Common is looked up by name, the items by position, in this entry's root.
    void Assign(const TSetupChoiceData& source);
    void Assign(const TSetupChoiceData& source, const ScriptPositions& sourcePositions);

protected:
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;

private:
    TSetupChoiceItem* common_ = nullptr;
    RefList<TSetupChoiceItem> items_;
    std::string name_;
};

} // namespace setupkit
