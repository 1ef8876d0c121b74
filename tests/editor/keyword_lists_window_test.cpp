#include "window_fixture.h"

#include "keywords/quick_info_texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <unistd.h>

using namespace lumora;

namespace {

std::vector<std::string> items(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        out.push_back(list->item(i)->text().toStdString());
    return out;
}

void fill(QListWidget* list, const std::vector<std::string>& words) {
    list->clear();
    for (const auto& w : words)
        list->addItem(QString::fromStdString(w));
}

// A user's click in a multiple-selection list: toggles the item and marks it current.
void click(QListWidget* list, int row) {
    list->setCurrentRow(row, QItemSelectionModel::Toggle);
}

} // namespace

class KeywordListsWindow : public lumora::testing::WindowTest {};

TEST_F(KeywordListsWindow, FilterOffBringsMarkupWordsBackAndOnReloadsFromStartDirectory) {
    startWindow(std::vector<std::string>{"font", "face", "the"});
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    setPage({"<font face=arial>the rose</font> <font face=arial>the rose</font>"});
    form->TrackBar1->setValue(1);
    form->Button5Click();
    EXPECT_EQ(form->Memo6, (std::vector<std::string>{"arial", "rose"}));

    form->CheckB_USEfilter->setChecked(false);
    form->CheckB_USEfilterClick();
    EXPECT_TRUE(form->ListBox1.empty());
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kFilterOffInfo);
    form->Button5Click();
    EXPECT_EQ(form->Memo6, (std::vector<std::string>{"arial", "face", "font", "rose", "the"}));

    // The dialogs may have moved the current directory: the list still comes from
    // where the program started.
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path("/");
    form->CheckB_USEfilter->setChecked(true);
    form->CheckB_USEfilterClick();
    std::filesystem::current_path(before);
    EXPECT_EQ(form->ListBox1, (std::vector<std::string>{"font", "face", "the"}));
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kFilterOnInfo);
}

TEST_F(KeywordListsWindow, SwitchingTheFilterOnWithoutTheFileReportsTheFrameworkError) {
    startWindow(std::vector<std::string>{"the"});
    std::filesystem::remove(dir / "html_filter.txt");
    form->CheckB_USEfilter->setChecked(true);
    form->CheckB_USEfilterClick();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot open file " + dir.path().string() +
                                                   "/html_filter.txt"});
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kFilterOnInfo);
    EXPECT_TRUE(form->ListBox1.empty());
    EXPECT_TRUE(form->CheckB_USEfilter->isChecked());
}

TEST_F(KeywordListsWindow, SwitchingModesEmptiesBothListsAndSetsTheGroup) {
    startWindow();
    fill(form->ListBox3, {"a", "b"});
    fill(form->ListBox4, {"c"});
    form->RadioB_NOauto->setChecked(true);
    form->RadioB_NOautoClick();
    EXPECT_EQ(form->ListBox3->count(), 0);
    EXPECT_EQ(form->ListBox4->count(), 0);
    EXPECT_EQ(form->GroupBox2->title().toStdString(), "Manual Set Up");
    EXPECT_TRUE(form->Button5->isEnabled());
    EXPECT_TRUE(form->SpeedButton1->isEnabled());
    EXPECT_TRUE(form->Button6->isEnabled());
    EXPECT_FALSE(form->BitBtn1FullAuto->isEnabled());
    EXPECT_FALSE(form->GroupBox2->isHidden());
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kManualModeInfo);

    fill(form->ListBox3, {"a"});
    form->Panel1->show();
    form->RadioB_Automatic->setChecked(true);
    form->RadioB_AutomaticClick();
    EXPECT_EQ(form->ListBox3->count(), 0);
    EXPECT_TRUE(form->Panel1->isHidden());
    EXPECT_EQ(form->GroupBox2->title().toStdString(), "Automatic Set Up");
    EXPECT_FALSE(form->Button5->isEnabled());
    EXPECT_TRUE(form->BitBtn1FullAuto->isEnabled());
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kAutomaticModeInfo);
}

TEST_F(KeywordListsWindow, DoubleClickingTheSameWordTwiceAddsItTwice) {
    startWindow();
    fill(form->ListBox3, {"alpha", "beta", "gamma"});
    click(form->ListBox3, 1);
    form->ListBox3DblClick();
    form->ListBox3DblClick();
    EXPECT_EQ(items(form->ListBox4), (std::vector<std::string>{"beta", "beta"}));
    EXPECT_EQ(form->Label3_KeyWords->text().toStdString(), "beta, beta, ");
    click(form->ListBox3, 2);
    form->ListBox3DblClick();
    form->ListBox4->setCurrentRow(2);
    form->ListBox4DblClick();
    EXPECT_EQ(items(form->ListBox4), (std::vector<std::string>{"beta", "gamma", "beta"}));
}

TEST_F(KeywordListsWindow, ToTopThenCombineNeedsTheTopSelectedAgain) {
    startWindow();
    fill(form->ListBox3, {"web", "page", "design", "shop", "art"});
    click(form->ListBox3, 2);
    form->Button4Click();
    EXPECT_EQ(items(form->ListBox3),
              (std::vector<std::string>{"design", "web", "page", "shop", "art"}));
    click(form->ListBox3, 1);
    form->Button3Click();
    EXPECT_EQ(ui.texts().back(), keywords::kCombineNeedsTopSelected);
    click(form->ListBox3, 0);
    form->Button3Click();
    EXPECT_EQ(items(form->ListBox3).front(), "design web");
    EXPECT_FALSE(form->ListBox3->item(0)->isSelected());
    EXPECT_TRUE(form->ListBox3->item(1)->isSelected());
}

TEST_F(KeywordListsWindow, DeleteActsOnTheFocusedListAndAlwaysRewritesTheReport) {
    startWindow();
    form->show();
    form->activateWindow();
    fill(form->ListBox3, {"one", "two"});
    fill(form->ListBox4, {"alpha", "beta", "gamma"});
    form->RichEdit->setFocus();
    QApplication::processEvents();
    form->SpeedButt_deleteClick();
    EXPECT_EQ(items(form->ListBox4).size(), 3u);
    EXPECT_EQ(form->Label3_KeyWords->text().toStdString(), "gamma, beta, alpha,");

    form->ListBox3->setFocus();
    QApplication::processEvents();
    if (!form->ListBox3->hasFocus())
        GTEST_SKIP() << "this platform gives no keyboard focus offscreen";
    click(form->ListBox3, 0);
    form->SpeedButt_delete->click();
    EXPECT_TRUE(form->ListBox3->hasFocus());
    EXPECT_EQ(items(form->ListBox3), std::vector<std::string>{"two"});
    EXPECT_EQ(items(form->ListBox4).size(), 3u);
}

TEST_F(KeywordListsWindow, HandlersDoNothingOnEmptyLists) {
    startWindow();
    form->ListBox3DblClick();
    form->ListBox4DblClick();
    form->Button4Click();
    form->Button3Click();
    EXPECT_TRUE(ui.records().empty());
    EXPECT_EQ(form->ListBox4->count(), 0);
}

TEST_F(KeywordListsWindow, IncludeKeyWordsDrivesTheBooster) {
    startWindow();
    form->CheckBxDOkeywrds->click();
    EXPECT_FALSE(form->CheckBxKwBoost->isChecked());
    form->CheckBxKwBoost->click();
    EXPECT_TRUE(form->CheckBxKwBoost->isChecked());
    form->CheckBxDOkeywrds->click();
    EXPECT_TRUE(form->CheckBxKwBoost->isChecked());
    form->Label2Click();
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kSensitivityInfo);
}

TEST_F(KeywordListsWindow, EachScanFiltersWithTheNoiseListAsItIsNow) {
    startWindow(std::vector<std::string>{"font", "face", "the"});
    form->RadioB_NOauto->setChecked(true);
    form->TrackBar1->setValue(1);
    const std::string page = "<font face=arial>the rose</font> <font face=arial>the rose</font>";
    // Each list, edited in place between pages, and what the next page's scan keeps.
    const struct {
        std::vector<std::string> list;
        std::vector<std::string> kept;
    } rounds[] = {
        {{"font", "face", "the"}, {"arial", "rose"}},
        {{"font", "face", "rose"}, {"arial", "the"}},
        {{"font", "face", "rose"}, {"arial", "the"}},
        {{}, {"arial", "face", "font", "rose", "the"}},
        {{"font", "face", "the"}, {"arial", "rose"}},
    };
    for (const auto& round : rounds) {
        form->ListBox1 = round.list;
        setPage({page});
        form->Button5Click();
        EXPECT_EQ(form->Memo6, round.kept) << ::testing::PrintToString(round.list);
    }
}
