// The keyword scan (Make Keywords / FULL AUTO GO !) and the tag test.

#include "tform1.h"

#include "editor/page_editor.h"
#include "editor/track_bar.h"
#include "tags/tag_tester.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <array>

namespace lumora::editor {

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
    // Every sensitivity this press has scanned at: an adjustment that returns to
    // one of them ends the adjusting instead of alternating for ever.
    std::array<bool, 26> scanned{};
    for (;;) {
        setReport("Scanning...");
        const bool automatic = RadioB_Automatic->isChecked();
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
                return;
        }

        const int sensitivity = TrackBar1->value();
        scanned[static_cast<size_t>(sensitivity)] = true;

        const text::Lines& lines = RichEdit->lines();
        if (!scanCache_.counts || scanCache_.revision != RichEdit->revision() ||
            scanCache_.filter != ListBox1) {
            auto counts = std::make_shared<keywords::WordCounts>(keywords::NoiseFilter(ListBox1));
            ProgressBar1->setRange(0, static_cast<int>(std::max<size_t>(lines.size(), 1)));
            const uint64_t revision = RichEdit->revision();
            counts->addLines(lines, [this](size_t done) {
                if (pump_.due()) {
                    ProgressBar1->setValue(static_cast<int>(done));
                    pump_.processEvents();
                }
            });
            scanCache_ = {revision, ListBox1, std::move(counts)};
        }
        ListBox2 = scanCache_.counts;
        const std::vector<std::string> found = ListBox2->keywords(sensitivity);

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
        const bool chainAllowed = found.size() > 2 && automatic;
        const int count = static_cast<int>(found.size());

        if (count > 11) {
            interaction_.showMessage("TO MANY KEYWORDS! Found " + std::to_string(count) +
                                     " keywords." + "\r\r" + "I will RASIE the Sensitivity to " +
                                     std::to_string(sensitivity + 1) +
                                     " and try again to find LESS Keywords.");
            setSensitivity(std::min(sensitivity + 1, 25));
            if (sensitivity < 25 && !scanned[static_cast<size_t>(TrackBar1->value())])
                continue;
        }
        if (count < 4) {
            interaction_.showMessage("LOW ON KEYWORDS! Found " + std::to_string(count) +
                                     " keywords." + "\r\r" + "I will LOWER the Sensitivity to " +
                                     std::to_string(sensitivity - 2) +
                                     " and try again to find MORE Keywords.");
            setSensitivity(std::max(sensitivity - 2, 0));
            if (TrackBar1->value() > 0 && !scanned[static_cast<size_t>(TrackBar1->value())])
                continue;
        }

        if (RadioB_Automatic->isChecked()) {
            GroupBox2->show();
            if (chainAllowed) {
                if (CheckBxDOtitle->isChecked())
                    SpeedButton1Click();
                else
                    Button6Click();
            }
        }
        return;
    }
}

} // namespace lumora::editor
