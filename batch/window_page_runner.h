#pragma once
// Runs keywords, test and auto through Lumora's own window, offscreen, as a user who
// starts Lumora, opens the page and presses the command's button gets it. Making a
// window costs far more than most pages' work, so by default one window serves every
// page, brought back before each to the state it had after start-up; a fresh window
// per page gives the same results, slower. Needs a QApplication in this process.

#include "batch/batch_interaction.h"
#include "batch/batch_options.h"
#include "batch/page_result.h"
#include "batch/worker_protocol.h"
#include "editor/logic/message_pump.h"

#include <memory>
#include <string>
#include <vector>

namespace lumora::editor {
class TForm1;
}

namespace lumora::batch {

enum class WindowUse {
    OneForAllPages, // its editor keeps the page as lines only
    FreshPerPage,   // as the tool first ran: the page in the editor's text document
};

class WindowPageRunner {
public:
    // `filter` is the noise-word list the window gets (ignored with --no-filter);
    // `startDirectory` is the window's start-up directory.
    WindowPageRunner(Options options, std::vector<std::string> filter, std::string startDirectory,
                     WindowUse use = WindowUse::OneForAllPages);
    ~WindowPageRunner();

    PageResult run(const PageRequest& request);

    // The window settings the options stand for, applied before the page is opened.
    static void applySettings(editor::TForm1& form, const Options& options,
                              const std::vector<std::string>& filter);

private:
    // A window as start-up leaves it, the preview left and the recent files kept apart.
    std::unique_ptr<editor::TForm1> startWindow();
    editor::TForm1& windowForPage();
    void work(editor::TForm1& form, const PageRequest& request, PageResult& result);
    void scanKeywords(editor::TForm1& form, PageResult& result);
    void testTags(editor::TForm1& form, PageResult& result);
    void fullAutoGo(editor::TForm1& form, const PageRequest& request, PageResult& result);

    Options options_;
    std::vector<std::string> filter_;
    std::string startDirectory_;
    WindowUse use_;
    BatchInteraction ui_;
    editor::IdlePump pump_;
    std::unique_ptr<editor::TForm1> window_; // the one kept between pages
};

} // namespace lumora::batch
