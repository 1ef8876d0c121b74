#include "platform/file_checksum.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora::platform;
using lumora::testing::TempDir;
using lumora::testing::writeFile;

TEST(FileChecksum, Crc32IsTheZipChecksumAndContinues) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32(""), 0u);
    EXPECT_EQ(crc32("6789", crc32("12345")), 0xCBF43926u);
}

TEST(FileChecksum, ListRoundTripsAndSkipsLinesItCannotRead) {
    const ChecksumList list{{"setup", {123456, 0x0000ABCDu}}, {"My File.txt", {0, 0xFFFFFFFFu}}};
    const std::string text = formatChecksumList(list);
    EXPECT_EQ(text, "ffffffff 0 My File.txt\n0000abcd 123456 setup\n");
    EXPECT_EQ(parseChecksumList(text), list);
    EXPECT_EQ(parseChecksumList("0000abcd 123456 setup\r\nabc 1 short\nzzzzzzzz 1 bad\n"
                                "0000abcd x name\n0000abcd 12 \n"),
              (ChecksumList{{"setup", {123456, 0x0000ABCDu}}}));
}

TEST(FileChecksum, MismatchSaysWhatDiffers) {
    TempDir dir;
    writeFile(dir / "a", "123456789");
    EXPECT_EQ(fileFacts(dir / "a"), (FileFacts{9, 0xCBF43926u}));
    struct Case {
        std::uint64_t size;
        std::optional<std::uint32_t> crc;
        std::optional<std::string> mismatch;
    };
    const Case cases[] = {
        {9, 0xCBF43926u, std::nullopt},
        {9, std::nullopt, std::nullopt},
        {20, 0xCBF43926u, "it holds 9 bytes, not 20"},
        {9, 0x12345678u, "its checksum differs from the one recorded"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileMismatch(dir / "a", c.size, c.crc), c.mismatch) << c.size;
    EXPECT_EQ(fileMismatch(dir / "missing", 9, std::nullopt), "No such file or directory");
    EXPECT_EQ(fileMismatch(dir.path(), 9, std::nullopt), "not a regular file");

    EXPECT_FALSE(readChecksumList(dir.path()));
    writeFile(dir / std::string(ChecksumListName), formatChecksumList({{"a", {9, 1}}}));
    EXPECT_EQ(readChecksumList(dir.path()), (ChecksumList{{"a", {9, 1}}}));
}
