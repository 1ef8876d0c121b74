#pragma once
// What the element copies share: the error prefixes the installer shows, and the
// lookup of the destination element at a source element's position.

#include "setup/script/element_lists.h"

#include <stdexcept>
#include <string>

namespace setupkit {

class TSetupData;

namespace detail {

inline constexpr const char* kFileListErrorPrefix = "TSetup data structure error: TSetupFileList: ";
inline constexpr const char* kFileGroupErrorPrefix =
    "TSetup data structure error: TSetupFileGroup: ";
inline constexpr const char* kFileGroupListErrorPrefix =
    "TSetup data structure error: TSetupFileGroupList: ";
inline constexpr const char* kDiskErrorPrefix = "TSetup data structure error: TSetupDisk: ";
inline constexpr const char* kFileErrorPrefix = "TSetup data structure error: TSetupFile: ";
inline constexpr const char* kDirErrorPrefix = "TSetup data structure error: TSetupDir: ";
inline constexpr const char* kChoiceItemErrorPrefix =
    "TSetup data structure error: TSetupChoiceItem: ";
inline constexpr const char* kChoiceDataErrorPrefix =
    "TSetup data structure error: TSetupChoiceData: ";
inline constexpr const char* kWinGroupErrorPrefix = "TSetup data structure error: TSetupWinGroup: ";
inline constexpr const char* kWinItemErrorPrefix = "TSetup data structure error: TSetupWinItem: ";

// The element at `index` of a destination list; a position the list does not have (the
// source element was not in its own root, -1) is an error of the copy.
template <class T> T* elementAtPosition(const OwnedElements<T>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return list[static_cast<std::size_t>(index)];
}

// The destination's root; copying references needs one.
inline TSetupData& requireScript(TSetupData* script) {
    if (!script)
        throw std::logic_error("the element belongs to no script");
    return *script;
}

} // namespace detail
} // namespace setupkit
