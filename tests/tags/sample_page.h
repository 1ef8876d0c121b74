#pragma once
// A 33-line practice page shaped like the one the editor starts with: every head tag on a
// line of its own, a short body of sentences, and "</center>", "</body>", "</html>" at the end.

#include "text/page_lines.h"

namespace lumora::tags::testing {

inline text::Lines samplePage() {
    return {
        "<html>",
        "<head>",
        "<title>Help Me Find A Good Title And Keywords To Help With My Search Engine "
        "Ranking</title>",
        "<meta name=\"description\" content=\"I am not sure what goes here. Please help me.\">",
        "<meta name=\"keywords\" content=\"What, keywords, go, here, anyway\">",
        "</head>",
        "<body bgcolor=\"#FFFFFF\" text=\"#0000FF\">",
        "<center>",
        "<h1>Lumora V.01.01</h1>",
        "<h2>Better search engine ranking for your web pages</h2>",
        "<p><b>Practise on this page before you work on your own.",
        "Turn the browser preview off from the Browser menu on the menu bar.",
        "Then open your web page or click the FULL AUTO GO button.</b></p>",
        "<p>Brightfold makes web promotion software.",
        "Our tools find the keywords of your web pages,",
        "write the title and meta tags for them",
        "and help search engines rank your pages well.</p>",
        "<p>Search engines read the title first.",
        "A good title holds the words your visitors search for.",
        "Meta tags tell search engines what each page is about.</p>",
        "<p>Keep your keywords few and strong.",
        "Use the same words in your title, your description and your text.",
        "Check your tags again after every change to your page.</p>",
        "<p>Brightfold web promotion software works on any page",
        "you can open in this editor.",
        "Save your page when you are happy with the result.</p>",
        "<p>Thank you for choosing Brightfold.</p>",
        "<hr>",
        "<p>See the Help file for more about each command.</p>",
        "<p>Have fun and good luck with your pages!</p>",
        "</center>",
        "</body>",
        "</html>",
    };
}

// The footer lines exactly as the builder writes them.
inline const char* const kFooterComment =
    "<!-- Dear Webmaster, Please keep the link below to Lumora.zip. Its using my bandwith. Your "
    "visitors wont be leaving your page plus you are offering them something for free. Thanks "
    "very much! -->";

} // namespace lumora::tags::testing
