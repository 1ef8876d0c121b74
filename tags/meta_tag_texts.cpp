#include "meta_tag_texts.h"

#include "common/ascii_case.h"
#include "text/ascii_case.h"

namespace lumora::tags {

const std::string_view kFooterCommentLine =
    "<!-- Dear Webmaster, Please keep the link below to Lumora.zip. Its using my bandwith. Your "
    "visitors wont be leaving your page plus you are offering them something for free. Thanks "
    "very much! -->";

const std::string_view kFooterLinkLine =
    "<p><center><FONT SIZE=\"size=\"+1\">Meta Tags By <a "
    "href=\"http://www.brightfold.com/lumora/Lumora.zip\">Lumora</a><br> Click Here For <a "
    "href=\"http://download.brightfold.com/Lumora.zip\">Free DownLoad!</a></FONT></center></p>";

namespace {

constexpr std::string_view kTitleStart = "!!! Where you can find ";
constexpr std::string_view kTitleEnd = "and much more as we update our site regularly***** !!!";
constexpr std::string_view kDescriptionStart = "and info on ";
constexpr std::string_view kDescriptionEnd = "and much more.";

} // namespace

const std::vector<std::string>& builderKeywords(const MetaTagControls& controls) {
    return controls.automaticMode ? controls.scanKeywords : controls.chosenKeywords;
}

MetaTagTexts makeMetaTagTexts(const MetaTagControls& controls) {
    const std::vector<std::string>& keywords = builderKeywords(controls);
    MetaTagTexts texts;

    // Each keyword goes in front of the ones before it, so all three lists run last to first.
    std::string titleList;
    std::string descriptionList;
    for (auto k = keywords.rbegin(); k != keywords.rend(); ++k) {
        titleList.append(*k).append(" - ");
        descriptionList.append(*k).append(" ");
        texts.keywords.append(*k).append(",");
    }
    if (!texts.keywords.empty())
        texts.keywords.pop_back();

    const std::vector<std::string>& scan = controls.scanKeywords;
    if (controls.automaticMode && controls.keywordBooster && !scan.empty()) {
        const std::string second = scan.size() > 1 ? scan[1] : std::string();
        texts.booster = "," + std::string(text::trimControls(second + " " + scan[0]));
    }

    if (controls.titleStorage.empty()) {
        texts.title = std::string(kTitleStart) + titleList + std::string(kTitleEnd);
    } else {
        texts.title = (controls.automaticMode ? "!!!" : "!!! ") +
                      asciiUppered(controls.titleStorage) + " !!!";
    }

    texts.description =
        controls.descriptionStorage.empty()
            ? std::string(kDescriptionStart) + descriptionList + std::string(kDescriptionEnd)
            : controls.descriptionStorage;
    return texts;
}

std::string titleTagLine(const MetaTagTexts& texts) {
    return "<title>" + texts.title + "</title>";
}

std::string descriptionTagLine(const MetaTagTexts& texts) {
    return "<meta name=\"description\" content=\"" + texts.description + "\">";
}

std::string keywordsTagLine(const MetaTagTexts& texts) {
    return "<meta name=\"keywords\" content=\"" + texts.keywords + texts.booster + "\">";
}

std::string hiddenWordsLine(const MetaTagTexts& texts, std::string_view titleStorage) {
    return "<!-- " + asciiLowered(titleStorage) + " and even " + texts.keywords +
           " Lumora V.01.01 --> ";
}

} // namespace lumora::tags
