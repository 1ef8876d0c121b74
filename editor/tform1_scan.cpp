// The keyword scan (Make Keywords / FULL AUTO GO !) and the tag test.

#include "tform1.h"

#include "editor/find_replace_dialogs.h"
#include "editor/page_editor.h"
#include "editor/track_bar.h"
#include "keywords/sensitivity_adjustment.h"
#include "tags/tag_tester.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <optional>
#include <utility>
#include <vector>

namespace lumora::editor {

namespace {

struct PageChanged {};

// Disables, for as long as a scan counts, the commands that would change the page, the
// keyword lists or the scan's settings, or start a second scan, and makes the page
// read-only; afterwards each is as it was, however the scan ends.
class ScanHold {
public:
    explicit ScanHold(TForm1& form) : editor_(*form.RichEdit) {
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 form.Button5, form.BitBtn1FullAuto, form.SpeedButton1, form.Button6,
                 form.TrackBar1, form.RadioB_Automatic, form.RadioB_NOauto, form.CheckB_USEfilter,
                 form.CheckB_ReadVisible, form.CheckB_ReadVisible, form.ListBox3, form.ListBox4,
                 form.Button4, form.Button3, form.SpeedButt_delete, form.ReplaceDialog3})
            hold(widget);
        for (QAction* action : {form.New2, form.Open2, form.RecentFiles1->menuAction(), form.Undo2,
                                form.Redo1, form.Undo3, form.Cut1, form.Paste1, form.Replace2,
                                form.Replace1, form.TestMetaTags1, form.CompressHTML1})
            hold(action);
        readOnly_ = editor_.isReadOnly();
        editor_.setReadOnly(true);
    }
    ~ScanHold() {
        editor_.setReadOnly(readOnly_);
        for (const auto& [widget, enabled] : widgets_)
            if (widget)
                widget->setEnabled(enabled);
        for (const auto& [action, enabled] : actions_)
            if (action)
                action->setEnabled(enabled);
    }
    ScanHold(const ScanHold&) = delete;
    ScanHold& operator=(const ScanHold&) = delete;

private:
    void hold(QWidget* widget) {
        widgets_.emplace_back(widget, widget->isEnabled());
        widget->setEnabled(false);
    }
    void hold(QAction* action) {
        actions_.emplace_back(action, action->isEnabled());
        action->setEnabled(false);
    }

    PageEditor& editor_;
    bool readOnly_ = false;
    std::vector<std::pair<QPointer<QWidget>, bool>> widgets_;
    std::vector<std::pair<QPointer<QAction>, bool>> actions_;
};

} // namespace

void TForm1::TestMetaTags1Click() {
    const tags::TagTestReport report = tags::testMetaTags(RichEdit->lines(), Apost);
    for (const auto& message : report.messages) {
        interaction_.showMessage(message.text);
        if (message.problem)
            setReport(std::string(tags::kCheckDocument));
    }
    if (report.passed)
        TagsPassed = true;
}

void TForm1::Button5Click() {
    bool automatic = false;
    size_t found = 0;
    const std::optional<keywords::ScanRound> settled = keywords::adjustSensitivity({
        [this, &automatic, &found]() -> std::optional<keywords::ScanRound> {
            automatic = RadioB_Automatic->isChecked();
            const std::optional<int> sensitivity = scanOnce(automatic);
            if (!sensitivity)
                return std::nullopt;
            found = Memo6.size();
            return keywords::ScanRound{*sensitivity, found};
        },
        [this](const std::string& text) { interaction_.showMessage(text); },
        [this](int position) { setSensitivity(position); },
    });
    if (!settled)
        return;
    const bool chainAllowed = found > 2 && automatic;
    if (RadioB_Automatic->isChecked()) {
        GroupBox2->show();
        if (chainAllowed) {
            if (CheckBxDOtitle->isChecked())
                SpeedButton1Click();
            else
                Button6Click();
        }
    }
}

std::optional<int> TForm1::scanOnce(bool automatic) {
    setReport("Scanning...");
    if (automatic) {
        Button5->setEnabled(false);
        SpeedButton1->setEnabled(false);
        Button6->setEnabled(false);
        BitBtn1FullAuto->setEnabled(true);
        GroupBox2->setTitle(QStringLiteral("Automatic Set Up"));
    }
    ListBox2.reset();
    ListBox3->clear();
    if (!TagsPassed) {
        TestMetaTags1Click();
        if (!TagsPassed)
            return std::nullopt;
    }

    const int sensitivity = TrackBar1->value();
    const bool visible = CheckB_ReadVisible->isChecked();
    ScanSource source;
    if (visible)
        source = visibleScanSource();
    const std::vector<std::string>& filter = visible ? source.filter : ListBox1;
    if (!scanCache_.counts || scanCache_.revision != RichEdit->revision() ||
        *scanCache_.filter != filter || scanCache_.visibleLanguage != source.language) {
        // The count reads the editor's own lines, and events run while it counts:
        // what would change the page, the lists or the settings is held off, and a
        // change that comes all the same ends the scan before the lines are read again.
        const text::Lines& lines = visible ? *source.wordLines : RichEdit->lines();
        // The noise list rarely changes from one page to the next; its table is kept.
        if (!noiseTableList_ || *noiseTableList_ != filter) {
            noiseTable_ = keywords::NoiseFilter(filter);
            noiseTableList_ = std::make_shared<const std::vector<std::string>>(filter);
        }
        auto counts = std::make_shared<keywords::WordCounts>(noiseTable_);
        ProgressBar1->setRange(0, static_cast<int>(std::max<size_t>(lines.size(), 1)));
        const uint64_t revision = RichEdit->revision();
        try {
            // Only once events are about to run can anything reach the page or the
            // commands; a count that ends before then never greys a button.
            std::optional<ScanHold> hold;
            counts->addLines(lines, [this, revision, &hold](size_t done) {
                if (pump_.due()) {
                    if (!hold)
                        hold.emplace(*this);
                    ProgressBar1->setValue(static_cast<int>(done));
                    pump_.processEvents();
                    if (RichEdit->revision() != revision)
                        throw PageChanged();
                }
            });
        } catch (const PageChanged&) {
            // The count is of a page that is no longer there: nothing of it is kept.
            setReport("");
            ProgressBar1->setRange(0, 100);
            ProgressBar1->setValue(0);
            return std::nullopt;
        }
        scanCache_ = {revision, noiseTableList_, std::move(counts), source.language};
    }
    ListBox2 = scanCache_.counts;
    const std::vector<std::string> found = keywordsOf(*ListBox2, sensitivity);

    Memo6 = found;
    std::string report;
    for (const auto& keyword : found) {
        report.insert(0, keyword + ", ");
        ListBox3->addItem(QString::fromStdString(keyword));
    }
    setReport(report);
    const size_t reportLength = text::charCount(report);
    if (reportLength > 200) {
        QFont font = Label3_KeyWords->font();
        font.setBold(false);
        Label3_KeyWords->setFont(font);
    } else if (reportLength < 200) {
        QFont font = Label3_KeyWords->font();
        font.setBold(true);
        Label3_KeyWords->setFont(font);
    }
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    if (!automatic) {
        Panel1->hide();
        if (found.empty())
            GroupBox2->show();
        if (found.size() > 2)
            GroupBox2->hide();
    }
    return sensitivity;
}

} // namespace lumora::editor
