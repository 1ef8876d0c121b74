#pragma once
// Pages in parallel: Qt's widgets live on one thread, so each worker is a process of
// its own (this program again, in worker mode). The parent hands one page at a time to
// whichever worker is free and collects the results over pipes.

#include "batch/page_result.h"
#include "batch/worker_protocol.h"

#include <functional>
#include <string>
#include <vector>

namespace lumora::batch {

struct WorkerProgram {
    std::string path;                   // the executable
    std::vector<std::string> arguments; // after the program name
};

// Calls `done` with each request's `index` and its result as the result arrives (in any order). A
// worker that dies takes only its current page with it (reported as an error); another worker
// starts for the rest. Throws std::runtime_error when not even one worker can start.
void runOnWorkers(const WorkerProgram& program, const std::vector<PageRequest>& requests,
                  int workers, const std::function<void(size_t, PageResult)>& done);

// Worker side: reads requests from standard input and answers each on standard output
// until standard input ends. Stray output of libraries goes to standard error so it
// cannot break the records. Returns the process exit code.
int serveRequests(const std::function<PageResult(const PageRequest&)>& work);

} // namespace lumora::batch
