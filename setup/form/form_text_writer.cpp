#include "setup/form/form_text_writer.h"

#include "setup/form/form_error.h"
#include "setup/form/form_text_syntax.h"
#include "setup/form/setup_data_property.h"
#include "setup/form/setup_data_text.h"

#include <cstdio>

namespace setupkit::form {

namespace {

using namespace text_syntax;

constexpr std::size_t kBinaryBytesPerLine = 32;

void indent(std::string& out, int level) {
    out.append(static_cast<std::size_t>(level) * 2, ' ');
}

void appendBareName(std::string& out, std::string_view name, bool dotted, const char* what) {
    if (!isBareName(name, dotted))
        throw EFormError(std::string(what) + " cannot be written as text: \"" + std::string(name) +
                         "\"");
    out += name;
}

void appendString(std::string& out, std::string_view text) {
    if (text.empty()) {
        out += "''";
        return;
    }
    bool quoted = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool printable = byte >= 32 && byte < 127;
        if (printable != quoted) {
            out += '\'';
            quoted = printable;
        }
        if (!printable) {
            out += '#';
            out += std::to_string(byte);
        } else if (c == '\'') {
            out += "''";
        } else {
            out += c;
        }
    }
    if (quoted)
        out += '\'';
}

void appendBinary(std::string& out, std::string_view bytes, int level) {
    static const char digits[] = "0123456789ABCDEF";
    out += '{';
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % kBinaryBytesPerLine == 0) {
            out += '\n';
            indent(out, level + 1);
        }
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += digits[byte >> 4];
        out += digits[byte & 0x0F];
    }
    out += '}';
}

void appendValue(std::string& out, const FormValue& value, int level);

void appendProperty(std::string& out, const FormProperty& property, int level) {
    indent(out, level);
    appendBareName(out, property.name, true, "the property name");
    out += " = ";
    try {
        if (property.name != kSetupDataProperty || !appendSetupDataText(out, property.value, level))
            appendValue(out, property.value, level);
    } catch (const EFormError& error) {
        throw EFormError("property " + property.name + ": " + error.what());
    }
    out += '\n';
}

void appendValue(std::string& out, const FormValue& value, int level) {
    using Kind = FormValue::Kind;
    switch (value.kind) {
    case Kind::Null:
        throw EFormError("an end-of-list marker cannot be written as a value");
    case Kind::List:
        out += '(';
        for (const FormValue& item : value.items) {
            out += '\n';
            indent(out, level + 1);
            appendValue(out, item, level + 1);
        }
        out += ')';
        return;
    case Kind::Integer:
        out += std::to_string(value.integer);
        return;
    case Kind::Extended:
        out += formatExtended(value.number);
        return;
    case Kind::String:
        appendString(out, value.text);
        return;
    case Kind::Identifier:
        if (isReservedValueWord(value.text))
            throw EFormError("the identifier " + value.text + " would read as another value");
        appendBareName(out, value.text, true, "the identifier");
        return;
    case Kind::False:
        out += "False";
        return;
    case Kind::True:
        out += "True";
        return;
    case Kind::Binary:
        appendBinary(out, value.text, level);
        return;
    case Kind::Set:
        out += '[';
        for (std::size_t i = 0; i < value.names.size(); ++i) {
            if (i > 0)
                out += ", ";
            appendBareName(out, value.names[i], false, "the set member");
        }
        out += ']';
        return;
    case Kind::Nil:
        out += "nil";
        return;
    case Kind::Collection:
        out += '<';
        for (const FormValue& item : value.items) {
            out += '\n';
            indent(out, level + 1);
            out += "item\n";
            for (const FormProperty& property : item.properties)
                appendProperty(out, property, level + 2);
            indent(out, level + 1);
            out += "end";
        }
        out += '>';
        return;
    }
    throw EFormError("a value of unknown kind");
}

void appendObject(std::string& out, const FormComponent& component, int level) {
    indent(out, level);
    out += "object ";
    try {
        if (!component.name.empty()) {
            appendBareName(out, component.name, false, "the component name");
            out += ": ";
        }
        appendBareName(out, component.className, false, "the class name");
        out += '\n';
        for (const FormProperty& property : component.properties)
            appendProperty(out, property, level + 1);
    } catch (const EFormError& error) {
        const std::string label = component.name.empty() ? component.className : component.name;
        throw EFormError("component " + label + ": " + error.what());
    }
    for (const FormComponent& child : component.children)
        appendObject(out, child, level + 1);
    indent(out, level);
    out += "end\n";
}

} // namespace

std::string formToText(const FormComponent& root) {
    std::string out;
    appendObject(out, root, 0);
    return out;
}

std::string formValueToText(const FormValue& value, int level) {
    std::string out;
    appendValue(out, value, level);
    return out;
}

} // namespace setupkit::form
