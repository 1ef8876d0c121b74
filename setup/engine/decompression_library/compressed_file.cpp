#include "setup/engine/decompression_library/compressed_file.h"

#include "platform/file_access.h"
#include "platform/replacement_file.h"
#include "setup/engine/decompression_library/tscomp32_api.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <system_error>
#include <vector>
#include <zstd.h>

namespace tscomp {

namespace {

constexpr std::array<unsigned char, 4> Magic = {'T', 'S', 'Z', 0x1A};
constexpr std::uint16_t Version = 1;

class InputFile {
public:
    explicit InputFile(const std::filesystem::path& path) {
        std::error_code error;
        fd_ = lumora::platform::openForReading(path, false, error);
    }

    bool isOpen() const { return fd_.valid(); }
    const lumora::platform::FileDescriptor& descriptor() const { return fd_; }

    // Fills the buffer unless the file ends first; -1 on a read error.
    long long read(void* buffer, std::size_t size) {
        try {
            return static_cast<long long>(
                lumora::platform::readFull(fd_, static_cast<char*>(buffer), size));
        } catch (const std::system_error&) {
            return -1;
        }
    }

private:
    lumora::platform::FileDescriptor fd_;
};

template <typename T> void putLittle(unsigned char* at, T value) {
    auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i, bits >>= 8)
        at[i] = static_cast<unsigned char>(bits & 0xFF);
}

template <typename T> T getLittle(const unsigned char* at) {
    std::uint64_t bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        bits = (bits << 8) | at[i];
    return static_cast<T>(bits);
}

std::array<unsigned char, HeaderSize> encodeHeader(const Header& header) {
    std::array<unsigned char, HeaderSize> bytes{};
    std::memcpy(bytes.data(), Magic.data(), Magic.size());
    putLittle<std::uint16_t>(bytes.data() + 4, Version);
    putLittle<std::uint16_t>(bytes.data() + 6, static_cast<std::uint16_t>(HeaderSize));
    putLittle<std::uint64_t>(bytes.data() + 8, header.size);
    putLittle<std::int64_t>(bytes.data() + 16, header.seconds);
    putLittle<std::uint32_t>(bytes.data() + 24, header.nanoseconds);
    putLittle<std::uint32_t>(bytes.data() + 28, header.mode);
    return bytes;
}

std::optional<Header> decodeHeader(const unsigned char* bytes) {
    if (std::memcmp(bytes, Magic.data(), Magic.size()) != 0 ||
        getLittle<std::uint16_t>(bytes + 4) != Version ||
        getLittle<std::uint16_t>(bytes + 6) != HeaderSize)
        return std::nullopt;
    Header header;
    header.size = getLittle<std::uint64_t>(bytes + 8);
    header.seconds = getLittle<std::int64_t>(bytes + 16);
    header.nanoseconds = getLittle<std::uint32_t>(bytes + 24);
    header.mode = getLittle<std::uint32_t>(bytes + 28) & 07777;
    if (header.nanoseconds >= 1000000000u || header.size > static_cast<std::uint64_t>(INT64_MAX))
        return std::nullopt;
    return header;
}

std::optional<Header> readHeaderFrom(InputFile& input) {
    std::array<unsigned char, HeaderSize> bytes{};
    if (input.read(bytes.data(), bytes.size()) != static_cast<long long>(bytes.size()))
        return std::nullopt;
    return decodeHeader(bytes.data());
}

struct CompressContextDeleter {
    void operator()(ZSTD_CCtx* context) const { ZSTD_freeCCtx(context); }
};
struct DecompressContextDeleter {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

} // namespace

std::optional<Header> readHeader(const std::filesystem::path& path) {
    InputFile input(path);
    if (!input.isOpen())
        return std::nullopt;
    return readHeaderFrom(input);
}

std::uint64_t compress(const std::filesystem::path& source, const std::filesystem::path& target,
                       const Progress& progress, int level) {
    InputFile input(source);
    std::error_code statusError;
    const auto info = input.isOpen() ? lumora::platform::fileStatus(input.descriptor(), statusError)
                                     : std::nullopt;
    if (!info || !info->regular)
        throw Failure(TSC_ERROR_SOURCE, source.string() + ": cannot be opened");

    Header header;
    header.size = info->size;
    header.seconds = info->seconds;
    header.nanoseconds = static_cast<std::uint32_t>(info->nanoseconds);
    header.mode = info->mode;

    std::unique_ptr<ZSTD_CCtx, CompressContextDeleter> context(ZSTD_createCCtx());
    if (!context ||
        ZSTD_isError(ZSTD_CCtx_setParameter(context.get(), ZSTD_c_compressionLevel, level)) ||
        ZSTD_isError(ZSTD_CCtx_setParameter(context.get(), ZSTD_c_checksumFlag, 1)) ||
        ZSTD_isError(ZSTD_CCtx_setPledgedSrcSize(context.get(), header.size)))
        throw Failure(TSC_ERROR_COMPRESS, "the compressor cannot be set up");

    try {
        lumora::platform::ReplacementFile output(target, 0644);
        const auto headerBytes = encodeHeader(header);
        output.write(reinterpret_cast<const char*>(headerBytes.data()), headerBytes.size());
        std::uint64_t written = headerBytes.size();

        std::vector<char> in(ZSTD_CStreamInSize());
        std::vector<char> out(ZSTD_CStreamOutSize());
        std::uint64_t consumed = 0;
        bool finished = false;
        while (!finished) {
            const long long got = input.read(in.data(), in.size());
            if (got < 0)
                throw Failure(TSC_ERROR_SOURCE, source.string() + ": read error");
            consumed += static_cast<std::uint64_t>(got);
            const bool last = static_cast<std::size_t>(got) < in.size();
            if (last && consumed != header.size)
                throw Failure(TSC_ERROR_SOURCE, source.string() + ": changed size while read");
            ZSTD_inBuffer pending{in.data(), static_cast<std::size_t>(got), 0};
            const ZSTD_EndDirective mode = last ? ZSTD_e_end : ZSTD_e_continue;
            for (;;) {
                ZSTD_outBuffer produced{out.data(), out.size(), 0};
                const std::size_t remaining =
                    ZSTD_compressStream2(context.get(), &produced, &pending, mode);
                if (ZSTD_isError(remaining))
                    throw Failure(TSC_ERROR_COMPRESS, ZSTD_getErrorName(remaining));
                output.write(out.data(), produced.pos);
                written += produced.pos;
                if (last ? remaining == 0 : pending.pos == pending.size)
                    break;
            }
            if (progress && got > 0)
                progress(static_cast<std::uint64_t>(got));
            finished = last;
        }
        output.setModificationTime(header.seconds, header.nanoseconds);
        output.commit(written);
        return written;
    } catch (const std::system_error& error) {
        throw Failure(TSC_ERROR_TARGET, error.what());
    }
}

std::uint64_t expand(const std::filesystem::path& source, const std::filesystem::path& target,
                     const Progress& progress) {
    InputFile input(source);
    if (!input.isOpen())
        throw Failure(TSC_ERROR_SOURCE, source.string() + ": cannot be opened");
    const auto header = readHeaderFrom(input);
    if (!header)
        throw Failure(TSC_ERROR_FORMAT, source.string() + ": not a compressed file");

    std::unique_ptr<ZSTD_DCtx, DecompressContextDeleter> context(ZSTD_createDCtx());
    if (!context)
        throw Failure(TSC_ERROR_COMPRESS, "the decompressor cannot be set up");

    try {
        lumora::platform::ReplacementFile output(target, header->mode);
        std::vector<char> in(ZSTD_DStreamInSize());
        std::vector<char> out(ZSTD_DStreamOutSize());
        std::uint64_t produced = 0;
        std::size_t frameState = 1; // 0 once a whole frame has been decoded and checked
        for (;;) {
            const long long got = input.read(in.data(), in.size());
            if (got < 0)
                throw Failure(TSC_ERROR_SOURCE, source.string() + ": read error");
            if (got == 0)
                break;
            if (frameState == 0)
                throw Failure(TSC_ERROR_FORMAT, source.string() + ": data after the end");
            ZSTD_inBuffer pending{in.data(), static_cast<std::size_t>(got), 0};
            while (pending.pos < pending.size) {
                ZSTD_outBuffer piece{out.data(), out.size(), 0};
                frameState = ZSTD_decompressStream(context.get(), &piece, &pending);
                if (ZSTD_isError(frameState))
                    throw Failure(TSC_ERROR_FORMAT,
                                  source.string() + ": " + ZSTD_getErrorName(frameState));
                produced += piece.pos;
                // A damaged size field must not let the output grow without bound.
                if (produced > header->size)
                    throw Failure(TSC_ERROR_FORMAT, source.string() + ": longer than stated");
                output.write(out.data(), piece.pos);
                if (progress && piece.pos > 0)
                    progress(piece.pos);
                if (frameState == 0 && pending.pos < pending.size)
                    throw Failure(TSC_ERROR_FORMAT, source.string() + ": data after the end");
            }
        }
        // The frame may still hold output when the input ended on a block boundary.
        while (frameState != 0) {
            ZSTD_inBuffer none{nullptr, 0, 0};
            ZSTD_outBuffer piece{out.data(), out.size(), 0};
            frameState = ZSTD_decompressStream(context.get(), &piece, &none);
            if (ZSTD_isError(frameState) || piece.pos == 0)
                throw Failure(TSC_ERROR_FORMAT, source.string() + ": truncated");
            produced += piece.pos;
            if (produced > header->size)
                throw Failure(TSC_ERROR_FORMAT, source.string() + ": longer than stated");
            output.write(out.data(), piece.pos);
            if (progress)
                progress(piece.pos);
        }
        if (produced != header->size)
            throw Failure(TSC_ERROR_FORMAT, source.string() + ": shorter than stated");
        output.setModificationTime(header->seconds, static_cast<long>(header->nanoseconds));
        output.commit(produced);
        return produced;
    } catch (const std::system_error& error) {
        throw Failure(TSC_ERROR_TARGET, error.what());
    }
}

} // namespace tscomp
