#pragma once
// The tag test: finds title and meta tag lines the tag builder cannot handle.
// Read-only; the window shows the messages in order and sets its flag on a pass.

#include <string>
#include <string_view>
#include <vector>

namespace lumora::tags {

inline constexpr std::string_view kCheckDocument = "Please check your document.";

struct TagTestMessage {
    std::string text;
    bool problem = false; // a problem also sets the report label to kCheckDocument
};

struct TagTestReport {
    std::vector<TagTestMessage> messages; // in the order they are shown
    bool passed = false;
};

// `apostrophe` is the text of the hidden `Apost` field.
TagTestReport testMetaTags(const std::vector<std::string>& lines,
                           std::string_view apostrophe = "'");

} // namespace lumora::tags
