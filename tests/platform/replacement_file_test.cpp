#include "platform/replacement_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <string_view>
#include <sys/stat.h>

using namespace lumora::platform;
using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;

namespace {

struct RulesCase {
    const char* name;
    ReplacementRules rules;
    bool linkStays; // the link at the target's name is still a link afterwards
    unsigned bits;  // the new file's permission bits (the old file has 0640)
};

const RulesCase kRules[] = {
    {"saving", ReplacementRules::saving(), true, 0640},
    {"installing", ReplacementRules::installing(0604), false, 0604},
};

size_t entriesIn(const std::filesystem::path& dir) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

void replace(const std::filesystem::path& target, const ReplacementRules& rules,
             std::string_view bytes) {
    ReplacementFile file(target, rules);
    file.write(bytes.data(), bytes.size());
    file.commit(bytes.size());
}

} // namespace

TEST(ReplacementFile, EachRuleSetTreatsLinksAndPermissionsItsOwnWay) {
    const mode_t mask = ::umask(022);
    for (const RulesCase& c : kRules) {
        TempDir dir;
        writeFile(dir / "real", "old");
        ::chmod((dir / "real").c_str(), 0640);
        std::filesystem::create_symlink(dir / "real", dir / "link");

        replace(dir / "link", c.rules, "new");
        EXPECT_EQ(std::filesystem::is_symlink(dir / "link"), c.linkStays) << c.name;
        EXPECT_EQ(readFile(dir / "link"), "new") << c.name;
        EXPECT_EQ(readFile(dir / "real"), c.linkStays ? "new" : "old") << c.name;
        struct stat info {};
        ASSERT_EQ(::stat((dir / "link").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.bits) << c.name;
        EXPECT_EQ(entriesIn(dir.path()), 2u) << c.name << ": a temporary file is left";
    }
    ::umask(mask);
}

TEST(ReplacementFile, AFailedOrDroppedReplacementLeavesTheOldFileAlone) {
    for (const RulesCase& c : kRules) {
        TempDir dir;
        writeFile(dir / "target", "old");
        {
            ReplacementFile dropped(dir / "target", c.rules);
            dropped.write("new", 3);
        }
        {
            ReplacementFile shortOne(dir / "target", c.rules);
            shortOne.write("ne", 2);
            EXPECT_THROW(shortOne.commit(3), std::system_error) << c.name;
        }
        EXPECT_EQ(readFile(dir / "target"), "old") << c.name;
        EXPECT_EQ(entriesIn(dir.path()), 1u) << c.name << ": a temporary file is left";

        std::filesystem::create_directory(dir / "folder");
        EXPECT_THROW(ReplacementFile(dir / "folder", c.rules), std::system_error) << c.name;
    }
}
