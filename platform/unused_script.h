#pragma once
// Scripted stand-ins for the user (the scripted interactions and pumps of both programs)
// say here, when they are dropped, which scripted answers, files, presses or steps the
// run never used: a box that silently stopped appearing leaves its answer behind. The
// test programs install a reporter that fails the running test; elsewhere (an unattended
// run, a benchmark) nobody listens.

#include <functional>
#include <string>
#include <vector>

namespace lumora::platform {

using UnusedScriptReporter = std::function<void(const std::string& report)>;

inline UnusedScriptReporter& unusedScriptReporter() {
    static UnusedScriptReporter reporter;
    return reporter;
}

// Tells the reporter of `items` (one description each) left in the script `owner`.
inline void reportUnusedScript(const std::string& owner, const std::vector<std::string>& items) {
    if (items.empty() || !unusedScriptReporter())
        return;
    std::string report =
        owner + " ends with " + std::to_string(items.size()) + " scripted item(s) never used:";
    for (const std::string& item : items)
        report += "\n  " + item;
    unusedScriptReporter()(report);
}

} // namespace lumora::platform
