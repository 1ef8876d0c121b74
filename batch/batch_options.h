#pragma once
// lumora-batch's command line: the command, the window settings it stands for, where
// results go, and how many worker processes share the pages.

#include "audit/site_audit.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora::batch {

enum class Command { Keywords, Test, Auto, Compress, Audit };

struct Options {
    Command command = Command::Auto;
    // The five check boxes of the automatic set-up group.
    bool includeTitle = true;              // CheckBxDOtitle
    bool includeDescription = true;        // CheckBxDOdisription
    bool includeKeywords = true;           // CheckBxDOkeywrds
    bool keywordBooster = true;            // CheckBxKwBoost
    bool addHiddenWords = true;            // CheckBxDOhidenTags
    bool useFilter = true;                 // CheckB_USEfilter
    std::optional<std::string> filterFile; // another noise-word list
    bool visibleText = false;              // CheckB_ReadVisible
    std::optional<std::string> language;   // of the visible-text reading
    std::optional<int> sensitivity;        // TrackBar1 after the length preset
    std::optional<std::string> outputDirectory;
    bool dryRun = false;
    bool json = false;
    int jobs = 0;                       // 0: one per core
    bool worker = false;                // hidden: pages arrive on standard input
    std::vector<audit::Finding> failOn; // audit: findings that make the run fail
    audit::LengthLimits limits;         // audit: title and description lengths
    // audit: the file --html writes the report to
    std::optional<std::string> htmlReport;
    std::vector<std::string> pages;
};

struct ParseResult {
    enum class Kind { Run, Help, UsageError };
    Kind kind = Kind::Run;
    Options options;
    std::string error; // for UsageError
};

ParseResult parseArguments(const std::vector<std::string>& arguments);

// The arguments that make a worker process run with the same settings (no pages).
std::vector<std::string> workerArguments(const Options& options);

// Whether the command writes pages (auto, compress) or only reports (keywords, test,
// audit).
bool commandWrites(Command command);
const char* commandName(Command command);

inline constexpr int kMaxJobs = 256;
inline constexpr const char* kWorkerFlag = "--batch-worker";

} // namespace lumora::batch
