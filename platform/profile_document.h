#pragma once
// The contents of a private profile (ini) file with the Windows profile rules:
// "[Section]" lines open sections, "key=value" lines hold values, sections and keys
// are found without regard to ASCII case, and every other line (comments, text
// before the first section, blank lines) is kept as it was when the file is
// written back. Values are bytes: nothing is re-encoded.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora::platform {

class ProfileDocument {
public:
    ProfileDocument() = default;
    // Lines may end in CR LF, LF or CR.
    static ProfileDocument parse(std::string_view bytes);
    // Every line ends in CR LF, as profile files on Windows do.
    std::string serialize() const;

    // The value of the first matching key of the first matching section, with the
    // blanks around it removed; nothing when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // value() or `defaultValue`.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;

    // Replaces the value of an existing key (its spelling stays) or appends the key
    // at the end of its section; a missing section is appended at the end of the
    // document. Blanks around the value cannot be kept, as on Windows, and a value
    // cannot hold a line break: CR and LF are written as blanks.
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    // Replaces everything the section holds with these entries, in this order, in
    // one pass however many there are (a log's list of files); a missing section is
    // appended. Comments inside the section go with the old entries.
    void writeSection(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& entries);

    // The keys of the section in file order, each once (first spelling), without
    // empty key names.
    std::vector<std::string> keys(std::string_view section) const;
    // Every key with its value in file order, each key once (first occurrence), read
    // in one pass however long the section is.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;
    // The keys of a section whose entries are keys only ("key="): each is the whole
    // entry line without its last '=', so a key that holds '=' itself comes back whole.
    // Each once without regard to case, in file order.
    std::vector<std::string> bareKeys(std::string_view section) const;
    // The section names in file order, each once.
    std::vector<std::string> sections() const;
    bool hasSection(std::string_view section) const;

    // Removes the section with every key in it (every section of that name).
    // Returns whether anything was removed.
    bool eraseSection(std::string_view section);
    // Removes the key (every occurrence in the section). Returns whether it was there.
    bool deleteKey(std::string_view section, std::string_view key);

private:
    struct Line {
        std::string text;
        // Parsed once: a key line's key and value; both empty for other lines.
        std::string key;
        std::string value;
        bool isEntry = false;
    };
    struct Section {
        std::string name;    // empty for the lines before the first section
        bool headed = false; // false only for the lines before the first section
        std::string header;  // the "[name]" line as written
        std::vector<Line> lines;
    };

    Section* findSection(std::string_view name);
    Section& appendSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    static Line makeLine(std::string text);

    std::vector<Section> sections_;
};

} // namespace lumora::platform
