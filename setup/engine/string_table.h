#pragma once
// A module's numbered string resources, the form in which the installer's message
// catalogues live: the program's own table, or the optional language library's.

#include <optional>
#include <string>
#include <vector>

namespace setupkit {

// Strings are loaded through buffers of this many characters, terminator included.
inline constexpr int StringBufferSize = 2048;

class StringTable {
public:
    virtual ~StringTable() = default;
    // The string numbered `id`, or nothing when the module has no such string.
    virtual std::optional<std::string> loadString(int id) const = 0;
};

// Where the catalogues sit in the program's own table.
inline constexpr int EnglishStringBase = 5000;
inline constexpr int CompiledStringBase = 6000;

// The program's own string table: the English catalogue at 5000 and, when the
// program is built with one, a second catalogue at 6000 (its text 0 names it).
class ProgramStringTable : public StringTable {
public:
    explicit ProgramStringTable(std::vector<std::string> compiledCatalogue = {});
    std::optional<std::string> loadString(int id) const override;

private:
    std::vector<std::string> compiled_;
};

} // namespace setupkit
