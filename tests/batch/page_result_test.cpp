#include "batch/page_result.h"
#include "batch/result_sink.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace lumora::batch;

TEST(PageResultJson, StringsAreEscapedAndStayValidUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "\"plain\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line\rbreak\n\ttab", "\"line\\rbreak\\n\\ttab\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"caf\xc3\xa9 \xe2\x82\xac", "\"caf\xc3\xa9 \xe2\x82\xac\""}, // valid UTF-8 passes
        {"caf\xe9", "\"caf\\ufffd\""},                                // Windows-1252 byte
        {"\xc0\xaf", "\"\\ufffd\\ufffd\""},                           // overlong
        {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},                // surrogate
        {"\xe2\x82", "\"\\ufffd\\ufffd\""},                           // cut short
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(jsonString(text), json) << text;
}

TEST(PageResultJson, FieldsDependOnTheCommand) {
    PageResult result;
    result.path = "p.htm";
    result.messages = {"one\rtwo"};
    result.keywords = {"web", "page"};
    result.sensitivity = 4;
    result.title = "t";
    result.changed = true;
    result.output = "out/p.htm";
    Options options;
    options.command = Command::Auto;
    EXPECT_EQ(formatJson(result, options),
              "{\"path\":\"p.htm\",\"status\":\"ok\",\"messages\":[\"one\\rtwo\"],"
              "\"keywords\":[\"web\",\"page\"],\"sensitivity\":4,\"title\":\"t\","
              "\"description\":\"\",\"changed\":true,\"output\":\"out/p.htm\"}\n");
    options.command = Command::Test;
    result.status = PageStatus::Failed;
    result.reason = "failed the tag test";
    EXPECT_EQ(formatJson(result, options),
              "{\"path\":\"p.htm\",\"status\":\"failed\",\"reason\":\"failed the tag test\","
              "\"messages\":[\"one\\rtwo\"]}\n");
}

TEST(PageResultText, MessagesAreIndentedLineByLine) {
    PageResult result;
    result.path = "p.htm";
    result.status = PageStatus::Failed;
    result.messages = {"A\rB"};
    Options options;
    options.command = Command::Test;
    EXPECT_EQ(formatText(result, options), "p.htm: failed\n    A\n    B\n");
}

TEST(ResultSink, PrintsInPageOrderAndErrorsOnStandardError) {
    char* outText = nullptr;
    char* errText = nullptr;
    size_t outSize = 0;
    size_t errSize = 0;
    std::FILE* out = open_memstream(&outText, &outSize);
    std::FILE* err = open_memstream(&errText, &errSize);
    Options options;
    options.command = Command::Keywords;
    {
        ResultSink sink(options, 3, out, err, false);
        PageResult second;
        second.path = "b";
        second.sensitivity = 2;
        second.keywords = {"x", "y"};
        sink.add(1, second);
        EXPECT_TRUE(sink.allSucceeded());
        sink.add(2, errorResult("c", "is a directory"));
        PageResult first;
        first.path = "a";
        first.sensitivity = 1;
        first.keywords = {"z"};
        sink.add(0, first);
        sink.finish();
        EXPECT_FALSE(sink.allSucceeded());
    }
    std::fclose(out);
    std::fclose(err);
    EXPECT_EQ(std::string(outText, outSize), "a: sensitivity 1: z\nb: sensitivity 2: x, y\n");
    EXPECT_EQ(std::string(errText, errSize), "lumora-batch: c: is a directory\n");
    std::free(outText);
    std::free(errText);
}

// A file name can hold any byte; the text report must not let one break its line,
// recolour the terminal or start a C1 sequence.
TEST(PageResultText, ControlCharactersInNamesAreEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain/name.htm", "plain/name.htm"},
        {"two\nlines.htm", "two\\nlines.htm"},
        {"cr\rtab\t.htm", "cr\\rtab\\t.htm"},
        {"\x1b[31mred.htm", "\\u001b[31mred.htm"},
        {std::string("nul\0.htm", 8), "nul\\u0000.htm"},
        {"del\x7f.htm", "del\\u007f.htm"},
        {"csi\xc2\x9b.htm", "csi\\u009b.htm"},                    // C1 as UTF-8
        {"caf\xc3\xa9 \xc2\xa0.htm", "caf\xc3\xa9 \xc2\xa0.htm"}, // letters and NBSP stay
        {"latin\xe9.htm", "latin\\xe9.htm"},                      // not UTF-8
        {"back\\slash.htm", "back\\slash.htm"},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(displayName(name), shown) << shown;

    PageResult result;
    result.path = "a\nb.htm";
    result.changed = true;
    result.output = "out/a\nb.htm";
    Options options;
    options.command = Command::Compress;
    EXPECT_EQ(formatText(result, options), "a\\nb.htm: compressed, written to out/a\\nb.htm\n");
    EXPECT_EQ(errorLine(errorResult("x\x1b.htm", "cannot open: gone")),
              "lumora-batch: x\\u001b.htm: cannot open: gone\n");
}
