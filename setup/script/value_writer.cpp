#include "setup/script/value_writer.h"

#include "setup/script/dos_date_time.h"
#include "setup/script/value_tags.h"

#include <limits>
#include <stdexcept>

namespace setupkit {

void ValueWriter::writeLittleEndian(std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes_.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

void ValueWriter::writeListBegin() {
    writeTag(ValueTag::List);
}

void ValueWriter::writeListEnd() {
    writeTag(ValueTag::EndOfList);
}

void ValueWriter::writeInteger(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (value >= -128 && value <= 127) {
        writeTag(ValueTag::Int8);
        writeLittleEndian(bits, 1);
    } else if (value >= -32768 && value <= 32767) {
        writeTag(ValueTag::Int16);
        writeLittleEndian(bits, 2);
    } else {
        writeTag(ValueTag::Int32);
        writeLittleEndian(bits, 4);
    }
}

void ValueWriter::writeString(std::string_view text) {
    if (text.size() <= 255) {
        writeTag(ValueTag::String);
        writeLittleEndian(static_cast<std::uint32_t>(text.size()), 1);
    } else {
        if (text.size() > std::numeric_limits<std::int32_t>::max())
            throw std::length_error("string too long for a stored value");
        writeTag(ValueTag::LString);
        writeLittleEndian(static_cast<std::uint32_t>(text.size()), 4);
    }
    bytes_.append(text);
}

void ValueWriter::writeBoolean(bool value) {
    writeTag(value ? ValueTag::True : ValueTag::False);
}

void ValueWriter::writeDate(double dateTime) {
    writeInteger(packDosDateTime(dateTime));
}

} // namespace setupkit
