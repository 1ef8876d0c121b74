#include "setup/engine/decompression_library.h"

namespace setupkit {

DecompressionLibrary::DecompressionLibrary(const std::filesystem::path& file) : library_(file) {
    bind();
}

DecompressionLibrary DecompressionLibrary::besideProgram() {
    DecompressionLibrary library;
    library.library_ = lumora::platform::OptionalLibrary::besideProgram(DecompressionLibraryName);
    library.bind();
    return library;
}

void DecompressionLibrary::bind() {
    compress_ = library_.function<std::remove_pointer_t<TSCompressProc>>("TSCompress");
    deCompress_ = library_.function<std::remove_pointer_t<TSDeCompressProc>>("TSDeCompress");
    isCompressed_ = library_.function<std::remove_pointer_t<TSIsCompressedProc>>("TSIsCompressed");
    timeStamp_ = library_.function<std::remove_pointer_t<TSCompressedFileTimeStampProc>>(
        "TSCompressedFileTimeStamp");
}

void DecompressionLibrary::release() {
    compress_ = nullptr;
    deCompress_ = nullptr;
    isCompressed_ = nullptr;
    timeStamp_ = nullptr;
    library_.unload();
}

std::int64_t DecompressionLibrary::TSCompress(const std::filesystem::path& source,
                                              const std::filesystem::path& target,
                                              const ProgressTarget& progress) const {
    if (!compress_)
        return TSC_ERROR_COMPRESS;
    return compress_(source.c_str(), target.c_str(), progress.post, progress.window,
                     progress.message);
}

std::int64_t DecompressionLibrary::TSDeCompress(const std::filesystem::path& source,
                                                const std::filesystem::path& target,
                                                const ProgressTarget& progress) const {
    if (!deCompress_)
        return TSC_ERROR_COMPRESS;
    return deCompress_(source.c_str(), target.c_str(), progress.post, progress.window,
                       progress.message);
}

std::int64_t DecompressionLibrary::TSIsCompressed(const std::filesystem::path& path) const {
    return isCompressed_ ? isCompressed_(path.c_str()) : -1;
}

std::int64_t
DecompressionLibrary::TSCompressedFileTimeStamp(const std::filesystem::path& path) const {
    return timeStamp_ ? timeStamp_(path.c_str()) : -1;
}

} // namespace setupkit
