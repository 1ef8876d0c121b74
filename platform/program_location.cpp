#include "program_location.h"

#include "atomic_file.h"

#include <system_error>

namespace lumora::platform {

std::filesystem::path programPath() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw FileError("/proc/self/exe", error.message());
    return path;
}

std::filesystem::path programDirectory() {
    return programPath().parent_path();
}

} // namespace lumora::platform
