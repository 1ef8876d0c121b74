#pragma once
// setup --check: whether the distribution folder holds what its install script lists
// (each file present, with the size it ships at) and the decompression library its
// compressed files need, and where each file would be installed.

#include "setup/script/setup_data.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace setupkit {

struct DistributionCheck {
    std::vector<std::string> plan;     // what goes where, one line each
    std::vector<std::string> problems; // one line each; none: the distribution is sound
    std::vector<std::string> notes;    // worth knowing, not a fault
    bool sound() const { return problems.empty(); }
};

// `folder` is the distribution's host folder; `placeOf` names where a script
// directory's files would go (a Windows path, and the host path where one reaches it).
DistributionCheck checkDistribution(const TSetupData& script, const std::filesystem::path& folder,
                                    const std::function<std::string(const TSetupDir&)>& placeOf);

} // namespace setupkit
