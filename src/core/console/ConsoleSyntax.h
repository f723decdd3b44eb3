#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

struct CalcValue;

// What a stretch of a console line is, for colouring it. The text itself never changes.
enum class TokenKind
{
    Plain,    // blanks
    Number,   // 12.5, 1e3, 3i, 0xFF, 0b101
    Function, // sin, pow, ! (before their parenthesis)
    Variable, // a variable of the console, pi, e, x in a curve
    Unknown,  // a name or character the evaluator does not know
    Operator, // + - * / % , = and parentheses
    Comment,  // from # on
    Keyword,  // cls, fxcls, fact, fx, fx1 ... fx9 at the start of a line
    Result,   // a line the console wrote
    Error,    // an error line the console wrote
};
inline constexpr int TOKEN_KIND_COUNT = 10;

struct ConsoleToken
{
    std::size_t nStart;
    std::size_t nLength;
    TokenKind kind;
};

// The tokens of one console line (UTF-16, as the text control holds it), in order, covering it
// whole. bWritten: the console wrote the line (a result or an error). vars: the console's
// variables, which decide whether a name is known.
std::vector<ConsoleToken> TokenizeLine(std::u16string_view strLine, bool bWritten,
                                       const std::map<std::string, CalcValue>& vars);

// Whether strLine is one the console wrote below strPrevious, judged from the text alone (for a
// console read back from a file): an error line always is; otherwise a line is a result when
// the line before is a statement that writes one (not blank, no keyword that writes nothing,
// no assignment) and was not itself written.
bool LooksWritten(std::u16string_view strPrevious, bool bPreviousWritten,
                  std::u16string_view strLine);

inline constexpr std::size_t NO_BRACKET = std::string::npos;

// The bracket at nColumn of strLine and its partner, nested brackets counted (text after # is
// not counted). nPartner is NO_BRACKET for a bracket without one.
struct BracketPair
{
    std::size_t nBracket = NO_BRACKET;
    std::size_t nPartner = NO_BRACKET;
};
// The bracket just before the caret at nCaret, else the one just after it; nBracket is
// NO_BRACKET when there is none at either side.
BracketPair BracketAtCaret(std::u16string_view strLine, std::size_t nCaret);
