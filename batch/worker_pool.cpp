#include "worker_pool.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lumora::batch {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

struct Worker {
    pid_t pid = -1;
    int toChild = -1;
    int fromChild = -1;
    RecordReader reader;
    std::optional<size_t> current; // request index in flight
};

Worker spawnWorker(const WorkerProgram& program) {
    int requests[2];
    int results[2];
    if (::pipe2(requests, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
    if (::pipe2(results, O_CLOEXEC) != 0) {
        const int saved = errno;
        ::close(requests[0]);
        ::close(requests[1]);
        throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(saved));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, requests[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, results[1], STDOUT_FILENO);

    std::vector<std::string> arguments{program.path};
    arguments.insert(arguments.end(), program.arguments.begin(), program.arguments.end());
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int failure =
        ::posix_spawn(&pid, program.path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(requests[0]);
    ::close(results[1]);
    if (failure != 0) {
        ::close(requests[1]);
        ::close(results[0]);
        throw std::runtime_error("cannot start " + program.path + ": " + std::strerror(failure));
    }
    Worker worker;
    worker.pid = pid;
    worker.toChild = requests[1];
    worker.fromChild = results[0];
    return worker;
}

std::string howItEnded(int status) {
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    if (WIFEXITED(status))
        return "exit status " + std::to_string(WEXITSTATUS(status));
    return "unknown status";
}

} // namespace

void runOnWorkers(const WorkerProgram& program, const std::vector<PageRequest>& requests,
                  int workerCount, const std::function<void(size_t, PageResult)>& done) {
    // A worker that dies must not take the parent with it when we write to it.
    ::signal(SIGPIPE, SIG_IGN);

    std::deque<size_t> queue;
    for (size_t i = 0; i < requests.size(); ++i)
        queue.push_back(i);
    std::vector<Worker> workers;

    // Gives the worker its next page, or tells it there is none (end of input).
    auto feed = [&](Worker& worker) {
        while (!queue.empty()) {
            const size_t index = queue.front();
            queue.pop_front();
            if (writeAll(worker.toChild, encodeRequest(requests[index]))) {
                worker.current = index;
                return;
            }
            // The worker is gone; the page waits for the next one.
            queue.push_front(index);
            break;
        }
        if (worker.toChild >= 0) {
            ::close(worker.toChild);
            worker.toChild = -1;
        }
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
        std::vector<pollfd> polled;
        for (const auto& worker : workers)
            polled.push_back({worker.fromChild, POLLIN, 0});
        if (::poll(polled.data(), polled.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error(std::string("poll failed: ") + std::strerror(errno));
        }
        std::vector<size_t> ended;
        for (size_t w = 0; w < workers.size(); ++w) {
            if (polled[w].revents == 0)
                continue;
            Worker& worker = workers[w];
            const ssize_t got = ::read(worker.fromChild, block.data(), block.size());
            if (got < 0 && errno == EINTR)
                continue;
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
                    ::kill(worker.pid, SIGKILL);
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
            if (worker.toChild >= 0)
                ::close(worker.toChild);
            ::close(worker.fromChild);
            int status = 0;
            while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
            }
            if (worker.current) {
                const PageRequest& request = requests[*worker.current];
                done(request.index,
                     errorResult(request.path,
                                 "the worker process ended while working on this page (" +
                                     howItEnded(status) + ")"));
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
    const int results = ::dup(STDOUT_FILENO);
    if (results < 0)
        return 2;
    ::dup2(STDERR_FILENO, STDOUT_FILENO);

    RecordReader reader;
    std::vector<char> block(1 << 16);
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        reader.append(std::string_view(block.data(), static_cast<size_t>(got)));
        try {
            while (auto record = reader.next()) {
                const PageRequest request = decodeRequest(*record);
                if (!writeAll(results, encodeResult(request.index, work(request))))
                    return 1;
            }
        } catch (const ProtocolError&) {
            return 2;
        }
    }
    ::close(results);
    return reader.empty() ? 0 : 2;
}

} // namespace lumora::batch
