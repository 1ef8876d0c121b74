#pragma once
// Makes every scripted interaction or pump that is dropped with items never used fail
// the test that owned it, listing those items: a box that silently stopped appearing
// leaves its answer behind. Both test mains install it, so no fixture can forget it.

#include <string>
#include <vector>

namespace lumora::testing {

void failTestsOnUnusedScripts();

// For the tests of that check: while it lives, reports are kept here instead of
// failing the test.
class CapturedUnusedScripts {
public:
    CapturedUnusedScripts();
    ~CapturedUnusedScripts();
    CapturedUnusedScripts(const CapturedUnusedScripts&) = delete;
    CapturedUnusedScripts& operator=(const CapturedUnusedScripts&) = delete;
    std::vector<std::string> reports;
};

} // namespace lumora::testing
