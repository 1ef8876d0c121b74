#include "form_test_support.h"

#include "setup/form/form_error.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_stream_writer.h"
#include "setup/form/form_text_parser.h"
#include "setup/form/form_text_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace setupkit::form;
using namespace setupkit::form::testing;
using Kind = FormValue::Kind;

namespace {

FormProperty property(std::string name, FormValue value) {
    return FormProperty{std::move(name), std::move(value)};
}

FormValue extendedValue(long double number) {
    FormValue value = kindValue(Kind::Extended);
    value.number = number;
    return value;
}

FormValue binaryValue(std::string bytes) {
    FormValue value = kindValue(Kind::Binary);
    value.text = std::move(bytes);
    return value;
}

FormValue setValue(std::vector<std::string> names) {
    FormValue value = kindValue(Kind::Set);
    value.names = std::move(names);
    return value;
}

FormValue collectionItem(std::vector<FormProperty> properties) {
    FormValue item = kindValue(Kind::List);
    item.properties = std::move(properties);
    return item;
}

FormValue nestedLists(int depth) {
    FormValue value = integerValue(1);
    for (int i = 0; i < depth; ++i)
        value = listValue({value});
    return value;
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EFormError& error) {
        return error.what();
    }
    return "(no error)";
}

// A form holding one value of every kind the stream knows.
FormComponent everyKindForm() {
    FormValue collection = kindValue(Kind::Collection);
    collection.items = {collectionItem({property("Caption", stringValue("first")),
                                        property("Width", integerValue(80))}),
                        collectionItem({})};
    FormComponent child{"TSetupMessage", "suWelcome", {}, {}};
    child.properties = {property("Lines.Strings", listValue({stringValue("a"), stringValue("")})),
                        property("Columns", collection)};
    FormComponent root{"TSetupForm", "SetupForm", {}, {child}};
    root.properties = {
        property("Small", integerValue(-128)),
        property("Medium", integerValue(32767)),
        property("Large", integerValue(std::numeric_limits<std::int32_t>::min())),
        property("Huge", integerValue(std::numeric_limits<std::int64_t>::min())),
        property("Scale", extendedValue(-0.1L)),
        property("Short", stringValue(std::string(255, 'x'))),
        property("Long", stringValue(std::string(256, 'y') + "\r\n\xE9")),
        property("WindowState", identifierValue("wsMaximized")),
        property("Visible", kindValue(Kind::True)),
        property("Enabled", kindValue(Kind::False)),
        property("Picture.Data", binaryValue(bytesOf({0, 1, 0xFF, 0x7F}))),
        property("Font.Style", setValue({"fsBold", "fsItalic"})),
        property("BorderIcons", setValue({})),
        property("PopupMenu", kindValue(Kind::Nil)),
        property("SetupData", listValue({integerValue(5), listValue({}), nestedLists(3)})),
    };
    return root;
}

} // namespace

TEST(FormStream, EveryValueKindSurvivesTheRoundTrip) {
    const FormComponent form = everyKindForm();
    const std::string bytes = writeFormStream(form);
    const FormComponent read = readFormStream(bytes);
    EXPECT_EQ(writeFormStream(read), bytes);
    EXPECT_EQ(formToText(read), formToText(form));

    ASSERT_EQ(read.properties.size(), form.properties.size());
    EXPECT_EQ(read.properties[3].value.integer, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(read.properties[4].value.number, -0.1L);
    EXPECT_EQ(read.properties[6].value.text, form.properties[6].value.text);
    ASSERT_EQ(read.children.size(), 1u);
    const FormValue& columns = read.children[0].properties[1].value;
    ASSERT_EQ(columns.kind, Kind::Collection);
    ASSERT_EQ(columns.items.size(), 2u);
    EXPECT_EQ(columns.items[0].properties[1].name, "Width");
    EXPECT_TRUE(columns.items[1].properties.empty());
}

TEST(FormStream, EveryPropertyKeepsItsStoredBytes) {
    const std::string bytes = writeFormStream(everyKindForm());
    const FormComponent read = readFormStream(bytes);
    for (const FormProperty& p : read.properties) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.value.encoded, encodeFormValue(p.value));
        EXPECT_NE(bytes.find(p.name + p.value.encoded), std::string::npos);
        EXPECT_EQ(formValueToText(readFormValue(p.value.encoded)), formValueToText(p.value));
    }
}

TEST(FormStream, ValuesAreEncodedWithTheirTags) {
    FormValue collection = kindValue(Kind::Collection);
    collection.items = {collectionItem({property("X", integerValue(1))})};
    const struct {
        const char* name;
        FormValue value;
        std::string bytes;
    } cases[] = {
        {"identifier", identifierValue("ab"), bytesOf({7, 2, 'a', 'b'})},
        {"set", setValue({"a", "bc"}), bytesOf({11, 1, 'a', 2, 'b', 'c', 0})},
        {"empty set", setValue({}), bytesOf({11, 0})},
        {"binary", binaryValue("xyz"), bytesOf({10, 3, 0, 0, 0, 'x', 'y', 'z'})},
        {"nil", kindValue(Kind::Nil), bytesOf({13})},
        {"one", extendedValue(1), bytesOf({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        {"minus three", extendedValue(-3), bytesOf({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0xC0})},
        {"zero", extendedValue(0), bytesOf({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"64-bit", integerValue(std::int64_t{1} << 40), bytesOf({19, 0, 0, 0, 0, 0, 1, 0, 0})},
        {"32-bit", integerValue(2800000), bytesOf({4, 0x80, 0xB9, 0x2A, 0x00})},
        {"collection", collection, bytesOf({14, 1, 1, 'X', 2, 1, 0, 0})},
        {"list", listValue({kindValue(Kind::True), stringValue("a")}),
         bytesOf({1, 9, 6, 1, 'a', 0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encodeFormValue(c.value), c.bytes);
        EXPECT_EQ(encodeFormValue(readFormValue(c.bytes)), c.bytes);
    }
}

TEST(FormStream, ExtendedValuesKeepEveryBit) {
    for (const long double number :
         {0.1L, -2.5L, 1e300L, 1e-300L, std::numeric_limits<long double>::max(),
          std::numeric_limits<long double>::denorm_min(),
          std::numeric_limits<long double>::infinity()}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(readFormValue(encodeFormValue(extendedValue(number))).number, number);
    }
    EXPECT_TRUE(std::isnan(
        readFormValue(encodeFormValue(extendedValue(std::numeric_limits<long double>::quiet_NaN())))
            .number));
}

TEST(FormStream, ComponentsAreLaidOutAsPropertiesThenChildren) {
    FormComponent child{"TB", "b", {}, {}};
    FormComponent root{"TA", "a", {property("Left", integerValue(5))}, {child}};
    EXPECT_EQ(writeFormStream(root),
              "TPF0" + bytesOf({2, 'T', 'A', 1, 'a', 4, 'L', 'e', 'f', 't', 2, 5, 0, // a
                                2, 'T', 'B', 1, 'b', 0, 0, // b: no properties, no children
                                0}));                      // a's children end
}

TEST(FormStream, MalformedStreamsFailWithAClearError) {
    const std::string good =
        writeFormStream(FormComponent{"TA", "a", {property("X", integerValue(1))}, {}});
    const struct {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"no signature", "TPF1" + good.substr(4), "does not begin with \"TPF0\""},
        {"empty", "", "does not begin with \"TPF0\""},
        {"unknown tag", "TPF0" + bytesOf({2, 'T', 'A', 1, 'a', 1, 'X', 42, 0, 0}),
         "unknown value tag 42 at offset 11 in component a, property X"},
        {"end tag as a value", "TPF0" + bytesOf({2, 'T', 'A', 1, 'a', 1, 'X', 0, 0, 0}),
         "an end-of-list tag where a value is expected"},
        {"string past the end", "TPF0" + bytesOf({2, 'T', 'A', 1, 'a', 1, 'X', 6, 200, 'a'}),
         "ends early"},
        {"binary past the end",
         "TPF0" + bytesOf({2, 'T', 'A', 1, 'a', 1, 'X', 10, 0xF0, 0xFF, 0xFF, 0xFF, 0, 0, 0}),
         "binary data of 4294967280 bytes runs past the end"},
        {"class name past the end", "TPF0" + bytesOf({50, 'T'}), "ends early"},
        {"no class name", "TPF0" + bytesOf({0, 0, 0, 0}), "a component without a class name"},
        {"inherited", "TPF0" + bytesOf({0xF1, 2, 'T', 'A', 0, 0, 0}),
         "inherited or inline components are not supported"},
        {"trailing bytes", good + "x", "unexpected data after the root component"},
        {"empty identifier", "TPF0" + bytesOf({2, 'T', 'A', 0, 1, 'I', 7, 0, 0, 0}),
         "an empty identifier at offset 10"},
        {"ordered collection item",
         "TPF0" + bytesOf({2, 'T', 'A', 0, 1, 'C', 14, 2, 3, 1, 0, 0, 0, 0}),
         "collection items with an order number are not supported"},
        {"collection item not a list", "TPF0" + bytesOf({2, 'T', 'A', 0, 1, 'C', 14, 9, 0, 0, 0}),
         "a collection item that is not a list (tag 9)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(errorOf([&] { readFormStream(c.bytes); }).find(c.message), std::string::npos)
            << errorOf([&] { readFormStream(c.bytes); });
    }
}

TEST(FormStream, EveryTruncationOfAFormFails) {
    const std::string bytes = writeFormStream(everyKindForm());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_THROW(readFormStream(std::string_view(bytes).substr(0, length)), EFormError);
    }
}

TEST(FormStream, NestingIsCappedAt64) {
    EXPECT_NO_THROW(readFormValue(encodeFormValue(nestedLists(64))));
    // Written by hand: the writer refuses to produce it.
    const std::string tooDeep = std::string(65, '\x01') + bytesOf({2, 1}) + std::string(65, '\0');
    EXPECT_NE(errorOf([&] { readFormValue(tooDeep); }).find("values nested deeper than 64"),
              std::string::npos);
    EXPECT_THROW(encodeFormValue(nestedLists(65)), EFormError);

    std::string components = "TPF0";
    for (int i = 0; i < 65; ++i)
        components += bytesOf({2, 'T', 'A', 0, 0});
    components += std::string(65, '\0');
    EXPECT_NE(errorOf([&] { readFormStream(components); }).find("components nested deeper than 64"),
              std::string::npos);
    // A million list openings fail by the cap, not by running out of stack.
    EXPECT_THROW(readFormValue(std::string(1000000, '\x01')), EFormError);
}

TEST(FormStream, TheWriterRefusesWhatCouldNotBeReadBack) {
    const struct {
        const char* name;
        FormComponent form;
        const char* message;
    } cases[] = {
        {"empty property name",
         {"TA", "a", {property("", integerValue(1))}, {}},
         "a property name is empty"},
        {"long property name",
         {"TA", "a", {property(std::string(256, 'p'), integerValue(1))}, {}},
         "longer than 255 bytes"},
        {"class name read as flags", {std::string(240, 'T'), "a", {}, {}}, "longer than 239 bytes"},
        {"empty class name", {"", "a", {}, {}}, "a class name is empty"},
        {"empty set member",
         {"TA", "a", {property("S", setValue({"a", ""}))}, {}},
         "property S: a set member is empty"},
        {"empty identifier",
         {"TA", "a", {property("I", identifierValue(""))}, {}},
         "an identifier is empty"},
        {"end marker as a value",
         {"TA", "a", {property("N", FormValue{})}, {}},
         "end-of-list marker"},
        {"collection item not a list",
         {"TA",
          "a",
          {property("C",
                    [] {
                        FormValue c = kindValue(Kind::Collection);
                        c.items = {integerValue(1)};
                        return c;
                    }())},
          {}},
         "a collection item must be a list"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = errorOf([&] { writeFormStream(c.form); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

TEST(FormStream, DamagedStreamsReadOrFailCleanly) {
    const std::string bytes = writeFormStream(everyKindForm());
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = bytes;
        for (int flips = 1 + static_cast<int>(next() % 3); flips > 0; --flips)
            damaged[next() % damaged.size()] = static_cast<char>(next() & 0xFF);
        try {
            const FormComponent read = readFormStream(damaged);
            // Whatever reads must write again and read back the same.
            EXPECT_EQ(formToText(readFormStream(writeFormStream(read))), formToText(read));
        } catch (const EFormError&) {
        }
    }
}
