// "Read Visible Text": the scan, the sensitivity adjustment and the title and
// description finder read the text a visitor sees instead of the page's source.

#include "tform1.h"

#include "editor/logic/data_files.h"
#include "editor/page_editor.h"
#include "keywords/language_noise.h"
#include "keywords/word_forms.h"
#include "platform/regular_file_read.h"

#include <QCheckBox>
#include <QLabel>

namespace lumora::editor {

namespace {

constexpr std::string_view kSettingsSection = "Settings";
constexpr std::string_view kReadVisibleKey = "ReadVisibleText";

} // namespace

void TForm1::CheckB_ReadVisibleClick() {
    Label3_InfoBox->setText(QStringLiteral(
        "Read Visible Text: key words, title and description come from the words a visitor "
        "sees, not from tags, scripts or styles."));
    settingsStore().writeValue(kSettingsSection, kReadVisibleKey,
                               CheckB_ReadVisible->isChecked() ? "1" : "0");
}

void TForm1::loadSettings() {
    if (settingsLoaded_)
        return;
    settingsLoaded_ = true;
    CheckB_ReadVisible->setChecked(settingsStore().readValue(kSettingsSection, kReadVisibleKey) ==
                                   "1");
}

const keywords::VisibleText& TForm1::visibleText() {
    if (!visibleText_ || visibleRevision_ != RichEdit->revision()) {
        visibleText_ = keywords::readVisibleText(RichEdit->lines());
        visibleRevision_ = RichEdit->revision();
        for (std::string& line : visibleText_->lines)
            keywords::blankWordsHoldingDigits(line);
        visibleWordLines_ = visibleText_->lines;
        for (std::string& line : visibleWordLines_)
            keywords::keepKeywordCharacters(line);
    }
    return *visibleText_;
}

const std::vector<std::string>& TForm1::languageNoise(const std::string& language) {
    const auto known = noiseLists_.find(language);
    if (known != noiseLists_.end())
        return known->second;
    std::vector<std::string> words;
    const std::string path = dataFile(Edit2Drv, keywords::noiseListPath(language));
    try {
        words = keywords::noiseListWords(platform::readWholeFile(path));
    } catch (const platform::FileError&) {
        // No list for this language: html_filter.txt alone filters.
    }
    return noiseLists_.emplace(language, std::move(words)).first->second;
}

TForm1::ScanSource TForm1::visibleScanSource() {
    const keywords::VisibleText& page = visibleText();
    ScanSource source;
    source.language = keywords::readingLanguage(page.language, readingLanguage_);
    source.wordLines = &visibleWordLines_;
    source.filter = ListBox1;
    // The language's function words filter when the noise filter does.
    if (CheckB_USEfilter->isChecked()) {
        const std::vector<std::string>& noise = languageNoise(source.language);
        source.filter.insert(source.filter.end(), noise.begin(), noise.end());
    }
    return source;
}

std::vector<std::string> TForm1::keywordsOf(const keywords::WordCounts& counts,
                                            int sensitivity) const {
    if (scanCache_.visibleLanguage.empty())
        return counts.keywords(sensitivity);
    const keywords::Stemmer stemmer(scanCache_.visibleLanguage);
    return keywords::groupedKeywords(counts, sensitivity, stemmer);
}

const text::Lines& TForm1::finderLines() {
    return CheckB_ReadVisible->isChecked() ? visibleText().lines : RichEdit->lines();
}

} // namespace lumora::editor
