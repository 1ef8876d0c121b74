#include "audit_run.h"

#include "audit/html_report.h"
#include "batch/audit_report.h"
#include "batch/page_discovery.h"
#include "batch/page_work.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace lumora::batch {

namespace {

struct Outcome {
    audit::PageAudit audit;
    std::string error; // set when the page could not be read
};

// Each thread takes the next page in turn; results land in their page's slot, so the
// report keeps page order whatever the threads' speed.
// While standard error is a terminal, the calling thread shows how many pages are
// done, a few times a second.
std::vector<Outcome> auditPages(const std::vector<PageEntry>& entries, int jobs,
                                std::FILE* progress) {
    std::vector<Outcome> outcomes(entries.size());
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    auto lastDrawn = std::chrono::steady_clock::now();
    bool drawn = false;
    auto work = [&](bool draws) {
        for (size_t i; (i = next.fetch_add(1)) < entries.size(); ++done) {
            if (draws && progress) {
                const auto now = std::chrono::steady_clock::now();
                if (now - lastDrawn > std::chrono::milliseconds(200)) {
                    std::fprintf(progress, "\r\033[Klumora-batch: %zu of %zu pages done",
                                 done.load(), entries.size());
                    std::fflush(progress);
                    lastDrawn = now;
                    drawn = true;
                }
            }
            const PageEntry& entry = entries[i];
            Outcome& outcome = outcomes[i];
            outcome.audit.path = entry.path;
            if (!entry.error.empty()) {
                outcome.error = entry.error;
                continue;
            }
            try {
                outcome.audit = audit::auditPage(readPageBytes(entry.path), entry.path);
            } catch (const PageRefused& refused) {
                outcome.error = refused.what();
            } catch (const std::exception& failure) {
                outcome.error = std::string("internal error: ") + failure.what();
            }
        }
    };
    const size_t threads = std::min<size_t>(static_cast<size_t>(std::max(jobs, 1)), entries.size());
    std::vector<std::jthread> workers;
    for (size_t t = 1; t < threads; ++t)
        workers.emplace_back(work, false);
    work(true);
    workers.clear(); // joins
    if (drawn) {
        std::fputs("\r\033[K", progress);
        std::fflush(progress);
    }
    return outcomes;
}

// A report written into the site it audits is not one of its pages, the next run too.
std::vector<PageEntry> withoutReport(std::vector<PageEntry> entries,
                                     const std::optional<std::string>& report) {
    if (!report)
        return entries;
    std::error_code failed;
    const std::filesystem::path target = std::filesystem::weakly_canonical(*report, failed);
    if (failed)
        return entries;
    std::erase_if(entries, [&](const PageEntry& entry) {
        std::error_code unknown;
        return entry.error.empty() &&
               std::filesystem::weakly_canonical(entry.path, unknown) == target && !unknown;
    });
    return entries;
}

// The HTML report beside the summary; false, with the reason on `err`, when it cannot
// be written.
bool writeHtmlReport(const std::string& report, const std::vector<audit::PageAudit>& pages,
                     size_t unreadable, const audit::SiteAudit& site,
                     const audit::LengthLimits& limits, std::FILE* err) {
    std::vector<std::string> links;
    links.reserve(pages.size());
    for (const audit::PageAudit& page : pages)
        links.push_back(audit::reportLink(page.path, report));
    try {
        platform::writeFileAtomically(report,
                                      audit::htmlReport({pages, links, unreadable}, site, limits));
        return true;
    } catch (const std::exception& failure) {
        std::fprintf(err, "lumora-batch: cannot write the report %s\n", failure.what());
        return false;
    }
}

} // namespace

int runAudit(const Options& options, int jobs, std::FILE* out, std::FILE* err, bool showProgress) {
    std::vector<Outcome> outcomes =
        auditPages(withoutReport(discoverPages(options.pages), options.htmlReport), jobs,
                   showProgress ? err : nullptr);
    std::vector<audit::PageAudit> pages;
    pages.reserve(outcomes.size());
    size_t unreadable = 0;
    for (auto& outcome : outcomes) {
        if (outcome.error.empty()) {
            pages.push_back(std::move(outcome.audit));
            continue;
        }
        ++unreadable;
    }
    const audit::SiteAudit site = audit::auditSite(pages, options.limits);

    // Errors go to standard error in page order, as the other commands report them;
    // with --json each also gets its line on standard output.
    const auto findings = findingsByPage(pages.size(), site);
    size_t page = 0;
    for (const auto& outcome : outcomes) {
        if (!outcome.error.empty()) {
            const PageResult error = errorResult(outcome.audit.path, outcome.error);
            std::fputs(errorLine(error).c_str(), err);
            if (options.json)
                std::fputs(formatJson(error, options).c_str(), out);
            continue;
        }
        if (options.json) {
            const std::string line = auditPageJson(pages[page], findings[page]);
            std::fwrite(line.data(), 1, line.size(), out);
        }
        ++page;
    }
    const std::string tail = options.json ? auditSiteJson(pages, site, unreadable, options.limits)
                                          : auditSummary(pages, site, unreadable);
    std::fwrite(tail.data(), 1, tail.size(), out);
    std::fflush(out);
    std::fflush(err);

    const bool reported =
        !options.htmlReport ||
        writeHtmlReport(*options.htmlReport, pages, unreadable, site, options.limits, err);

    const bool failed = std::any_of(options.failOn.begin(), options.failOn.end(),
                                    [&](audit::Finding f) { return site.count(f) > 0; });
    return unreadable > 0 || failed || !reported ? 1 : 0;
}

} // namespace lumora::batch
