#include "form_test_support.h"

#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_text_writer.h"
#include "setup/form/setup_data_property.h"
#include "setup/script/dos_date_time.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sys/wait.h>

using namespace setupkit::form;
using namespace setupkit::form::testing;
using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

ToolRun runTool(const TempDir& scratch, const std::vector<std::string>& arguments) {
    std::string command = quoted((lumora::testing::binDir() / "setupres").string());
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    command += " >" + quoted((scratch / "tool.out").string()) + " 2>" +
               quoted((scratch / "tool.err").string());
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(scratch / "tool.out");
    run.err = readFile(scratch / "tool.err");
    return run;
}

std::string examplePath() {
    return (lumora::testing::sourceDir() / "tests/setup/form/fixtures/example_form.txt").string();
}

void setLocalModificationTime(const fs::path& file, int year, int month, int day, int hour,
                              int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    fs::last_write_time(file, std::chrono::file_clock::from_sys(when));
}

} // namespace

TEST(SetupresTool, CompilesAndDecompilesTheExampleForm) {
    TempDir scratch;
    const std::string stream = (scratch / "form.res").string();
    const ToolRun compiled = runTool(scratch, {"compile", examplePath(), stream});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.err;
    EXPECT_EQ(readFile(stream).substr(0, 4), "TPF0");

    const ToolRun toStdout = runTool(scratch, {"decompile", stream});
    ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, exampleFormText());

    const std::string text = (scratch / "form.txt").string();
    ASSERT_EQ(runTool(scratch, {"decompile", stream, text}).exitCode, 0);
    EXPECT_EQ(readFile(text), exampleFormText());
}

TEST(SetupresTool, FillsFileSizesAndDatesFromTheRealFiles) {
    TempDir scratch;
    const fs::path files = scratch / "files";
    fs::create_directory(files);
    // Another letter case than the script's "readme.txt"; "demo.exe" is missing.
    writeFile(files / "ReadMe.TXT", std::string(64, 'r'));
    setLocalModificationTime(files / "ReadMe.TXT", 1999, 8, 24, 15, 57, 14);

    const std::string stream = (scratch / "form.res").string();
    const ToolRun run =
        runTool(scratch, {"compile", examplePath(), stream, "--files", files.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("warning: demo.exe is not in"), std::string::npos) << run.err;

    const FormComponent form = readFormStream(readFile(stream));
    const FormProperty* setupData = findSetupDataProperty(form);
    ASSERT_NE(setupData, nullptr);
    const FormValue& fileRecords = setupData->value.items.at(2);
    ASSERT_EQ(fileRecords.items.size(), 12u);
    EXPECT_EQ(fileRecords.items[2].integer, 655916839); // 24 August 1999, 15:57:14
    EXPECT_EQ(fileRecords.items[3].integer, 64);
    EXPECT_EQ(fileRecords.items[5].integer, 64);
    EXPECT_EQ(fileRecords.items[8].integer, 0); // demo.exe keeps its date
    EXPECT_EQ(fileRecords.items[9].integer, 0);

    // The decompiled text shows the date it stands for.
    const ToolRun text = runTool(scratch, {"decompile", stream});
    EXPECT_NE(text.out.find("'readme.txt' 'C:\\build\\' 655916839 64 False 64 // 1999-08-24 "
                            "15:57:14"),
              std::string::npos)
        << text.out;
}

TEST(SetupresTool, DecompilesTheFormBuiltIntoAProgram) {
    TempDir scratch;
    // This test program carries the example form, as setup carries its own.
    const fs::path program = fs::read_symlink("/proc/self/exe");
    const ToolRun run = runTool(scratch, {"decompile", program.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto embedded = findResource(kSetupFormResource);
    ASSERT_TRUE(embedded.has_value());
    EXPECT_EQ(run.out, formToText(readFormStream(*embedded)));
}

TEST(SetupresTool, FailuresAreReportedWithTheirCause) {
    TempDir scratch;
    writeFile(scratch / "broken.txt", "object a: TA\n  Left 1\nend\n");
    writeFile(scratch / "plain.bin", "no form in here");
    writeFile(scratch / "noscript.txt", "object a: TA\nend\n");
    const std::string out = (scratch / "out.res").string();
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"compile", (scratch / "broken.txt").string(), out},
         1,
         "broken.txt: line 2, column 8: expected '=' after Left"},
        {{"decompile", (scratch / "plain.bin").string()},
         1,
         "neither a form stream nor a program holding the resource TSETUPFORM"},
        {{"compile", (scratch / "noscript.txt").string(), out, "--files", scratch.path().string()},
         1,
         "no SetupData property"},
        {{"compile", examplePath(), out, "--files", (scratch / "nowhere").string()},
         1,
         "--files: not a directory"},
        {{"decompile", (scratch / "missing.res").string()}, 1, "missing.res"},
        {{"translate"}, 2, "unknown command translate"},
        {{"compile", examplePath()}, 2, "compile takes FORM.txt and OUT.res"},
        {{"decompile", "x", "--files", "y"}, 2, "--files belongs to compile"},
        {{"compile", examplePath(), out, "--pack", scratch.path().string()},
         2,
         "--pack needs --files"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const ToolRun run = runTool(scratch, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    // A failed compile leaves no output behind for the build to take as done.
    EXPECT_FALSE(fs::exists(out));
}

TEST(SetupresTool, PatchesAProgramInPlaceKeepingItsSizeAndDate) {
    TempDir scratch;
    const fs::path program = scratch / "setup";
    writeFile(program, "\x7F"
                       "ELF code " +
                           packResourceWithRoom("TSETUPFORM", "TPF0 placeholder", 4096) +
                           " more code");
    fs::permissions(program, fs::perms::owner_all);
    setLocalModificationTime(program, 2024, 5, 6, 7, 8, 9);
    const auto sizeBefore = fs::file_size(program);
    const auto dateBefore = fs::last_write_time(program);

    const std::string stream = (scratch / "form.res").string();
    ASSERT_EQ(runTool(scratch, {"compile", examplePath(), stream}).exitCode, 0);
    const ToolRun patched = runTool(scratch, {"patch", program.string(), stream});
    ASSERT_EQ(patched.exitCode, 0) << patched.err;

    EXPECT_EQ(fs::file_size(program), sizeBefore);
    EXPECT_EQ(fs::last_write_time(program), dateBefore);
    EXPECT_EQ(fs::status(program).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
    EXPECT_EQ(findPackedResource(readFile(program), "TSETUPFORM"), readFile(stream));

    // A program without room is refused and left alone.
    const fs::path bare = scratch / "bare";
    writeFile(bare, "code " + packResource("TSETUPFORM", "TPF0 placeholder") + " code");
    const ToolRun refused = runTool(scratch, {"patch", bare.string(), stream});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("without room"), std::string::npos) << refused.err;
    EXPECT_EQ(findPackedResource(readFile(bare), "TSETUPFORM"), "TPF0 placeholder");
}
