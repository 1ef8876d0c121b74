#pragma once
// The database engine's side of the installer, without the page: whether the engine
// is present (WIN.INI or the registry), where an integrated install puts it, the
// settings it writes, and the removal of those settings and directories again.

#include "platform/drive_map.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {
class Registry;
}

namespace setupkit {

enum TSetupBDEInstallTypes : std::uint8_t {
    bdeNone = 0,
    bde16Borland = 1,
    bde16Integrated = 2,
    bde32Integrated = 3,
};

inline constexpr std::string_view BDERegistryKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland\\Database Engine";
inline constexpr std::string_view BorlandRegistryKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland";

// The 16-bit types look in WIN.INI ("IDAPI": "DLLPATH" and "CONFIGFILE01" both set),
// the 32-bit type in the registry (the engine's key with a non-empty "DLLPath").
bool bdePresent(TSetupBDEInstallTypes type, const std::filesystem::path& winIni,
                const lumora::platform::Registry& registry);

// Where an integrated install puts the engine: the resolved directory, else the
// default one; never a floppy drive (then "C:\IDAPI\").
std::string integratedEngineDir(const std::string& resolved, const std::string& defaultDir);

// The WIN.INI settings of a 16-bit integrated install.
void writeIntegratedWinIni(const std::filesystem::path& winIni, const std::string& engineDir);

struct ExtraDataLine {
    std::string key;
    std::string name;
    std::string value;
};
// A line "key:~:value name:~:value"; nothing unless all three are non-empty.
std::optional<ExtraDataLine> parseExtraData(std::string line);
// The value as the engine in `engineDir` needs it: "BLAPIPATH" and "DLLPATH" name
// the directory itself, "LOCALE_LIB..." and "CONFIGFILE..." a file in it.
std::string adjustExtraValue(const ExtraDataLine& line, const std::string& engineDir);
// Writes every usable line under the local machine; lines that cannot be used are
// skipped.
void writeExtraData(lumora::platform::Registry& registry, const std::vector<std::string>& lines,
                    const std::string& engineDir);

// Takes the engine's settings away and deletes the files of its directories;
// `onDirectoryKept` is told of a directory that could not be removed.
void removeBDE(TSetupBDEInstallTypes type, const lumora::platform::DriveMap& drives,
               const std::filesystem::path& winIni, lumora::platform::Registry& registry,
               const std::function<void(const std::string&)>& onDirectoryKept);

} // namespace setupkit
