#pragma once
// Writes tagged values into a byte buffer, always in the smallest form that holds them:
// integers as 8, 16 or 32 bits, strings of up to 255 bytes in the short form.

#include "setup/script/value_tags.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace setupkit {

class ValueWriter {
public:
    void writeListBegin();
    void writeListEnd();
    void writeInteger(std::int32_t value);
    void writeString(std::string_view text);
    void writeBoolean(bool value);
    // As a packed MS-DOS date; dates outside 1980 to 2099 are written as 0.
    void writeDate(double dateTime);
    // A tag alone, for values whose payload the caller writes itself.
    void writeTag(ValueTag tag) { bytes_.push_back(static_cast<char>(tag)); }
    // Raw bytes with no tag, for what surrounds the values.
    void writeBytes(std::string_view bytes) { bytes_.append(bytes); }

    const std::string& bytes() const { return bytes_; }
    std::string takeBytes() { return std::move(bytes_); }

private:
    void writeLittleEndian(std::uint32_t value, int width);

    std::string bytes_;
};

} // namespace setupkit
