#pragma once
// Files chosen per directory: a file group keeps, for each of its directories, the list
// of files chosen for it (the installer's selection is one). A file-group list is a
// file group that also names other file groups.

#include "setup/script/element_lists.h"
#include "setup/script/setup_element.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace setupkit {

class TSetupDir;
class TSetupFile;
class TSetupFileList;
class ScriptPositions;

class TSetupFileGroup : public TSetupElement {
public:
    explicit TSetupFileGroup(TSetupData* script = nullptr);
    ~TSetupFileGroup() override;

    void SetScript(TSetupData* script) override;

    // Unique among the root's file groups (case-sensitive): a clashing rename is ignored.
    const std::string& Name() const { return name_; }
    void SetName(std::string name);

    // Dirs and FileLists correspond by position.
    const std::vector<TSetupDir*>& Dirs() const { return dirs_; }
    const OwnedElements<TSetupFileList>& FileLists() const { return fileLists_; }
    // The file list of a directory, nullptr when the directory is not in Dirs.
    TSetupFileList* FileListFor(const TSetupDir* dir) const;

    // Adds the file under the directory. A null dir means the last of the root's
    // directories that holds the file; with create, a directory not yet in Dirs is added
    // with an empty list. False when there is no such directory, for a null file and
    // for a file already chosen for the directory.
    bool AddFile(TSetupFile* file, TSetupDir* dir, bool create);
    // The directory stays in Dirs even when its list becomes empty.
    bool RemoveFile(TSetupFile* file, const TSetupDir* dir);
    // Takes the directory out of Dirs when its list is empty; whether it did.
    bool RemoveEmptyDir(const TSetupDir* dir);
    bool HasFile(const TSetupFile* file, const TSetupDir* dir) const;
    // Empty when the directory is not in Dirs.
    NamedElements<TSetupFile> ListFiles(const TSetupDir* dir) const;
    // Empties Dirs and frees every file list.
    void Clear();

    // The directories at the source directories' positions in this group's root, with
    // copies of their file lists.
    void Assign(const TSetupFileGroup& source);
    void Assign(const TSetupFileGroup& source, const ScriptPositions& sourcePositions);

protected:
    bool canBeReferenced() const override { return true; }
    void collectOwned(ElementSet& into) override;
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;
    void assignGroup(const TSetupFileGroup& source, const ScriptPositions& sourcePositions);

private:
    friend class TSetupData;
    friend class detail::ScriptReader;

    TSetupFileList* appendDir(TSetupDir* dir);
    void reindexDirs();

    std::vector<TSetupDir*> dirs_;
    // First position of each directory in dirs_; lookups stay constant-time in large groups.
    std::unordered_map<const TSetupDir*, std::size_t> dirPositions_;
    OwnedElements<TSetupFileList> fileLists_;
    std::string name_;
};

class TSetupFileGroupList : public TSetupFileGroup {
public:
    explicit TSetupFileGroupList(TSetupData* script = nullptr);
    ~TSetupFileGroupList() override;

    const RefList<TSetupFileGroup>& Groups() const { return groups_; }
    // False for null or a group already in Groups.
    bool AddGroup(TSetupFileGroup* group) { return groups_.add(group); }

    void Assign(const TSetupFileGroupList& source);
    void Assign(const TSetupFileGroupList& source, const ScriptPositions& sourcePositions);

protected:
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;

private:
    friend class detail::ScriptReader;

    RefList<TSetupFileGroup> groups_;
};

} // namespace setupkit
