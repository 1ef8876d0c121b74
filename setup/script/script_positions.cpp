#include "setup/script/script_positions.h"

#include "setup/script/setup_data.h"

namespace setupkit {

namespace {
template <class T>
void index(const OwnedElements<T>& list, std::unordered_map<const T*, int>& into) {
    into.reserve(list.size());
    int position = 0;
    for (const T* element : list)
        into.emplace(element, position++);
}
} // namespace

ScriptPositions::ScriptPositions(const TSetupData* root) {
    if (!root)
        return;
    index(root->Files(), files_);
    index(root->Dirs(), dirs_);
    index(root->FileGroups(), fileGroups_);
    index(root->ChoiceItems(), choiceItems_);
    index(root->WinItems(), winItems_);
}

} // namespace setupkit
