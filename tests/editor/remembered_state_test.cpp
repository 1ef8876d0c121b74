// A window brought back to the state it remembered must be, to whatever comes next,
// the window just started: the batch tool works on page after page in one window.

#include "editor/find_replace_dialogs.h"
#include "editor/logic/message_pump.h"
#include "editor/logic/sample_page.h"
#include "editor/logic/scripted_interaction.h"
#include "editor/page_editor.h"
#include "editor/tform1.h"
#include "editor/track_bar.h"
#include "temp_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

using namespace lumora;
using editor::Answer;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// What a user or a command can see of the window, one line per item, in no order
// (a menu rebuilt puts its items last among the window's children).
std::vector<std::string> fingerprint(editor::TForm1& form) {
    std::vector<std::string> lines = {
        "file " + form.DocFileName + "|" + form.PendingFileName,
        "flags " + std::to_string(form.Modified) + std::to_string(form.TagsPassed) +
            std::to_string(form.continueFlag()),
        "storage " + form.Edit1TileStorage + "|" + form.Edit1DescrptStorage + "|" + form.Edit2Drv,
        "find " + form.Fedit + "|" + form.Redit + "|" + form.Apost,
        "scan " + std::to_string(form.ListBox2Count()) + " " + std::to_string(form.Memo6.size()),
        "noise " + std::to_string(form.ListBox1.size()),
        "encoding " + std::to_string(static_cast<int>(form.pageEncoding())),
        "undo " + std::to_string(form.RichEdit->document()->isUndoAvailable()) +
            std::to_string(form.RichEdit->document()->isRedoAvailable()),
        "cursor " + std::to_string(form.RichEdit->textCursor().position()),
        "replace all " + std::to_string(form.ReplaceDialog3->replaceAll()),
    };
    for (const auto& line : form.RichEdit->lines())
        lines.push_back("page " + line);
    auto describe = [&](QObject* object) {
        std::string line = object->metaObject()->className() + std::string(" ") +
                           object->objectName().toStdString();
        for (const char* property : {"text", "title", "windowTitle", "checked", "enabled",
                                     "visible", "value", "minimum", "maximum", "readOnly", "font"})
            if (object->metaObject()->indexOfProperty(property) >= 0)
                line += std::string(" ") + property + "=" +
                        object->property(property).toString().toStdString();
        if (auto* widget = qobject_cast<QWidget*>(object))
            line += " hidden=" + std::to_string(widget->isHidden());
        if (auto* track = qobject_cast<editor::TrackBar*>(object))
            line += " band=" + std::to_string(track->selStart()) + "-" +
                    std::to_string(track->selEnd());
        if (auto* list = qobject_cast<QListWidget*>(object))
            for (int row = 0; row < list->count(); ++row)
                line += " item=" + list->item(row)->text().toStdString() +
                        (list->item(row)->isSelected() ? "*" : "");
        lines.push_back(line);
    };
    describe(&form);
    for (QObject* child : form.findChildren<QObject*>())
        describe(child);
    std::sort(lines.begin(), lines.end());
    return lines;
}

struct Window {
    explicit Window(const fs::path& start) : form({ui, pump, start.string()}) {
        form.keepRecentFilesInMemory();
        form.PreviewOff1Click();
        ui.clearRecords();
    }
    // FULL AUTO GO on `page`, saying Yes to the title, the description and the tags.
    text::Lines fullAutoGo(const fs::path& page) {
        ui.queueFile(page.string());
        form.Open2Click();
        for (int i = 0; i < 3; ++i)
            ui.queueAnswer(Answer::Yes);
        form.BitBtn1FullAuto->click();
        return form.RichEdit->lines();
    }
    editor::ScriptedInteraction ui;
    editor::IdlePump pump;
    editor::TForm1 form;
};

} // namespace

TEST(RememberedState, AWindowBroughtBackIsTheWindowJustStartedAfterAnyUse) {
    TempDir dir;
    fs::create_directories(dir / "start");
    lumora::testing::writeFile(dir / "start/html_filter.txt", "the\r\nand\r\nyour\r\n");
    const fs::path page = dir / "page.htm";
    lumora::testing::writeFile(page, text::joinWithCrLf(editor::samplePage()));

    Window used(dir / "start");
    used.form.rememberState();
    const std::vector<std::string> started = fingerprint(used.form);

    // A page worked on as the tool does, and then as a user goes on by hand.
    const text::Lines built = used.fullAutoGo(page);
    used.form.RichEdit->moveCursor(QTextCursor::End);
    QTest::keyClicks(used.form.RichEdit, "roses");
    used.form.CheckBxKwBoost->click();
    used.form.RadioB_NOauto->click();
    used.form.TrackBar1->setValue(17);
    used.form.ListBox3->addItem(QStringLiteral("extra"));
    used.form.ListBox3->item(0)->setSelected(true);
    used.form.ListBox1.push_back("garden");
    used.form.FindDialog3->FindText->setText(QStringLiteral("meta"));
    used.form.FindDialog3Find();
    used.form.ReplaceDialog3->ReplaceText->setText(QStringLiteral("tag"));
    used.form.ReplaceDialog3->setReplaceAll(true);
    used.form.Undo2Click();
    ASSERT_NE(fingerprint(used.form), started) << "the use changed nothing: a useless case";

    used.form.returnToRememberedState();
    Window fresh(dir / "start");
    EXPECT_EQ(fingerprint(used.form), fingerprint(fresh.form));
    EXPECT_EQ(fingerprint(used.form), started);

    // And the next page comes out of it as out of the fresh window, with the same words.
    used.ui.clearRecords();
    const text::Lines again = used.fullAutoGo(page);
    EXPECT_EQ(again, fresh.fullAutoGo(page));
    EXPECT_EQ(again, built);
    EXPECT_EQ(used.ui.texts(), fresh.ui.texts());
}
