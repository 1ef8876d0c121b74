// Form component streams: a stream read and written again reads back to the same
// bytes, and its readable text parses back to the same stream.

#include "fuzz_check.h"
#include "setup/form/form_error.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_stream_writer.h"
#include "setup/form/form_text_parser.h"
#include "setup/form/form_text_writer.h"

#include <cstddef>
#include <cstdint>

using lumora::fuzz::require;
using namespace setupkit::form;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FormComponent root;
    try {
        root = readFormStream(lumora::fuzz::asText(data, size));
    } catch (const EFormError&) {
        return 0;
    }
    for (const FormProperty& property : root.properties) {
        try {
            (void)readFormValue(property.value.encoded);
        } catch (const EFormError&) {
            require(false, "a property's own stored bytes do not read as a value");
        }
    }

    std::string written;
    try {
        written = writeFormStream(root);
    } catch (const EFormError&) {
        // Names the stream can read but not write (a class name read as flags).
        return 0;
    }
    FormComponent reread;
    try {
        reread = readFormStream(written);
    } catch (const EFormError&) {
        require(false, "a written form stream cannot be read");
    }
    require(writeFormStream(reread) == written, "a form stream changes when read and written");

    std::string text;
    try {
        text = formToText(reread);
    } catch (const EFormError&) {
        return 0;
    }
    try {
        require(writeFormStream(parseFormText(text)) == written,
                "the text of a form parses to another stream");
    } catch (const EFormError&) {
        require(false, "the text written for a form cannot be parsed");
    }
    return 0;
}
