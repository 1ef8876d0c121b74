#include "worker_pool.h"

#include "platform/descriptor_io.h"
#include "platform/program_start.h"

#include <deque>
#include <optional>
#include <stdexcept>

namespace lumora::batch {

namespace {

struct Worker {
    platform::StartedProgram process;
    platform::FileDescriptor toChild;
    platform::FileDescriptor fromChild;
    RecordReader reader;
    std::optional<size_t> current = {}; // request index in flight
};

Worker spawnWorker(const WorkerProgram& program) {
    platform::HostProgramStart start;
    start.program = program.path;
    start.arguments = program.arguments;
    start.input = platform::StandardStream::Pipe;
    start.output = platform::StandardStream::Pipe;
    try {
        auto started = platform::startHostProgram(start);
        return {started.program, std::move(started.input), std::move(started.output), {}};
    } catch (const platform::ProgramStartError& failure) {
        throw std::runtime_error(failure.what());
    }
}

std::string howItEnded(const platform::ProgramEnd& end) {
    if (end.signal != 0)
        return "killed by signal " + std::to_string(end.signal);
    return "exit status " + std::to_string(end.exitCode);
}

} // namespace

void runOnWorkers(const WorkerProgram& program, const std::vector<PageRequest>& requests,
                  int workerCount, const std::function<void(size_t, PageResult)>& done) {
    std::deque<size_t> queue;
    for (size_t i = 0; i < requests.size(); ++i)
        queue.push_back(i);
    std::vector<Worker> workers;

    // Gives the worker its next page, or tells it there is none (end of input).
    auto feed = [&](Worker& worker) {
        while (!queue.empty()) {
            const size_t index = queue.front();
            queue.pop_front();
            // A worker that has died fails the write; it does not take us with it.
            if (platform::writeAll(worker.toChild.get(), encodeRequest(requests[index]))) {
                worker.current = index;
                return;
            }
            // The worker is gone; the page waits for the next one.
            queue.push_front(index);
            break;
        }
        worker.toChild = platform::FileDescriptor();
    };
    auto start = [&] {
        workers.push_back(spawnWorker(program));
        feed(workers.back());
    };

    const size_t wanted = std::min(requests.size(), static_cast<size_t>(std::max(workerCount, 1)));
    for (size_t i = 0; i < wanted; ++i) {
        try {
            start();
        } catch (const std::runtime_error&) {
            if (workers.empty())
                throw;
            break;
        }
    }

    std::vector<char> block(1 << 16);
    while (!workers.empty()) {
        std::vector<int> polled;
        for (const auto& worker : workers)
            polled.push_back(worker.fromChild.get());
        const std::vector<bool> readable = platform::waitUntilReadable(polled);
        std::vector<size_t> ended;
        for (size_t w = 0; w < workers.size(); ++w) {
            if (!readable[w])
                continue;
            Worker& worker = workers[w];
            const long got = platform::readSome(worker.fromChild.get(), block.data(), block.size());
            bool broken = got <= 0;
            if (!broken) {
                worker.reader.append(std::string_view(block.data(), static_cast<size_t>(got)));
                try {
                    while (auto record = worker.reader.next()) {
                        auto [index, result] = decodeResult(*record);
                        if (!worker.current || requests[*worker.current].index != index)
                            throw ProtocolError("a worker answered a page it was not given");
                        worker.current.reset();
                        done(index, std::move(result));
                        feed(worker);
                    }
                } catch (const ProtocolError&) {
                    worker.process.kill();
                    broken = true;
                }
            }
            if (broken)
                ended.push_back(w);
        }
        // Ended workers go in reverse so the indexes stay valid.
        for (auto it = ended.rbegin(); it != ended.rend(); ++it) {
            Worker worker = std::move(workers[*it]);
            workers.erase(workers.begin() + static_cast<std::ptrdiff_t>(*it));
            worker.toChild = platform::FileDescriptor();
            worker.fromChild = platform::FileDescriptor();
            const platform::ProgramEnd end = worker.process.waitForEnd();
            if (worker.current) {
                const PageRequest& request = requests[*worker.current];
                done(request.index,
                     errorResult(request.path,
                                 "the worker process ended while working on this page (" +
                                     howItEnded(end) + ")"));
            }
            if (!queue.empty()) {
                try {
                    start();
                } catch (const std::runtime_error& failure) {
                    if (workers.empty()) {
                        while (!queue.empty()) {
                            const PageRequest& request = requests[queue.front()];
                            done(request.index, errorResult(request.path, failure.what()));
                            queue.pop_front();
                        }
                    }
                }
            }
        }
    }
}

int serveRequests(const std::function<PageResult(const PageRequest&)>& work) {
    const platform::FileDescriptor results = platform::divertStandardOutput();
    if (!results.valid())
        return 2;

    RecordReader reader;
    std::vector<char> block(1 << 16);
    for (;;) {
        const long got = platform::readSome(platform::kStandardInput, block.data(), block.size());
        if (got <= 0)
            break;
        reader.append(std::string_view(block.data(), static_cast<size_t>(got)));
        try {
            while (auto record = reader.next()) {
                const PageRequest request = decodeRequest(*record);
                if (!platform::writeAll(results.get(), encodeResult(request.index, work(request))))
                    return 1;
            }
        } catch (const ProtocolError&) {
            return 2;
        }
    }
    return reader.empty() ? 0 : 2;
}

} // namespace lumora::batch
