#include "setup/script/value_reader.h"

#include "setup/script/dos_date_time.h"

namespace setupkit {

void ValueReader::invalidValue() {
    throw EValueStreamError(EValueStreamError::Kind::InvalidPropertyValue);
}

void ValueReader::readError() {
    throw EValueStreamError(EValueStreamError::Kind::StreamReadError);
}

std::uint8_t ValueReader::takeByte() {
    if (atEnd())
        readError();
    return static_cast<std::uint8_t>(bytes_[position_++]);
}

std::uint32_t ValueReader::takeLittleEndian(std::size_t width) {
    if (remaining() < width)
        readError();
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes_[position_ + i]))
                 << (8 * i);
    position_ += width;
    return value;
}

ValueTag ValueReader::nextTag() const {
    if (atEnd())
        readError();
    return static_cast<ValueTag>(static_cast<std::uint8_t>(bytes_[position_]));
}

bool ValueReader::endOfList() const {
    return nextTag() == ValueTag::EndOfList;
}

void ValueReader::readListBegin() {
    if (readTag() != ValueTag::List)
        invalidValue();
    if (depth_ >= kMaxListDepth)
        invalidValue();
    ++depth_;
}

void ValueReader::readListEnd() {
    if (readTag() != ValueTag::EndOfList)
        invalidValue();
    if (depth_ > 0)
        --depth_;
}

std::int32_t ValueReader::readInteger() {
    switch (readTag()) {
    case ValueTag::Int8:
        return static_cast<std::int8_t>(takeLittleEndian(1));
    case ValueTag::Int16:
        return static_cast<std::int16_t>(takeLittleEndian(2));
    case ValueTag::Int32:
        return static_cast<std::int32_t>(takeLittleEndian(4));
    default:
        invalidValue();
    }
}

std::string ValueReader::readString() {
    std::size_t length = 0;
    switch (readTag()) {
    case ValueTag::String:
        length = takeLittleEndian(1);
        break;
    case ValueTag::LString:
        length = takeLittleEndian(4);
        break;
    default:
        invalidValue();
    }
    return std::string(readBytes(length));
}

bool ValueReader::readBoolean() {
    return readTag() == ValueTag::True;
}

double ValueReader::readDate() {
    const auto date = unpackDosDateTime(readInteger());
    if (!date)
        invalidValue();
    return *date;
}

void ValueReader::skipValue() {
    switch (nextTag()) {
    case ValueTag::List:
        readListBegin();
        while (!endOfList())
            skipValue();
        readListEnd();
        return;
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
        readInteger();
        return;
    case ValueTag::String:
    case ValueTag::LString:
        readString();
        return;
    case ValueTag::False:
    case ValueTag::True:
        readBoolean();
        return;
    default:
        invalidValue();
    }
}

std::string_view ValueReader::readBytes(std::size_t count) {
    if (remaining() < count)
        readError();
    const std::string_view taken = bytes_.substr(position_, count);
    position_ += count;
    return taken;
}

} // namespace setupkit
