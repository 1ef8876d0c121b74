#include "profile_file.h"

#include "atomic_file.h"
#include "regular_file_read.h"

#include <limits>
#include <system_error>

namespace lumora::platform {

namespace {

bool fileMissing(const std::filesystem::path& path) {
    std::error_code error;
    return !std::filesystem::exists(std::filesystem::symlink_status(path, error)) ||
           (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)) &&
            !std::filesystem::exists(path, error));
}

} // namespace

ProfileDocument ProfileFile::load() const {
    try {
        return ProfileDocument::parse(readWholeFile(path_));
    } catch (const NotRegularFile&) {
        throw;
    } catch (const FileError&) {
        return {};
    }
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    return load().readString(section, key, defaultValue);
}

long long ProfileFile::readInteger(std::string_view section, std::string_view key,
                                   long long defaultValue) const {
    const auto text = load().value(section, key);
    if (!text || text->empty())
        return defaultValue;
    std::string_view digits = *text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        long long result = 0;
        size_t used = 0;
        for (char c : digits.substr(2)) {
            int nibble = (c >= '0' && c <= '9')   ? c - '0'
                         : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                         : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                  : -1;
            if (nibble < 0)
                break;
            result = static_cast<long long>((static_cast<unsigned long long>(result) << 4) |
                                            static_cast<unsigned long long>(nibble));
            ++used;
        }
        return used ? result : defaultValue;
    }
    bool negative = false;
    if (digits.front() == '-' || digits.front() == '+') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    // Saturates instead of overflowing: the file is outside our control.
    constexpr long long largest = std::numeric_limits<long long>::max();
    long long result = 0;
    size_t used = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            break;
        const int digit = c - '0';
        result = result > (largest - digit) / 10 ? largest : result * 10 + digit;
        ++used;
    }
    if (!used)
        return defaultValue;
    return negative ? -result : result;
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
    return load().keys(section);
}

std::vector<std::string> ProfileFile::sections() const {
    return load().sections();
}

bool ProfileFile::hasSection(std::string_view section) const {
    return load().hasSection(section);
}

void ProfileFile::update(const std::function<void(ProfileDocument&)>& change) {
    ProfileDocument document;
    if (!fileMissing(path_))
        document = ProfileDocument::parse(readWholeFile(path_));
    change(document);
    writeFileAtomically(path_, document.serialize());
}

void ProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
    update([&](ProfileDocument& document) { document.writeString(section, key, value); });
}

// Erasing what is not there leaves the file untouched, byte for byte.
void ProfileFile::eraseSection(std::string_view section) {
    if (fileMissing(path_))
        return;
    ProfileDocument document = ProfileDocument::parse(readWholeFile(path_));
    if (document.eraseSection(section))
        writeFileAtomically(path_, document.serialize());
}

void ProfileFile::deleteKey(std::string_view section, std::string_view key) {
    if (fileMissing(path_))
        return;
    ProfileDocument document = ProfileDocument::parse(readWholeFile(path_));
    if (document.deleteKey(section, key))
        writeFileAtomically(path_, document.serialize());
}

void ProfileFile::removeIfEmpty() {
    if (fileMissing(path_))
        return;
    const std::string text = readWholeFile(path_);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        remove();
}

void ProfileFile::remove() {
    std::error_code error;
    if (!std::filesystem::remove(path_, error) && error &&
        error != std::errc::no_such_file_or_directory)
        throw FileError(path_.string(), error.message());
}

} // namespace lumora::platform
