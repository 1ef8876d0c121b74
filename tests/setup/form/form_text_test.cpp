#include "form_test_support.h"

#include "setup/form/form_error.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_stream_writer.h"
#include "setup/form/form_text_parser.h"
#include "setup/form/form_text_writer.h"
#include "setup/form/setup_data_property.h"

#include <gtest/gtest.h>

using namespace setupkit::form;
using namespace setupkit::form::testing;
using Kind = FormValue::Kind;

namespace {

std::string parseError(std::string_view text) {
    try {
        parseFormText(text);
    } catch (const EFormError& error) {
        return error.what();
    }
    return "(no error)";
}

// The value of the only property of a one-line form.
FormValue parsedValue(const std::string& valueText) {
    const FormComponent form = parseFormText("object a: TA\n  P = " + valueText + "\nend\n");
    EXPECT_EQ(form.properties.size(), 1u);
    return form.properties.at(0).value;
}

std::string repeated(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

FormValue extendedValue(long double number) {
    FormValue value = kindValue(Kind::Extended);
    value.number = number;
    return value;
}

} // namespace

TEST(FormText, TheExampleFormSurvivesTextStreamAndBack) {
    const std::string text = exampleFormText();
    const FormComponent parsed = parseFormText(text);
    const std::string stream = writeFormStream(parsed);
    const FormComponent read = readFormStream(stream);
    EXPECT_EQ(formToText(read), text);
    EXPECT_EQ(writeFormStream(parseFormText(formToText(read))), stream);

    ASSERT_EQ(read.children.size(), 3u);
    EXPECT_EQ(read.children[1].name, "suInfo");
    EXPECT_EQ(read.children[1].className, "TSetupInfo");
    const FormProperty* setupData = findSetupDataProperty(read);
    ASSERT_NE(setupData, nullptr);
    EXPECT_EQ(setupData->value.kind, Kind::List);
    ASSERT_EQ(setupData->value.items.size(), 15u);
    EXPECT_EQ(setupData->value.items[1].text, "Demo");
}

TEST(FormText, ParsedPropertiesCarryTheirStreamBytes) {
    const FormComponent parsed = parseFormText(exampleFormText());
    const FormProperty* setupData = findSetupDataProperty(parsed);
    ASSERT_NE(setupData, nullptr);
    EXPECT_EQ(setupData->value.encoded.substr(0, 4), bytesOf({1, 2, 5, 6}));
    EXPECT_EQ(setupData->value.encoded, encodeFormValue(setupData->value));
}

TEST(FormText, ValuesAreWrittenReadably) {
    FormValue binary = kindValue(Kind::Binary);
    binary.text = std::string(33, '\xAB');
    FormValue set = kindValue(Kind::Set);
    set.names = {"btNext", "btCancel"};
    FormValue extended = kindValue(Kind::Extended);
    extended.number = 100;
    FormValue fraction = kindValue(Kind::Extended);
    fraction.number = 1.5;
    const struct {
        FormValue value;
        std::string text;
    } cases[] = {
        {stringValue("It's"), "'It''s'"},
        {stringValue(""), "''"},
        {stringValue("a\r\nb"), "'a'#13#10'b'"},
        {stringValue("\tcaf\xE9"), "#9'caf'#233"},
        {stringValue("#1"), "'#1'"},
        {identifierValue("suWelcome"), "suWelcome"},
        {identifierValue("Form.Button1"), "Form.Button1"},
        {set, "[btNext, btCancel]"},
        {kindValue(Kind::Set), "[]"},
        {binary, "{\n  " + repeated("AB", 32) + "\n  AB}"},
        {extended, "100.0"},
        {fraction, "1.5"},
        {extendedValue(-0.1L), "-0.1"},
        {extendedValue(1e300L), "1e+300"},
        {extendedValue(0.000123L), "0.000123"},
        {integerValue(-27), "-27"},
        {listValue({}), "()"},
        {listValue({stringValue("a"), listValue({integerValue(1)})}), "(\n  'a'\n  (\n    1))"},
        {kindValue(Kind::Nil), "nil"},
        {kindValue(Kind::True), "True"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formValueToText(c.value), c.text);
        EXPECT_EQ(formValueToText(parsedValue(c.text)), c.text);
    }
}

TEST(FormText, TheParserAcceptsTheUsualVariants) {
    const struct {
        std::string text;
        std::string canonical;
    } cases[] = {
        {"'a' + 'b'\n + #65", "'abA'"},
        {"#72#105", "'Hi'"},
        {"$FF", "255"},
        {"-$10", "-16"},
        {"+7", "7"},
        {"-9223372036854775808", "-9223372036854775808"},
        {"1e3", "1000.0"},
        {"-INF", "-INF"},
        {"true", "True"},
        {"NIL", "nil"},
        {"[ a ,b ]", "[a, b]"},
        {"{0a 0B\n ff}", "{\n  0A0BFF}"},
        {"( 1 2 // a comment\n 3 )", "(\n  1\n  2\n  3)"},
        {"<\n item\n  X = 1\n end\n item end>", "<\n  item\n    X = 1\n  end\n  item\n  end>"},
        {"<>", "<>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formValueToText(parsedValue(c.text)), c.canonical);
    }
    const FormComponent form = parseFormText("OBJECT TA\n Object b: TB END // unnamed root\nEnd");
    EXPECT_EQ(form.name, "");
    EXPECT_EQ(form.className, "TA");
    ASSERT_EQ(form.children.size(), 1u);
    EXPECT_EQ(form.children[0].name, "b");
}

TEST(FormText, MistakesAreReportedWithTheirLine) {
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"object a: TA\n  Left 1\nend", "line 2, column 8: expected '=' after Left"},
        {"object a: TA\n  S = 'abc\nend", "line 2, column 11: unterminated string"},
        {"object a: TA\n  Left = 1\n", "line 3, column 1: expected a property, \"object\" or "
                                       "\"end\" in a, found the end of the text"},
        {"object a: TA\nend\nend", "line 3, column 1: unexpected text after the form's last"},
        {"form a: TA end", "line 1, column 1: expected \"object\""},
        {"object a: TA\n  B = {ABC}\nend", "odd number of hexadecimal digits"},
        {"object a: TA\n  B = {ABXY}\nend", "not a hexadecimal digit"},
        {"object a: TA\n  C = #300\nend", "a # character code must be a number from 0 to 255"},
        {"object a: TA\n  N = 99999999999999999999\nend", "integer out of range"},
        {"object a: TA\n  S = [a b]\nend", "expected ',' or ']' in a set"},
        {"object a: TA\n  L = (1 2\nend", "line 3, column 1: expected a value, found \"end\""},
        {"object a: TA\n  C = <x>\nend", "expected \"item\" or '>' in a collection"},
        {"object a: TA\n  X = 'a' + 1\nend", "expected a string after '+'"},
        {"object a: TA\n  X = ?\nend", "line 2, column 7: unexpected character '?'"},
        {"object a: TA\n  inherited b: TB\n  end\nend", "inherited and inline objects"},
        {"object a.b: TA\nend", "expected a component name or class name"},
        {"object a: TA\n  X = " + std::string(65, '(') + std::string(65, ')') + "\nend",
         "values nested deeper than 64"},
        {"object a: TA\n  X = " + std::string(300, 'i') + "\nend", "longer than 255 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NE(parseError(c.text).find(c.message), std::string::npos) << parseError(c.text);
    }
    std::string deep;
    for (int i = 0; i < 65; ++i)
        deep += "object TA\n";
    EXPECT_NE(parseError(deep).find("objects nested deeper than 64"), std::string::npos);
}

TEST(FormText, NamesTheTextCannotHoldAreRefused) {
    const struct {
        FormComponent form;
        const char* message;
    } cases[] = {
        {{"TA", "a b", {}, {}}, "the component name cannot be written as text: \"a b\""},
        {{"TA", "a", {{"Bad Name", integerValue(1)}}, {}}, "the property name cannot be"},
        {{"TA", "a", {{"P", identifierValue("True")}}, {}},
         "property P: the identifier True would read as another value"},
        {{"TA", "a", {{"P", identifierValue("1st")}}, {}}, "the identifier cannot be written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            formToText(c.form);
            ADD_FAILURE() << "no error";
        } catch (const EFormError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(FormText, AScriptOfAnotherShapeIsWrittenAsPlainNestedValues) {
    // A version-4 script has fewer parts: the laid-out form does not apply.
    const FormValue older =
        listValue({integerValue(4), stringValue("Old"), listValue({}), listValue({})});
    const FormComponent form{"TSetupInfo", "suInfo", {{"SetupData", older}}, {}};
    const std::string text = formToText(form);
    EXPECT_EQ(text.find("//"), std::string::npos) << text;
    EXPECT_EQ(writeFormStream(parseFormText(text)), writeFormStream(form));
}
