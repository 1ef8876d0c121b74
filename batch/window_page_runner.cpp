#include "window_page_runner.h"

#include "batch/page_work.h"
#include "editor/page_editor.h"
#include "editor/tform1.h"
#include "editor/track_bar.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QRadioButton>

#include <memory>

namespace lumora::batch {

namespace {

std::vector<std::string> itemsOf(const QListWidget* list) {
    std::vector<std::string> items;
    for (int row = 0; row < list->count(); ++row)
        items.push_back(list->item(row)->text().toStdString());
    return items;
}

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

constexpr const char* kTagTestFailed = "failed the tag test";

} // namespace

WindowPageRunner::WindowPageRunner(Options options, std::vector<std::string> filter,
                                   std::string startDirectory, WindowUse use)
    : options_(std::move(options)), filter_(std::move(filter)),
      startDirectory_(std::move(startDirectory)), use_(use) {}

WindowPageRunner::~WindowPageRunner() = default;

std::unique_ptr<editor::TForm1> WindowPageRunner::startWindow() {
    auto form =
        std::make_unique<editor::TForm1>(editor::TForm1Services{ui_, pump_, startDirectory_});
    // The user's recent files are the editor's: a batch run keeps its own.
    form->keepRecentFilesInMemory();
    // What start-up says (a missing list in the start-up directory) is not the page's.
    ui_.clear();
    // A user first leaves the preview the window starts in, then sets it up.
    form->PreviewOff1Click();
    // The window is never shown, so no one sees the editor's lines; with no height
    // Qt lays out no lines to find where the caret shows after each page's edits.
    // The page's bytes do not depend on it: the editor does not wrap lines.
    form->RichEdit->resize(form->RichEdit->width(), 0);
    // A window that serves many pages keeps each page as lines only: building the
    // editor's text document for a page and again for its tags cost more than the chain.
    // A fresh window keeps the page in its document, as the user's window does.
    if (use_ == WindowUse::OneForAllPages)
        form->RichEdit->keepPageAsLinesOnly();
    return form;
}

editor::TForm1& WindowPageRunner::windowForPage() {
    if (use_ == WindowUse::FreshPerPage) {
        window_.reset();
        window_ = startWindow();
    } else if (!window_) {
        window_ = startWindow();
        window_->rememberState();
    } else {
        // The page is opened next, so the start-up page need not come back first.
        window_->returnToRememberedState(true);
    }
    return *window_;
}

void WindowPageRunner::applySettings(editor::TForm1& form, const Options& options,
                                     const std::vector<std::string>& filter) {
    form.CheckB_USEfilter->setChecked(options.useFilter);
    // The list is the window's start-up list for nearly every run: compared, not copied.
    const std::vector<std::string> none;
    const std::vector<std::string>& list = options.useFilter ? filter : none;
    if (form.ListBox1 != list)
        form.ListBox1 = list;
    form.CheckB_ReadVisible->setChecked(options.visibleText);
    form.setReadingLanguage(options.language.value_or(""));
    form.CheckBxDOtitle->setChecked(options.includeTitle);
    form.CheckBxDOdisription->setChecked(options.includeDescription);
    form.CheckBxDOkeywrds->setChecked(options.includeKeywords);
    form.CheckBxKwBoost->setChecked(options.keywordBooster);
    form.CheckBxDOhidenTags->setChecked(options.addHiddenWords);
}

PageResult WindowPageRunner::run(const PageRequest& request) {
    try {
        readPageBytes(request.path);
    } catch (const PageRefused& refused) {
        return errorResult(request.path, refused.what());
    }

    PageResult result;
    result.path = request.path;
    try {
        work(windowForPage(), request, result);
    } catch (const PageRefused& refused) {
        result = errorResult(request.path, refused.what());
    } catch (const std::exception& failure) {
        result = errorResult(request.path, std::string("internal error: ") + failure.what());
    }
    ui_.clear();
    if (use_ == WindowUse::FreshPerPage)
        window_.reset();
    // Events posted while the page was worked on (layout, deferred deletes) go now,
    // so they do not pile up over thousands of pages.
    QCoreApplication::processEvents();
    return result;
}

void WindowPageRunner::work(editor::TForm1& form, const PageRequest& request, PageResult& result) {
    applySettings(form, options_, filter_);
    ui_.setPageToOpen(request.path);
    form.Open2Click();
    if (ui_.errorCount() > 0) {
        result = errorResult(request.path, oneLine(ui_.texts().back()));
        return;
    }
    if (options_.sensitivity)
        form.TrackBar1->setValue(*options_.sensitivity);

    switch (options_.command) {
    case Command::Keywords:
        scanKeywords(form, result);
        break;
    case Command::Test:
        testTags(form, result);
        break;
    case Command::Auto:
        fullAutoGo(form, request, result);
        break;
    case Command::Compress:
    case Command::Audit: // neither needs the window; they never come here
        break;
    }
    result.messages = ui_.texts();
}

void WindowPageRunner::scanKeywords(editor::TForm1& form, PageResult& result) {
    // Manual mode: the scan and its sensitivity adjustment are the same, but no chain
    // follows it.
    form.RadioB_NOauto->setChecked(true);
    form.Button5Click();
    if (!form.TagsPassed) {
        result.status = PageStatus::Failed;
        result.reason = kTagTestFailed;
        return;
    }
    result.keywords = itemsOf(form.ListBox3);
    result.sensitivity = form.TrackBar1->value();
}

void WindowPageRunner::testTags(editor::TForm1& form, PageResult& result) {
    form.TestMetaTags1Click();
    if (!form.TagsPassed) {
        result.status = PageStatus::Failed;
        result.reason = kTagTestFailed;
    }
}

void WindowPageRunner::fullAutoGo(editor::TForm1& form, const PageRequest& request,
                                  PageResult& result) {
    const text::Lines original = form.RichEdit->lines();
    const uint64_t revision = form.RichEdit->revision();
    std::string description;
    ui_.onQuestion([&] { description = form.Edit1DescrptStorage; });
    // However the chain ends, the hook must not outlive what it writes to.
    const std::unique_ptr<BatchInteraction, void (*)(BatchInteraction*)> unhook(
        &ui_, [](BatchInteraction* ui) { ui->onQuestion(nullptr); });
    form.Button5Click();

    const bool built = form.RichEdit->revision() != revision;
    result.keywords = itemsOf(form.ListBox3);
    result.sensitivity = form.TrackBar1->value();
    result.title = form.Edit1TileStorage;
    result.description = description;

    if (!built) {
        // The tag test passed unless the flag is still clear; only a built page clears it.
        if (!form.TagsPassed) {
            result.status = PageStatus::Failed;
            result.reason = kTagTestFailed;
            result.keywords.clear(); // no scan ran
            result.sensitivity = -1;
            return;
        }
        result.status = PageStatus::Unchanged;
        if (result.keywords.size() <= 2)
            result.reason = "too few keywords (" + std::to_string(result.keywords.size()) +
                            ") for the title and the tags";
        else if (options_.includeTitle && form.Edit1TileStorage.empty())
            result.reason = "no title accepted";
        else if (options_.includeTitle && options_.includeDescription && description.empty())
            result.reason = "no description accepted";
        else
            result.reason =
                "the tag builder stopped" +
                (ui_.texts().empty() ? std::string() : ": " + oneLine(ui_.texts().back()));
        return;
    }

    const text::Lines& page = form.RichEdit->lines();
    result.changed = page != original;
    if (!options_.dryRun && (result.changed || !request.output.empty()))
        result.output = writePage(request, page, form.pageEncoding());
}

} // namespace lumora::batch
