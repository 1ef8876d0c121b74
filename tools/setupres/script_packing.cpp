#include "tools/setupres/script_packing.h"

#include <stdexcept>

namespace setupres {

namespace fs = std::filesystem;

std::map<std::string, std::uint64_t>
packScriptFiles(const setupkit::TSetupData& script, const fs::path& sourceDir,
                const fs::path& outDir, const setupkit::DecompressionLibrary& library) {
    std::map<std::string, std::uint64_t> shippedSizes;
    fs::create_directories(outDir);
    for (const setupkit::TSetupFile* file : script.Files()) {
        const fs::path source = sourceDir / file->Name();
        if (!fs::is_regular_file(source))
            continue; // compile reports it as missing
        const fs::path target = outDir / file->Name();
        if (!file->Compressed()) {
            fs::copy_file(source, target, fs::copy_options::overwrite_existing);
            fs::last_write_time(target, fs::last_write_time(source));
            continue;
        }
        if (!library.canCompress())
            throw std::runtime_error(file->Name() + " is to ship compressed, but " +
                                     std::string(setupkit::DecompressionLibraryName) +
                                     " cannot compress here");
        fs::remove(target);
        if (library.TSCompress(source, target) < 0)
            throw std::runtime_error("compressing " + source.string() + " failed");
        shippedSizes[file->Name()] = fs::file_size(target);
    }
    return shippedSizes;
}

} // namespace setupres
