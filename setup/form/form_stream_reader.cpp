#include "setup/form/form_stream_reader.h"

#include "setup/form/extended_float.h"
#include "setup/form/form_error.h"
#include "setup/form/form_value_tags.h"
#include "setup/script/value_reader.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

namespace setupkit::form {

namespace {

class StreamReader {
public:
    explicit StreamReader(std::string_view bytes) : bytes_(bytes), in_(bytes) {}

    FormComponent readRoot() {
        return guarded([&] {
            if (in_.remaining() < kFormSignature.size() ||
                in_.readBytes(kFormSignature.size()) != kFormSignature)
                fail("not a form stream: it does not begin with \"TPF0\"", 0);
            FormComponent root = readComponent(1);
            expectEnd("after the root component");
            return root;
        });
    }

    FormValue readSingleValue() {
        return guarded([&] {
            FormValue value = readPropertyValue(0);
            expectEnd("after the value");
            return value;
        });
    }

private:
    template <class Read> std::invoke_result_t<Read> guarded(Read read) {
        try {
            return read();
        } catch (const EValueStreamError& error) {
            if (error.kind() == EValueStreamError::Kind::StreamReadError)
                fail("the form stream ends early", bytes_.size());
            fail("unexpected value tag", errorPosition_);
        }
    }

    [[noreturn]] void fail(const std::string& what, std::size_t offset) const {
        std::string message = what + " at offset " + std::to_string(offset);
        if (!componentPath_.empty())
            message += " in component " + componentPath_;
        if (!property_.empty())
            message += ", property " + property_;
        throw EFormError(message);
    }

    void expectEnd(const char* where) {
        if (!in_.atEnd())
            fail(std::string("unexpected data ") + where, in_.position());
    }

    std::uint8_t peekByte() { return static_cast<std::uint8_t>(in_.nextTag()); }
    std::uint8_t takeByte() { return static_cast<std::uint8_t>(in_.readTag()); }

    std::string readShortString() {
        const std::size_t length = takeByte();
        return std::string(in_.readBytes(length));
    }

    std::uint64_t readLittleEndian(std::size_t width) {
        const std::string_view raw = in_.readBytes(width);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(raw[i])) << (8 * i);
        return value;
    }

    FormComponent readComponent(int depth) {
        if (depth > kMaxFormNesting)
            fail("components nested deeper than " + std::to_string(kMaxFormNesting),
                 in_.position());
        const std::size_t start = in_.position();
        // A first byte of F0 to FF flags an inherited or inline component.
        if ((peekByte() & 0xF0) == 0xF0)
            fail("inherited or inline components are not supported", start);
        FormComponent component;
        component.className = readShortString();
        if (component.className.empty())
            fail("a component without a class name", start);
        component.name = readShortString();

        const std::string outerPath = componentPath_;
        componentPath_ += (outerPath.empty() ? "" : ".") +
                          (component.name.empty() ? component.className : component.name);
        component.properties = readProperties(0);
        while (peekByte() != 0)
            component.children.push_back(readComponent(depth + 1));
        takeByte();
        componentPath_ = outerPath;
        return component;
    }

    // Name and value pairs closed by an empty name.
    std::vector<FormProperty> readProperties(int depth) {
        std::vector<FormProperty> properties;
        while (peekByte() != 0) {
            FormProperty property;
            property.name = readShortString();
            const std::string outerProperty = property_;
            property_ = outerProperty.empty() ? property.name : outerProperty + "/" + property.name;
            property.value = readPropertyValue(depth);
            property_ = outerProperty;
            properties.push_back(std::move(property));
        }
        takeByte();
        return properties;
    }

    FormValue readPropertyValue(int depth) {
        const std::size_t start = in_.position();
        FormValue value = readValue(depth);
        value.encoded = std::string(bytes_.substr(start, in_.position() - start));
        return value;
    }

    void enterNesting(int depth, std::size_t at) {
        if (depth >= kMaxFormNesting)
            fail("values nested deeper than " + std::to_string(kMaxFormNesting), at);
    }

    FormValue readValue(int depth) {
        using Kind = FormValue::Kind;
        const std::size_t at = in_.position();
        errorPosition_ = at;
        FormValue value;
        const auto tag = static_cast<FormTag>(peekByte());
        switch (tag) {
        case FormTag::Int8:
        case FormTag::Int16:
        case FormTag::Int32:
            value.kind = Kind::Integer;
            value.integer = in_.readInteger();
            return value;
        case FormTag::String:
        case FormTag::LString:
            value.kind = Kind::String;
            value.text = in_.readString();
            return value;
        default:
            break;
        }
        takeByte();
        switch (tag) {
        case FormTag::List:
            enterNesting(depth, at);
            value.kind = Kind::List;
            while (peekByte() != 0)
                value.items.push_back(readValue(depth + 1));
            takeByte();
            return value;
        case FormTag::Int64:
            value.kind = Kind::Integer;
            value.integer = static_cast<std::int64_t>(readLittleEndian(8));
            return value;
        case FormTag::Extended: {
            const std::string_view raw = in_.readBytes(10);
            std::array<std::uint8_t, 10> packed{};
            for (std::size_t i = 0; i < packed.size(); ++i)
                packed[i] = static_cast<std::uint8_t>(raw[i]);
            value.kind = Kind::Extended;
            value.number = unpackExtended(packed);
            return value;
        }
        case FormTag::Ident:
            value.kind = Kind::Identifier;
            value.text = readShortString();
            if (value.text.empty())
                fail("an empty identifier", at);
            return value;
        case FormTag::False:
            value.kind = Kind::False;
            return value;
        case FormTag::True:
            value.kind = Kind::True;
            return value;
        case FormTag::Nil:
            value.kind = Kind::Nil;
            return value;
        case FormTag::Binary: {
            value.kind = Kind::Binary;
            const auto length = static_cast<std::uint32_t>(readLittleEndian(4));
            if (length > in_.remaining())
                fail("binary data of " + std::to_string(length) + " bytes runs past the end", at);
            value.text = std::string(in_.readBytes(length));
            return value;
        }
        case FormTag::Set:
            value.kind = Kind::Set;
            for (std::string member = readShortString(); !member.empty();
                 member = readShortString())
                value.names.push_back(std::move(member));
            return value;
        case FormTag::Collection:
            enterNesting(depth, at);
            value.kind = Kind::Collection;
            while (peekByte() != 0)
                value.items.push_back(readCollectionItem(depth + 1));
            takeByte();
            return value;
        case FormTag::Null:
            fail("an end-of-list tag where a value is expected", at);
        default:
            fail("unknown value tag " + std::to_string(static_cast<int>(tag)), at);
        }
    }

    FormValue readCollectionItem(int depth) {
        const std::size_t at = in_.position();
        const auto tag = static_cast<FormTag>(peekByte());
        if (tag == FormTag::Int8 || tag == FormTag::Int16 || tag == FormTag::Int32)
            fail("collection items with an order number are not supported", at);
        if (tag != FormTag::List)
            fail("a collection item that is not a list (tag " +
                     std::to_string(static_cast<int>(tag)) + ")",
                 at);
        enterNesting(depth, at);
        takeByte();
        FormValue item;
        item.kind = FormValue::Kind::List;
        item.properties = readProperties(depth + 1);
        return item;
    }

    std::string_view bytes_;
    ValueReader in_;
    std::string componentPath_;
    std::string property_;
    std::size_t errorPosition_ = 0;
};

} // namespace

FormComponent readFormStream(std::string_view bytes) {
    return StreamReader(bytes).readRoot();
}

FormValue readFormValue(std::string_view bytes) {
    return StreamReader(bytes).readSingleValue();
}

} // namespace setupkit::form
