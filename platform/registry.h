#pragma once
// The registry stand-in: the few keys the installer keeps (the uninstall list, the
// database engine's keys) in one small text file under the user's config directory.
// Key paths begin with their root ("HKEY_LOCAL_MACHINE\Software\...", or HKLM, HKCU,
// HKCR, HKU); keys and value names are found without regard to ASCII case; values
// are strings of bytes. Every change is written atomically under a file lock.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {

// A key path that does not begin with a known root, or that holds a line break.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Registry {
public:
    explicit Registry(std::filesystem::path storeFile) : file_(std::move(storeFile)) {}
    // $XDG_CONFIG_HOME/lumora-setup/registry (XDG_CONFIG_HOME defaults to ~/.config).
    static std::filesystem::path defaultStorePath();
    static Registry forCurrentUser() { return Registry(defaultStorePath()); }

    const std::filesystem::path& storeFile() const { return file_; }

    // A root key always exists; any other key once created, until deleted.
    bool keyExists(std::string_view key) const;
    // Creates the key and every missing key above it.
    void createKey(std::string_view key);
    // Deletes the key with everything below it; whether it existed.
    bool deleteKey(std::string_view key);

    // The value of that name (an empty name is the key's default value).
    std::optional<std::string> readString(std::string_view key, std::string_view name) const;
    // Creates the key when missing; an existing value keeps its name's spelling.
    void writeString(std::string_view key, std::string_view name, std::string_view value);
    bool deleteValue(std::string_view key, std::string_view name);

    // Removes the store and its lock file when it holds no key; whether it is gone.
    bool removeIfEmpty();

    // Names of the keys directly below, in the order of their upper-cased names.
    std::vector<std::string> subkeys(std::string_view key) const;
    // Value names in the order they were first written.
    std::vector<std::string> valueNames(std::string_view key) const;

    // Canonical spelling of a key path: the root's long name, single backslashes,
    // no leading or trailing backslash. Throws RegistryError for an unknown root or
    // a line break in the path.
    static std::string normalizeKey(std::string_view key);

private:
    std::filesystem::path file_;
};

} // namespace lumora::platform
