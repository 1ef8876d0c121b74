#include "program_start.h"

#include "common/ascii_case.h"
#include "host_path_case.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <spawn.h>
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

int StartedProgram::wait() {
    if (exitCode_)
        return *exitCode_;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(pid_, &status, 0);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        throw ProgramStartError(
            "Cannot wait for process " + std::to_string(pid_) + ": " + std::strerror(errno), errno);
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return *exitCode_;
}

std::optional<int> StartedProgram::poll() {
    if (exitCode_)
        return exitCode_;
    int status = 0;
    const pid_t result = ::waitpid(pid_, &status, WNOHANG);
    if (result == pid_)
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exitCode_;
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

int runProgramAndWait(const DriveMap& drives, const ProgramStart& request) {
    return startProgram(drives, request).wait();
}

} // namespace lumora::platform
