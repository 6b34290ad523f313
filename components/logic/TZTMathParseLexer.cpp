// The lexer of the formula language: the token at the cursor, with its kind and text.
// The token text is a view: into the formula where the token stands there as it is,
// into tokenBuffer_ where the lexer drops blanks or folds capitals.
#include <algorithm>

#include "components/logic/FormulaText.h"
#include "components/logic/TZTMathParse.h"

namespace components {

using namespace formula;

void TZTMathParse::skipBlanks() {
    while (isBlank(peek())) ++cursor_;
}

void TZTMathParse::nextToken() {
    tokenText_ = {};
    tokenKind_ = tokNone;
    skipBlanks();
    const char* const here = formula_.data() + (cursor_ - 1);
    const char c = *here;
    if (c == endMarker) {
        tokenKind_ = tokEnd;  // the cursor stays on the marker
        return;
    }
    if (c == '$') return lexHex(1);
    if (c == '0' && here[1] == 'x') return lexHex(2);
    if (isDigit(c) || c == '.') return lexNumber();
    if (isNameStart(c)) return lexName();
    switch (c) {
        case '%':
        case '(':
        case ')':
        case ',':
        case '[':
        case ']':
            ++cursor_;
            tokenText_ = std::string_view(here, 1);
            tokenKind_ = tokSymbol;
            return;
        case '<':
        case '=':
        case '>':
            ++cursor_;
            tokenText_ = std::string_view(here, 1);
            if (c != '=' && peek() == '=') {  // "<=" and ">=" become "{" and "}"
                tokenText_ = c == '<' ? "{" : "}";
                ++cursor_;
            }
            tokenKind_ = tokSymbol;
            return;
        case '*':
        case '+':
        case '-':
        case '/':
        case '^':
            ++cursor_;
            skipBlanks();
            // An operator followed by a sign is refused; the cursor stays on the sign.
            if (peek() == '+' || peek() == '-') return;
            tokenText_ = std::string_view(here, 1);
            tokenKind_ = tokOperator;
            return;
        default: return;  // no token; the cursor does not move
    }
}

template <class Predicate>
std::string_view TZTMathParse::takeRun(Predicate belongs) {
    const char* const first = formula_.data() + (cursor_ - 1);
    const char* end = first;
    while (belongs(*end)) ++end;
    cursor_ = static_cast<std::int16_t>(cursor_ + (end - first));
    return std::string_view(first, static_cast<std::size_t>(end - first));
}

void TZTMathParse::lexHex(int prefixLength) {
    cursor_ = static_cast<std::int16_t>(cursor_ + prefixLength);
    tokenText_ = takeRun(isHexDigit);
    if (!tokenText_.empty()) tokenKind_ = tokHex;
}

void TZTMathParse::lexNumber() {
    const char* const first = formula_.data() + (cursor_ - 1);
    std::size_t length = takeRun(isDigit).size();
    if (peek() == '.') {
        ++cursor_;
        length += 1 + takeRun(isDigit).size();
        if (length == 1) return;  // "." alone is no number
        tokenKind_ = tokReal;
    } else {
        tokenKind_ = tokInteger;
    }
    tokenText_ = std::string_view(first, length);
    skipBlanks();
    if (peek() != 'E' && peek() != 'e') return;
    // Blanks may stand between mantissa, exponent letter, sign and digits; the text
    // is put together without them.
    tokenBuffer_.assign(tokenText_);
    tokenBuffer_.push_back(peek());
    ++cursor_;
    skipBlanks();
    if (peek() == '+' || peek() == '-') {
        tokenBuffer_.push_back(peek());
        ++cursor_;
        skipBlanks();
    }
    if (!isDigit(peek())) {
        tokenText_ = {};
        tokenKind_ = tokNone;
        return;
    }
    tokenBuffer_.append(takeRun(isDigit));
    tokenText_ = tokenBuffer_;
    tokenKind_ = tokReal;
}

void TZTMathParse::lexName() {
    tokenText_ = takeRun([](char c) { return isNameStart(c) || isDigit(c); });
    tokenKind_ = tokName;
    if (std::none_of(tokenText_.begin(), tokenText_.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        return;
    tokenBuffer_.assign(tokenText_);
    for (char& c : tokenBuffer_)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    tokenText_ = tokenBuffer_;
}

}  // namespace components
