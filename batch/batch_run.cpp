#include "batch_run.h"

#include "batch/audit_run.h"
#include "batch/help_text.h"
#include "batch/page_discovery.h"
#include "batch/page_work.h"
#include "batch/result_sink.h"
#include "batch/window_page_runner.h"
#include "batch/worker_pool.h"
#include "editor/logic/data_files.h"
#include "keywords/quick_info_texts.h"
#include "platform/atomic_file.h"
#include "platform/descriptor_io.h"
#include "platform/heap_tuning.h"
#include "platform/program_location.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <thread>

namespace lumora::batch {

namespace fs = std::filesystem;

namespace {

constexpr int kUsageStatus = 2;

// Set (to anything) for a fresh window per page, the way the batch first worked: the
// benchmark compares the two.
constexpr const char* kFreshWindowsVariable = "LUMORA_BATCH_FRESH_WINDOWS";

// Qt's own warnings (a missing runtime directory, fonts of the offscreen platform)
// say nothing about the pages; only its critical messages are worth a user's eye.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "lumora-batch: " << message.toStdString() << '\n';
}

int usageError(const std::string& message) {
    std::cerr << "lumora-batch: " << message << '\n' << kUsageHint << '\n';
    return kUsageStatus;
}

// Everything a process needs to work on pages: the noise-word list, the window's
// start-up directory and, for the window's commands, a QApplication.
class PageWorkshop {
public:
    explicit PageWorkshop(const Options& options) : options_(options) {}

    // Throws std::runtime_error naming the list that cannot be read.
    void prepare() {
        if (options_.command == Command::Compress)
            return;
        std::error_code error;
        try {
            startDirectory_ = platform::programDirectory().string();
        } catch (const platform::FileError&) {
            startDirectory_ = fs::current_path(error).string();
        }
        if (options_.useFilter) {
            const fs::path list =
                options_.filterFile
                    ? fs::path(*options_.filterFile)
                    : fs::path(editor::withInstalledFallback(
                          (fs::path(startDirectory_) / keywords::kFilterFileName).string()));
            try {
                filter_ = text::splitLines(platform::readWholeFile(list));
            } catch (const platform::FileError& failure) {
                throw std::runtime_error(
                    "cannot read the noise-word list " + std::string(failure.what()) +
                    (options_.filterFile ? "" : " (use --filter FILE or --no-filter)"));
            }
        }
    }

    PageResult work(const PageRequest& request) {
        if (options_.command == Command::Compress)
            return compressPageFile(request, options_);
        if (!runner_) {
            // The window is never shown; no display is needed.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            const bool fresh = std::getenv(kFreshWindowsVariable) != nullptr;
            // A window per page frees its memory again at once; handing it back to
            // the system each time and asking again costs more than the page's work.
            if (fresh)
                platform::keepFreedMemoryForReuse();
            qInstallMessageHandler(quietQtMessages);
            app_ = std::make_unique<QApplication>(qtArgc_, qtArgv_);
            runner_ = std::make_unique<WindowPageRunner>(options_, filter_, startDirectory_,
                                                         fresh ? WindowUse::FreshPerPage
                                                               : WindowUse::OneForAllPages);
        }
        return runner_->run(request);
    }

private:
    const Options& options_;
    std::vector<std::string> filter_;
    std::string startDirectory_;
    int qtArgc_ = 1;
    char qtName_[13] = "lumora-batch";
    char* qtArgv_[2] = {qtName_, nullptr};
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<WindowPageRunner> runner_;
};

// The pages written into the output folder were not synced one by one: they reach
// the disk here, before the run says it is done.
bool syncOutputFolder(const Options& options) {
    if (!options.outputDirectory || options.dryRun)
        return true;
    std::error_code error;
    if (!fs::is_directory(*options.outputDirectory, error))
        return true; // nothing was written
    try {
        platform::syncFileSystemOf(*options.outputDirectory);
    } catch (const platform::FileError& failure) {
        std::cerr << "lumora-batch: cannot bring the output to the disk: " << failure.what()
                  << "\n";
        return false;
    }
    return true;
}

int defaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, kMaxJobs));
}

} // namespace

int runBatch(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParseResult parsed = parseArguments(arguments);
    if (parsed.kind == ParseResult::Kind::Help) {
        std::cout << helpText();
        return 0;
    }
    if (parsed.kind == ParseResult::Kind::UsageError)
        return usageError(parsed.error);
    const Options& options = parsed.options;
    // The audit reads pages on its own, in threads: no window, no worker processes.
    if (options.command == Command::Audit && !options.worker)
        return runAudit(options, options.jobs > 0 ? options.jobs : defaultJobs(), stdout, stderr,
                        ::isatty(STDERR_FILENO) == 1);

    PageWorkshop workshop(options);
    try {
        workshop.prepare();
    } catch (const std::runtime_error& failure) {
        return usageError(failure.what());
    }
    if (options.worker)
        return serveRequests([&](const PageRequest& request) { return workshop.work(request); });

    const std::vector<PageEntry> entries = discoverPages(options.pages);
    ResultSink sink(options, entries.size(), stdout, stderr,
                    platform::isTerminal(platform::kStandardError));

    std::vector<PageRequest> requests;
    std::map<std::string, std::string> outputs; // output path -> the page it belongs to
    std::error_code error;
    const fs::path currentDirectory = fs::current_path(error);
    for (size_t i = 0; i < entries.size(); ++i) {
        const PageEntry& entry = entries[i];
        if (!entry.error.empty()) {
            sink.add(i, errorResult(entry.path, entry.error));
            continue;
        }
        PageRequest request{i, entry.path, {}};
        if (options.outputDirectory) {
            request.output =
                mirroredOutputPath(entry.path, *options.outputDirectory, currentDirectory).string();
            const auto [taken, fresh] = outputs.emplace(request.output, entry.path);
            if (!fresh) {
                sink.add(i, errorResult(entry.path, "its result would overwrite that of " +
                                                        taken->second + " in " + request.output));
                continue;
            }
        }
        requests.push_back(std::move(request));
    }

    const int jobs = options.jobs > 0 ? options.jobs : defaultJobs();
    bool done = false;
    if (jobs > 1 && requests.size() > 1) {
        try {
            runOnWorkers(
                {platform::programPath().string(), workerArguments(options)}, requests, jobs,
                [&](size_t index, PageResult result) { sink.add(index, std::move(result)); });
            done = true;
        } catch (const std::exception& failure) {
            // Without workers the pages are still worked on, one after the other.
            std::cerr << "lumora-batch: " << failure.what() << "; working without workers\n";
        }
    }
    if (!done)
        for (const auto& request : requests)
            sink.add(request.index, workshop.work(request));
    sink.finish();
    const bool synced = syncOutputFolder(options);
    return sink.allSucceeded() && synced ? 0 : 1;
}

} // namespace lumora::batch
