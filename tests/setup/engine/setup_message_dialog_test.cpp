#include "setup/engine/message_catalogue.h"
#include "setup/engine/qt_setup_interaction.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_message_dialog.h"
#include "setup/engine/setup_message_dlg.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace setupkit;

namespace {

class SetupMessageDialogTest : public ::testing::Test {
protected:
    SetupMessageBox boxFor(const std::string& text, int kind, unsigned buttons) {
        return makeSetupMessageBox(catalogue, text, kind, buttons);
    }
    ScriptedSetupInteraction unused;
    MessageCatalogue catalogue{unused, noLanguageLibrary()};
};

QPushButton* button(QWidget& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

TEST_F(SetupMessageDialogTest, ButtonsAreBuiltInOrderWithTheLayoutsPlaces) {
    SetupMessageDialog dialog(boxFor("Overwrite?", mtConfirmation, mbAll | mbAbort | mbNo | mbYes));
    const QStringList expected = {"&Yes", "&No", "A&bort", "&All"};
    const MessageBoxGeometry& geometry = dialog.geometryRule();
    for (int i = 0; i < expected.size(); ++i) {
        QPushButton* b = button(dialog, ("B" + std::to_string(i + 1)).c_str());
        ASSERT_TRUE(b) << i;
        EXPECT_EQ(b->text(), expected[i]);
        EXPECT_EQ(b->geometry(), QRect(geometry.buttonLefts[static_cast<size_t>(i)], 5, 90, 25));
    }
    EXPECT_FALSE(button(dialog, "B5"));
    EXPECT_EQ(dialog.size(), QSize(geometry.clientWidth, geometry.clientHeight));
    EXPECT_EQ(dialog.windowTitle(), "Confirmation");
    EXPECT_EQ(dialog.font().family(), "Liberation Sans");
    EXPECT_TRUE(dialog.font().bold());
    EXPECT_EQ(dialog.font().pointSize(), 9);
}

TEST_F(SetupMessageDialogTest, EmptySetShowsOK) {
    SetupMessageDialog dialog(boxFor("Done.", mtInformation, 0));
    ASSERT_TRUE(button(dialog, "B1"));
    EXPECT_EQ(button(dialog, "B1")->text(), "&OK");
    EXPECT_FALSE(button(dialog, "B2"));
}

TEST_F(SetupMessageDialogTest, MemoAndIcon) {
    SetupMessageDialog dialog(boxFor("First\r\nSecond", mtError, mbOK));
    auto* memo = dialog.findChild<QPlainTextEdit*>("Memo");
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->toPlainText(), "\nFirst\nSecond\n");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->focusPolicy(), Qt::NoFocus);
    auto* image = dialog.findChild<QLabel*>("Image");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 52);
    EXPECT_FALSE(image->pixmap().isNull());

    SetupMessageDialog untitled(boxFor("x", 9, mbOK));
    EXPECT_TRUE(untitled.findChild<QLabel*>("Image")->pixmap().isNull());
    EXPECT_EQ(untitled.windowTitle(), "");
}

TEST_F(SetupMessageDialogTest, LongMessageIsAtMostEightyPercentOfTheScreen) {
    SetupMessageDialog dialog(boxFor(std::string(3000, 'W'), mtWarning, mbOK));
    const MessageBoxMetrics metrics =
        SetupMessageDialog::metricsFor(dialog.font(), QGuiApplication::primaryScreen());
    EXPECT_EQ(dialog.geometryRule().memoTextWidth, (metrics.fullScreenClientWidth * 8 + 5) / 10);
}

TEST_F(SetupMessageDialogTest, HelpDoesNotCloseOtherButtonsDo) {
    SetupMessageDialog dialog(boxFor("Retry?", mtError, mbRetry | mbCancel | mbHelp));
    int helpRequests = 0;
    QObject::connect(&dialog, &SetupMessageDialog::helpRequested, [&] { ++helpRequests; });
    dialog.open();
    button(dialog, "B3")->click(); // Help
    EXPECT_EQ(helpRequests, 1);
    EXPECT_TRUE(dialog.isVisible());
    button(dialog, "B2")->click(); // Retry: Cancel is placed before Retry
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), mrRetry);
}

TEST_F(SetupMessageDialogTest, EscapeAnswersCancelOnlyWhenThereIsOne) {
    SetupMessageDialog withCancel(boxFor("?", mtConfirmation, mbYes | mbNo | mbCancel));
    withCancel.open();
    withCancel.reject();
    EXPECT_EQ(withCancel.result(), mrCancel);

    SetupMessageDialog withoutCancel(boxFor("?", mtError, mbAbort | mbRetry | mbIgnore));
    withoutCancel.open();
    withoutCancel.reject();
    EXPECT_TRUE(withoutCancel.isVisible());
    withoutCancel.done(mrNone);
}

TEST_F(SetupMessageDialogTest, QtInteractionShowsTheBoxModally) {
    QtSetupInteraction interaction;
    MessageCatalogue shown(interaction, noLanguageLibrary());
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<SetupMessageDialog*>(widget);
                dialog && dialog->isVisible())
                button(*dialog, "B2")->click();
    });
    EXPECT_EQ(SetupMessageDlg(shown, "Skip this file?", mtConfirmation, mbYes | mbNo), mrNo);
}

TEST(QtSetupInteraction, StandardBoxAnswersWithTheKitsResults) {
    QtSetupInteraction interaction;
    QString shownText;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                shownText = box->text();
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == "All")
                        b->click();
            }
    });
    EXPECT_EQ(interaction.showStandardMessage("Line one\r\nLine two", mtConfirmation,
                                              mbYes | mbNo | mbAll),
              mrAll);
    EXPECT_EQ(shownText, "Line one\nLine two");
}
