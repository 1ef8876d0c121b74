#pragma once
// A destination directory: its path (relative to its parent directory when it has one)
// and the files installed into it. Parent chains may loop (a directory can be made its
// own ancestor); every walk along them stops at a directory already seen.

#include "setup/script/setup_file_list.h"

#include <string>
#include <vector>

namespace setupkit {

class TSetupDir : public TSetupFileList {
public:
    explicit TSetupDir(TSetupData* script = nullptr);
    ~TSetupDir() override;

    TSetupDir* ParentDir() const { return parentDir_; }
    void SetParentDir(TSetupDir* parent) { parentDir_ = parent; }
    // Relative to ParentDir when that is set, else absolute; a backslash is appended
    // when a non-empty value lacks one.
    const std::string& Dir() const { return dir_; }
    void SetDir(std::string dir);
    // Unique among the root's directories (case-sensitive): a rename to a name another
    // directory bears is ignored.
    const std::string& Name() const { return name_; }
    void SetName(std::string name);

    // The parent's full path followed by Dir.
    std::string FullPath() const;
    // Parent first, then its parent, and so on, each at most once; never this directory.
    std::vector<TSetupDir*> Ancestors() const;

    // The parent is looked up by name in this directory's root.
    void Assign(const TSetupDir& source);
    void Assign(const TSetupDir& source, const ScriptPositions& sourcePositions);

protected:
    bool canBeReferenced() const override { return true; }
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;

private:
    friend class TSetupData;
    friend class detail::ScriptReader;

    // This directory and its ancestors, each once, nearest first.
    std::vector<const TSetupDir*> chain() const;

    TSetupDir* parentDir_ = nullptr;
    std::string dir_;
    std::string name_ = "New Dir";
};

} // namespace setupkit
