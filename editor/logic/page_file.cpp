#include "page_file.h"

namespace lumora::editor {

text::DecodedPage loadPageFile(const std::string& path) {
    const std::string bytes = platform::readWholeFile(path);
    if (text::looksBinary(bytes))
        throw NotAPageError(path);
    return text::decodePage(bytes);
}

std::string notRegularFileText(const std::string& path) {
    return "Cannot open file " + path + ": it is not a regular file.";
}

text::PageEncoding savePageFile(const std::string& path, const text::Lines& lines,
                                text::PageEncoding encoding, platform::NewFileSync newFile) {
    text::EncodedPage encoded = text::encodePage(lines, encoding);
    platform::writeFileAtomically(path, encoded.bytes, newFile);
    return encoded.encoding;
}

} // namespace lumora::editor
