#pragma once
// Positions of a root's elements in its lists, computed once, so that copying and
// writing a script turn element references into indices in constant time each.

#include <unordered_map>

namespace setupkit {

class TSetupData;
class TSetupFile;
class TSetupDir;
class TSetupFileGroup;
class TSetupChoiceItem;
class TSetupWinItem;

class ScriptPositions {
public:
    // A null root knows no positions.
    explicit ScriptPositions(const TSetupData* root);

    // -1 when the element is not in the root's list of its kind.
    int fileIndex(const TSetupFile* file) const { return lookup(files_, file); }
    int dirIndex(const TSetupDir* dir) const { return lookup(dirs_, dir); }
    int fileGroupIndex(const TSetupFileGroup* group) const { return lookup(fileGroups_, group); }
    int choiceItemIndex(const TSetupChoiceItem* item) const { return lookup(choiceItems_, item); }
    int winItemIndex(const TSetupWinItem* item) const { return lookup(winItems_, item); }

private:
    template <class T>
    static int lookup(const std::unordered_map<const T*, int>& map, const T* element) {
        const auto found = map.find(element);
        return found == map.end() ? -1 : found->second;
    }

    std::unordered_map<const TSetupFile*, int> files_;
    std::unordered_map<const TSetupDir*, int> dirs_;
    std::unordered_map<const TSetupFileGroup*, int> fileGroups_;
    std::unordered_map<const TSetupChoiceItem*, int> choiceItems_;
    std::unordered_map<const TSetupWinItem*, int> winItems_;
};

} // namespace setupkit
