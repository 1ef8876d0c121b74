#include "setup/pages/bde_install_rules.h"

#include "common/ascii_case.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "setup/engine/setup_paths.h"
#include "setup/pages/uninstall_removal.h"

namespace setupkit {

using lumora::asciiUppered;
using lumora::platform::ProfileFile;

namespace {

constexpr std::string_view IdapiSection = "IDAPI";
constexpr std::string_view DriversSection = "Borland Language Drivers";
constexpr std::string_view FloppyEngineDir = "C:\\IDAPI\\";

} // namespace

bool bdePresent(TSetupBDEInstallTypes type, const std::filesystem::path& winIni,
                const lumora::platform::Registry& registry) {
    if (type == bde32Integrated) {
        if (!registry.keyExists(BDERegistryKey))
            return false;
        const auto path = registry.readString(BDERegistryKey, "DLLPath");
        return path && !path->empty();
    }
    const ProfileFile ini(winIni);
    return !ini.readString(IdapiSection, "DLLPATH").empty() &&
           !ini.readString(IdapiSection, "CONFIGFILE01").empty();
}

std::string integratedEngineDir(const std::string& resolved, const std::string& defaultDir) {
    std::string dir = resolved.empty() || resolved == "\\" ? defaultDir : resolved;
    const char drive = lumora::platform::driveLetterOf(dir);
    if (drive == 'A' || drive == 'B')
        dir = FloppyEngineDir;
    return AddBackslash(dir);
}

void writeIntegratedWinIni(const std::filesystem::path& winIni, const std::string& engineDir) {
    ProfileFile(winIni).update([&](lumora::platform::ProfileDocument& ini) {
        ini.writeString(IdapiSection, "DLLPATH", StripBackslash(engineDir));
        ini.writeString(IdapiSection, "CONFIGFILE01", engineDir + "IDAPI.CFG");
        ini.writeString(DriversSection, "LDPath", engineDir + "LANGDRV");
    });
}

std::optional<ExtraDataLine> parseExtraData(std::string line) {
    constexpr std::string_view separator = ":~:";
    const size_t first = line.find(separator);
    const size_t second =
        first == std::string::npos ? first : line.find(separator, first + separator.size());
    if (second == std::string::npos)
        return std::nullopt;
    ExtraDataLine parsed;
    parsed.key = line.substr(0, first);
    parsed.name = line.substr(first + separator.size(), second - first - separator.size());
    parsed.value = line.substr(second + separator.size());
    if (parsed.key.empty() || parsed.name.empty() || parsed.value.empty())
        return std::nullopt;
    return parsed;
}

std::string adjustExtraValue(const ExtraDataLine& line, const std::string& engineDir) {
    const std::string name = asciiUppered(line.name);
    if (name == "BLAPIPATH" || name == "DLLPATH")
        return StripBackslash(engineDir);
    if (name.rfind("LOCALE_LIB", 0) == 0 || name.rfind("CONFIGFILE", 0) == 0)
        return engineDir + ExtractFileName(line.value);
    return line.value;
}

void writeExtraData(lumora::platform::Registry& registry, const std::vector<std::string>& lines,
                    const std::string& engineDir) {
    for (const std::string& text : lines) {
        const auto line = parseExtraData(text);
        if (!line)
            continue;
        // The keys are relative to the local machine's root.
        const std::string key = "HKEY_LOCAL_MACHINE\\" + line->key;
        try {
            registry.writeString(key, line->name, adjustExtraValue(*line, engineDir));
        } catch (const lumora::platform::RegistryError&) {
            // A key the store cannot hold (a line break in it) is skipped like an
            // incomplete line.
        }
    }
}

void removeBDE(TSetupBDEInstallTypes type, const lumora::platform::DriveMap& drives,
               const std::filesystem::path& winIni, lumora::platform::Registry& registry,
               const std::function<void(const std::string&)>& onDirectoryKept) {
    auto clearDirectory = [&](const std::string& path) {
        if (path.empty())
            return;
        const Removal removal = removeDirectoryFiles(drives, StripBackslash(path));
        if ((removal == Removal::NotEmpty || removal == Removal::Failed) && onDirectoryKept)
            onDirectoryKept(StripBackslash(path));
    };
    if (type == bde16Integrated) {
        ProfileFile ini(winIni);
        const std::string enginePath = ini.readString(IdapiSection, "DLLPATH");
        const std::string driverPath = ini.readString(DriversSection, "LDPath");
        ini.update([](lumora::platform::ProfileDocument& document) {
            document.eraseSection(IdapiSection);
            document.eraseSection(DriversSection);
        });
        clearDirectory(driverPath);
        clearDirectory(enginePath);
    } else if (type == bde32Integrated) {
        if (registry.keyExists(BDERegistryKey)) {
            const auto path = registry.readString(BDERegistryKey, "DLLPATH");
            if (path && !path->empty())
                clearDirectory(*path);
        }
        registry.deleteKey(std::string(BorlandRegistryKey) + "\\Database Engine");
        registry.deleteKey(std::string(BorlandRegistryKey) + "\\BLW32");
    }
}

} // namespace setupkit
