// lumora-batch's command line: arguments (separated by NULs) that parse as a run give
// worker arguments that parse to the same settings.

#include "batch/batch_options.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <tuple>

using lumora::fuzz::require;
using namespace lumora::batch;

namespace {

auto settings(const Options& o) {
    return std::tie(o.command, o.includeTitle, o.includeDescription, o.includeKeywords,
                    o.keywordBooster, o.addHiddenWords, o.useFilter, o.filterFile, o.sensitivity,
                    o.outputDirectory, o.dryRun, o.json, o.failOn, o.limits.titleMin,
                    o.limits.titleMax, o.limits.descriptionMin, o.limits.descriptionMax);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    std::string_view rest = lumora::fuzz::asText(data, size);
    while (!rest.empty()) {
        const auto nul = rest.find('\0');
        arguments.emplace_back(rest.substr(0, nul));
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    }
    const ParseResult parsed = parseArguments(arguments);
    if (parsed.kind == ParseResult::Kind::UsageError)
        require(!parsed.error.empty(), "a usage error says nothing");
    if (parsed.kind != ParseResult::Kind::Run)
        return 0;
    const Options& options = parsed.options;
    require(options.jobs >= 0 && options.jobs <= kMaxJobs, "a job count out of range is taken");
    (void)commandWrites(options.command);
    (void)commandName(options.command);

    const ParseResult worker = parseArguments(workerArguments(options));
    require(worker.kind == ParseResult::Kind::Run, "worker arguments do not parse as a run");
    require(worker.options.worker, "worker arguments do not make a worker");
    require(settings(worker.options) == settings(options), "worker arguments carry other settings");
    return 0;
}
