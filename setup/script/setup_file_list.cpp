#include "setup/script/setup_file_list.h"

#include "setup/script/assign_support.h"
#include "setup/script/script_positions.h"
#include "setup/script/setup_data.h"

namespace setupkit {

TSetupFileList::TSetupFileList(TSetupData* script) {
    SetScript(script);
}

TSetupFileList::~TSetupFileList() {
    leaveScript();
}

bool TSetupFileList::AddFile(TSetupFile* file) {
    return files_.add(file);
}

bool TSetupFileList::RemoveFile(TSetupFile* file) {
    return files_.remove(file);
}

NamedElements<TSetupFile> TSetupFileList::ListFiles() const {
    NamedElements<TSetupFile> entries;
    entries.reserve(files_.size());
    for (TSetupFile* file : files_)
        entries.push_back({file->Name(), file});
    return entries;
}

void TSetupFileList::Clear() {
    files_.clear();
}

void TSetupFileList::Assign(const TSetupFileList& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupFileList::Assign(const TSetupFileList& source, const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kFileListErrorPrefix, [&] {
        files_.clear();
        const TSetupData& root = detail::requireScript(Script());
        for (TSetupFile* file : source.files_) {
            const int position = sourcePositions.fileIndex(file);
            if (position >= 0)
                files_.add(detail::elementAtPosition(root.Files(), position));
        }
    });
    filesReplaced();
}

void TSetupFileList::dropReferences(const ElementSet& gone, ReleasedElements&) {
    files_.removeIf([&](TSetupFile* file) { return gone.contains(file); });
}

TSetupDisk::TSetupDisk(TSetupData* script) : TSetupFileList(script) {}

TSetupDisk::~TSetupDisk() {
    leaveScript();
}

bool TSetupDisk::AddFile(TSetupFile* file) {
    if (file == nullptr)
        return false;
    if (size_ != 0 && size_ < std::int64_t{file->CompressedSize()} + used_)
        return false;
    if (!TSetupFileList::AddFile(file))
        return false;
    used_ += file->CompressedSize();
    return true;
}

bool TSetupDisk::RemoveFile(TSetupFile* file) {
    if (!TSetupFileList::RemoveFile(file))
        return false;
    used_ -= file->CompressedSize();
    return true;
}

void TSetupDisk::Clear() {
    TSetupFileList::Clear();
    used_ = 0;
}

void TSetupDisk::Assign(const TSetupDisk& source) {
    Assign(source, ScriptPositions(source.Script()));
}

void TSetupDisk::Assign(const TSetupDisk& source, const ScriptPositions& sourcePositions) {
    if (&source == this)
        return;
    guardedAssign(detail::kDiskErrorPrefix, [&] { description_ = source.description_; });
    TSetupFileList::Assign(source, sourcePositions);
    guardedAssign(detail::kDiskErrorPrefix, [&] {
        number_ = source.number_;
        size_ = source.size_;
        used_ = source.used_;
    });
}

void TSetupDisk::dropReferences(const ElementSet& gone, ReleasedElements&) {
    files_.removeIf([&](TSetupFile* file) {
        if (!gone.contains(file))
            return false;
        used_ -= file->CompressedSize();
        return true;
    });
}

void TSetupDisk::filesReplaced() {
    used_ = 0;
    for (const TSetupFile* file : files_)
        used_ += file->CompressedSize();
}

} // namespace setupkit
