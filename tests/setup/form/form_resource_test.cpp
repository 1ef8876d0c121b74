#include "form_test_support.h"

#include "setup/form/form_error.h"
#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_stream_writer.h"
#include "setup/form/form_text_parser.h"
#include "setup/form/form_text_writer.h"
#include "setup/form/setup_data_property.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace setupkit::form;
using namespace setupkit::form::testing;

namespace {

// The form without its install script, whose file records the build fills in.
std::string textWithoutScript(FormComponent form) {
    FormProperty* setupData = findSetupDataProperty(form);
    if (setupData)
        setupData->value = integerValue(0);
    return formToText(form);
}

} // namespace

TEST(FormResource, APackedResourceIsFoundAmongOtherBytes) {
    const std::string packed = packResource("TSETUPFORM", "TPF0 form bytes");
    // A marker with a damaged block in front of the real one is passed over.
    std::string damaged = packResource("TSETUPFORM", "other bytes");
    damaged.back() = 'X';
    const std::string image = "\x7F"
                              "ELF..." +
                              damaged + std::string(100, '\0') + packed + "tail";
    EXPECT_EQ(findPackedResource(image, "TSETUPFORM"), "TPF0 form bytes");
    EXPECT_EQ(findPackedResource(image, "tsetupform"), "TPF0 form bytes");
    EXPECT_EQ(findPackedResource(image, "OTHER"), std::nullopt);
    EXPECT_EQ(findPackedResource(image.substr(0, image.size() - 6), "TSETUPFORM"), std::nullopt);
    EXPECT_EQ(findPackedResource("", "TSETUPFORM"), std::nullopt);
}

TEST(FormResource, UnusableNamesAreRefused) {
    for (const char* name : {"", "SEVENTEEN_LETTERS", "TWO WORDS"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(packResource(name, "x"), EFormError);
    }
}

TEST(FormResource, TheBuildEmbedsTheCompiledForm) {
    const auto embedded = findResource(kSetupFormResource);
    ASSERT_TRUE(embedded.has_value());
    EXPECT_EQ(findResource("no such resource"), std::nullopt);
    const FormComponent form = readFormStream(*embedded);
    EXPECT_EQ(textWithoutScript(form), textWithoutScript(parseFormText(exampleFormText())));

    // The build filled the script's file records from the files kept with the tests.
    const FormProperty* setupData = findSetupDataProperty(form);
    ASSERT_NE(setupData, nullptr);
    setupkit::TSetupData script;
    setupkit::ValueReader reader(setupData->value.encoded);
    script.ReadData(reader);
    const auto files = lumora::testing::sourceDir() / "tests/setup/form/fixtures/files";
    ASSERT_EQ(script.Files().size(), 2u);
    EXPECT_EQ(script.Files()[0]->Name(), "readme.txt");
    EXPECT_EQ(script.Files()[0]->Size(), std::filesystem::file_size(files / "README.TXT"));
    EXPECT_EQ(script.Files()[1]->Size(), std::filesystem::file_size(files / "demo.exe"));
    EXPECT_EQ(script.Files()[1]->CompressedSize(), script.Files()[1]->Size());
    EXPECT_NE(script.Files()[1]->DateTime(), 0.0);
}

TEST(FormResource, ScriptFilesTakeTheFactsOfTheFilesFound) {
    FormComponent form = parseFormText(exampleFormText());
    FormProperty* setupData = findSetupDataProperty(form);
    ASSERT_NE(setupData, nullptr);
    // The first file is stored compressed: its compressed size is not the build's to know.
    FormValue& fileRecords = setupData->value.items.at(2);
    fileRecords.items.at(4).kind = FormValue::Kind::True;
    fileRecords.items.at(5).integer = 10;

    std::vector<std::string> asked;
    const auto missing =
        updateScriptFiles(*setupData, [&](std::string_view name) -> std::optional<ScriptFileFacts> {
            asked.emplace_back(name);
            if (name != "readme.txt")
                return std::nullopt;
            return ScriptFileFacts{100, 36396.5, std::nullopt}; // 24 August 1999, noon
        });
    EXPECT_EQ(asked, (std::vector<std::string>{"readme.txt", "demo.exe"}));
    EXPECT_EQ(missing, std::vector<std::string>{"demo.exe"});
    EXPECT_EQ(setupData->value.encoded, encodeFormValue(setupData->value));

    setupkit::TSetupData script;
    setupkit::ValueReader reader(setupData->value.encoded);
    script.ReadData(reader);
    EXPECT_EQ(script.Files()[0]->Size(), 100);
    EXPECT_EQ(script.Files()[0]->CompressedSize(), 10);
    EXPECT_DOUBLE_EQ(script.Files()[0]->DateTime(), 36396.5);
    EXPECT_EQ(script.Files()[1]->Size(), 0);
}

TEST(FormResource, ScriptFilesTheScriptCannotHoldAreRefused) {
    FormComponent form = parseFormText(exampleFormText());
    FormProperty* setupData = findSetupDataProperty(form);
    ASSERT_NE(setupData, nullptr);
    const auto tooLarge = [](std::string_view) -> std::optional<ScriptFileFacts> {
        return ScriptFileFacts{std::uint64_t{1} << 31, 36396.5, std::nullopt};
    };
    EXPECT_THROW(updateScriptFiles(*setupData, tooLarge), EFormError);

    FormProperty notAScript{"SetupData", stringValue("x")};
    EXPECT_THROW(updateScriptFiles(notAScript, tooLarge), EFormError);
}

TEST(FormResource, ADiskTooSmallForItsFilesFailsTheBuild) {
    FormComponent form = parseFormText(exampleFormText());
    FormProperty* setupData = findSetupDataProperty(form);
    ASSERT_NE(setupData, nullptr);
    // The example's disk holds 1,440,000 bytes; setup would silently leave out a file
    // that no longer fits it.
    const auto grown = [](std::string_view) -> std::optional<ScriptFileFacts> {
        return ScriptFileFacts{1500000, 36396.5, std::nullopt};
    };
    try {
        updateScriptFiles(*setupData, grown);
        FAIL() << "a disk too small was accepted";
    } catch (const EFormError& error) {
        EXPECT_NE(std::string(error.what()).find("disk \"install\" is 1440000 bytes"),
                  std::string::npos)
            << error.what();
    }
}

TEST(FormResource, AResourceBuiltWithRoomIsReplacedInPlace) {
    const std::string room = packResourceWithRoom("TSETUPFORM", "old form", 32);
    const std::string image = "head" + room + "tail";

    const std::string larger = replaceResourceInPlace(image, "tsetupform", "a longer new form");
    EXPECT_EQ(larger.size(), image.size());
    EXPECT_EQ(findPackedResource(larger, "TSETUPFORM"), "a longer new form");
    EXPECT_TRUE(larger.starts_with("head") && larger.ends_with("tail"));

    // Shrinking again leaves the room as it was.
    EXPECT_EQ(replaceResourceInPlace(larger, "TSETUPFORM", "old form"), image);

    EXPECT_THROW(replaceResourceInPlace(image, "TSETUPFORM", std::string(41, 'x')), EFormError);
    EXPECT_NO_THROW(replaceResourceInPlace(image, "TSETUPFORM", std::string(40, 'x')));
    EXPECT_THROW(replaceResourceInPlace(image, "OTHER", "x"), EFormError);
    // Without room of its own a block is never overwritten past its end.
    const std::string bare = "head" + packResource("TSETUPFORM", "old form") + "tail";
    EXPECT_THROW(replaceResourceInPlace(bare, "TSETUPFORM", "new form"), EFormError);
    // Nor when something other than zeros lies between the block and an end marker.
    std::string spoiled = image;
    spoiled[4 + packResource("TSETUPFORM", "old form").size() + 3] = 'x';
    EXPECT_THROW(replaceResourceInPlace(spoiled, "TSETUPFORM", "new form"), EFormError);
}
