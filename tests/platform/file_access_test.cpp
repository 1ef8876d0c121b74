#include "platform/file_access.h"
#include "platform/file_checksum.h"
#include "platform/regular_file_read.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora::platform;
using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;

TEST(FileAccess, RemovalSaysWhatHappened) {
    TempDir dir;
    writeFile(dir / "file", "x");
    std::filesystem::create_directories(dir / "full");
    writeFile(dir / "full" / "inside", "x");
    std::filesystem::create_directories(dir / "empty");
    std::filesystem::create_symlink(dir / "empty", dir / "link");
    struct Case {
        const char* name;
        RemoveResult (*remove)(const std::filesystem::path&);
        RemoveResult expected;
    };
    const Case cases[] = {
        {"file", removeFile, RemoveResult::Removed},
        {"file", removeFile, RemoveResult::Missing},
        {"link", removeFile, RemoveResult::Removed},
        {"full", removeFile, RemoveResult::Failed},
        {"full", removeEmptyDirectory, RemoveResult::NotEmpty},
        {"empty", removeEmptyDirectory, RemoveResult::Removed},
        {"empty", removeEmptyDirectory, RemoveResult::Missing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.remove(dir / c.name), c.expected) << c.name;
    EXPECT_TRUE(std::filesystem::exists(dir / "full" / "inside"));
}

TEST(FileAccess, AppendsAddToTheFileAndFailWhereItCannotBeMade) {
    TempDir dir;
    EXPECT_TRUE(appendToFile(dir / "journal", "a\n"));
    EXPECT_TRUE(appendToFile(dir / "journal", "b\n"));
    EXPECT_EQ(readFile(dir / "journal"), "a\nb\n");
    EXPECT_FALSE(appendToFile(dir / "missing" / "journal", "a\n"));
}

TEST(FileAccess, ChecksumsReadEveryBlockOfARegularFileOnly) {
    TempDir dir;
    // Sizes around the reader's 64 KiB block.
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{65535}, std::size_t{65536}, std::size_t{2 * 65536 + 1}}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        writeFile(dir / "f", bytes);
        EXPECT_EQ(fileFacts(dir / "f"), (FileFacts{size, crc32(bytes)})) << size;
        EXPECT_EQ(openRegularFile(dir / "f").status.size, size);
    }
    EXPECT_THROW(fileFacts(dir.path()), NotRegularFile);
    EXPECT_THROW(fileFacts(dir / "missing"), FileError);
}
