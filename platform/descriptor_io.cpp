#include "descriptor_io.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <poll.h>
#include <pthread.h>
#include <system_error>
#include <unistd.h>

namespace lumora::platform {

namespace {

// Holds SIGPIPE off in this thread for its lifetime. A SIGPIPE raised meanwhile is
// taken back unless one was already waiting, which stays for its owner.
class PipeSignalHold {
public:
    PipeSignalHold() {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
    }
    ~PipeSignalHold() {
        if (raised_ && !alreadyPending_) {
            const timespec now{0, 0};
            while (sigtimedwait(&pipeOnly_, nullptr, &now) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalHold(const PipeSignalHold&) = delete;
    PipeSignalHold& operator=(const PipeSignalHold&) = delete;
    void noteRaised() { raised_ = true; }

private:
    sigset_t pipeOnly_;
    sigset_t previous_;
    bool alreadyPending_ = false;
    bool raised_ = false;
};

} // namespace

long readSome(int fd, char* buffer, size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR)
            return static_cast<long>(got);
    }
}

bool writeAll(int fd, std::string_view bytes) {
    PipeSignalHold hold;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EPIPE)
                hold.noteRaised();
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::vector<bool> waitUntilReadable(const std::vector<int>& fds) {
    std::vector<pollfd> polled;
    polled.reserve(fds.size());
    for (const int fd : fds)
        polled.push_back({fd, POLLIN, 0});
    while (::poll(polled.data(), polled.size(), -1) < 0)
        if (errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "poll failed");
    std::vector<bool> ready;
    ready.reserve(fds.size());
    for (const auto& entry : polled)
        ready.push_back(entry.revents != 0);
    return ready;
}

FileDescriptor divertStandardOutput() {
    FileDescriptor output(::dup(STDOUT_FILENO));
    if (output.valid() && ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return FileDescriptor();
    return output;
}

bool isTerminal(int fd) {
    return ::isatty(fd) == 1;
}

} // namespace lumora::platform
