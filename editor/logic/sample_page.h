#pragma once
// The practice page the editor holds at start.

#include <string>
#include <vector>

namespace lumora::editor {

const std::vector<std::string>& samplePage();

} // namespace lumora::editor
