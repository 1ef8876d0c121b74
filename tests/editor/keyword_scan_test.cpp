#include "window_fixture.h"

#include "editor/logic/sample_page.h"
#include "editor/track_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <new>

using namespace lumora;

namespace {

const std::string kPassed =
    "YOU DOCUMENT PASSED!\rYour Title Tag, Description and Key Meta Tags appear OK.\rYou should "
    "not have any problems inserting Title and Meta Tags.";

std::string tooMany(int found, int to) {
    return "TO MANY KEYWORDS! Found " + std::to_string(found) +
           " keywords.\r\rI will RASIE the Sensitivity to " + std::to_string(to) +
           " and try again to find LESS Keywords.";
}
std::string tooFew(int found, int to) {
    return "LOW ON KEYWORDS! Found " + std::to_string(found) +
           " keywords.\r\rI will LOWER the Sensitivity to " + std::to_string(to) +
           " and try again to find MORE Keywords.";
}

// `words` distinct words, each repeated `times` times, one word per line.
std::vector<std::string> repeatedWords(int words, int times) {
    std::vector<std::string> lines;
    for (int t = 0; t < times; ++t)
        for (int w = 0; w < words; ++w)
            lines.push_back("word" + std::string(1, static_cast<char>('a' + w)) + "x");
    return lines;
}

std::vector<std::string> items(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        out.push_back(list->item(i)->text().toStdString());
    return out;
}

} // namespace

class KeywordScan : public lumora::testing::WindowTest {};

TEST_F(KeywordScan, SampleHeadLinesContributeNothing) {
    startWindow();
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    form->TrackBar1->setValue(1);
    form->Button5Click();
    ASSERT_TRUE(form->ListBox2);
    for (size_t i = 0; i < form->ListBox2->occurrenceCount(); ++i) {
        const auto word = form->ListBox2->occurrence(i);
        for (const char* headOnly : {"anyway", "sure", "goes", "what"})
            EXPECT_NE(word, headOnly);
    }
    EXPECT_EQ(ui.texts().front(), kPassed);
    EXPECT_TRUE(form->TagsPassed);
}

TEST_F(KeywordScan, ReportListsTheKeywordsLastToFirst) {
    startWindow();
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    setPage({"gamma alpha beta", "gamma alpha beta", "gamma alpha beta"});
    form->TrackBar1->setValue(1);
    ui.clearRecords();
    form->Button5Click();
    EXPECT_EQ(form->Memo6, (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_EQ(items(form->ListBox3), form->Memo6);
    EXPECT_EQ(form->Label3_KeyWords->text().toStdString(), "gamma, beta, alpha, ");
    EXPECT_TRUE(form->Label3_KeyWords->font().bold());
    // Three keywords are too few: the message quotes 1 - 2.
    EXPECT_EQ(ui.texts().back(), tooFew(3, -1));
    EXPECT_EQ(form->TrackBar1->value(), 0);
    EXPECT_EQ(form->Label2->text().toStdString(), "Sensitivity 0");
}

TEST_F(KeywordScan, TooManyAt24RaisesAndRescansAt25ThenSettles) {
    startWindow();
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    setPage(repeatedWords(12, 24));
    form->TrackBar1->setValue(24);
    form->Button5Click();
    // 24: twelve words; 25: none; 23: twelve again, and 24 was scanned already.
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{kPassed, tooMany(12, 25), tooFew(0, 23), tooMany(12, 24)}));
    EXPECT_EQ(form->TrackBar1->value(), 24);
    EXPECT_EQ(form->Memo6.size(), 12u);
}

TEST_F(KeywordScan, TooManyAt25QuotesTwentySixAndStops) {
    startWindow();
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    setPage(repeatedWords(12, 25));
    form->TrackBar1->setValue(25);
    form->Button5Click();
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{kPassed, tooMany(12, 26)}));
    EXPECT_EQ(form->TrackBar1->value(), 25);
}

TEST_F(KeywordScan, AlternationEndsAtASensitivityAlreadyScanned) {
    startWindow();
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    setPage(repeatedWords(12, 5));
    form->Button5Click();
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{kPassed, tooMany(12, 6), tooFew(0, 4), tooMany(12, 5)}));
    EXPECT_EQ(form->TrackBar1->value(), 5);
    EXPECT_EQ(form->Label2->text().toStdString(), "Sensitivity 5");
}

TEST_F(KeywordScan, FailedTagTestScansNothing) {
    startWindow();
    setPage({"<title>open", "apple apple apple"});
    form->Button5Click();
    EXPECT_FALSE(form->TagsPassed);
    EXPECT_EQ(form->ListBox3->count(), 0);
    EXPECT_FALSE(form->ListBox2);
    EXPECT_EQ(form->Label3_KeyWords->text().toStdString(), "Please check your document.");
    EXPECT_EQ(ui.texts().size(), 1u);
}

TEST_F(KeywordScan, NoiseListFiltersAndTheTestRunsOnlyUntilPassed) {
    startWindow(std::vector<std::string>{"the", " alpha\t", "Beta"});
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    setPage({"The alpha beta gamma delta epsilon zeta eta theta"});
    form->TrackBar1->setValue(1);
    form->Button5Click();
    EXPECT_EQ(form->Memo6, (std::vector<std::string>{"beta", "delta", "epsilon", "eta", "gamma",
                                                     "theta", "zeta"}));
    ui.clearRecords();
    form->Button5Click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{}); // tag test not run again
}

TEST_F(KeywordScan, AutomaticModeSetsButtonsAndShowsTheGroup) {
    startWindow();
    setPage(repeatedWords(5, 3));
    form->Button5->setEnabled(true);
    form->Button5Click();
    EXPECT_FALSE(form->Button5->isEnabled());
    EXPECT_FALSE(form->Button6->isEnabled());
    EXPECT_TRUE(form->BitBtn1FullAuto->isEnabled());
    EXPECT_EQ(form->GroupBox2->title().toStdString(), "Automatic Set Up");
    EXPECT_FALSE(form->GroupBox2->isHidden());
}

TEST_F(KeywordScan, ManualModeUncoversTheListsForMoreThanTwoKeywords) {
    startWindow();
    form->RadioB_NOauto->setChecked(true);
    form->Panel1->show();
    setPage(repeatedWords(5, 3));
    form->Button5Click();
    EXPECT_TRUE(form->GroupBox2->isHidden());
    EXPECT_TRUE(form->Panel1->isHidden());
    EXPECT_EQ(form->Memo6.size(), 5u);

    setPage({"nothing"});
    form->TrackBar1->setValue(3);
    form->Button5Click();
    EXPECT_FALSE(form->GroupBox2->isHidden()); // no keywords: the group covers the lists again
}

TEST_F(KeywordScan, ProgressRunsThroughThePumpAndEndsAtZero) {
    startWindow();
    form->RadioB_NOauto->setChecked(true); // the scan alone, without the tag chain
    std::vector<std::string> lines(2000, "apple banana cherry damson elder");
    setPage(lines);
    int seenMaximum = 0;
    pump.at(2, [&] { seenMaximum = form->ProgressBar1->maximum(); });
    form->Button5Click();
    EXPECT_GT(pump.calls(), 2);
    EXPECT_LT(pump.calls(), 40); // every few hundred lines, never once per line
    EXPECT_EQ(seenMaximum, 2000);
    EXPECT_EQ(form->ProgressBar1->value(), 0);
}

TEST_F(KeywordScan, AnEditDuringTheScanIsSeenByTheNextScan) {
    startWindow();
    setPage(repeatedWords(5, 3));
    form->Button5Click();
    EXPECT_EQ(form->Memo6.size(), 5u);
    setPage(repeatedWords(6, 3));
    form->Button5Click();
    EXPECT_EQ(form->Memo6.size(), 6u);
}

TEST_F(KeywordScan, AutomaticChainStartsWithThreeKeywordsButNotWithTwo) {
    startWindow();
    setPage({"alpha beta gamma", "alpha beta gamma"});
    form->TrackBar1->setValue(2);
    ui.queueAnswer(editor::Answer::Cancel); // the title finder's first proposal
    form->Button5Click();
    // Three keywords are too few; the sensitivity reaches 0 and the chain still runs.
    EXPECT_EQ(form->TrackBar1->value(), 0);
    EXPECT_TRUE(ui.allAnswersUsed());
    EXPECT_TRUE(std::any_of(ui.records().begin(), ui.records().end(), [](const auto& r) {
        return r.kind == editor::ScriptedInteraction::Kind::Question;
    }));

    ui.clearRecords();
    setPage({"alpha beta", "alpha beta"});
    form->TrackBar1->setValue(2);
    form->Button5Click(); // an unscripted question would throw
    EXPECT_EQ(ui.texts().back(), tooFew(2, 0));
}

namespace {

// Large enough to be counted in two halves and to let events run many times.
std::vector<std::string> largePage() {
    return std::vector<std::string>(40000, "apple banana cherry damson elder apple banana");
}

} // namespace

class ScanDuringEvents : public lumora::testing::WindowTest {
protected:
    void SetUp() override {
        startWindow();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->PreviewOff1->trigger();
        QTest::mouseClick(form->RadioB_NOauto, Qt::LeftButton); // the scan alone
        form->TagsPassed = true;
        setPage(largePage());
    }
};

// Typing, New, Open, a recent file, Compress HTML, a second scan: none of them runs
// while the page is being counted, and all of them can run again afterwards.
TEST_F(ScanDuringEvents, TheWindowHoldsOffChangesWhileCounting) {
    int held = 0;
    pump.at(2, [&] {
        QTest::keyClicks(form->RichEdit, "zzz");
        for (QAction* action : {form->New2, form->Open2, form->RecentFiles1->menuAction(),
                                form->CompressHTML1, form->Undo2}) {
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
            action->trigger();
        }
        for (QWidget* control : std::initializer_list<QWidget*>{
                 form->Button5, form->BitBtn1FullAuto, form->Button6, form->RadioB_Automatic,
                 form->CheckB_USEfilter, form->TrackBar1, form->SpeedButt_delete}) {
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
            QTest::mouseClick(control, Qt::LeftButton);
        }
        ++held;
    });
    QTest::mouseClick(form->Button5, Qt::LeftButton);
    EXPECT_EQ(held, 1);
    EXPECT_GT(pump.calls(), 5);
    EXPECT_EQ(page(), largePage());
    EXPECT_EQ(form->Memo6,
              (std::vector<std::string>{"apple", "banana", "cherry", "damson", "elder"}));
    EXPECT_EQ(items(form->ListBox3), form->Memo6);
    EXPECT_TRUE(ui.texts().empty());
    // Everything is as it was before the scan.
    EXPECT_FALSE(form->RichEdit->isReadOnly());
    for (QAction* action : {form->New2, form->Open2, form->CompressHTML1, form->Undo2})
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(form->Button5->isEnabled());
    EXPECT_TRUE(form->RadioB_Automatic->isEnabled());
    EXPECT_FALSE(form->BitBtn1FullAuto->isEnabled()); // off in manual mode, as before
}

// A change that reaches the page all the same ends the count: nothing counted from the
// old lines is kept, and the page is the changed one (this read freed lines before).
TEST_F(ScanDuringEvents, APageChangedDuringTheCountGetsNoKeywordsRegression) {
    pump.at(3, [&] { form->RichEdit->setLines({"fresh fresh fresh", "fresh words words"}); });
    QTest::mouseClick(form->Button5, Qt::LeftButton);
    EXPECT_EQ(page(), (text::Lines{"fresh fresh fresh", "fresh words words"}));
    EXPECT_EQ(form->ListBox3->count(), 0);
    EXPECT_FALSE(form->ListBox2);
    EXPECT_TRUE(form->Memo6.empty());
    EXPECT_EQ(form->Label3_KeyWords->text().toStdString(), "");
    EXPECT_FALSE(form->RichEdit->isReadOnly());

    // The next scan counts the page that is there.
    form->TrackBar1->setValue(1);
    QTest::mouseClick(form->Button5, Qt::LeftButton);
    EXPECT_EQ(form->Memo6, (std::vector<std::string>{"fresh", "words"}));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{tooFew(2, -1)});
}

// A scan that fails (here the window running out of memory while it counts) ends in
// the error box, with the page as it was and every control back.
TEST_F(ScanDuringEvents, AFailedScanReportsTheErrorAndGivesTheWindowBack) {
    pump.at(2, [] { throw std::bad_alloc(); });
    QTest::mouseClick(form->Button5, Qt::LeftButton);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Out of memory."});
    EXPECT_EQ(ui.records().back().kind, editor::ScriptedInteraction::Kind::Error);
    EXPECT_EQ(page(), largePage());
    EXPECT_FALSE(form->RichEdit->isReadOnly());
    EXPECT_TRUE(form->New2->isEnabled());
    EXPECT_TRUE(form->Button5->isEnabled());
    EXPECT_EQ(form->ListBox3->count(), 0);

    // The window goes on working: the next press counts the page.
    QTest::mouseClick(form->Button5, Qt::LeftButton);
    EXPECT_EQ(form->Memo6.size(), 5u);
}
