#include "script_test_support.h"

#include <gtest/gtest.h>

#include <functional>

using namespace setupkit;
using setupkit::testing::bytesOf;

using Kind = EValueStreamError::Kind;

TEST(ValueStream, IntegersTakeTheSmallestForm) {
    const struct {
        std::int32_t value;
        std::string bytes;
    } cases[] = {
        {0, bytesOf({2, 0x00})},
        {127, bytesOf({2, 0x7F})},
        {128, bytesOf({3, 0x80, 0x00})},
        {-1, bytesOf({2, 0xFF})},
        {-128, bytesOf({2, 0x80})},
        {-129, bytesOf({3, 0x7F, 0xFF})},
        {32767, bytesOf({3, 0xFF, 0x7F})},
        {32768, bytesOf({4, 0x00, 0x80, 0x00, 0x00})},
        {-32768, bytesOf({3, 0x00, 0x80})},
        {-32769, bytesOf({4, 0xFF, 0x7F, 0xFF, 0xFF})},
        {2800000, bytesOf({4, 0x80, 0xB9, 0x2A, 0x00})},
        {INT32_MIN, bytesOf({4, 0x00, 0x00, 0x00, 0x80})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        ValueWriter writer;
        writer.writeInteger(c.value);
        EXPECT_EQ(writer.bytes(), c.bytes);
        ValueReader reader(writer.bytes());
        EXPECT_EQ(reader.readInteger(), c.value);
        EXPECT_TRUE(reader.atEnd());
    }
}

TEST(ValueStream, StringsUpTo255BytesTakeTheShortForm) {
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{255}, std::size_t{256}, std::size_t{70000}}) {
        SCOPED_TRACE(length);
        std::string text(length, 'x');
        if (length > 0)
            text.front() = '\xE9';
        ValueWriter writer;
        writer.writeString(text);
        const std::string& bytes = writer.bytes();
        if (length <= 255) {
            ASSERT_EQ(bytes.size(), 2 + length);
            EXPECT_EQ(bytes[0], 6);
            EXPECT_EQ(static_cast<std::uint8_t>(bytes[1]), length);
        } else {
            ASSERT_EQ(bytes.size(), 5 + length);
            EXPECT_EQ(bytes[0], 12);
            EXPECT_EQ(bytes.substr(1, 4), bytesOf({static_cast<int>(length & 0xFF),
                                                   static_cast<int>(length >> 8 & 0xFF),
                                                   static_cast<int>(length >> 16), 0}));
        }
        ValueReader reader(bytes);
        EXPECT_EQ(reader.readString(), text);
        EXPECT_TRUE(reader.atEnd());
    }
}

TEST(ValueStream, BooleansListsAndRawBytes) {
    ValueWriter writer;
    writer.writeBytes("TPF0");
    writer.writeListBegin();
    writer.writeBoolean(true);
    writer.writeBoolean(false);
    writer.writeListEnd();
    EXPECT_EQ(writer.bytes(), "TPF0" + bytesOf({1, 9, 8, 0}));

    ValueReader reader(writer.bytes());
    EXPECT_EQ(reader.readBytes(4), "TPF0");
    reader.readListBegin();
    EXPECT_EQ(reader.listDepth(), 1);
    EXPECT_FALSE(reader.endOfList());
    EXPECT_TRUE(reader.readBoolean());
    EXPECT_FALSE(reader.readBoolean());
    EXPECT_TRUE(reader.endOfList());
    reader.readListEnd();
    EXPECT_TRUE(reader.atEnd());

    // Any tag but true reads as false, and only the tag is consumed.
    const std::string bytes = bytesOf({2, 9});
    ValueReader integer(bytes);
    EXPECT_FALSE(integer.readBoolean());
    EXPECT_TRUE(integer.readBoolean());
}

TEST(ValueStream, SkipValuePassesOverWholeLists) {
    const std::string bytes = bytesOf({1, 2, 5, 6, 2, 'a', 'b', 1, 9, 0, 3, 1, 0, 0, 2, 42});
    ValueReader reader(bytes);
    reader.skipValue();
    EXPECT_EQ(reader.readInteger(), 42);
    EXPECT_EQ(reader.listDepth(), 0);
}

// Every malformed value fails with one of the two errors, and nothing is allocated for a
// length the stream cannot hold.
TEST(ValueStream, MalformedValuesGiveTheirError) {
    const struct {
        const char* what;
        std::string bytes;
        std::function<void(ValueReader&)> read;
        Kind expected;
    } cases[] = {
        {"integer expected, string found", bytesOf({6, 0}), [](ValueReader& r) { r.readInteger(); },
         Kind::InvalidPropertyValue},
        {"string expected, integer found", bytesOf({2, 0}), [](ValueReader& r) { r.readString(); },
         Kind::InvalidPropertyValue},
        {"list expected", bytesOf({0}), [](ValueReader& r) { r.readListBegin(); },
         Kind::InvalidPropertyValue},
        {"end of list expected", bytesOf({2, 0}), [](ValueReader& r) { r.readListEnd(); },
         Kind::InvalidPropertyValue},
        {"unknown tag skipped", bytesOf({7}), [](ValueReader& r) { r.skipValue(); },
         Kind::InvalidPropertyValue},
        {"empty stream", "", [](ValueReader& r) { r.readInteger(); }, Kind::StreamReadError},
        {"end of list at the end", "", [](ValueReader& r) { (void)r.endOfList(); },
         Kind::StreamReadError},
        {"16-bit integer cut short", bytesOf({3, 1}), [](ValueReader& r) { r.readInteger(); },
         Kind::StreamReadError},
        {"32-bit integer cut short", bytesOf({4, 1, 2, 3}), [](ValueReader& r) { r.readInteger(); },
         Kind::StreamReadError},
        {"short string cut short", bytesOf({6, 3, 'a'}), [](ValueReader& r) { r.readString(); },
         Kind::StreamReadError},
        {"long string length cut short", bytesOf({12, 1, 0}),
         [](ValueReader& r) { r.readString(); }, Kind::StreamReadError},
        {"long string longer than the stream", bytesOf({12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
         [](ValueReader& r) { r.readString(); }, Kind::StreamReadError},
        {"list never closed", bytesOf({1, 2, 1}),
         [](ValueReader& r) {
             r.readListBegin();
             while (!r.endOfList())
                 r.readInteger();
         },
         Kind::StreamReadError},
        {"raw bytes past the end", "TP", [](ValueReader& r) { r.readBytes(4); },
         Kind::StreamReadError},
        {"invalid packed date", bytesOf({4, 0, 0, 0xA0, 0x01}), // month 13
         [](ValueReader& r) { r.readDate(); }, Kind::InvalidPropertyValue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ValueReader reader(c.bytes);
        try {
            c.read(reader);
            ADD_FAILURE() << "no error";
        } catch (const EValueStreamError& error) {
            EXPECT_EQ(error.kind(), c.expected);
            EXPECT_STREQ(error.what(), c.expected == Kind::InvalidPropertyValue
                                           ? "Invalid property value"
                                           : "Stream read error");
        }
    }
}

TEST(ValueStream, ListsNestUpTo64Deep) {
    for (const int depth : {64, 65}) {
        SCOPED_TRACE(depth);
        const std::string bytes = std::string(depth, '\x01') + std::string(depth, '\x00');
        ValueReader reader(bytes);
        if (depth <= ValueReader::kMaxListDepth) {
            reader.skipValue();
            EXPECT_TRUE(reader.atEnd());
        } else {
            try {
                reader.skipValue();
                ADD_FAILURE() << "no error";
            } catch (const EValueStreamError& error) {
                EXPECT_EQ(error.kind(), Kind::InvalidPropertyValue);
            }
        }
    }
}

TEST(ValueStream, DatesArePackedWithinTheirRange) {
    const struct {
        const char* what;
        CalendarDateTime date;
        std::int32_t packed;
    } cases[] = {
        {"first day", {1980, 1, 1, 0, 0, 0}, 0x00210000},
        {"shipped file", {1999, 8, 24, 15, 57, 14}, 655916839},
        {"last second",
         {2099, 12, 31, 23, 59, 58},
         static_cast<std::int32_t>(119u << 25 | 12u << 21 | 31u << 16 | 23u << 11 | 59u << 5 |
                                   29u)},
        {"leap day",
         {2024, 2, 29, 12, 30, 0},
         static_cast<std::int32_t>(44u << 25 | 2u << 21 | 29u << 16 | 12u << 11 | 30u << 5)},
        {"before 1980", {1979, 12, 31, 23, 59, 58}, 0},
        {"after 2099", {2100, 1, 1, 0, 0, 0}, 0},
        {"the unset date", {1899, 12, 30, 0, 0, 0}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const double date = encodeDateTime(c.date).value();
        ValueWriter writer;
        writer.writeDate(date);
        ValueReader reader(writer.bytes());
        EXPECT_EQ(reader.readInteger(), c.packed);
        ValueReader again(writer.bytes());
        EXPECT_EQ(again.readDate(), c.packed == 0 ? 0.0 : date);
    }
    EXPECT_EQ(encodeDateTime({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_EQ(packDosDateTime(0.0), 0);
    EXPECT_EQ(unpackDosDateTime(0), 0.0) << "0 stands for no date";
    // An odd second is stored halved and comes back one second earlier.
    EXPECT_EQ(unpackDosDateTime(packDosDateTime(*encodeDateTime({1999, 8, 24, 15, 57, 15}))),
              encodeDateTime({1999, 8, 24, 15, 57, 14}));
    // A time of day that rounds up to midnight moves to the next day.
    const double almostMidnight = *encodeDateTime({1999, 12, 31, 0, 0, 0}) + 0.9999999999;
    EXPECT_EQ(packDosDateTime(almostMidnight),
              packDosDateTime(*encodeDateTime({2000, 1, 1, 0, 0, 0})));
    EXPECT_EQ(packDosDateTime(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(packDosDateTime(-1e300), 0);
}

TEST(ValueStream, PackedFieldsOutOfRangeDoNotUnpack) {
    const auto pack = [](unsigned year, unsigned month, unsigned day, unsigned hour,
                         unsigned minute, unsigned halfSeconds) {
        return static_cast<std::int32_t>((year - 1980) << 25 | month << 21 | day << 16 |
                                         hour << 11 | minute << 5 | halfSeconds);
    };
    EXPECT_TRUE(unpackDosDateTime(pack(2000, 2, 29, 0, 0, 0)));
    EXPECT_FALSE(unpackDosDateTime(pack(1999, 2, 29, 0, 0, 0)));
    EXPECT_FALSE(unpackDosDateTime(pack(1999, 0, 1, 0, 0, 0)));
    EXPECT_FALSE(unpackDosDateTime(pack(1999, 13, 1, 0, 0, 0)));
    EXPECT_FALSE(unpackDosDateTime(pack(1999, 1, 0, 0, 0, 0)));
    EXPECT_FALSE(unpackDosDateTime(pack(1999, 1, 1, 24, 0, 0)));
    EXPECT_FALSE(unpackDosDateTime(pack(1999, 1, 1, 0, 60, 0)));
    EXPECT_FALSE(unpackDosDateTime(pack(1999, 1, 1, 0, 0, 30)));
    EXPECT_TRUE(unpackDosDateTime(pack(2107, 12, 31, 23, 59, 29)));
}
