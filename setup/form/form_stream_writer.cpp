#include "setup/form/form_stream_writer.h"

#include "setup/form/extended_float.h"
#include "setup/form/form_error.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_value_tags.h"
#include "setup/script/value_writer.h"

#include <cstdint>
#include <limits>

namespace setupkit::form {

namespace {

void writeTag(ValueWriter& out, FormTag tag) {
    out.writeTag(static_cast<ValueTag>(tag));
}

void writeLittleEndian(ValueWriter& out, std::uint64_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    out.writeBytes(bytes);
}

// A length byte and the text; `what` names the text for the error.
void writeShortString(ValueWriter& out, std::string_view text, const std::string& what) {
    if (text.size() > 255)
        throw EFormError(what + " is longer than 255 bytes: " + std::string(text.substr(0, 40)) +
                         "...");
    out.writeBytes(std::string(1, static_cast<char>(text.size())));
    out.writeBytes(text);
}

void writeName(ValueWriter& out, std::string_view name, const std::string& what) {
    if (name.empty())
        throw EFormError(what + " is empty");
    writeShortString(out, name, what + " " + std::string(name));
}

void writeValue(ValueWriter& out, const FormValue& value, int depth);

void writeProperties(ValueWriter& out, const std::vector<FormProperty>& properties, int depth) {
    for (const FormProperty& property : properties) {
        writeName(out, property.name, "a property name");
        try {
            writeValue(out, property.value, depth);
        } catch (const EFormError& error) {
            throw EFormError("property " + property.name + ": " + error.what());
        }
    }
    out.writeBytes(std::string(1, '\0'));
}

void checkNesting(int depth) {
    if (depth >= kMaxFormNesting)
        throw EFormError("values nested deeper than " + std::to_string(kMaxFormNesting));
}

void writeValue(ValueWriter& out, const FormValue& value, int depth) {
    using Kind = FormValue::Kind;
    switch (value.kind) {
    case Kind::Null:
        throw EFormError("an end-of-list marker cannot be written as a value");
    case Kind::List:
        checkNesting(depth);
        out.writeListBegin();
        for (const FormValue& item : value.items)
            writeValue(out, item, depth + 1);
        out.writeListEnd();
        return;
    case Kind::Integer:
        if (value.integer >= std::numeric_limits<std::int32_t>::min() &&
            value.integer <= std::numeric_limits<std::int32_t>::max()) {
            out.writeInteger(static_cast<std::int32_t>(value.integer));
        } else {
            writeTag(out, FormTag::Int64);
            writeLittleEndian(out, static_cast<std::uint64_t>(value.integer), 8);
        }
        return;
    case Kind::Extended: {
        writeTag(out, FormTag::Extended);
        const auto packed = packExtended(value.number);
        out.writeBytes(std::string(packed.begin(), packed.end()));
        return;
    }
    case Kind::String:
        try {
            out.writeString(value.text);
        } catch (const std::length_error&) {
            throw EFormError("a string too long for the stream");
        }
        return;
    case Kind::Identifier:
        writeTag(out, FormTag::Ident);
        writeName(out, value.text, "an identifier");
        return;
    case Kind::False:
        writeTag(out, FormTag::False);
        return;
    case Kind::True:
        writeTag(out, FormTag::True);
        return;
    case Kind::Binary:
        if (value.text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw EFormError("binary data too long for the stream");
        writeTag(out, FormTag::Binary);
        writeLittleEndian(out, value.text.size(), 4);
        out.writeBytes(value.text);
        return;
    case Kind::Set:
        writeTag(out, FormTag::Set);
        // An empty member would close the set early.
        for (const std::string& member : value.names)
            writeName(out, member, "a set member");
        out.writeBytes(std::string(1, '\0'));
        return;
    case Kind::Nil:
        writeTag(out, FormTag::Nil);
        return;
    case Kind::Collection:
        checkNesting(depth);
        writeTag(out, FormTag::Collection);
        for (const FormValue& item : value.items) {
            if (item.kind != Kind::List)
                throw EFormError("a collection item must be a list of properties");
            checkNesting(depth + 1);
            out.writeListBegin();
            writeProperties(out, item.properties, depth + 2);
        }
        out.writeListEnd();
        return;
    }
    throw EFormError("a value of unknown kind");
}

void writeComponent(ValueWriter& out, const FormComponent& component, int depth) {
    const std::string label = component.name.empty() ? component.className : component.name;
    if (depth > kMaxFormNesting)
        throw EFormError("components nested deeper than " + std::to_string(kMaxFormNesting) +
                         " at " + label);
    // A first byte of F0 to FF would read back as component flags.
    if (component.className.size() >= 0xF0)
        throw EFormError("the class name of " + label + " is longer than 239 bytes");
    try {
        writeName(out, component.className, "a class name");
        writeShortString(out, component.name, "the component name");
        writeProperties(out, component.properties, 0);
    } catch (const EFormError& error) {
        throw EFormError("component " + label + ": " + error.what());
    }
    for (const FormComponent& child : component.children)
        writeComponent(out, child, depth + 1);
    out.writeBytes(std::string(1, '\0'));
}

} // namespace

std::string writeFormStream(const FormComponent& root) {
    ValueWriter out;
    out.writeBytes(kFormSignature);
    writeComponent(out, root, 1);
    return out.takeBytes();
}

void writeFormValue(ValueWriter& out, const FormValue& value) {
    writeValue(out, value, 0);
}

std::string encodeFormValue(const FormValue& value) {
    ValueWriter out;
    writeFormValue(out, value);
    return out.takeBytes();
}

} // namespace setupkit::form
