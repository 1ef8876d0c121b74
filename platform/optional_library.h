#pragma once
// Libraries the programs use when they are there and do without otherwise (the
// language library, the decompression library), loaded by file name with dlopen.
// A missing file means the library is absent. A file that is there is checked before
// it is loaded (its size and checksum against the distribution's list when one is
// recorded, and that it is not cut short): loading a cut-short library would kill the
// program. A file that fails is absent too, and error() names it and says why.

#include "platform/file_checksum.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::platform {

class OptionalLibrary {
public:
    // Absent.
    OptionalLibrary() = default;
    // Loads the file when it exists and passes the checks (against `recorded` too,
    // when given); otherwise the library is absent and error() says why.
    explicit OptionalLibrary(const std::filesystem::path& file,
                             std::optional<FileFacts> recorded = std::nullopt);
    ~OptionalLibrary();
    OptionalLibrary(OptionalLibrary&& other) noexcept;
    OptionalLibrary& operator=(OptionalLibrary&& other) noexcept;
    OptionalLibrary(const OptionalLibrary&) = delete;
    OptionalLibrary& operator=(const OptionalLibrary&) = delete;

    // The library named `fileName` ("TSLANG32.DLL") in the running program's
    // directory; a file whose name differs only in letter case is found too. When the
    // directory holds the distribution's checksum list, the file must match its entry.
    static OptionalLibrary besideProgram(std::string_view fileName);

    bool present() const { return handle_ != nullptr; }
    explicit operator bool() const { return present(); }
    // Whether there is no file at all (as opposed to a file that cannot be used).
    bool missing() const { return missing_; }
    const std::filesystem::path& file() const { return file_; }
    // "TSLANG32.DLL: it holds 4096 bytes, not 16384"; empty when present.
    const std::string& error() const { return error_; }

    // The address of an exported symbol, or nullptr (also when absent).
    void* symbol(const char* name) const;
    template <typename Function> Function* function(const char* name) const {
        return reinterpret_cast<Function*>(symbol(name));
    }

    void unload();

private:
    void* handle_ = nullptr;
    bool missing_ = true;
    std::filesystem::path file_;
    std::string error_;
};

// Why a shared object cannot be mapped safely (a header or a segment reaches past the
// end of the file), or nothing when it looks whole. Files that are no shared object
// at all are left to the loader, which refuses them cleanly.
std::optional<std::string> sharedObjectDamage(const std::filesystem::path& file);

} // namespace lumora::platform
