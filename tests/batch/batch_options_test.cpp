#include "batch/batch_options.h"
#include "batch/help_text.h"
#include "batch/option_table.h"

#include <gtest/gtest.h>

using namespace lumora::batch;
using Kind = ParseResult::Kind;

namespace {

ParseResult parse(std::vector<std::string> arguments) {
    return parseArguments(arguments);
}

} // namespace

TEST(BatchOptions, CommandOptionsAndPagesInAnyOrder) {
    const ParseResult result =
        parse({"--no-title", "auto", "a.htm", "--no-hidden", "-o", "out", "-j3", "--json",
               "--sensitivity=7", "--filter", "words.txt", "--", "-odd.htm"});
    ASSERT_EQ(result.kind, Kind::Run) << result.error;
    const Options& o = result.options;
    EXPECT_EQ(o.command, Command::Auto);
    EXPECT_FALSE(o.includeTitle);
    EXPECT_TRUE(o.includeDescription);
    EXPECT_FALSE(o.addHiddenWords);
    EXPECT_EQ(o.outputDirectory, "out");
    EXPECT_EQ(o.jobs, 3);
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.sensitivity, 7);
    EXPECT_EQ(o.filterFile, "words.txt");
    EXPECT_EQ(o.pages, (std::vector<std::string>{"a.htm", "-odd.htm"}));
}

TEST(BatchOptions, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},                                                    // no command
        {"a.htm"},                                             // not a command
        {"auto"},                                              // no pages
        {"auto", "--frobnicate", "a.htm"},                     // unknown option
        {"auto", "--no-title=yes", "a.htm"},                   // a switch takes no value
        {"auto", "a.htm", "-o"},                               // value missing
        {"auto", "--sensitivity", "26", "a.htm"},              // out of the track bar's range
        {"auto", "--sensitivity", "-1", "a.htm"},              //
        {"auto", "--sensitivity", "5x", "a.htm"},              //
        {"auto", "-j", "0", "a.htm"},                          // at least one job
        {"auto", "-j", "many", "a.htm"},                       //
        {"auto", "--filter", "f.txt", "--no-filter", "a.htm"}, // contradiction
        {"keywords", "-o", "out", "a.htm"},                    // writes nothing
        {"test", "-o", "out", "a.htm"},                        //
        {"audit", "-o", "out", "a.htm"},                       //
        {"auto", "--fail-on", "missing-title", "a.htm"},       // only the audit has findings
        {"test", "--title-max", "70", "a.htm"},                //
        {"audit", "--fail-on", "missing-titles", "a.htm"},     // no such finding
        {"audit", "--fail-on", "missing-title,", "a.htm"},     //
        {"audit", "--fail-on", "", "a.htm"},                   //
        {"audit", "--title-min", "61", "a.htm"},               // above the default maximum
        {"audit", "--description-max", "-3", "a.htm"},         //
    };
    for (const auto& arguments : cases) {
        const ParseResult result = parse(arguments);
        std::string shown;
        for (const auto& a : arguments)
            shown += a + " ";
        EXPECT_EQ(result.kind, Kind::UsageError) << shown;
        EXPECT_FALSE(result.error.empty()) << shown;
    }
}

TEST(BatchOptions, HelpEndsTheReading) {
    EXPECT_EQ(parse({"--help"}).kind, Kind::Help);
    EXPECT_EQ(parse({"auto", "--bogus", "-h"}).kind, Kind::UsageError); // read in order
    EXPECT_EQ(parse({"-h", "--bogus"}).kind, Kind::Help);
}

TEST(BatchOptions, WorkerArgumentsGiveTheSameSettingsWithoutPages) {
    const ParseResult original =
        parse({"compress", "--no-description", "--no-keywords", "--no-booster", "--no-filter",
               "--dry-run", "--json", "--sensitivity", "0", "--output", "o u t", "x.htm"});
    ASSERT_EQ(original.kind, Kind::Run) << original.error;
    const ParseResult worker = parse(workerArguments(original.options));
    ASSERT_EQ(worker.kind, Kind::Run) << worker.error;
    Options expected = original.options;
    expected.worker = true;
    expected.pages.clear();
    const Options& got = worker.options;
    EXPECT_EQ(got.command, expected.command);
    EXPECT_EQ(got.worker, true);
    EXPECT_TRUE(got.pages.empty());
    EXPECT_EQ(std::tie(got.includeTitle, got.includeDescription, got.includeKeywords,
                       got.keywordBooster, got.addHiddenWords, got.useFilter, got.dryRun, got.json),
              std::tie(expected.includeTitle, expected.includeDescription, expected.includeKeywords,
                       expected.keywordBooster, expected.addHiddenWords, expected.useFilter,
                       expected.dryRun, expected.json));
    EXPECT_EQ(got.sensitivity, 0);
    EXPECT_EQ(got.outputDirectory, "o u t");

    const ParseResult withFilter = parse({"keywords", "--filter", "my list.txt", "a"});
    EXPECT_EQ(parse(workerArguments(withFilter.options)).options.filterFile, "my list.txt");
}

TEST(BatchOptions, AuditFindingsAndLimits) {
    const ParseResult result =
        parse({"audit", "--fail-on=missing-title,charset-mismatch", "--title-max", "70",
               "--description-min=0", "--description-max", "300", "site"});
    ASSERT_EQ(result.kind, Kind::Run) << result.error;
    const Options& o = result.options;
    EXPECT_EQ(o.command, Command::Audit);
    EXPECT_EQ(o.failOn,
              (std::vector<lumora::audit::Finding>{lumora::audit::Finding::MissingTitle,
                                                   lumora::audit::Finding::CharsetMismatch}));
    EXPECT_EQ(o.limits.titleMin, 10u);
    EXPECT_EQ(o.limits.titleMax, 70u);
    EXPECT_EQ(o.limits.descriptionMin, 0u);
    EXPECT_EQ(o.limits.descriptionMax, 300u);
    EXPECT_FALSE(commandWrites(Command::Audit));
}

// The help is made from the option table: every option the parser knows is in it,
// under the spelling the parser takes, with the value it wants.
TEST(BatchOptions, HelpNamesEveryOptionThatParses) {
    const std::string_view help = helpText();
    const size_t options = help.find("\nOPTIONS\n");
    const size_t next = help.find("\n\n", help.find("-h, --help", options));
    ASSERT_NE(options, std::string_view::npos);
    const std::string_view section = help.substr(options, next - options);
    for (const OptionRow& row : optionTable()) {
        const bool listed = section.find(optionHeading(row)) != std::string_view::npos;
        EXPECT_EQ(listed, !row.hidden) << row.longName;
        for (const std::string_view name : {row.shortName, row.longName}) {
            if (name.empty())
                continue;
            std::vector<std::string> arguments{"audit", std::string(name)};
            if (!row.valueName.empty())
                arguments.emplace_back("1");
            arguments.emplace_back("a.htm");
            const ParseResult result = parse(arguments);
            EXPECT_FALSE(result.kind == Kind::UsageError &&
                         result.error.starts_with("unknown option"))
                << name << ": " << result.error;
        }
    }
    EXPECT_NE(section.find("    -o DIR, --output DIR\n        Write results below DIR"),
              std::string_view::npos);
    EXPECT_NE(section.find("    --no-title, --no-description, --no-keywords, --no-booster, "
                           "--no-hidden\n        Clear the matching box"),
              std::string_view::npos);
}
