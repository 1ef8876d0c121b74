#include "setup/form/form_text_parser.h"

#include "common/ascii_case.h"
#include "setup/form/form_error.h"
#include "setup/form/form_stream_writer.h"
#include "setup/form/form_text_syntax.h"
#include "setup/form/form_value_tags.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace setupkit::form {

namespace {

using namespace text_syntax;
using lumora::equalsIgnoringCase;

struct Token {
    enum class Type { End, Name, Integer, Float, String, Binary, Symbol };
    Type type = Type::End;
    std::string text; // the name, the string's bytes, the binary bytes or the symbol
    std::int64_t integer = 0;
    long double number = 0;
    int line = 1;
    int column = 1;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    const Token& peek() {
        if (!peeked_) {
            next_ = scan();
            peeked_ = true;
        }
        return next_;
    }

    Token take() {
        peek();
        peeked_ = false;
        return std::move(next_);
    }

    [[noreturn]] static void fail(const Token& at, const std::string& what) {
        throw EFormError("line " + std::to_string(at.line) + ", column " +
                         std::to_string(at.column) + ": " + what);
    }

private:
    bool atEnd() const { return position_ >= text_.size(); }
    char current() const { return text_[position_]; }
    char lookAhead(std::size_t distance) const {
        return position_ + distance < text_.size() ? text_[position_ + distance] : '\0';
    }

    void advance() {
        if (text_[position_] == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        ++position_;
    }

    [[noreturn]] void failHere(const std::string& what) const {
        Token here;
        here.line = line_;
        here.column = column_;
        fail(here, what);
    }

    void skipBlanksAndComments() {
        while (!atEnd()) {
            const char c = current();
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                advance();
            } else if (c == '/' && lookAhead(1) == '/') {
                while (!atEnd() && current() != '\n')
                    advance();
            } else {
                return;
            }
        }
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexDigit(char c) {
        if (isDigit(c))
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    }

    Token scan() {
        skipBlanksAndComments();
        Token token;
        token.line = line_;
        token.column = column_;
        if (atEnd())
            return token;
        const char c = current();
        if (isNameStart(c)) {
            token.type = Token::Type::Name;
            while (!atEnd() && (isNameChar(current()) || current() == '.')) {
                token.text += current();
                advance();
            }
        } else if (c == '\'' || c == '#') {
            scanString(token);
        } else if (isDigit(c) || c == '$' ||
                   ((c == '-' || c == '+') && (isDigit(lookAhead(1)) || lookAhead(1) == '$' ||
                                               lookAhead(1) == 'I' || lookAhead(1) == 'N'))) {
            scanNumber(token);
        } else if (c == '{') {
            scanBinary(token);
        } else if (std::string_view("=:()[]<>,+").find(c) != std::string_view::npos) {
            token.type = Token::Type::Symbol;
            token.text = std::string(1, c);
            advance();
        } else {
            failHere("unexpected character '" + std::string(1, c) + "'");
        }
        return token;
    }

    // Quoted pieces and #nnn characters, written next to each other.
    void scanString(Token& token) {
        token.type = Token::Type::String;
        while (!atEnd() && (current() == '\'' || current() == '#')) {
            if (current() == '#') {
                advance();
                int code = 0;
                int digits = 0;
                while (!atEnd() && isDigit(current()) && digits < 4) {
                    code = code * 10 + (current() - '0');
                    ++digits;
                    advance();
                }
                if (digits == 0 || code > 255)
                    failHere("a # character code must be a number from 0 to 255");
                token.text += static_cast<char>(code);
                continue;
            }
            advance();
            for (;;) {
                if (atEnd() || current() == '\n' || current() == '\r')
                    failHere("unterminated string");
                if (current() == '\'') {
                    if (lookAhead(1) != '\'')
                        break;
                    advance();
                }
                token.text += current();
                advance();
            }
            advance();
        }
    }

    void scanNumber(Token& token) {
        std::string spelling;
        if (current() == '-' || current() == '+') {
            spelling += current();
            advance();
        }
        if (!atEnd() && (current() == 'I' || current() == 'N')) {
            const std::string_view word = text_.substr(position_, 3);
            if (word != "INF" && word != "NAN")
                failHere("expected INF or NAN after the sign");
            for (int i = 0; i < 3; ++i)
                advance();
            token.type = Token::Type::Float;
            token.number = word == "INF" ? std::numeric_limits<long double>::infinity()
                                         : std::numeric_limits<long double>::quiet_NaN();
            if (spelling == "-")
                token.number = -token.number;
            return;
        }
        if (!atEnd() && current() == '$') {
            advance();
            std::uint64_t value = 0;
            int digits = 0;
            while (!atEnd() && hexDigit(current()) >= 0) {
                if (value > (std::numeric_limits<std::uint64_t>::max() >> 4))
                    failHere("integer out of range");
                value = value << 4 | static_cast<unsigned>(hexDigit(current()));
                ++digits;
                advance();
            }
            if (digits == 0)
                failHere("expected hexadecimal digits after $");
            if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                failHere("integer out of range");
            token.type = Token::Type::Integer;
            token.integer = static_cast<std::int64_t>(value);
            if (spelling == "-")
                token.integer = -token.integer;
            return;
        }
        bool isFloat = false;
        const auto takeDigits = [&] {
            while (!atEnd() && isDigit(current())) {
                spelling += current();
                advance();
            }
        };
        takeDigits();
        if (!atEnd() && current() == '.' && isDigit(lookAhead(1))) {
            isFloat = true;
            spelling += '.';
            advance();
            takeDigits();
        }
        if (!atEnd() && (current() == 'e' || current() == 'E')) {
            isFloat = true;
            spelling += 'e';
            advance();
            if (!atEnd() && (current() == '-' || current() == '+')) {
                spelling += current();
                advance();
            }
            if (atEnd() || !isDigit(current()))
                failHere("expected digits in the exponent");
            takeDigits();
        }
        if (isFloat) {
            token.type = Token::Type::Float;
            token.number = std::strtold(spelling.c_str(), nullptr);
            return;
        }
        token.type = Token::Type::Integer;
        const char* first = spelling.c_str() + (spelling.front() == '+' ? 1 : 0);
        const auto [end, error] =
            std::from_chars(first, spelling.c_str() + spelling.size(), token.integer);
        if (error != std::errc() || end != spelling.c_str() + spelling.size())
            failHere("integer out of range: " + spelling);
    }

    void scanBinary(Token& token) {
        token.type = Token::Type::Binary;
        advance();
        int high = -1;
        for (;;) {
            if (atEnd())
                failHere("binary data without its closing }");
            const char c = current();
            if (c == '}')
                break;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                advance();
                continue;
            }
            const int digit = hexDigit(c);
            if (digit < 0)
                failHere("binary data holds a character that is not a hexadecimal digit");
            if (high < 0) {
                high = digit;
            } else {
                token.text += static_cast<char>(high << 4 | digit);
                high = -1;
            }
            advance();
        }
        if (high >= 0)
            failHere("binary data with an odd number of hexadecimal digits");
        advance();
    }

    std::string_view text_;
    std::size_t position_ = 0;
    int line_ = 1;
    int column_ = 1;
    Token next_;
    bool peeked_ = false;
};

class TextParser {
public:
    explicit TextParser(std::string_view text) : lexer_(text) {}

    FormComponent parse() {
        const Token first = lexer_.peek();
        if (!isKeyword(first, "object"))
            Lexer::fail(first, "expected \"object\" at the start of the form");
        lexer_.take();
        FormComponent root = parseObject(1);
        const Token& rest = lexer_.peek();
        if (rest.type != Token::Type::End)
            Lexer::fail(rest, "unexpected text after the form's last \"end\"");
        return root;
    }

private:
    static bool isKeyword(const Token& token, std::string_view word) {
        return token.type == Token::Type::Name && equalsIgnoringCase(token.text, word);
    }

    static bool isSymbol(const Token& token, char symbol) {
        return token.type == Token::Type::Symbol && token.text[0] == symbol;
    }

    static std::string describe(const Token& token) {
        switch (token.type) {
        case Token::Type::End:
            return "the end of the text";
        case Token::Type::Name:
        case Token::Type::Symbol:
            return "\"" + token.text + "\"";
        default:
            return "a value";
        }
    }

    Token expectName(const char* what, bool dotted) {
        Token token = lexer_.take();
        if (token.type != Token::Type::Name || !isBareName(token.text, dotted))
            Lexer::fail(token, std::string("expected ") + what + ", found " + describe(token));
        return token;
    }

    void expectSymbol(char symbol, const char* where) {
        const Token token = lexer_.take();
        if (!isSymbol(token, symbol))
            Lexer::fail(token, std::string("expected '") + symbol + "' " + where + ", found " +
                                   describe(token));
    }

    FormComponent parseObject(int depth) {
        const Token& head = lexer_.peek();
        if (depth > kMaxFormNesting)
            Lexer::fail(head, "objects nested deeper than " + std::to_string(kMaxFormNesting));
        FormComponent component;
        const Token first = expectName("a component name or class name", false);
        if (isSymbol(lexer_.peek(), ':')) {
            lexer_.take();
            component.name = first.text;
            component.className = expectName("a class name", false).text;
        } else {
            component.className = first.text;
        }
        for (;;) {
            const Token& next = lexer_.peek();
            if (isKeyword(next, "end")) {
                lexer_.take();
                return component;
            }
            if (isKeyword(next, "object")) {
                lexer_.take();
                component.children.push_back(parseObject(depth + 1));
                continue;
            }
            if (isKeyword(next, "inherited") || isKeyword(next, "inline"))
                Lexer::fail(next, "inherited and inline objects are not supported");
            if (next.type != Token::Type::Name)
                Lexer::fail(next,
                            "expected a property, \"object\" or \"end\" in " +
                                (component.name.empty() ? component.className : component.name) +
                                ", found " + describe(next));
            component.properties.push_back(parseProperty(0));
        }
    }

    FormProperty parseProperty(int depth) {
        const Token nameToken = expectName("a property name", true);
        FormProperty property;
        property.name = nameToken.text;
        expectSymbol('=', ("after " + property.name).c_str());
        property.value = parseValue(depth);
        try {
            property.value.encoded = encodeFormValue(property.value);
        } catch (const EFormError& error) {
            Lexer::fail(nameToken, std::string(error.what()));
        }
        return property;
    }

    void checkNesting(const Token& at, int depth) {
        if (depth >= kMaxFormNesting)
            Lexer::fail(at, "values nested deeper than " + std::to_string(kMaxFormNesting));
    }

    FormValue parseValue(int depth) {
        using Kind = FormValue::Kind;
        Token token = lexer_.take();
        FormValue value;
        switch (token.type) {
        case Token::Type::Integer:
            value.kind = Kind::Integer;
            value.integer = token.integer;
            return value;
        case Token::Type::Float:
            value.kind = Kind::Extended;
            value.number = token.number;
            return value;
        case Token::Type::String:
            value.kind = Kind::String;
            value.text = std::move(token.text);
            while (isSymbol(lexer_.peek(), '+')) {
                lexer_.take();
                Token piece = lexer_.take();
                if (piece.type != Token::Type::String)
                    Lexer::fail(piece, "expected a string after '+'");
                value.text += piece.text;
            }
            return value;
        case Token::Type::Binary:
            value.kind = Kind::Binary;
            value.text = std::move(token.text);
            return value;
        case Token::Type::Name:
            if (equalsIgnoringCase(token.text, "True")) {
                value.kind = Kind::True;
            } else if (equalsIgnoringCase(token.text, "False")) {
                value.kind = Kind::False;
            } else if (equalsIgnoringCase(token.text, "nil")) {
                value.kind = Kind::Nil;
            } else {
                if (isReservedValueWord(token.text))
                    Lexer::fail(token, "expected a value, found \"" + token.text + "\"");
                if (!isBareName(token.text, true))
                    Lexer::fail(token, "not an identifier: " + token.text);
                value.kind = Kind::Identifier;
                value.text = std::move(token.text);
            }
            return value;
        case Token::Type::Symbol:
            break;
        case Token::Type::End:
            Lexer::fail(token, "expected a value, found the end of the text");
        }
        switch (token.text[0]) {
        case '[':
            value.kind = Kind::Set;
            if (isSymbol(lexer_.peek(), ']')) {
                lexer_.take();
                return value;
            }
            for (;;) {
                value.names.push_back(expectName("a set member", false).text);
                const Token separator = lexer_.take();
                if (isSymbol(separator, ']'))
                    return value;
                if (!isSymbol(separator, ','))
                    Lexer::fail(separator,
                                "expected ',' or ']' in a set, found " + describe(separator));
            }
        case '(':
            checkNesting(token, depth);
            value.kind = Kind::List;
            while (!isSymbol(lexer_.peek(), ')'))
                value.items.push_back(parseValue(depth + 1));
            lexer_.take();
            return value;
        case '<':
            checkNesting(token, depth);
            value.kind = Kind::Collection;
            for (;;) {
                const Token next = lexer_.take();
                if (isSymbol(next, '>'))
                    return value;
                if (!isKeyword(next, "item"))
                    Lexer::fail(next, "expected \"item\" or '>' in a collection, found " +
                                          describe(next));
                checkNesting(next, depth + 1);
                FormValue item;
                item.kind = Kind::List;
                while (!isKeyword(lexer_.peek(), "end")) {
                    if (lexer_.peek().type == Token::Type::End)
                        Lexer::fail(lexer_.peek(), "collection item without its \"end\"");
                    item.properties.push_back(parseProperty(depth + 2));
                }
                lexer_.take();
                value.items.push_back(std::move(item));
            }
        default:
            Lexer::fail(token, "expected a value, found " + describe(token));
        }
    }

    Lexer lexer_;
};

} // namespace

FormComponent parseFormText(std::string_view text) {
    return TextParser(text).parse();
}

} // namespace setupkit::form
