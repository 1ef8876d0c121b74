#include "unused_script_check.h"

#include "platform/unused_script.h"

#include <gtest/gtest.h>

namespace lumora::testing {

void failTestsOnUnusedScripts() {
    platform::unusedScriptReporter() = [](const std::string& report) { ADD_FAILURE() << report; };
}

CapturedUnusedScripts::CapturedUnusedScripts() {
    platform::unusedScriptReporter() = [this](const std::string& report) {
        reports.push_back(report);
    };
}

CapturedUnusedScripts::~CapturedUnusedScripts() {
    failTestsOnUnusedScripts();
}

} // namespace lumora::testing
