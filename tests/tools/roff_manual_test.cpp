#include "tools/manpage/roff_manual.h"

#include <gtest/gtest.h>

using lumora::tools::ManualHeader;
using lumora::tools::roffManual;

namespace {

const ManualHeader kHeader{"lumora-batch", 1, "2026-12-08", "Lumora 1.1.1", "User Commands"};

std::string body(std::string_view help) {
    const std::string page = roffManual(kHeader, help);
    return page.substr(page.find('\n') + 1);
}

} // namespace

TEST(RoffManual, TitleLineNamesProgramSectionAndSource) {
    EXPECT_EQ(roffManual(kHeader, ""),
              ".TH \"LUMORA\\-BATCH\" 1 \"2026-12-08\" \"Lumora 1.1.1\" \"User Commands\"\n");
}

TEST(RoffManual, HelpLayoutBecomesSectionsParagraphsAndItems) {
    struct Case {
        const char* help;
        const char* roff;
    };
    const Case cases[] = {
        {"NAME\n    tool - does things\n", ".SH \"NAME\"\n.PP\ntool \\- does things\n"},
        // Two paragraphs of two lines each.
        {"DESCRIPTION\n    one\n    two\n\n    three\n",
         ".SH \"DESCRIPTION\"\n.PP\none\ntwo\n.PP\nthree\n"},
        // A term with its description below it.
        {"OPTIONS\n    -j N, --jobs N\n        Work on N pages.\n        At a time.\n\n    "
         "--json\n        JSON.\n",
         ".SH \"OPTIONS\"\n.TP\n.B \\-j N, \\-\\-jobs N\nWork on N pages.\nAt a time.\n.TP\n.B "
         "\\-\\-json\nJSON.\n"},
        // Tags and text on one line, one continued below.
        {"EXIT STATUS\n    0   all fine\n    2   bad usage (unknown\n        option)\n",
         ".SH \"EXIT STATUS\"\n.TP\n.B 0\nall fine\n.TP\n.B 2\nbad usage (unknown\noption)\n"},
        // What roff would take for a request or an escape is printed as written.
        {"X\n    .hidden 'quoted' back\\slash\n",
         ".SH \"X\"\n.PP\n\\&.hidden 'quoted' back\\eslash\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(body(c.help), c.roff) << c.help;
}
