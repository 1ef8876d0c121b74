#pragma once
// The optional decompression library TSComp32.DLL as the installer and the build tool
// use it: loaded by name when it is there, absent otherwise. Each entry point is
// offered only when the library exports it.

#include "platform/optional_library.h"
#include "setup/engine/decompression_library/tscomp32_api.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace setupkit {

inline constexpr std::string_view DecompressionLibraryName = "TSComp32.DLL";

// The message the library posts to the wizard dialog with the bytes just produced.
inline constexpr std::uint32_t DecompressionProgressMessage = 1027;

// Where the library posts progress: `window` and `message` are handed back to `post`
// with the byte count as the second parameter.
struct ProgressTarget {
    TSPostMessageProc post = nullptr;
    void* window = nullptr;
    std::uint32_t message = DecompressionProgressMessage;
};

class DecompressionLibrary {
public:
    // Absent.
    DecompressionLibrary() = default;
    // The library in the given file; absent when it cannot be loaded.
    explicit DecompressionLibrary(const std::filesystem::path& file);
    // The library beside the running program (looked up at each call).
    static DecompressionLibrary besideProgram();

    bool present() const { return library_.present(); }
    // Why the library is absent ("TSComp32.DLL: no such library"); empty when present.
    const std::string& error() const { return library_.error(); }
    void release();

    bool canCompress() const { return compress_ != nullptr; }
    bool canDeCompress() const { return deCompress_ != nullptr; }

    // The entry points' answers; a missing entry point answers as a failure (negative,
    // or -1 for the two questions).
    std::int64_t TSCompress(const std::filesystem::path& source,
                            const std::filesystem::path& target,
                            const ProgressTarget& progress = {}) const;
    std::int64_t TSDeCompress(const std::filesystem::path& source,
                              const std::filesystem::path& target,
                              const ProgressTarget& progress = {}) const;
    std::int64_t TSIsCompressed(const std::filesystem::path& path) const;
    std::int64_t TSCompressedFileTimeStamp(const std::filesystem::path& path) const;

private:
    void bind();

    lumora::platform::OptionalLibrary library_;
    TSCompressProc compress_ = nullptr;
    TSDeCompressProc deCompress_ = nullptr;
    TSIsCompressedProc isCompressed_ = nullptr;
    TSCompressedFileTimeStampProc timeStamp_ = nullptr;
};

} // namespace setupkit
