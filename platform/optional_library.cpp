#include "optional_library.h"

#include "file_descriptor.h"
#include "host_path_case.h"
#include "program_location.h"
#include "regular_file_read.h"

#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace lumora::platform {

namespace {

bool readAt(int fd, void* buffer, std::size_t size, std::uint64_t offset) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got =
            ::pread(fd, bytes + filled, size - filled, static_cast<off_t>(offset + filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

bool reaches(std::uint64_t offset, std::uint64_t length, std::uint64_t fileSize) {
    return offset > fileSize || length > fileSize - offset;
}

template <class Header, class ProgramHeader>
std::optional<std::string> imageDamage(int fd, std::uint64_t fileSize) {
    Header header{};
    if (!readAt(fd, &header, sizeof header, 0))
        return "it is cut short (" + std::to_string(fileSize) + " bytes)";
    const auto tableSize = [](std::uint64_t count, std::uint64_t entry) { return count * entry; };
    if (reaches(header.e_phoff, tableSize(header.e_phnum, header.e_phentsize), fileSize) ||
        (header.e_shoff != 0 &&
         reaches(header.e_shoff, tableSize(header.e_shnum, header.e_shentsize), fileSize)))
        return "it is cut short (" + std::to_string(fileSize) + " bytes)";
    if (header.e_phentsize != sizeof(ProgramHeader))
        return std::nullopt;
    std::vector<ProgramHeader> segments(header.e_phnum);
    if (!segments.empty() &&
        !readAt(fd, segments.data(), segments.size() * sizeof(ProgramHeader), header.e_phoff))
        return "it is cut short (" + std::to_string(fileSize) + " bytes)";
    for (const ProgramHeader& segment : segments)
        if (segment.p_type == PT_LOAD && reaches(segment.p_offset, segment.p_filesz, fileSize))
            return "it is cut short (" + std::to_string(fileSize) + " bytes)";
    return std::nullopt;
}

} // namespace

std::optional<std::string> sharedObjectDamage(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0)
        return std::string(std::strerror(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return std::string(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return std::string("not a regular file");
    const auto size = static_cast<std::uint64_t>(info.st_size);
    unsigned char ident[EI_NIDENT] = {};
    if (!readAt(fd.get(), ident, sizeof ident, 0) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    if (ident[EI_CLASS] == ELFCLASS64)
        return imageDamage<Elf64_Ehdr, Elf64_Phdr>(fd.get(), size);
    if (ident[EI_CLASS] == ELFCLASS32)
        return imageDamage<Elf32_Ehdr, Elf32_Phdr>(fd.get(), size);
    return std::nullopt;
}

OptionalLibrary::OptionalLibrary(const std::filesystem::path& file,
                                 std::optional<FileFacts> recorded)
    : file_(file) {
    const std::string name = file.filename().string();
    std::error_code status;
    if (!std::filesystem::exists(file, status)) {
        error_ = name + ": no such library";
        return;
    }
    missing_ = false;
    std::optional<std::string> damage =
        recorded ? fileMismatch(file, recorded->size, recorded->crc) : std::nullopt;
    if (!damage)
        damage = sharedObjectDamage(file);
    if (damage) {
        error_ = name + ": " + *damage;
        return;
    }
    // dlopen searches the library path for a bare name; a name with a directory
    // part is taken as it is.
    const std::filesystem::path withDirectory =
        file.has_parent_path() ? file : std::filesystem::path(".") / file;
    handle_ = ::dlopen(withDirectory.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* message = ::dlerror();
        error_ = name + ": " + (message ? message : "cannot be loaded");
    }
}

OptionalLibrary::~OptionalLibrary() {
    unload();
}

OptionalLibrary::OptionalLibrary(OptionalLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), missing_(std::exchange(other.missing_, true)),
      file_(std::move(other.file_)), error_(std::move(other.error_)) {}

OptionalLibrary& OptionalLibrary::operator=(OptionalLibrary&& other) noexcept {
    if (this != &other) {
        unload();
        handle_ = std::exchange(other.handle_, nullptr);
        missing_ = std::exchange(other.missing_, true);
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
        OptionalLibrary absent;
        absent.error_ = std::string(fileName) + ": the program's folder is unknown";
        return absent;
    }
    const std::filesystem::path file =
        resolveIgnoringCase(directory / std::filesystem::path(std::string(fileName)));
    std::optional<FileFacts> recorded;
    if (const auto list = readChecksumList(directory))
        if (const auto entry = list->find(file.filename().string()); entry != list->end())
            recorded = entry->second;
    return OptionalLibrary(file, recorded);
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
