#include "setup/engine/string_table.h"

#include "setup/engine/english_catalogue.h"

namespace setupkit {

ProgramStringTable::ProgramStringTable(std::vector<std::string> compiledCatalogue)
    : compiled_(std::move(compiledCatalogue)) {}

std::optional<std::string> ProgramStringTable::loadString(int id) const {
    if (id >= EnglishStringBase && id < EnglishStringBase + CatalogueSize)
        return std::string(EnglishCatalogue[static_cast<size_t>(id - EnglishStringBase)]);
    const int compiledIndex = id - CompiledStringBase;
    // An empty entry stands for a string the table does not have.
    if (compiledIndex >= 0 && static_cast<size_t>(compiledIndex) < compiled_.size() &&
        !compiled_[static_cast<size_t>(compiledIndex)].empty())
        return compiled_[static_cast<size_t>(compiledIndex)];
    return std::nullopt;
}

} // namespace setupkit
