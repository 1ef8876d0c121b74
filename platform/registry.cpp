#include "registry.h"

#include "atomic_file.h"
#include "common/ascii_case.h"
#include "common/char_replacements.h"
#include "made_paths.h"
#include "regular_file_read.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <unordered_map>
#include <utility>

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

struct StoredKey {
    std::string path; // spelling as first created
    std::vector<std::pair<std::string, std::string>> values;
    // Upper-cased value name to its place in `values`: a key of many values is read
    // and written in time linear in the store.
    std::unordered_map<std::string, size_t> index;

    const std::string* find(std::string_view name) const {
        const auto found = index.find(asciiUppered(name));
        return found == index.end() ? nullptr : &values[found->second].second;
    }
    // An existing value keeps its name's spelling.
    void set(std::string name, std::string value) {
        const auto [at, added] = index.emplace(asciiUppered(name), values.size());
        if (added)
            values.emplace_back(std::move(name), std::move(value));
        else
            values[at->second].second = std::move(value);
    }
    bool erase(std::string_view name) {
        const auto found = index.find(asciiUppered(name));
        if (found == index.end())
            return false;
        values.erase(values.begin() + static_cast<std::ptrdiff_t>(found->second));
        index.clear();
        for (size_t i = 0; i < values.size(); ++i)
            index.emplace(asciiUppered(values[i].first), i);
        return true;
    }
};

// Keys by upper-cased path, so that a parent sorts before its children.
using Store = std::map<std::string, StoredKey>;

constexpr std::string_view kHeader =
    "; Lumora setup registry: [key] lines, then \"name\"=\"value\" lines";

bool isRootKey(const std::string& path) {
    return path.find('\\') == std::string::npos;
}

std::string quote(std::string_view text) {
    static constexpr CharReplacement kEscapes[] = {
        {'\\', "\\\\"}, {'"', "\\\""}, {'\n', "\\n"}, {'\r', "\\r"}};
    return "\"" + withReplacements(text, kEscapes) + "\"";
}

// Reads a quoted string starting at `position` (at the opening quote); moves
// `position` past the closing quote.
std::optional<std::string> unquote(std::string_view line, size_t& position) {
    if (position >= line.size() || line[position] != '"')
        return std::nullopt;
    std::string out;
    for (++position; position < line.size(); ++position) {
        const char c = line[position];
        if (c == '"') {
            ++position;
            return out;
        }
        if (c == '\\' && position + 1 < line.size()) {
            const char next = line[++position];
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

void addKeyWithParents(Store& store, const std::string& path) {
    size_t end = path.find('\\');
    while (end != std::string::npos) {
        end = path.find('\\', end + 1);
        const std::string prefix = path.substr(0, end);
        auto& key = store[asciiUppered(prefix)];
        if (key.path.empty())
            key.path = prefix;
    }
}

Store parseStore(std::string_view bytes) {
    Store store;
    StoredKey* current = nullptr;
    size_t position = 0;
    while (position < bytes.size()) {
        auto end = bytes.find('\n', position);
        std::string_view line =
            bytes.substr(position, end == std::string_view::npos ? end : end - position);
        position = end == std::string_view::npos ? bytes.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            current = nullptr;
            try {
                const std::string path = Registry::normalizeKey(line.substr(1, line.size() - 2));
                if (isRootKey(path))
                    continue;
                addKeyWithParents(store, path);
                current = &store[asciiUppered(path)];
            } catch (const RegistryError&) {
            }
            continue;
        }
        if (!current)
            continue;
        size_t cursor = 0;
        std::optional<std::string> name;
        if (line.front() == '@') {
            name = std::string();
            cursor = 1;
        } else {
            name = unquote(line, cursor);
        }
        if (!name || cursor >= line.size() || line[cursor] != '=')
            continue;
        ++cursor;
        auto value = unquote(line, cursor);
        if (!value)
            continue;
        current->set(std::move(*name), std::move(*value));
    }
    return store;
}

std::string serializeStore(const Store& store) {
    std::string out(kHeader);
    out += '\n';
    for (const auto& [upper, key] : store) {
        out += "\n[" + key.path + "]\n";
        for (const auto& [name, value] : key.values)
            out += (name.empty() ? std::string("@") : quote(name)) + "=" + quote(value) + "\n";
    }
    return out;
}

Store loadStore(const fs::path& file) {
    try {
        return parseStore(readWholeFile(file));
    } catch (const NotRegularFile&) {
        throw;
    } catch (const FileError&) {
        return {};
    }
}

// Holds an exclusive flock on a side file while the store is read, changed and
// written, so that two processes never lose each other's changes.
class StoreLock {
public:
    explicit StoreLock(const fs::path& file) : lockFile_(file.string() + ".lock") {
        createDirectoriesNoted(file.parent_path());
        for (;;) {
            fd_ = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            if (fd_ < 0)
                return;
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
            // The last user of an emptied store removes the lock file while holding
            // it: a lock on a removed file guards nothing, so take the new one.
            struct stat held {
            }, named{};
            if (::fstat(fd_, &held) == 0 && ::stat(lockFile_.c_str(), &named) == 0 &&
                held.st_ino == named.st_ino && held.st_dev == named.st_dev)
                return;
            ::close(fd_);
        }
    }
    ~StoreLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    const fs::path& lockFile() const { return lockFile_; }

private:
    fs::path lockFile_;
    int fd_ = -1;
};

// Reads, changes and writes the store; writes only when the change says it changed.
bool changeStore(const fs::path& file, const std::function<bool(Store&)>& change) {
    StoreLock lock(file);
    // A write killed before its rename left its temporary beside the store.
    removeAtomicWriteLeftovers(file.parent_path(), file.filename().string());
    Store store;
    std::error_code error;
    const bool existed = fs::exists(file, error);
    if (existed)
        store = parseStore(readWholeFile(file));
    if (!change(store))
        return false;
    writeFileAtomically(file, serializeStore(store));
    if (!existed)
        noteMadeFile(file);
    return true;
}

} // namespace

std::string Registry::normalizeKey(std::string_view key) {
    // The store keeps one key path a line.
    if (key.find_first_of("\r\n") != std::string_view::npos)
        throw RegistryError("Line break in registry key " + std::string(key));
    std::vector<std::string_view> parts;
    while (!key.empty()) {
        const auto end = key.find('\\');
        const std::string_view part = key.substr(0, end);
        if (!part.empty())
            parts.push_back(part);
        key = end == std::string_view::npos ? std::string_view() : key.substr(end + 1);
    }
    if (parts.empty())
        throw RegistryError("Empty registry key");
    static const std::pair<std::string_view, std::string_view> roots[] = {
        {"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE"},
        {"HKLM", "HKEY_LOCAL_MACHINE"},
        {"HKEY_CURRENT_USER", "HKEY_CURRENT_USER"},
        {"HKCU", "HKEY_CURRENT_USER"},
        {"HKEY_CLASSES_ROOT", "HKEY_CLASSES_ROOT"},
        {"HKCR", "HKEY_CLASSES_ROOT"},
        {"HKEY_USERS", "HKEY_USERS"},
        {"HKU", "HKEY_USERS"},
    };
    std::string result;
    for (const auto& [name, canonical] : roots)
        if (equalsIgnoringCase(parts.front(), name))
            result = canonical;
    if (result.empty())
        throw RegistryError("Unknown registry root in key " + std::string(parts.front()));
    for (size_t i = 1; i < parts.size(); ++i)
        result += "\\" + std::string(parts[i]);
    return result;
}

fs::path Registry::defaultStorePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base = config && *config == '/' ? config : "";
    if (base.empty()) {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.config";
    }
    return fs::path(base) / "lumora-setup" / "registry";
}

bool Registry::keyExists(std::string_view key) const {
    const std::string path = normalizeKey(key);
    return isRootKey(path) || loadStore(file_).count(asciiUppered(path)) > 0;
}

void Registry::createKey(std::string_view key) {
    const std::string path = normalizeKey(key);
    if (isRootKey(path))
        return;
    changeStore(file_, [&](Store& store) {
        if (store.count(asciiUppered(path)))
            return false;
        addKeyWithParents(store, path);
        return true;
    });
}

bool Registry::deleteKey(std::string_view key) {
    const std::string path = normalizeKey(key);
    if (isRootKey(path))
        return false;
    const std::string upper = asciiUppered(path);
    return changeStore(file_, [&](Store& store) {
        if (!store.count(upper))
            return false;
        const std::string childPrefix = upper + "\\";
        std::erase_if(store, [&](const auto& entry) {
            return entry.first.compare(0, childPrefix.size(), childPrefix) == 0;
        });
        store.erase(upper);
        return true;
    });
}

std::optional<std::string> Registry::readString(std::string_view key, std::string_view name) const {
    const Store store = loadStore(file_);
    const auto found = store.find(asciiUppered(normalizeKey(key)));
    if (found == store.end())
        return std::nullopt;
    if (const std::string* value = found->second.find(name))
        return *value;
    return std::nullopt;
}

void Registry::writeString(std::string_view key, std::string_view name, std::string_view value) {
    const std::string path = normalizeKey(key);
    if (isRootKey(path))
        throw RegistryError("Values cannot be written to a root key: " + path);
    changeStore(file_, [&](Store& store) {
        addKeyWithParents(store, path);
        store[asciiUppered(path)].set(std::string(name), std::string(value));
        return true;
    });
}

bool Registry::deleteValue(std::string_view key, std::string_view name) {
    const std::string upper = asciiUppered(normalizeKey(key));
    return changeStore(file_, [&](Store& store) {
        const auto found = store.find(upper);
        if (found == store.end())
            return false;
        return found->second.erase(name);
    });
}

bool Registry::removeIfEmpty() {
    StoreLock lock(file_);
    std::error_code error;
    if (fs::exists(file_, error) && !parseStore(readWholeFile(file_)).empty())
        return false;
    fs::remove(file_, error);
    fs::remove(lock.lockFile(), error);
    return true;
}

std::vector<std::string> Registry::subkeys(std::string_view key) const {
    const std::string path = normalizeKey(key);
    const std::string prefix = asciiUppered(path) + "\\";
    std::vector<std::string> names;
    for (const auto& [upper, stored] : loadStore(file_)) {
        if (upper.compare(0, prefix.size(), prefix) != 0)
            continue;
        if (upper.find('\\', prefix.size()) != std::string::npos)
            continue;
        names.push_back(stored.path.substr(prefix.size()));
    }
    return names;
}

std::vector<std::string> Registry::valueNames(std::string_view key) const {
    const Store store = loadStore(file_);
    const auto found = store.find(asciiUppered(normalizeKey(key)));
    std::vector<std::string> names;
    if (found != store.end())
        for (const auto& [name, value] : found->second.values)
            names.push_back(name);
    return names;
}

} // namespace lumora::platform
