#pragma once
// Builds the real main window offscreen with a scripted interaction and pump,
// started in a private directory.

#include "editor/clickable_label.h"
#include "editor/logic/help_engine.h"
#include "editor/logic/scripted_interaction.h"
#include "editor/page_editor.h"
#include "editor/tform1.h"
#include "editor/track_bar.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumora::testing {

// Records what the Help menu asks of the help engine.
class RecordingHelpEngine : public editor::HelpEngine {
public:
    struct Request {
        std::string helpFile;
        int context = 0; // 0 for the quit request
        bool operator==(const Request&) const = default;
    };
    void showContext(const std::string& helpFile, int context) override {
        requests.push_back({helpFile, context});
    }
    void quit(const std::string& helpFile) override { requests.push_back({helpFile, 0}); }
    std::vector<Request> requests;
};

class WindowTest : public ::testing::Test {
protected:
    // With `filterLines` a noise list is put in the start-up directory first.
    void
    startWindow(std::optional<std::vector<std::string>> filterLines = std::vector<std::string>{}) {
        if (filterLines) {
            std::string text;
            for (const auto& line : *filterLines)
                text += line + "\r\n";
            writeFile(dir / "html_filter.txt", text);
        }
        form =
            std::make_unique<editor::TForm1>(editor::TForm1Services{ui, pump, dir.path().string()});
        form->setHelpEngine(help);
        form->setRecentFilesStore(recentStore().string());
    }
    std::filesystem::path recentStore() const { return dir / "recentflz.ini"; }
    void setPage(const std::vector<std::string>& lines) { form->RichEdit->setLines(lines); }
    const text::Lines& page() const { return form->RichEdit->lines(); }

    TempDir dir;
    editor::ScriptedInteraction ui;
    editor::ScriptedPump pump;
    RecordingHelpEngine help; // outlives the window, which quits it on destruction
    std::unique_ptr<editor::TForm1> form;
};

} // namespace lumora::testing
