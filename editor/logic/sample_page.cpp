#include "sample_page.h"

namespace lumora::editor {

const std::vector<std::string>& samplePage() {
    static const std::vector<std::string> page = {
        "<html>",
        "<head>",
        "<title>Help Me Find A Good Title And Keywords To Help With My Search Engine "
        "Ranking</title>",
        "<meta name=\"description\" content=\"I am not sure what goes here. Please help me.\">",
        "<meta name=\"keywords\" content=\"What, keywords, go, here, anyway\">",
        "</head>",
        "<body bgcolor=\"#FFFFFF\" text=\"#0000FF\">",
        "<center>",
        "<h1>Lumora V 01.01</h1>",
        "<h2>Better keywords, better titles, better search engine ranking</h2>",
        "<p><b>Practise on this page before you try your own pages. First turn the browser "
        "preview off from the menu bar: Browser, Preview Off.",
        "Then open one of your own web pages from the File menu, or click the FULL AUTO GO "
        "button to see Lumora work on this page.</b></p>",
        "<p>Brightfold makes web promotion software for people who build their own web pages.",
        "Our web promotion software reads your web page and finds the keywords that your page "
        "really uses.",
        "Good keywords make a good title, and a good title brings visitors from the search "
        "engines.",
        "Lumora writes the title, the description and the keywords meta tags of your web page "
        "for you.",
        "Search engines read the title and the description first, so they should speak about "
        "your keywords.",
        "Every web page of your site deserves its own keywords, its own title and its own "
        "description.</p>",
        "<p>Web promotion is a long road: keep your pages fresh, and run Lumora again whenever "
        "a page changes.",
        "Our promotion software grows with your site, and we update it regularly.</p>",
        "<p>Brightfold web promotion software for search engine ranking.</p>",
        "<p>Need more help? Open the Help file from the Help menu.</p>",
        "<p>Happy promotion!</p>",
        "<hr>",
        "<p><i>Brightfold</i></p>",
        "<p>&nbsp;</p>",
        "<p>&nbsp;</p>",
        "<p>&nbsp;</p>",
        "<p>&nbsp;</p>",
        "<p>&nbsp;</p>",
        "</center>",
        "</body>",
        "</html>",
    };
    return page;
}

} // namespace lumora::editor
