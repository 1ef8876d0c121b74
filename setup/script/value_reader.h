#pragma once
// Reads tagged values (lists, integers, strings, Booleans, packed dates) from a byte
// stream held by the caller. Every count in the stream is distrusted: nothing is
// allocated before its bytes are known to be there, list nesting is capped, and every
// read consumes at least one byte, so a loop that reads until an end-of-list tag always
// ends at the end of the stream.

#include "setup/script/value_stream_error.h"
#include "setup/script/value_tags.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace setupkit {

class ValueReader {
public:
    // Lists nested deeper than this fail with "Invalid property value".
    static constexpr int kMaxListDepth = 64;

    // The bytes must outlive the reader.
    explicit ValueReader(std::string_view bytes) : bytes_(bytes) {}
    // A temporary string would be gone before the first read.
    explicit ValueReader(std::string&&) = delete;

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool atEnd() const { return position_ == bytes_.size(); }
    int listDepth() const { return depth_; }

    // The tag of the next value, not consumed. "Stream read error" at the end.
    ValueTag nextTag() const;
    // Whether the next tag closes a list (not consumed). "Stream read error" at the end.
    bool endOfList() const;
    // Consumes the next tag alone, for values whose payload the caller reads itself.
    ValueTag readTag() { return static_cast<ValueTag>(takeByte()); }

    void readListBegin();
    void readListEnd();
    // Accepts the 8-, 16- and 32-bit forms.
    std::int32_t readInteger();
    // Accepts the short and the long form.
    std::string readString();
    // Consumes one tag: true exactly when it is the true tag.
    bool readBoolean();
    // A packed MS-DOS date as an integer; 0 reads as the unset date 0.
    double readDate();
    // Skips one whole value, a list with everything in it included.
    void skipValue();
    // Raw bytes with no tag, for what surrounds the values (signatures, property names).
    std::string_view readBytes(std::size_t count);

private:
    std::uint8_t takeByte();
    std::uint32_t takeLittleEndian(std::size_t width);
    [[noreturn]] static void invalidValue();
    [[noreturn]] static void readError();

    std::string_view bytes_;
    std::size_t position_ = 0;
    int depth_ = 0;
};

} // namespace setupkit
