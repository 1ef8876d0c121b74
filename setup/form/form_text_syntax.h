#pragma once
// What the readable form text shares between its writer and its parser: which names can
// stand bare, the spelling of floating-point numbers.

#include <string>
#include <string_view>

namespace setupkit::form::text_syntax {

bool isNameStart(char c);
bool isNameChar(char c);
// A bare name: a letter or underscore, then letters, digits and underscores; with
// `dotted`, also dots inside (property paths such as Font.Name, references such as
// Form.Button).
bool isBareName(std::string_view name, bool dotted);
// Words that stand for values of their own, or for the text's own structure, and so
// cannot be identifier values.
bool isReservedValueWord(std::string_view word);

// The shortest text that reads back as the same number; always holds a '.', an
// exponent or one of the words INF and NAN, so it never reads as an integer.
std::string formatExtended(long double value);

} // namespace setupkit::form::text_syntax
