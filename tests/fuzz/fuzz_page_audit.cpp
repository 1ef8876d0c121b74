// A page's audit: whatever the bytes, the tag texts are clean UTF-8 whose lengths are
// their characters, the charset verdict follows the declaration, and two copies of a
// page share their title and description.

#include "audit/site_audit.h"
#include "fuzz_check.h"
#include "text/page_codec.h"
#include "text/page_lines.h"

#include <cstddef>
#include <cstdint>

using namespace lumora::audit;
using lumora::fuzz::require;

namespace {

void checkTag(const TagText& tag) {
    require(lumora::text::isValidUtf8(tag.text), "a tag text is not UTF-8");
    require(tag.length == lumora::text::charCount(tag.text), "a length is not the characters");
    require(tag.present || tag.text.empty(), "an absent tag has a text");
    require(tag.text.empty() || (tag.text.front() != ' ' && tag.text.back() != ' '),
            "a tag text keeps blanks at its ends");
    require(tag.text.find("  ") == std::string::npos, "a tag text keeps a run of blanks");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PageAudit page = auditPage(lumora::fuzz::asText(data, size), "p");
    require(page.size == size, "the size is not the bytes");
    checkTag(page.title);
    checkTag(page.description);
    checkTag(page.keywords);
    require(page.charsetMismatch == !charsetFits(page.declaredCharset, page.byteCharset),
            "the charset verdict is not the declaration's");
    require(!page.tagTestMessage.empty(), "the tag test said nothing");

    const PageAudit twice[] = {page, page};
    const SiteAudit site = auditSite(twice, {});
    require(site.duplicateTitles.size() == (page.title.text.empty() ? 0u : 1u),
            "two copies of a page do not share their title");
    require(site.duplicateDescriptions.size() == (page.description.text.empty() ? 0u : 1u),
            "two copies of a page do not share their description");
    for (const auto& info : allFindings())
        require(site.count(info.finding) % 2 == 0, "two copies of a page differ in a finding");
    return 0;
}
