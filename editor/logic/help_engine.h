#pragma once
// The help engine the Help menu talks to: open a help file at a context number, and
// the quit request that closes whatever help the program opened. The program hands
// in its help window; tests hand in a recorder.

#include <string>

namespace lumora::editor {

class HelpEngine {
public:
    virtual ~HelpEngine() = default;
    // Shows the topic of `helpFile` numbered `context`; a missing file or topic is
    // reported by the help engine in its own window.
    virtual void showContext(const std::string& helpFile, int context) = 0;
    // Closes the help opened for `helpFile`, if any.
    virtual void quit(const std::string& helpFile) = 0;
};

} // namespace lumora::editor
