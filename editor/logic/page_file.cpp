#include "page_file.h"

#include "platform/atomic_file.h"

namespace lumora::editor {

text::DecodedPage loadPageFile(const std::string& path) {
    return text::decodePage(platform::readWholeFile(path));
}

text::PageEncoding savePageFile(const std::string& path, const text::Lines& lines,
                                text::PageEncoding encoding) {
    text::EncodedPage encoded = text::encodePage(lines, encoding);
    platform::writeFileAtomically(path, encoded.bytes);
    return encoded.encoding;
}

} // namespace lumora::editor
