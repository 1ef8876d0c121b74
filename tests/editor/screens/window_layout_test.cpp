// Every screen of the window and of the dialogs it opens, drawn offscreen and checked
// for texts that do not fit (the suite runs this once at scale 1 and once at scale 2).
#include "../window_fixture.h"
#include "layout_check.h"

#include "editor/about_box.h"
#include "editor/find_replace_dialogs.h"
#include "editor/help_window.h"
#include "editor/qt_interaction.h"
#include "editor/search_result_preview.h"

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace lumora::testing {
namespace {

class WindowLayout : public WindowTest {
protected:
    void SetUp() override {
        startWindow();
        form->show();
    }
    void expectWhole(QWidget* screen) {
        const auto clipped = checkShownLayout(screen);
        EXPECT_TRUE(clipped.empty()) << "clipped on " << screen->objectName().toStdString()
                                     << " at scale " << screen->devicePixelRatio() << ":\n"
                                     << describe(clipped);
    }
};

TEST_F(WindowLayout, TheWindowInEachModeShowsItsTextsWhole) {
    expectWhole(form.get());
    form->RadioB_NOauto->click();
    ASSERT_TRUE(form->RadioB_NOauto->isChecked());
    expectWhole(form.get());
    form->PreviewOff1->trigger();
    expectWhole(form.get());
}

TEST_F(WindowLayout, TheDialogsShowTheirTextsWhole) {
    form->Find1->trigger();
    expectWhole(form->FindDialog3);
    form->Replace2->trigger();
    expectWhole(form->ReplaceDialog3);
    expectWhole(form->AboutBox);
    form->SearchResultPreview1->trigger();
    expectWhole(form->SearchPreviewDialog);
    // Longer texts and more findings, shown while it is open.
    const std::string words = "Roses tulips lilies and garden tools for every season ";
    form->RichEdit->setLines(
        {"<html lang=en><head><meta charset=iso-8859-1>", "<title>" + words + words + "</title>",
         "<meta name=description content=\"" + words + words + words + words + "\">",
         "</head><body>\xC3\xA9</body></html>"});
    form->SearchResultPreview1->trigger();
    expectWhole(form->SearchPreviewDialog);

    editor::HelpWindow help;
    help.setObjectName(QStringLiteral("HelpWindow"));
    help.showTopic((sourceDir() / "data/Lumora.hlp").string(), 1);
    expectWhole(&help);
}

// The boxes the window's real interaction opens: each is checked once it shows, then
// closed with Escape.
TEST_F(WindowLayout, TheModalBoxesShowTheirTextsWhole) {
    editor::QtInteraction interaction(form.get());
    const std::vector<std::pair<const char*, std::function<void()>>> boxes = {
        {"message", [&] { interaction.showMessage("Cant find html_filter.txt!"); }},
        {"error", [&] { interaction.showError("Cannot open file /tmp/page.htm"); }},
        {"question",
         [&] {
             interaction.ask("Save changes to page.htm?", editor::QuestionButtons::YesNoCancel);
         }},
        {"font",
         [&] {
             interaction.chooseFont({editor::FontDescription{"Liberation Sans", 10}, {}});
         }},
    };
    for (const auto& box : boxes) {
        const char* kind = box.first;
        bool checked = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!shown)
                return;
            poll.stop();
            shown->setObjectName(QString::fromLatin1(kind));
            expectWhole(shown);
            checked = true;
            shown->reject();
        });
        poll.start();
        box.second();
        EXPECT_TRUE(checked) << kind;
    }
}

class LayoutCount : public ::testing::Environment {
public:
    void TearDown() override {
        std::printf("Clipped texts on Lumora's screens: %d\n", clippedTextCount());
    }
};
[[maybe_unused]] const auto* const count = ::testing::AddGlobalTestEnvironment(new LayoutCount);

} // namespace
} // namespace lumora::testing
