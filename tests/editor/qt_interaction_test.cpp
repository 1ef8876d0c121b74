// The program's real boxes and dialogs, opened through the interaction door and
// answered as a user answers them: read the box, then click its button or press a key.

#include "editor/about_box.h"
#include "editor/qt_interaction.h"
#include "modal_box_driver.h"
#include "temp_dir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace lumora::editor {
namespace {

using testing::clickButton;
using testing::ModalBoxDriver;
using testing::visibleButtonTexts;

class QtInteractionTest : public ::testing::Test {
protected:
    QtInteractionTest() { QApplication::setApplicationDisplayName(QStringLiteral("Lumora")); }
    QtInteraction ui;
    ModalBoxDriver driver;
};

// How the user answers a box: a click on a button, or a key.
struct Press {
    QString button; // empty: press `key` instead
    Qt::Key key = Qt::Key_unknown;
};

void press(QWidget& box, const Press& how) {
    if (!how.button.isEmpty())
        clickButton(box, how.button);
    else
        QTest::keyClick(&box, how.key);
}

// What a message box must show before it is answered.
void expectBox(QWidget& widget, QMessageBox::Icon icon, const QString& title, const QString& text,
               const QStringList& buttons) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    ASSERT_TRUE(box) << widget.metaObject()->className();
    EXPECT_EQ(box->icon(), icon);
    EXPECT_EQ(box->windowTitle(), title);
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(visibleButtonTexts(*box), buttons);
}

TEST_F(QtInteractionTest, MessagesShowTheirTextWithOneOkButton) {
    struct Case {
        bool error;
        QMessageBox::Icon icon;
        Press how;
    };
    const Case cases[] = {
        {false, QMessageBox::Information, {"OK"}},
        {false, QMessageBox::Information, {{}, Qt::Key_Return}},
        {true, QMessageBox::Critical, {"OK"}},
        {true, QMessageBox::Critical, {{}, Qt::Key_Escape}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error ? "error" : "message");
        driver.then([&](QWidget& box) {
            expectBox(box, c.icon, "Lumora", "Cannot open file x.htm\nSecond line", {"OK"});
            press(box, c.how);
        });
        const std::string text = "Cannot open file x.htm\rSecond line";
        c.error ? ui.showError(text) : ui.showMessage(text);
        EXPECT_FALSE(QApplication::activeModalWidget());
    }
    EXPECT_EQ(driver.handled(), 4);
}

TEST_F(QtInteractionTest, QuestionsOfferTheirButtonSetAndAnswerAsPressed) {
    struct Case {
        QuestionButtons buttons;
        Press how;
        Answer answer;
    };
    const QStringList yesNo = {"&Yes", "&No"};
    const QStringList yesNoCancel = {"&Yes", "&No", "Cancel"};
    const Case cases[] = {
        {QuestionButtons::YesNo, {"&Yes"}, Answer::Yes},
        {QuestionButtons::YesNo, {"&No"}, Answer::No},
        {QuestionButtons::YesNo, {{}, Qt::Key_Return}, Answer::Yes}, // Yes is the default
        {QuestionButtons::YesNo, {{}, Qt::Key_Escape}, Answer::No},
        {QuestionButtons::YesNoCancel, {"&Yes"}, Answer::Yes},
        {QuestionButtons::YesNoCancel, {"&No"}, Answer::No},
        {QuestionButtons::YesNoCancel, {"Cancel"}, Answer::Cancel},
        {QuestionButtons::YesNoCancel, {{}, Qt::Key_Return}, Answer::Yes},
        {QuestionButtons::YesNoCancel, {{}, Qt::Key_Escape}, Answer::Cancel},
    };
    for (const Case& c : cases) {
        const bool cancel = c.buttons == QuestionButtons::YesNoCancel;
        SCOPED_TRACE(
            (cancel ? "Yes/No/Cancel, " : "Yes/No, ") +
            (c.how.button.isEmpty() ? QTest::toString(c.how.key) : c.how.button.toStdString()));
        driver.then([&](QWidget& box) {
            expectBox(box, QMessageBox::Question, "Confirm",
                      "The document a.htm has changed.\n\nDo you want to save the changes?",
                      cancel ? yesNoCancel : yesNo);
            press(box, c.how);
        });
        EXPECT_EQ(ui.ask("The document a.htm has changed.\r\rDo you want to save the changes?",
                         c.buttons),
                  c.answer);
    }
}

// Types `name` into a file dialog's name box and accepts it with its button.
void typeNameAndAccept(QWidget& widget, const QString& name, const QString& acceptCaption) {
    auto* dialog = qobject_cast<QFileDialog*>(&widget);
    ASSERT_TRUE(dialog) << widget.metaObject()->className();
    EXPECT_EQ(dialog->nameFilters(),
              QStringList({"HTML File (*.htm*)", "Text File (*.txt)", "Any File (*)"}));
    auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(nameEdit);
    nameEdit->clear();
    QTest::keyClicks(nameEdit, name);
    clickButton(*dialog, acceptCaption);
}

TEST_F(QtInteractionTest, FileDialogsReturnTheNameTypedOrNothingOnCancel) {
    lumora::testing::TempDir dir;
    lumora::testing::writeFile(dir / "page.htm", "<html>");
    lumora::testing::writeFile(dir / "old.htm", "<html>");
    const std::string folder = dir.path().string() + "/";
    const std::string filter =
        "HTML File (*.htm*)|*.htm*|Text File (*.txt)|*.txt|Any File (*.*)|*.*";

    driver.then([](QWidget& box) { typeNameAndAccept(box, "page.htm", "&Open"); });
    EXPECT_EQ(ui.chooseOpenFile({filter, folder, false}), folder + "page.htm");

    driver.then([](QWidget& box) { clickButton(box, "Cancel"); });
    EXPECT_EQ(ui.chooseOpenFile({filter, folder, false}), std::nullopt);

    // The proposed name is what the dialog shows first.
    driver.then([](QWidget& box) {
        auto* nameEdit = box.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(nameEdit);
        EXPECT_EQ(nameEdit->text(), "new.htm");
        clickButton(box, "&Save");
    });
    EXPECT_EQ(ui.chooseSaveFile({filter, folder + "new.htm", true}), folder + "new.htm");

    // An existing file is replaced only after the user agreed, when the caller asks for that.
    driver.then([](QWidget& box) { typeNameAndAccept(box, "old.htm", "&Save"); })
        .then([](QWidget& box) {
            ASSERT_TRUE(qobject_cast<QMessageBox*>(&box));
            EXPECT_TRUE(static_cast<QMessageBox&>(box).text().contains("old.htm"));
            clickButton(box, "&Yes");
        });
    EXPECT_EQ(ui.chooseSaveFile({filter, folder, true}), folder + "old.htm");
    driver.then([](QWidget& box) { typeNameAndAccept(box, "old.htm", "&Save"); });
    EXPECT_EQ(ui.chooseSaveFile({filter, folder, false}), folder + "old.htm");
    EXPECT_EQ(driver.handled(), 6);
}

TEST_F(QtInteractionTest, FontDialogOpensOnTheFontAndAppliesOnlyWhereAsked) {
    const FontDescription initial{"DejaVu Sans", 12, true, false, false, false};
    std::vector<FontDescription> applied;
    struct Case {
        bool withApply;
        QString close;
        bool chosen;
    };
    const Case cases[] = {{true, "OK", true}, {false, "OK", true}, {true, "Cancel", false}};
    for (const Case& c : cases) {
        applied.clear();
        driver.then([&](QWidget& box) {
            auto* dialog = qobject_cast<QFontDialog*>(&box);
            ASSERT_TRUE(dialog) << box.metaObject()->className();
            EXPECT_EQ(dialog->currentFont().family(), "DejaVu Sans");
            EXPECT_EQ(dialog->currentFont().pointSize(), 12);
            EXPECT_TRUE(dialog->currentFont().bold());
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            ASSERT_TRUE(buttons);
            QPushButton* apply = buttons->button(QDialogButtonBox::Apply);
            ASSERT_EQ(apply != nullptr, c.withApply);
            if (apply)
                QTest::mouseClick(apply, Qt::LeftButton);
            clickButton(box, c.close);
        });
        FontDialogRequest request{initial, {}};
        if (c.withApply)
            request.apply = [&](const FontDescription& font) { applied.push_back(font); };
        const auto result = ui.chooseFont(request);
        EXPECT_EQ(result.has_value(), c.chosen);
        if (result) {
            EXPECT_EQ(*result, initial);
        }
        EXPECT_EQ(applied, c.withApply ? std::vector<FontDescription>{initial}
                                       : std::vector<FontDescription>{});
    }
}

TEST_F(QtInteractionTest, ModalDialogRunsUntilClosed) {
    TAboutBox about;
    driver.then([&](QWidget& box) {
        EXPECT_EQ(&box, &about);
        EXPECT_EQ(box.windowTitle(), "About Lumora");
        clickButton(box, "OK");
    });
    ui.showModal(about);
    EXPECT_EQ(driver.handled(), 1);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace lumora::editor
