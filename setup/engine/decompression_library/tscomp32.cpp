// The decompression library's entry points: the C interface of tscomp32_api.h over
// the compressed-file format. No exception leaves the library.

#include "setup/engine/decompression_library/compressed_file.h"
#include "setup/engine/decompression_library/tscomp32_api.h"

#include <exception>

namespace {

#define TSCOMP_EXPORT extern "C" __attribute__((visibility("default")))

tscomp::Progress poster(TSPostMessageProc post, void* window, uint32_t message) {
    if (!post)
        return {};
    return [=](std::uint64_t bytes) { post(window, message, 0, static_cast<intptr_t>(bytes)); };
}

template <typename Action> int64_t guarded(Action action, int64_t otherFailure) {
    try {
        return action();
    } catch (const tscomp::Failure& failure) {
        return failure.code();
    } catch (const std::exception&) {
        return otherFailure;
    }
}

} // namespace

TSCOMP_EXPORT int64_t TSCompress(const char* source, const char* target, TSPostMessageProc post,
                                 void* window, uint32_t message) {
    if (!source || !target)
        return TSC_ERROR_SOURCE;
    return guarded(
        [&] {
            return static_cast<int64_t>(
                tscomp::compress(source, target, poster(post, window, message)));
        },
        TSC_ERROR_COMPRESS);
}

TSCOMP_EXPORT int64_t TSDeCompress(const char* source, const char* target, TSPostMessageProc post,
                                   void* window, uint32_t message) {
    if (!source || !target)
        return TSC_ERROR_SOURCE;
    return guarded(
        [&] {
            return static_cast<int64_t>(
                tscomp::expand(source, target, poster(post, window, message)));
        },
        TSC_ERROR_TARGET);
}

TSCOMP_EXPORT int64_t TSIsCompressed(const char* path) {
    if (!path)
        return -1;
    return guarded(
        [&]() -> int64_t {
            const auto header = tscomp::readHeader(path);
            return header ? static_cast<int64_t>(header->size) : -1;
        },
        -1);
}

TSCOMP_EXPORT int64_t TSCompressedFileTimeStamp(const char* path) {
    if (!path)
        return -1;
    return guarded(
        [&]() -> int64_t {
            const auto header = tscomp::readHeader(path);
            return header ? header->seconds : -1;
        },
        -1);
}
