#include "program_start.h"

#include "common/ascii_case.h"
#include "host_path_case.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isWindowsPath(std::string_view name) {
    return hasDriveLetter(name) || name.find('\\') != std::string_view::npos;
}

bool isExecutableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

bool endsWithExe(const std::string& name) {
    return name.size() > 4 &&
           equalsIgnoringCase(std::string_view(name).substr(name.size() - 4), ".exe");
}

std::optional<fs::path> hostDirectory(const DriveMap& drives, const std::string& directory) {
    if (directory.empty())
        return std::nullopt;
    if (directory.front() == '/')
        return resolveIgnoringCase(directory);
    return drives.toHostPath(directory);
}

// An existing host file for the program name: as given, or without ".exe".
std::optional<fs::path> existingProgram(const fs::path& candidate) {
    const fs::path resolved = resolveIgnoringCase(candidate);
    std::error_code error;
    if (fs::exists(resolved, error))
        return resolved;
    const std::string name = candidate.filename().string();
    if (endsWithExe(name)) {
        const fs::path bare =
            resolveIgnoringCase(candidate.parent_path() / name.substr(0, name.size() - 4));
        if (fs::exists(bare, error))
            return bare;
    }
    return std::nullopt;
}

std::optional<fs::path> searchPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view directories = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::vector<std::string> names{name};
    if (endsWithExe(name))
        names.push_back(name.substr(0, name.size() - 4));
    while (true) {
        const auto end = directories.find(':');
        const std::string directory(directories.substr(0, end));
        const fs::path base = directory.empty() ? fs::path(".") : fs::path(directory);
        for (const auto& candidate : names)
            if (const fs::path found = resolveIgnoringCase(base / candidate);
                isExecutableFile(found))
                return found;
        if (end == std::string_view::npos)
            return std::nullopt;
        directories.remove_prefix(end + 1);
    }
}

fs::path resolveProgram(const DriveMap& drives, const std::string& name,
                        const std::optional<fs::path>& workingDirectory) {
    std::optional<fs::path> found;
    if (isWindowsPath(name)) {
        if (auto host = drives.toHostPath(name))
            found = existingProgram(*host);
    } else if (name.find('/') != std::string::npos) {
        found = existingProgram(name);
    } else {
        std::error_code error;
        const fs::path here = workingDirectory ? *workingDirectory : fs::current_path(error);
        found = existingProgram(here / name);
        if (!found)
            found = searchPath(name);
    }
    if (!found)
        throw ProgramStartError("Program not found: " + name, ENOENT);
    // Absolute, because the child changes to its working directory before exec.
    std::error_code error;
    const fs::path absolute = fs::absolute(*found, error);
    return error ? *found : absolute;
}

ProgramEnd endOf(int status, const rusage& usage) {
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (WIFSIGNALED(status))
        return {0, WTERMSIG(status), cpu};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 0, 0, cpu};
}

int shellExitCode(const ProgramEnd& end) {
    return end.signal != 0 ? 128 + end.signal : end.exitCode;
}

// Both ends close on exec: the child gets its end through dup2, which clears the flag.
std::pair<FileDescriptor, FileDescriptor> makePipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw ProgramStartError(std::string("Cannot create a pipe: ") + std::strerror(errno),
                                errno);
    return {FileDescriptor(ends[0]), FileDescriptor(ends[1])};
}

// Our environment with `changes` set on top, as "NAME=value" strings.
std::vector<std::string>
environmentWith(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text(*entry);
        const std::string_view name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& change : changes)
            replaced = replaced || change.first == name;
        if (!replaced)
            entries.emplace_back(text);
    }
    for (const auto& [name, value] : changes)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

class SpawnActions {
public:
    SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

} // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    size_t position = 0;
    const size_t size = line.size();
    while (position < size && isBlank(line[position]))
        ++position;
    if (position == size)
        return arguments;

    std::string program;
    if (line[position] == '"') {
        ++position;
        while (position < size && line[position] != '"')
            program += line[position++];
        if (position < size)
            ++position;
    }
    while (position < size && !isBlank(line[position]))
        program += line[position++];
    arguments.push_back(std::move(program));

    while (true) {
        while (position < size && isBlank(line[position]))
            ++position;
        if (position == size)
            break;
        std::string argument;
        bool quoted = false;
        while (position < size && (quoted || !isBlank(line[position]))) {
            const char c = line[position];
            if (c == '\\') {
                size_t count = 0;
                while (position < size && line[position] == '\\') {
                    ++count;
                    ++position;
                }
                if (position < size && line[position] == '"') {
                    argument.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        argument += '"';
                        ++position;
                    }
                } else {
                    argument.append(count, '\\');
                }
            } else if (c == '"') {
                if (quoted && position + 1 < size && line[position + 1] == '"') {
                    argument += '"';
                    position += 2;
                } else {
                    quoted = !quoted;
                    ++position;
                }
            } else {
                argument += c;
                ++position;
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

ProgramEnd StartedProgram::waitForEnd() {
    if (end_)
        return *end_;
    int status = 0;
    rusage usage{};
    pid_t result;
    do {
        result = ::wait4(pid_, &status, 0, &usage);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        throw ProgramStartError(
            "Cannot wait for process " + std::to_string(pid_) + ": " + std::strerror(errno), errno);
    end_ = endOf(status, usage);
    return *end_;
}

int StartedProgram::wait() {
    return shellExitCode(waitForEnd());
}

std::optional<int> StartedProgram::poll() {
    if (!end_) {
        int status = 0;
        rusage usage{};
        if (::wait4(pid_, &status, WNOHANG, &usage) == pid_)
            end_ = endOf(status, usage);
    }
    if (!end_)
        return std::nullopt;
    return shellExitCode(*end_);
}

void StartedProgram::kill() {
    if (!end_)
        ::kill(pid_, SIGKILL);
}

StartedProgram startProgram(const DriveMap& drives, const ProgramStart& request) {
    std::vector<std::string> arguments = splitCommandLine(request.commandLine);
    if (arguments.empty() || arguments.front().empty())
        throw ProgramStartError("Empty command line", ENOENT);

    const auto workingDirectory = hostDirectory(drives, request.workingDirectory);
    if (!request.workingDirectory.empty() && !workingDirectory)
        throw ProgramStartError("Working directory not on a drive: " + request.workingDirectory,
                                ENOENT);
    const fs::path program = resolveProgram(drives, arguments.front(), workingDirectory);

    if (request.translatePathArguments) {
        for (size_t i = 1; i < arguments.size(); ++i) {
            const std::string& argument = arguments[i];
            if (argument.size() >= 3 && hasDriveLetter(argument) && argument[2] == '\\')
                if (auto host = drives.toHostPath(argument))
                    arguments[i] = host->string();
        }
    }

    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    SpawnActions actions;
    if (workingDirectory) {
        const int error =
            ::posix_spawn_file_actions_addchdir_np(actions.get(), workingDirectory->c_str());
        if (error != 0)
            throw ProgramStartError("Cannot use working directory " + workingDirectory->string(),
                                    error);
    }
    pid_t pid = 0;
    const int error =
        ::posix_spawn(&pid, program.c_str(), actions.get(), nullptr, argv.data(), environ);
    if (error != 0)
        throw ProgramStartError("Cannot start " + program.string() + ": " + std::strerror(error),
                                error);
    return StartedProgram(pid);
}

PipedProgram startHostProgram(const HostProgramStart& request) {
    SpawnActions actions;
    FileDescriptor ours[2];   // input, output
    FileDescriptor theirs[2]; // kept open until the program has started
    const StandardStream streams[2] = {request.input, request.output};
    for (int stream = 0; stream < 2; ++stream) {
        const int target = stream == 0 ? STDIN_FILENO : STDOUT_FILENO;
        if (streams[stream] == StandardStream::Pipe) {
            auto [readEnd, writeEnd] = makePipe();
            ours[stream] = stream == 0 ? std::move(writeEnd) : std::move(readEnd);
            theirs[stream] = stream == 0 ? std::move(readEnd) : std::move(writeEnd);
            ::posix_spawn_file_actions_adddup2(actions.get(), theirs[stream].get(), target);
        } else if (streams[stream] == StandardStream::Null) {
            ::posix_spawn_file_actions_addopen(actions.get(), target, "/dev/null",
                                               stream == 0 ? O_RDONLY : O_WRONLY, 0);
        }
    }
    if (!request.workingDirectory.empty())
        ::posix_spawn_file_actions_addchdir_np(actions.get(), request.workingDirectory.c_str());

    std::vector<std::string> arguments{request.program};
    arguments.insert(arguments.end(), request.arguments.begin(), request.arguments.end());
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<std::string> environment = environmentWith(request.environment);
    std::vector<char*> envp = pointersTo(environment);
    pid_t pid = 0;
    const int error =
        ::posix_spawn(&pid, request.program.c_str(), actions.get(), nullptr, argv.data(),
                      request.environment.empty() ? environ : envp.data());
    if (error != 0)
        throw ProgramStartError("cannot start " + request.program + ": " + std::strerror(error),
                                error);
    return {StartedProgram(pid), std::move(ours[0]), std::move(ours[1])};
}

int runProgramAndWait(const DriveMap& drives, const ProgramStart& request) {
    return startProgram(drives, request).wait();
}

} // namespace lumora::platform
