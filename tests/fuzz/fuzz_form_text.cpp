// Form text: a parsed form written as text parses back to the same form, and each
// property's stored bytes read as its value.

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

namespace {

void checkEncoded(const FormComponent& component) {
    for (const FormProperty& property : component.properties) {
        try {
            (void)readFormValue(property.value.encoded);
        } catch (const EFormError&) {
            require(false, "a parsed property's stored bytes do not read as a value");
        }
    }
    for (const FormComponent& child : component.children)
        checkEncoded(child);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FormComponent root;
    try {
        root = parseFormText(lumora::fuzz::asText(data, size));
    } catch (const EFormError&) {
        return 0;
    }
    checkEncoded(root);

    std::string text;
    try {
        text = formToText(root);
    } catch (const EFormError&) {
        return 0;
    }
    FormComponent reread;
    try {
        reread = parseFormText(text);
    } catch (const EFormError&) {
        require(false, "the text written for a parsed form cannot be parsed");
    }
    require(formToText(reread) == text, "a form's text changes when parsed and written");

    std::string stream;
    try {
        stream = writeFormStream(root);
    } catch (const EFormError&) {
        return 0;
    }
    try {
        require(writeFormStream(reread) == stream, "a form's text parses back to another stream");
        require(formToText(readFormStream(stream)) == text,
                "a parsed form's stream reads back to another text");
    } catch (const EFormError&) {
        require(false, "the stream written for a parsed form cannot be read");
    }
    return 0;
}
