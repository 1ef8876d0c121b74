// Setup killed at random moments of an install and of an uninstall: the next run
// mends what the killed one left, and the uninstall then leaves the home as it was.

#include "machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

namespace setupkit::e2e {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using lumora::testing::readFile;

std::string answers(const char* name) {
    return readFile(lumora::testing::sourceDir() / "data/installer" / name);
}
const std::string kInstallAnswers = answers("unattended-install.txt");
const std::string kUninstallAnswers = answers("unattended-uninstall.txt");

// What setup leaves in the install folder and the menu folders, counted.
size_t placedEntries(const Machine& machine) {
    size_t count = 0;
    std::error_code error;
    for (const char* folder :
         {"Lumora", ".local/share/applications", ".local/share/desktop-directories",
          ".config/menus/applications-merged"})
        for ([[maybe_unused]] const auto& entry :
             fs::directory_iterator(machine.home() / folder, error))
            ++count;
    return count;
}

// The install again after a kill: it asks to create the folder when the kill came
// before it, and once (answered All) about the files already in place.
std::string installAgainAnswers(const Machine& machine) {
    std::string text = "press Next\npress Next\n";
    if (!fs::exists(machine.installDir()))
        text += "answer Yes The directory C:\\\\Lumora\\\\ does not exist. Create it?\n";
    text += "press Next\n";
    bool anyInPlace = false;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(machine.installDir(), error)) {
        const std::string name = entry.path().filename().string();
        anyInPlace = anyInPlace || (name != "INSTALL.LOG" && name != "INSTALL.LOG.journal" &&
                                    name.front() != '.' && !name.ends_with(".part"));
    }
    if (anyInPlace)
        text += "answer All\n";
    return text + "press Next\nanswer No Would you like to read the README.TXT file?\n"
                  "answer OK Setup completed successfully.\n";
}

// The paths the home gained, without sizes.
std::vector<std::string> addedPaths(const std::vector<std::string>& before,
                                    const std::vector<std::string>& after) {
    std::vector<std::string> added;
    for (const std::string& line : after)
        if (!std::binary_search(before.begin(), before.end(), line))
            added.push_back(line.substr(0, line.find(' ')));
    return added;
}

std::chrono::milliseconds timed(const std::function<void()>& run) {
    const auto start = Clock::now();
    run();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

TEST(KilledSetup, AnInstallAndAnUninstallKilledAtRandomMomentsAreFinishedByTheirNextRun) {
    // How long the runs take here, and what a complete install adds to a home.
    Machine reference;
    const auto empty = reference.listing();
    std::chrono::milliseconds installTime{}, uninstallTime{};
    installTime = timed([&] {
        ASSERT_EQ(reference.run(Machine::distribution() / "setup", {}, kInstallAnswers).exitCode,
                  0);
    });
    const auto installed = addedPaths(empty, reference.listing());
    uninstallTime = timed([&] {
        ASSERT_EQ(reference.run(reference.installDir() / "setup", {"UNINSTALL"}, kUninstallAnswers)
                      .exitCode,
                  0);
    });

    // LUMORA_E2E_SEED repeats the moments of a failed run.
    const char* given = std::getenv("LUMORA_E2E_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::stoul(given)) : std::random_device{}();
    std::mt19937 random(seed);
    constexpr int trials = 10;
    int installsMended = 0, uninstallsFinished = 0;
    for (int trial = 0; trial < trials; ++trial) {
        std::ostringstream trace;
        trace << "seed " << seed << ", trial " << trial;
        SCOPED_TRACE(trace.str());
        Machine machine;
        const auto before = machine.listing();

        // Half the kills fall at a random time of the run, half once a random number of
        // entries are in place (or gone), which lands them among the file operations.
        const auto killInstallAt = std::chrono::milliseconds(
            std::uniform_int_distribution<long>(0, installTime.count())(random));
        const size_t installedCount = std::uniform_int_distribution<size_t>(1, 20)(random);
        const auto start = Clock::now();
        const ProcessRun killedInstall =
            machine.runUntil(Machine::distribution() / "setup", kInstallAnswers, [&] {
                return trial % 2 == 0 ? Clock::now() - start >= killInstallAt
                                      : placedEntries(machine) >= installedCount;
            });
        const ProcessRun again =
            machine.run(Machine::distribution() / "setup", {}, installAgainAnswers(machine));
        ASSERT_EQ(again.exitCode, 0) << again.log;
        // Nothing more and nothing less than a complete install.
        const auto added = addedPaths(before, machine.listing());
        EXPECT_EQ(added, installed) << "killed:\n"
                                    << killedInstall.log << "run again:\n"
                                    << again.log;
        installsMended += added == installed;

        const auto killUninstallAt = std::chrono::milliseconds(
            std::uniform_int_distribution<long>(0, uninstallTime.count())(random));
        const size_t leftCount = std::uniform_int_distribution<size_t>(0, 20)(random);
        const auto uninstallStart = Clock::now();
        const ProcessRun killed =
            machine.runUntil(machine.installDir() / "setup", kUninstallAnswers,
                             [&] {
                                 return trial % 2 == 0
                                            ? Clock::now() - uninstallStart >= killUninstallAt
                                            : placedEntries(machine) <= leftCount;
                             },
                             {"UNINSTALL"});
        std::string finished = "(not run again)";
        if (fs::exists(machine.installDir() / "setup")) {
            const ProcessRun finish =
                machine.run(machine.installDir() / "setup", {"UNINSTALL"}, kUninstallAnswers);
            EXPECT_EQ(finish.exitCode, 0) << finish.log;
            EXPECT_NE(finish.log.find("UnInstall completed successfully."), std::string::npos)
                << finish.log;
            finished = finish.log;
        }
        const std::string difference = listingDifference(before, machine.listing());
        EXPECT_EQ(difference, "") << "killed:\n" << killed.log << "run again:\n" << finished;
        uninstallsFinished += difference.empty();
    }
    std::printf("killed installs mended: %d/%d, killed uninstalls finished: %d/%d\n",
                installsMended, trials, uninstallsFinished, trials);
}

} // namespace
} // namespace setupkit::e2e
