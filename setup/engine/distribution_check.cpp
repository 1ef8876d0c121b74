#include "setup/engine/distribution_check.h"

#include "common/ascii_case.h"
#include "platform/file_checksum.h"
#include "platform/optional_library.h"
#include "setup/engine/decompression_library.h"
#include "setup/engine/language_library.h"

#include <map>
#include <system_error>

namespace setupkit {

namespace fs = std::filesystem;
using lumora::asciiUppered;

namespace {

// The folder's regular files by upper-case name: the script names them without
// regard to case.
std::map<std::string, fs::path> filesIn(const fs::path& folder) {
    std::map<std::string, fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error))
            files.emplace(asciiUppered(it->path().filename().string()), it->path());
    return files;
}

} // namespace

DistributionCheck checkDistribution(const TSetupData& script, const fs::path& folder,
                                    const std::function<std::string(const TSetupDir&)>& placeOf) {
    DistributionCheck check;
    const auto files = filesIn(folder);
    auto find = [&](const std::string& name) -> const fs::path* {
        const auto found = files.find(asciiUppered(name));
        return found == files.end() ? nullptr : &found->second;
    };
    // The sizes and checksums the build recorded; an older distribution has none, and
    // is checked on the script's sizes alone.
    const auto sums = lumora::platform::readChecksumList(folder);
    if (!sums)
        check.notes.push_back(std::string(lumora::platform::ChecksumListName) +
                              " is missing: only the sizes the script records are checked");
    const auto recordedMismatch = [&](const fs::path& path) -> std::optional<std::string> {
        if (!sums)
            return std::nullopt;
        const auto found = sums->find(path.filename().string());
        if (found == sums->end())
            return std::nullopt;
        return lumora::platform::fileMismatch(path, found->second.size, found->second.crc);
    };
    bool anyCompressed = false;
    for (const TSetupFile* file : script.Files()) {
        anyCompressed = anyCompressed || file->Compressed();
        const fs::path* path = find(file->Name());
        if (!path) {
            check.problems.push_back(file->Name() + ": missing");
            continue;
        }
        // A compressed file ships at its compressed size; the rest as they install.
        const std::uintmax_t expected =
            static_cast<std::uintmax_t>(file->Compressed() ? file->CompressedSize() : file->Size());
        std::error_code error;
        const std::uintmax_t actual = fs::file_size(*path, error);
        if (error)
            check.problems.push_back(file->Name() + ": cannot be read (" + error.message() + ")");
        else if (actual != expected)
            check.problems.push_back(file->Name() + ": " + std::to_string(actual) +
                                     " bytes, the script records " + std::to_string(expected));
        else if (const auto mismatch = recordedMismatch(*path))
            check.problems.push_back(file->Name() + ": " + *mismatch);
    }
    // The libraries setup loads are checked as it checks them before loading.
    for (const std::string& library :
         {std::string(DecompressionLibraryName), std::string(LanguageLibraryFileName)}) {
        const fs::path* path = find(library);
        if (!path)
            continue;
        if (auto damage = recordedMismatch(*path))
            check.problems.push_back(library + ": " + *damage);
        else if ((damage = lumora::platform::sharedObjectDamage(*path)))
            check.problems.push_back(library + ": " + *damage);
    }
    if (anyCompressed && !find(std::string(DecompressionLibraryName)))
        check.problems.push_back(std::string(DecompressionLibraryName) +
                                 ": missing, and the compressed files need it");
    if (!find(LanguageLibraryFileName))
        check.notes.push_back(std::string(LanguageLibraryFileName) +
                              " is missing: setup speaks English only");

    for (const TSetupDir* dir : script.Dirs()) {
        if (dir->Files().empty())
            continue;
        check.plan.push_back(dir->Name() + ": " + placeOf(*dir));
        for (const TSetupFile* file : dir->Files())
            check.plan.push_back("  " + file->Name() + " (" + std::to_string(file->Size()) +
                                 " bytes" + (file->Compressed() ? ", compressed" : "") + ")");
    }
    return check;
}

} // namespace setupkit
