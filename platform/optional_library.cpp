#include "optional_library.h"

#include "host_path_case.h"
#include "program_location.h"

#include <dlfcn.h>
#include <system_error>
#include <utility>

namespace lumora::platform {

OptionalLibrary::OptionalLibrary(const std::filesystem::path& file) : file_(file) {
    std::error_code status;
    if (!std::filesystem::is_regular_file(file, status)) {
        error_ = file.string() + ": no such library";
        return;
    }
    // dlopen searches the library path for a bare name; a name with a directory
    // part is taken as it is.
    const std::filesystem::path withDirectory =
        file.has_parent_path() ? file : std::filesystem::path(".") / file;
    handle_ = ::dlopen(withDirectory.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* message = ::dlerror();
        error_ = message ? message : file.string() + ": cannot be loaded";
    }
}

OptionalLibrary::~OptionalLibrary() {
    unload();
}

OptionalLibrary::OptionalLibrary(OptionalLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), file_(std::move(other.file_)),
      error_(std::move(other.error_)) {}

OptionalLibrary& OptionalLibrary::operator=(OptionalLibrary&& other) noexcept {
    if (this != &other) {
        unload();
        handle_ = std::exchange(other.handle_, nullptr);
        file_ = std::move(other.file_);
        error_ = std::move(other.error_);
    }
    return *this;
}

OptionalLibrary OptionalLibrary::besideProgram(std::string_view fileName) {
    std::filesystem::path directory;
    try {
        directory = programDirectory();
    } catch (const std::exception&) {
        return OptionalLibrary();
    }
    return OptionalLibrary(
        resolveIgnoringCase(directory / std::filesystem::path(std::string(fileName))));
}

void* OptionalLibrary::symbol(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

void OptionalLibrary::unload() {
    if (handle_)
        ::dlclose(handle_);
    handle_ = nullptr;
}

} // namespace lumora::platform
