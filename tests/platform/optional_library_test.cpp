#include "platform/optional_library.h"
#include "platform/program_location.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora::platform;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

// The build puts PLTEST32.DLL beside this test program.
TEST(OptionalLibrary, ALibraryBesideTheProgramIsLoadedByNameInAnyCase) {
    auto library = OptionalLibrary::besideProgram("pltest32.dll");
    ASSERT_TRUE(library.present()) << library.error();
    EXPECT_EQ(library.file(), programDirectory() / "PLTEST32.DLL");
    auto* answer = library.function<int()>("platformTestAnswer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(library.symbol("TSDeCompress"), nullptr);

    OptionalLibrary moved = std::move(library);
    EXPECT_FALSE(library.present());
    EXPECT_NE(moved.symbol("platformTestAnswer"), nullptr);
    moved.unload();
    EXPECT_FALSE(moved);
    EXPECT_EQ(moved.symbol("platformTestAnswer"), nullptr);
}

TEST(OptionalLibrary, AMissingOrBrokenLibraryIsSimplyAbsent) {
    auto missing = OptionalLibrary::besideProgram("TSCOMP32.DLL-not-built");
    EXPECT_FALSE(missing.present());
    EXPECT_TRUE(missing.missing());
    EXPECT_FALSE(missing.error().empty());
    TempDir dir;
    lumora::testing::writeFile(dir / "TSLANG32.DLL", "not a shared object");
    OptionalLibrary broken(dir / "TSLANG32.DLL");
    EXPECT_FALSE(broken.present());
    EXPECT_FALSE(broken.missing());
    EXPECT_NE(broken.error().find("TSLANG32.DLL"), std::string::npos) << broken.error();
    EXPECT_EQ(broken.function<int()>("platformTestAnswer"), nullptr);
}

// Loading a cut-short shared object maps pages past the end of the file and kills
// the program with SIGBUS: the file is checked first.
TEST(OptionalLibrary, ACutShortOrUnrecordedLibraryIsAbsentAndNamed) {
    const std::string whole = lumora::testing::readFile(programDirectory() / "PLTEST32.DLL");
    TempDir dir;
    for (const std::size_t kept : {whole.size() / 2, whole.size() - 1, std::size_t{64}}) {
        SCOPED_TRACE(kept);
        lumora::testing::writeFile(dir / "TSLANG32.DLL", whole.substr(0, kept));
        EXPECT_TRUE(sharedObjectDamage(dir / "TSLANG32.DLL"));
        OptionalLibrary cut(dir / "TSLANG32.DLL");
        EXPECT_FALSE(cut.present());
        EXPECT_FALSE(cut.missing());
        EXPECT_EQ(cut.error(),
                  "TSLANG32.DLL: it is cut short (" + std::to_string(kept) + " bytes)");
    }

    lumora::testing::writeFile(dir / "TSLANG32.DLL", whole);
    EXPECT_FALSE(sharedObjectDamage(dir / "TSLANG32.DLL"));
    const FileFacts facts = fileFacts(dir / "TSLANG32.DLL");
    EXPECT_TRUE(OptionalLibrary(dir / "TSLANG32.DLL", facts).present());
    OptionalLibrary other(dir / "TSLANG32.DLL", FileFacts{facts.size, facts.crc + 1});
    EXPECT_FALSE(other.present());
    EXPECT_EQ(other.error(), "TSLANG32.DLL: its checksum differs from the one recorded");
}

TEST(OptionalLibrary, TheProgramKnowsItsOwnPath) {
    const fs::path self = programPath();
    EXPECT_EQ(self.filename(), "platform_tests");
    EXPECT_TRUE(self.is_absolute());
    EXPECT_EQ(programDirectory(), self.parent_path());
}
