#pragma once
// Libraries the programs use when they are there and do without otherwise (the
// language library, the decompression library), loaded by file name with dlopen.
// A missing or unloadable file means the library is absent: never an error.

#include <filesystem>
#include <string>
#include <string_view>

namespace lumora::platform {

class OptionalLibrary {
public:
    // Absent.
    OptionalLibrary() = default;
    // Loads the file when it exists; otherwise, or when it cannot be loaded, the
    // library is absent and error() says why.
    explicit OptionalLibrary(const std::filesystem::path& file);
    ~OptionalLibrary();
    OptionalLibrary(OptionalLibrary&& other) noexcept;
    OptionalLibrary& operator=(OptionalLibrary&& other) noexcept;
    OptionalLibrary(const OptionalLibrary&) = delete;
    OptionalLibrary& operator=(const OptionalLibrary&) = delete;

    // The library named `fileName` ("TSLANG32.DLL") in the running program's
    // directory; a file whose name differs only in letter case is found too.
    static OptionalLibrary besideProgram(std::string_view fileName);

    bool present() const { return handle_ != nullptr; }
    explicit operator bool() const { return present(); }
    const std::filesystem::path& file() const { return file_; }
    const std::string& error() const { return error_; }

    // The address of an exported symbol, or nullptr (also when absent).
    void* symbol(const char* name) const;
    template <typename Function> Function* function(const char* name) const {
        return reinterpret_cast<Function*>(symbol(name));
    }

    void unload();

private:
    void* handle_ = nullptr;
    std::filesystem::path file_;
    std::string error_;
};

} // namespace lumora::platform
