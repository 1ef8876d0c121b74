#pragma once
// A file written beside the one it will replace: the new contents go to a temporary
// file in the target's directory, which is renamed over the target only by commit().
// Until then the old target is untouched, and a replacement that is dropped (or that
// fails) removes its temporary file. Saving a page or a settings file and installing
// a file both write this way; they differ only in the rules below.

#include "platform/file_descriptor.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace lumora::platform {

struct ReplacementRules {
    // A symbolic link at the target's name: followed, so that the file it names is
    // replaced and the link stays a link (saving); or replaced itself by the new
    // file, never written through (installing).
    bool followLinks = false;
    // The new file's permission bits, less the process's umask. Without them the new
    // file keeps the bits of the file it replaces (0666 less the umask when there is
    // none).
    std::optional<unsigned> mode;
    // The temporary file's name: a fixed one (partPathFor), so that the part a killed
    // run left behind is taken over by the next replacement of the same file; or a
    // fresh one each time ("." + the target's name + "." + six characters).
    bool fixedPartName = true;
    // Whether commit() syncs a file that replaces nothing. A replaced file is always
    // synced first: its old contents would be lost if the system stopped before the
    // new ones reached the disk.
    bool syncNewFile = false;

    // The rules of an installed file: links replaced, the given bits, a fixed part
    // name, and only replaced files synced (syncing every new file would make an
    // install many times slower).
    static ReplacementRules installing(unsigned mode) { return {false, mode, true, false}; }
    // The rules of a saved document or setting: links followed, bits kept, a fresh
    // temporary name, always synced.
    static ReplacementRules saving() { return {true, std::nullopt, false, true}; }
};

class ReplacementFile {
public:
    // Creates the temporary file. Throws std::system_error when the directory does
    // not take it or the target is a directory.
    ReplacementFile(const std::filesystem::path& target, const ReplacementRules& rules);
    // An installed file's replacement (ReplacementRules::installing).
    ReplacementFile(const std::filesystem::path& target, unsigned mode)
        : ReplacementFile(target, ReplacementRules::installing(mode)) {}
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Where the new contents wait under a fixed part name.
    static std::filesystem::path partPathFor(const std::filesystem::path& target);

    int descriptor() const { return fd_.get(); }
    const std::filesystem::path& temporaryPath() const { return temporary_; }
    // Whether something was at the target's name when the replacement began.
    bool replacesExisting() const { return replacesExisting_; }

    // Writes all of the bytes; throws std::system_error.
    void write(const char* data, std::size_t size);
    // Gives the new file a modification time (seconds and nanoseconds since the epoch).
    void setModificationTime(std::int64_t seconds, long nanoseconds);
    // Checks that `expectedSize` bytes arrived, closes the file and renames it over
    // the target. Throws std::system_error (the temporary file is then removed).
    void commit(std::uint64_t expectedSize);

private:
    void openPart();
    void openUnique();
    void discard() noexcept;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    FileDescriptor fd_;
    bool replacesExisting_ = false;
    bool syncNewFile_ = false;
};

} // namespace lumora::platform
