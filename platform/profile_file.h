#pragma once
// Private profile (ini) files read and written one call at a time, with Windows
// semantics: the recent-files store and the installer's notes, log and WIN.INI.
// Every call reads the file afresh; every change is written atomically, so a crash
// never leaves half a file. The rules of the contents are ProfileDocument's.

#include "profile_document.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    // A missing or unreadable file reads as an empty one.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    // Integer the way the profile integer query reads one: decimal digits after an
    // optional sign, or hexadecimal after "0x"; the default when there is no number.
    long long readInteger(std::string_view section, std::string_view key,
                          long long defaultValue) const;
    std::vector<std::string> keys(std::string_view section) const;
    std::vector<std::string> sections() const;
    bool hasSection(std::string_view section) const;
    ProfileDocument load() const;

    // Changes create the file on the first write (not its directory). They throw
    // FileError when the file cannot be written, and also when it exists but cannot
    // be read, so that a file we could not read is never replaced by a blank one.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void eraseSection(std::string_view section);
    void deleteKey(std::string_view section, std::string_view key);
    // Several changes in one read and one atomic write (an install log of many keys).
    void update(const std::function<void(ProfileDocument&)>& change);

    // Removes the file; a missing file is not an error.
    void remove();
    // Deletes the file when nothing is left in it (notes that live from one run to the
    // next leave no empty file behind).
    void removeIfEmpty();

private:
    std::filesystem::path path_;
};

} // namespace lumora::platform
