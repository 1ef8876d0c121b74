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
