// Page bytes: decoding, and encoding what was decoded, must settle after one pass.

#include "fuzz_check.h"
#include "text/page_codec.h"

#include <cstddef>
#include <cstdint>

using namespace lumora::text;
using lumora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = lumora::fuzz::asText(data, size);

    // Every byte survives Windows-1252 to UTF-8 and back.
    std::string back;
    require(utf8ToWindows1252(windows1252ToUtf8(bytes), back) && back == bytes,
            "a Windows-1252 byte does not come back");

    const DecodedPage first = decodePage(bytes);
    const EncodedPage written = encodePage(first.lines, first.encoding);
    // A Windows-1252 page whose bytes another encoding would claim is saved as UTF-8.
    const bool fellBackToUtf8 =
        first.encoding == PageEncoding::Windows1252 &&
        (written.encoding == PageEncoding::Utf8 || written.encoding == PageEncoding::Utf8WithBom);
    require(written.encoding == first.encoding || fellBackToUtf8,
            "a decoded page changes its encoding when saved");
    const DecodedPage second = decodePage(written.bytes);
    require(second.encoding == written.encoding, "a saved page reads back in another encoding");
    require(second.lines == first.lines, "a saved page reads back with other lines");
    require(encodePage(second.lines, second.encoding).bytes == written.bytes,
            "saving a page twice gives other bytes");

    // Text that Windows-1252 cannot hold is saved as UTF-8 rather than lost.
    if (isValidUtf8(bytes)) {
        const DecodedPage asked{PageEncoding::Windows1252, first.lines};
        const EncodedPage narrowed = encodePage(asked.lines, asked.encoding);
        require(decodePage(narrowed.bytes).lines == first.lines,
                "a page saved as Windows-1252 loses text");
    }
    return 0;
}
