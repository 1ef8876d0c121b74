// The installer's real boxes, opened through its interaction seam and answered as a
// user answers them: read the box, then click its button or press a key.

#include "modal_box_driver.h"
#include "setup/engine/answer_file_pump.h"
#include "setup/engine/message_catalogue.h"
#include "setup/engine/qt_setup_interaction.h"
#include "setup/engine/setup_message_dialog.h"
#include "setup/engine/setup_message_dlg.h"
#include "setup/engine/text_viewer_dialog.h"
#include "unused_script_check.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace setupkit {
namespace {

using lumora::testing::clickButton;
using lumora::testing::ModalBoxDriver;
using lumora::testing::visibleButtonTexts;

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

std::string describe(const Press& how) {
    return how.button.isEmpty() ? QTest::toString(how.key) : how.button.toStdString();
}

class QtSetupInteractionTest : public ::testing::Test {
protected:
    QtSetupInteraction interaction;
    MessageCatalogue catalogue{interaction, noLanguageLibrary()};
    ModalBoxDriver driver;
};

TEST_F(QtSetupInteractionTest, KitBoxShowsItsKindAndButtonsAndAnswersAsPressed) {
    struct Case {
        const char* text;
        int kind;
        unsigned buttons;
        const char* title;
        QStringList captions;
        Press how;
        int result;
    };
    const Case cases[] = {
        {"Unable to load language DLL.  Reverting to the default language.",
         mtWarning,
         mbOK,
         "Warning",
         {"&OK"},
         {"&OK"},
         mrOk},
        {"FILE COPY ERROR: readme.txt",
         mtError,
         mbAbort | mbRetry | mbIgnore,
         "Error",
         {"A&bort", "&Retry", "&Ignore"},
         {"&Retry"},
         mrRetry},
        {"Setup completed successfully.",
         mtInformation,
         0,
         "Information",
         {"&OK"},
         {{}, Qt::Key_Return},
         mrOk},
        {"Cancel Setup?",
         mtConfirmation,
         mbYes | mbNo,
         "Confirmation",
         {"&Yes", "&No"},
         {"&No"},
         mrNo},
        {"Cancel Setup?",
         mtConfirmation,
         mbYes | mbNo,
         "Confirmation",
         {"&Yes", "&No"},
         {{}, Qt::Key_Return},
         mrYes},
        {"Cancel Setup?",
         mtConfirmation,
         mbYes | mbNo,
         "Confirmation",
         {"&Yes", "&No"},
         {{}, Qt::Key_Escape},
         mrNo},
        {"Overwrite?",
         mtConfirmation,
         mbAll | mbAbort | mbNo | mbYes,
         "Confirmation",
         {"&Yes", "&No", "A&bort", "&All"},
         {"&All"},
         mrAll},
        {"Create it?",
         mtConfirmation,
         mbYes | mbNo | mbCancel,
         "Confirmation",
         {"&Yes", "&No", "&Cancel"},
         {{}, Qt::Key_Escape},
         mrCancel},
        {"Untitled", 9, mbOK, "", {"&OK"}, {"&OK"}, mrOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + ", " + describe(c.how));
        driver.then([&](QWidget& box) {
            ASSERT_TRUE(qobject_cast<SetupMessageDialog*>(&box)) << box.metaObject()->className();
            EXPECT_EQ(box.windowTitle(), c.title);
            auto* memo = box.findChild<QPlainTextEdit*>(QStringLiteral("Memo"));
            ASSERT_TRUE(memo);
            EXPECT_EQ(memo->toPlainText(), "\n" + QString::fromUtf8(c.text) + "\n");
            auto* image = box.findChild<QLabel*>(QStringLiteral("Image"));
            ASSERT_TRUE(image);
            EXPECT_EQ(image->pixmap().isNull(), c.kind == 9);
            EXPECT_EQ(visibleButtonTexts(box), c.captions);
            press(box, c.how);
        });
        EXPECT_EQ(SetupMessageDlg(catalogue, c.text, c.kind, c.buttons), c.result);
    }
    EXPECT_EQ(driver.handled(), static_cast<int>(std::size(cases)));
}

TEST_F(QtSetupInteractionTest, KitBoxStaysOpenWhenHelpIsPressed) {
    driver.then([](QWidget& box) {
        clickButton(box, "&Help");
        EXPECT_TRUE(box.isVisible());
        clickButton(box, "&Cancel");
    });
    EXPECT_EQ(SetupMessageDlg(catalogue, "Insert disk 2", mtWarning, mbOK | mbCancel | mbHelp),
              mrCancel);
}

TEST_F(QtSetupInteractionTest, StandardBoxShowsItsKindAndButtonsAndAnswersAsPressed) {
    struct Case {
        int kind;
        unsigned buttons;
        QMessageBox::Icon icon;
        const char* title;
        QStringList captions;
        Press how;
        int result;
    };
    const Case cases[] = {
        {mtWarning, mbOK, QMessageBox::Warning, "Warning", {"OK"}, {"OK"}, mrOk},
        {mtWarning, 0, QMessageBox::Warning, "Warning", {"OK"}, {{}, Qt::Key_Return}, mrOk},
        {mtError,
         mbAbort | mbRetry | mbIgnore,
         QMessageBox::Critical,
         "Error",
         {"Abort", "Retry", "Ignore"},
         {"Ignore"},
         mrIgnore},
        {mtInformation, mbOK, QMessageBox::Information, "Information", {"OK"}, {"OK"}, mrOk},
        {mtConfirmation,
         mbYes | mbNo,
         QMessageBox::Question,
         "Confirm",
         {"&Yes", "&No"},
         {"&No"},
         mrNo},
        {mtConfirmation,
         mbYes | mbNo,
         QMessageBox::Question,
         "Confirm",
         {"&Yes", "&No"},
         {{}, Qt::Key_Return},
         mrYes},
        {mtConfirmation,
         mbYes | mbNo | mbAll,
         QMessageBox::Question,
         "Confirm",
         {"&Yes", "&No", "All"},
         {"All"},
         mrAll},
        {mtConfirmation,
         mbYes | mbNo | mbCancel,
         QMessageBox::Question,
         "Confirm",
         {"&Yes", "&No", "Cancel"},
         {{}, Qt::Key_Escape},
         mrCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.buttons) + ", " +
                     describe(c.how));
        driver.then([&](QWidget& widget) {
            auto* box = qobject_cast<QMessageBox*>(&widget);
            ASSERT_TRUE(box) << widget.metaObject()->className();
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->windowTitle(), c.title);
            EXPECT_EQ(box->text(), "There is not enough space on the C drive.\nThere is 0 bytes "
                                   "available.");
            // The platform's standard box places its buttons in the platform's order.
            QStringList shown = visibleButtonTexts(*box);
            QStringList expected = c.captions;
            shown.sort();
            expected.sort();
            EXPECT_EQ(shown, expected);
            press(*box, c.how);
        });
        EXPECT_EQ(interaction.showStandardMessage(
                      "There is not enough space on the C drive.\r\nThere is 0 bytes available.",
                      c.kind, c.buttons),
                  c.result);
    }
}

TEST_F(QtSetupInteractionTest, TextViewerShowsTheFileUntilClosed) {
    driver.then([](QWidget& box) {
        auto* viewer = qobject_cast<TextViewerDialog*>(&box);
        ASSERT_TRUE(viewer) << box.metaObject()->className();
        EXPECT_EQ(viewer->windowTitle(), "README.TXT");
        EXPECT_EQ(viewer->text()->toPlainText(), "Read me first.\nThen install.");
        EXPECT_TRUE(viewer->text()->isReadOnly());
        QTest::mouseClick(viewer->closeButton(), Qt::LeftButton);
    });
    interaction.showTextViewer("README.TXT", "Read me first.\r\nThen install.");
    EXPECT_EQ(driver.handled(), 1);
}

TEST(AnswerFilePump, PressesNeverMadeAreReportedWhenDropped) {
    lumora::testing::CapturedUnusedScripts captured;
    { AnswerFilePump pump({WizardButton::Next, WizardButton::Cancel}); }
    ASSERT_EQ(captured.reports.size(), 1u);
    EXPECT_EQ(captured.reports[0], "the answer file's pump ends with 2 scripted item(s) never "
                                   "used:\n  press Next\n  press Cancel");
}

} // namespace
} // namespace setupkit
