#pragma once
// A list of references to the script's files (each at most once), and the install
// disk, a file list with a capacity.

#include "setup/script/element_lists.h"
#include "setup/script/setup_element.h"

#include <cstdint>
#include <string>

namespace setupkit {

class TSetupFile;
class ScriptPositions;

class TSetupFileList : public TSetupElement {
public:
    explicit TSetupFileList(TSetupData* script = nullptr);
    ~TSetupFileList() override;

    const RefList<TSetupFile>& Files() const { return files_; }

    // False for null or a file already in the list.
    virtual bool AddFile(TSetupFile* file);
    // False when the file is not in the list.
    virtual bool RemoveFile(TSetupFile* file);
    bool HasFile(const TSetupFile* file) const { return files_.contains(file); }
    // Name and file of each entry, in order.
    NamedElements<TSetupFile> ListFiles() const;
    // Empties the list.
    virtual void Clear();

    // Takes the files at the source files' positions in this list's root; files outside
    // the source's root are skipped. No capacity check.
    void Assign(const TSetupFileList& source);
    void Assign(const TSetupFileList& source, const ScriptPositions& sourcePositions);

protected:
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;
    // Called after Assign has replaced the files.
    virtual void filesReplaced() {}

    RefList<TSetupFile> files_;
};

class TSetupDisk : public TSetupFileList {
public:
    explicit TSetupDisk(TSetupData* script = nullptr);
    ~TSetupDisk() override;

    const std::string& Description() const { return description_; }
    void SetDescription(std::string description) { description_ = std::move(description); }
    // 1-based position in the root's disks when it was added.
    std::uint16_t Number() const { return number_; }
    // Capacity in bytes; 0 = unlimited.
    std::int32_t Size() const { return size_; }
    void SetSize(std::int32_t size) { size_ = size; }
    // Sum of the CompressedSize of the files on the disk; 64 bits so that no sum of file
    // sizes can overflow it.
    std::int64_t Used() const { return used_; }

    // Refuses (false) a file that would take the disk past a non-zero capacity.
    bool AddFile(TSetupFile* file) override;
    bool RemoveFile(TSetupFile* file) override;
    void Clear() override;

    void Assign(const TSetupDisk& source);
    void Assign(const TSetupDisk& source, const ScriptPositions& sourcePositions);

protected:
    void dropReferences(const ElementSet& gone, ReleasedElements& released) override;
    void filesReplaced() override;

private:
    friend class TSetupData;
    friend class detail::ScriptReader;

    std::string description_ = "New Disk";
    std::uint16_t number_ = 0;
    std::int32_t size_ = 0;
    std::int64_t used_ = 0;
};

} // namespace setupkit
