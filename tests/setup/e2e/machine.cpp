#include "machine.h"

#include "platform/registry.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace setupkit::e2e {

namespace fs = std::filesystem;
using lumora::testing::readFile;
using lumora::testing::writeFile;

namespace {

std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

struct Started {
    pid_t pid = -1;
    int output = -1; // read end of everyone's standard error
};

Started start(const fs::path& program, const std::vector<std::string>& arguments,
              const std::vector<std::string>& environment, const fs::path& workingDirectory) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> argvStrings{program.string()};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argvStrings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = environment;
    std::vector<char*> envp;
    for (std::string& entry : envStrings)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        // A group of its own, so a kill reaches the copies it starts too.
        ::setpgid(0, 0);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        if (::chdir(workingDirectory.c_str()) != 0)
            ::_exit(126);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::setpgid(pid, pid);
    ::close(pipeEnds[1]);
    return {pid, pipeEnds[0]};
}

// Reads until every writer has closed the pipe or `stop` says so (polled every
// `pollMilliseconds`).
bool drain(int fd, std::string& log, const std::function<bool()>& stop, int pollMilliseconds = 20) {
    char buffer[4096];
    for (;;) {
        if (stop())
            return false;
        pollfd descriptor{fd, POLLIN, 0};
        const int ready = ::poll(&descriptor, 1, pollMilliseconds);
        if (ready < 0 && errno != EINTR)
            return true;
        if (ready <= 0)
            continue;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got > 0)
            log.append(buffer, static_cast<std::size_t>(got));
    }
}

int reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

Machine::Machine() : home_(root_.path() / "home") {
    // The machine's Windows and system directories exist before any install, as on
    // every Windows machine; setup finds them under the user's data directory.
    fs::create_directories(home_ / ".local/share/lumora-setup/WINDOWS/SYSTEM");
    // So does its registry, and the desktop's menu folders exist as on any desktop.
    lumora::platform::Registry registry(home_ / ".config/lumora-setup/registry");
    registry.createKey("HKEY_CURRENT_USER\\Software\\Machine");
    registry.deleteKey("HKEY_CURRENT_USER\\Software\\Machine");
    for (const char* menus : {".local/share/applications", ".local/share/desktop-directories",
                              ".config/menus/applications-merged"})
        fs::create_directories(home_ / menus);
    fs::create_directories(root_.path() / "tmp");
    fs::create_directories(root_.path() / "run");
    fs::permissions(root_.path() / "run", fs::perms::owner_all);
}

fs::path Machine::distribution() {
    return lumora::testing::binDir().parent_path() / "dist" / "Lumora-setup";
}

fs::path Machine::builtFiles() {
    return lumora::testing::binDir().parent_path() / "dist" / "files";
}

std::vector<std::string> Machine::environment(const std::optional<std::string>& answerFile,
                                              bool display) const {
    std::vector<std::string> environment = {
        "HOME=" + home_.string(),
        "XDG_DATA_HOME=" + (home_ / ".local/share").string(),
        "XDG_CONFIG_HOME=" + (home_ / ".config").string(),
        "XDG_CACHE_HOME=" + (home_ / ".cache").string(),
        "XDG_RUNTIME_DIR=" + (root_.path() / "run").string(),
        "TMPDIR=" + (root_.path() / "tmp").string(),
        "PATH=/usr/bin:/bin",
        "LANG=C.UTF-8",
    };
    if (display)
        environment.push_back("QT_QPA_PLATFORM=offscreen");
    if (answerFile)
        environment.push_back("LUMORA_SETUP_ANSWERS=" + *answerFile);
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    // Sanitizer builds pass their settings on to the programs under test.
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (const char* value = std::getenv(name))
            environment.push_back(std::string(name) + "=" + value);
    return environment;
}

ProcessRun Machine::run(const fs::path& program, const std::vector<std::string>& arguments,
                        const std::string& answers, std::chrono::seconds limit) {
    return run(program, RunSettings{arguments, answers, false, true, limit});
}

ProcessRun Machine::run(const fs::path& program, const RunSettings& settings) {
    std::optional<std::string> answerPath;
    if (settings.answers) {
        const fs::path answerFile = root_.path() / "answers.txt";
        writeFile(answerFile, *settings.answers);
        answerPath = settings.relativeAnswerPath
                         ? fs::relative(answerFile, program.parent_path()).string()
                         : answerFile.string();
    }
    const Started started = start(program, settings.arguments,
                                  environment(answerPath, settings.display), program.parent_path());
    ProcessRun result;
    const auto deadline = std::chrono::steady_clock::now() + settings.limit;
    const bool ended = drain(started.output, result.log,
                             [&] { return std::chrono::steady_clock::now() > deadline; });
    if (!ended) {
        result.timedOut = true;
        ::killpg(started.pid, SIGKILL);
    }
    ::close(started.output);
    result.exitCode = reap(started.pid);
    return result;
}

ProcessRun Machine::runUntil(const fs::path& program, const std::string& answers,
                             const std::function<bool()>& when,
                             const std::vector<std::string>& arguments) {
    const fs::path answerFile = root_.path() / "answers.txt";
    writeFile(answerFile, answers);
    const Started started =
        start(program, arguments, environment(answerFile.string(), true), program.parent_path());
    ProcessRun result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    drain(
        started.output, result.log,
        [&] { return when() || std::chrono::steady_clock::now() > deadline; }, 1);
    ::killpg(started.pid, SIGKILL);
    ::close(started.output);
    result.exitCode = reap(started.pid);
    return result;
}

std::vector<std::string> Machine::listing() const {
    std::vector<std::string> lines;
    for (auto it = fs::recursive_directory_iterator(home_);
         it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = fs::relative(it->path(), home_);
        const auto status = it->symlink_status();
        std::string line = relative.string();
        if (fs::is_symlink(status))
            line += " -> " + fs::read_symlink(it->path()).string();
        else if (fs::is_directory(status))
            line += "/";
        else
            line += " " + std::to_string(fs::file_size(it->path())) + " " +
                    std::to_string(fnv1a(readFile(it->path())));
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string listingDifference(const std::vector<std::string>& before,
                              const std::vector<std::string>& after) {
    std::string difference;
    for (const std::string& line : after)
        if (!std::binary_search(before.begin(), before.end(), line))
            difference += "+ " + line + "\n";
    for (const std::string& line : before)
        if (!std::binary_search(after.begin(), after.end(), line))
            difference += "- " + line + "\n";
    return difference;
}

} // namespace setupkit::e2e
