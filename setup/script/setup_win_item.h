#pragma once
// The program-group items the installer creates, and the groups that hold them.

#include "setup/script/element_lists.h"
#include "setup/script/setup_element.h"

#include <string>

namespace setupkit {

class TSetupDir;
class TSetupFile;
class ScriptPositions;

class TSetupWinItem : public TSetupElement {
public:
    explicit TSetupWinItem(TSetupData* script = nullptr);
    ~TSetupWinItem() override;

    // Parameters after the program path.
    const std::string& CommandLine() const { return commandLine_; }
    void SetCommandLine(std::string commandLine) { commandLine_ = std::move(commandLine); }
    // Where ItemFile is installed; may be null.
    TSetupDir* Dir() const { return dir_; }
    void SetDir(TSetupDir* dir) { dir_ = dir; }
    // The program or document the item starts; may be null.
    TSetupFile* ItemFile() const { return itemFile_; }
    void SetItemFile(TSetupFile* file) { itemFile_ = file; }
    // The item's caption, unique among the root's items (case-sensitive): a clashing
    // rename is ignored.
    const std::string& Name() const { return name_; }
    void SetName(std::string name);

    // Dir is looked up by name, ItemFile by position, in this item's root.
    void Assign(const TSetupWinItem& source);
    void Assign(const TSetupWinItem& source, const ScriptPositions& sourcePositions);

protected:
    bool canBeReferenced() const override { return true; }
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;

private:
    friend class detail::ScriptReader;

    std::string commandLine_;
    TSetupDir* dir_ = nullptr;
    TSetupFile* itemFile_ = nullptr;
    std::string name_;
};

class TSetupWinGroups : public TSetupElement {
public:
    explicit TSetupWinGroups(TSetupData* script = nullptr);
    ~TSetupWinGroups() override;

    const RefList<TSetupWinItem>& Items() const { return items_; }
    // The component name of the program-groups page that creates the group.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // The group's title.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // False for null or an item already in the group.
    bool AddItem(TSetupWinItem* item) { return items_.add(item); }
    NamedElements<TSetupWinItem> ListItems() const;

    void Assign(const TSetupWinGroups& source);
    void Assign(const TSetupWinGroups& source, const ScriptPositions& sourcePositions);

protected:
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;

private:
    RefList<TSetupWinItem> items_;
    std::string name_;
    std::string title_ = "New Application";
};

} // namespace setupkit
