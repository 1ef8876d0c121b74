#pragma once
// The help engine of the program: a window of our own that shows one topic of a
// Lumora help file, and closes on the quit request. A missing file or topic is
// reported inside the help window.

#include "editor/logic/help_engine.h"

#include <QWidget>

#include <memory>

class QTextBrowser;

namespace lumora::editor {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow();

    // Shows the topic (or the reason it cannot be shown).
    void showTopic(const std::string& helpFile, int context);
    const std::string& helpFile() const { return helpFile_; }
    QTextBrowser* view() const { return view_; }

private:
    QTextBrowser* view_ = nullptr;
    std::string helpFile_;
};

class WindowHelpEngine : public HelpEngine {
public:
    WindowHelpEngine();
    ~WindowHelpEngine() override;

    void showContext(const std::string& helpFile, int context) override;
    void quit(const std::string& helpFile) override;

    // The help window once a topic was asked for; null before.
    HelpWindow* window() const { return window_.get(); }

private:
    std::unique_ptr<HelpWindow> window_;
};

} // namespace lumora::editor
