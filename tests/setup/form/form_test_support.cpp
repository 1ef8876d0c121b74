#include "form_test_support.h"

#include "temp_dir.h"

namespace setupkit::form::testing {

std::string bytesOf(std::initializer_list<int> bytes) {
    std::string result;
    for (const int byte : bytes)
        result.push_back(static_cast<char>(byte));
    return result;
}

FormValue integerValue(std::int64_t value) {
    FormValue result;
    result.kind = FormValue::Kind::Integer;
    result.integer = value;
    return result;
}

FormValue stringValue(std::string text) {
    FormValue result;
    result.kind = FormValue::Kind::String;
    result.text = std::move(text);
    return result;
}

FormValue identifierValue(std::string text) {
    FormValue result;
    result.kind = FormValue::Kind::Identifier;
    result.text = std::move(text);
    return result;
}

FormValue listValue(std::initializer_list<FormValue> items) {
    FormValue result;
    result.kind = FormValue::Kind::List;
    result.items = items;
    return result;
}

FormValue kindValue(FormValue::Kind kind) {
    FormValue result;
    result.kind = kind;
    return result;
}

std::string exampleFormText() {
    return lumora::testing::readFile(lumora::testing::sourceDir() /
                                     "tests/setup/form/fixtures/example_form.txt");
}

} // namespace setupkit::form::testing
