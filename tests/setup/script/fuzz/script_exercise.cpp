#include "script_exercise.h"

#include "setup/script/setup_script.h"

#include <stdexcept>
#include <string>

namespace setupkit::testing {

namespace {

std::string written(const TSetupData& script) {
    ValueWriter writer;
    script.WriteData(writer);
    return writer.takeBytes();
}

void readWhole(TSetupData& script, const std::string& bytes) {
    ValueReader reader(bytes);
    script.ReadData(reader);
}

void walkDirectoryTree(const TSetupData& script) {
    // Bounded so that a script of many directories stays quick to check.
    constexpr std::size_t kWalked = 64;
    for (std::size_t k = 0; k < script.Dirs().size() && k < kWalked; ++k) {
        const TSetupDir* dir = script.Dirs()[k];
        (void)dir->FullPath();
        if (dir->Ancestors().size() >= script.Dirs().size() + 1)
            throw std::logic_error("a directory has more ancestors than there are directories");
        if (script.DescendantDirs(dir).size() >= script.Dirs().size())
            throw std::logic_error("a directory has more descendants than there are directories");
    }
}

} // namespace

void exerciseScriptReader(std::string_view bytes) {
    TSetupData script;
    try {
        ValueReader reader(bytes);
        script.ReadData(reader);
    } catch (const EValueStreamError&) {
        // What was read before the failure stays and must be as sound as a whole read.
    }
    walkDirectoryTree(script);

    // A written script reads back whole; after one write and read it is stable.
    TSetupData first;
    readWhole(first, written(script));
    const std::string stable = written(first);
    TSetupData second;
    readWhole(second, stable);
    if (written(second) != stable)
        throw std::logic_error("writing a script read back from its own bytes changed them");

    TSetupData copy;
    copy.Assign(first);
    if (written(copy) != stable)
        throw std::logic_error("a deep copy writes differently from its source");

    // Freeing elements leaves no reference behind to trip the writer or the walks.
    script.ClearDirs();
    walkDirectoryTree(script);
    (void)written(script);
    script.ClearFiles();
    script.ClearFileGroups();
    (void)written(script);
}

} // namespace setupkit::testing
