#pragma once
// A machine for end-to-end runs of the distribution's setup: a temporary home with its
// XDG directories, offscreen display, an answer file, and a listing of everything in
// the home to compare before and after.

#include "temp_dir.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace setupkit::e2e {

// How a run is started: the answer file (none: the variable is not set) and where the
// variable names it from, and whether the run has the offscreen display.
struct RunSettings {
    std::vector<std::string> arguments = {};
    std::optional<std::string> answers = std::nullopt;
    bool relativeAnswerPath = false; // relative to the program's folder, the run's own
    bool display = true;
    std::chrono::seconds limit = std::chrono::seconds(90);
};

struct ProcessRun {
    int exitCode = -1; // -1: killed by a signal
    std::string log;   // standard error of setup and every process it started
    bool timedOut = false;
};

class Machine {
public:
    Machine();

    const std::filesystem::path& home() const { return home_; }
    std::filesystem::path installDir() const { return home_ / "Lumora"; }
    // The user's runtime directory, where setup keeps its lock.
    std::filesystem::path runtimeDir() const { return root_.path() / "run"; }
    // The machine's notes between setup runs.
    std::filesystem::path notesFile() const {
        return home_ / ".local/share/lumora-setup/WINDOWS/TSETUP.INI";
    }
    // The temporary directory of the machine's programs.
    std::filesystem::path temporaryDir() const { return root_.path() / "tmp"; }
    // The folder the distribution was laid out in by the build.
    static std::filesystem::path distribution();
    // The files as the build made them, before some were compressed for the folder.
    static std::filesystem::path builtFiles();

    // Runs `program` with `arguments` and the answer file `answers` until it and every
    // process it started have ended (their standard error is one pipe), or kills them
    // after `limit`.
    ProcessRun run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::string& answers,
                   std::chrono::seconds limit = std::chrono::seconds(90));
    ProcessRun run(const std::filesystem::path& program, const RunSettings& settings);
    // Starts setup like run() and kills it (and what it started) once `when` holds,
    // checked every few milliseconds.
    ProcessRun runUntil(const std::filesystem::path& program, const std::string& answers,
                        const std::function<bool()>& when,
                        const std::vector<std::string>& arguments = {});

    // Every path under the home, relative, with its kind and (for files) size and a hash
    // of the bytes, sorted: equal listings mean an equal home.
    std::vector<std::string> listing() const;

    // Entries ("NAME=value") the following runs get besides the machine's own.
    std::vector<std::string> extraEnvironment;

private:
    std::vector<std::string> environment(const std::optional<std::string>& answerFile,
                                         bool display) const;

    lumora::testing::TempDir root_;
    std::filesystem::path home_;
};

// The lines of `after` not in `before` and those of `before` not in `after`, each
// prefixed by "+ " or "- ", for a readable failure.
std::string listingDifference(const std::vector<std::string>& before,
                              const std::vector<std::string>& after);

} // namespace setupkit::e2e
