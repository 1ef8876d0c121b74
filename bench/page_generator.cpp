#include "page_generator.h"

#include <random>
#include <vector>

namespace lumora::bench {

namespace {

std::vector<std::string> vocabulary(std::mt19937& random) {
    static const char* const common[] = {"the",   "and",     "for",    "with",   "that",  "this",
                                         "your",  "our",     "from",   "are",    "web",   "page",
                                         "site",  "search",  "engine", "garden", "roses", "summer",
                                         "water", "light",   "green",  "plant",  "soil",  "flower",
                                         "seeds", "compost", "autumn", "winter"};
    std::vector<std::string> words(std::begin(common), std::end(common));
    static const char* const syllables[] = {"ka",  "lo",  "mi",  "ra",  "te",  "su",  "ven", "dor",
                                            "pel", "tri", "ans", "bel", "cor", "fin", "gra"};
    std::uniform_int_distribution<int> count(2, 4);
    std::uniform_int_distribution<size_t> pick(0, std::size(syllables) - 1);
    while (words.size() < 4000) {
        std::string word;
        for (int k = count(random); k > 0; --k)
            word += syllables[pick(random)];
        words.push_back(word);
    }
    return words;
}

} // namespace

std::string generatePage(size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    const std::vector<std::string> words = vocabulary(random);
    // Zipf-like: word i drawn with weight 1 / (i + 1).
    std::vector<double> weights(words.size());
    for (size_t i = 0; i < weights.size(); ++i)
        weights[i] = 1.0 / static_cast<double>(i + 1);
    std::discrete_distribution<size_t> word(weights.begin(), weights.end());
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> lineWords(6, 13);

    std::string page;
    page.reserve(bytes + 256);
    page += "<html>\r\n<head>\r\n<title>Garden notes for every season</title>\r\n"
            "<meta name=\"description\" content=\"Notes from our garden.\">\r\n"
            "<meta name=\"keywords\" content=\"garden, roses\">\r\n</head>\r\n"
            "<body bgcolor=\"#FFFFFF\">\r\n";
    while (page.size() < bytes) {
        const int kind = percent(random);
        if (kind < 8)
            page += "<p>";
        else if (kind < 11)
            page += "<h2>";
        for (int n = lineWords(random); n > 0; --n) {
            const int decoration = percent(random);
            const std::string& w = words[word(random)];
            if (decoration < 3)
                page += "<a href=\"" + w + ".htm\">" + w + "</a>";
            else if (decoration < 6)
                page += "<b>" + w + "</b>";
            else if (decoration < 7)
                page += w + "&nbsp;";
            else
                page += w;
            page += (decoration % 17 == 0) ? ", " : " ";
        }
        page.back() = '.';
        if (kind < 8)
            page += "</p>";
        else if (kind < 11)
            page += "</h2>";
        page += "\r\n";
    }
    page += "</body>\r\n</html>\r\n";
    return page;
}

} // namespace lumora::bench
