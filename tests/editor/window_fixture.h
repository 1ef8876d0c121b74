#pragma once
// Builds the real main window offscreen with a scripted interaction and pump,
// started in a private directory.

#include "editor/clickable_label.h"
#include "editor/logic/scripted_interaction.h"
#include "editor/page_editor.h"
#include "editor/tform1.h"
#include "editor/track_bar.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumora::testing {

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
    }
    void setPage(const std::vector<std::string>& lines) { form->RichEdit->setLines(lines); }
    const text::Lines& page() const { return form->RichEdit->lines(); }

    TempDir dir;
    editor::ScriptedInteraction ui;
    editor::ScriptedPump pump;
    std::unique_ptr<editor::TForm1> form;
};

} // namespace lumora::testing
