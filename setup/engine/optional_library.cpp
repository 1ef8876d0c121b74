#include "setup/engine/optional_library.h"

#include <dlfcn.h>

namespace setupkit {

std::unique_ptr<OptionalLibrary> OptionalLibrary::open(const std::filesystem::path& path) {
    // A path with a directory part keeps the loader from searching anywhere else.
    const std::filesystem::path absolutePath = std::filesystem::absolute(path);
    void* handle = dlopen(absolutePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    return std::unique_ptr<OptionalLibrary>(new OptionalLibrary(handle));
}

OptionalLibrary::~OptionalLibrary() {
    dlclose(handle_);
}

void* OptionalLibrary::symbol(const char* name) const {
    return dlsym(handle_, name);
}

} // namespace setupkit
