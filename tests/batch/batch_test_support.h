#pragma once
// Running the real lumora-batch from the build's bin directory, and pages to run it on.

#include "editor/logic/sample_page.h"
#include "temp_dir.h"
#include "text/page_lines.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace lumora::testing {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs lumora-batch with `arguments` in `directory`, with `extraEnvironment`
// ("NAME=value") added to this process's; standard output and error are caught in
// files of `scratch`.
inline ToolRun runTool(const std::vector<std::string>& arguments,
                       const std::filesystem::path& directory, const std::filesystem::path& scratch,
                       const std::vector<std::string>& extraEnvironment = {}) {
    const std::string program = (binDir() / "lumora-batch").string();
    const std::string outPath = (scratch / "tool.out").string();
    const std::string errPath = (scratch / "tool.err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment(extraEnvironment);
    std::vector<char*> envp; // the added first: the first of a name is the one read
    for (auto& variable : environment)
        envp.push_back(variable.data());
    for (char** variable = environ; *variable; ++variable)
        envp.push_back(*variable);
    envp.push_back(nullptr);
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error("cannot start " + program);
    int status = 0;
    waitpid(pid, &status, 0);
    ToolRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

inline std::string crlf(const text::Lines& lines) {
    return text::joinWithCrLf(lines);
}

// The practice page the window starts with: the chain builds its tags.
inline std::string samplePageBytes() {
    return crlf(editor::samplePage());
}

// A page whose title tag is open on its line: the tag test fails it.
inline std::string failingPageBytes() {
    text::Lines lines = editor::samplePage();
    lines[2] = "<title>Help Me Find A Good Title";
    lines.insert(lines.begin() + 3, "And Keywords</title>");
    return crlf(lines);
}

// A page with a few keywords only: the scan cannot give the chain enough.
inline std::string thinPageBytes() {
    return crlf({"<html>", "<head>", "<title>Thin</title>", "</head>", "<body>",
                 "<p>Tiny page.</p>", "</body>", "</html>"});
}

// A longer page of its own words, without meta tags, `seed` varying the sentences.
inline std::string gardenPageBytes(unsigned seed) {
    static const char* subjects[] = {"Garden roses",   "Fresh tomatoes",  "Garden soil",
                                     "Climbing roses", "Winter tomatoes", "Compost heaps"};
    static const char* verbs[] = {"need", "love", "want", "bring", "feed"};
    static const char* objects[] = {"plenty of garden compost", "sunny garden beds",
                                    "regular watering of the roses",
                                    "rich soil and tomatoes nearby", "patient garden work"};
    text::Lines lines = {"<html>", "<head>", "<title>Garden notes</title>", "</head>", "<body>"};
    unsigned state = seed * 2654435761u + 1;
    auto next = [&](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % n;
    };
    for (int i = 0; i < 30; ++i)
        lines.push_back(std::string("<p>") + subjects[next(6)] + " " + verbs[next(5)] + " " +
                        objects[next(5)] + ".</p>");
    lines.insert(lines.end(), {"</body>", "</html>"});
    return crlf(lines);
}

} // namespace lumora::testing
