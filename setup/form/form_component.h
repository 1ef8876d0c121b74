#pragma once
// A form resource as plain data: the component tree of a "TPF0" component stream
// (class name, component name, properties, children). The reader and writer of
// the stream and its readable text form work on this; the installer builds its
// components from it.

#include <cstdint>
#include <string>
#include <vector>

namespace setupkit::form {

// One typed property value of the stream.
struct FormValue {
    enum class Kind {
        Null,       // end of a list
        List,       // items
        Integer,    // integer (stored in the smallest form)
        Extended,   // floating point (number)
        String,     // text (short or long string)
        Identifier, // text: an enumeration value, component reference or event handler name
        False,
        True,
        Binary,     // text holds the bytes
        Set,        // names: the members
        Nil,
        Collection, // items: each a List of properties
    };
    Kind kind = Kind::Null;
    int64_t integer = 0;
    long double number = 0;
    std::string text;
    std::vector<std::string> names;
    std::vector<FormValue> items;
    // The value exactly as stored in the stream (its tag and data). Properties whose
    // value is read by their owner (the controller's "SetupData") use these bytes.
    std::string encoded;
};

struct FormProperty {
    std::string name;
    FormValue value;
};

struct FormComponent {
    std::string className;
    std::string name;
    std::vector<FormProperty> properties;
    std::vector<FormComponent> children;
};

} // namespace setupkit::form
