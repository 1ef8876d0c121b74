#pragma once
// An optional shared library opened by path and closed with this object. Absent or
// unloadable means absent: open() gives nothing and the caller carries on without it.

#include <filesystem>
#include <memory>

namespace setupkit {

class OptionalLibrary {
public:
    static std::unique_ptr<OptionalLibrary> open(const std::filesystem::path& path);
    ~OptionalLibrary();
    OptionalLibrary(const OptionalLibrary&) = delete;
    OptionalLibrary& operator=(const OptionalLibrary&) = delete;

    // Address of an exported symbol, or null.
    void* symbol(const char* name) const;

private:
    explicit OptionalLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

} // namespace setupkit
