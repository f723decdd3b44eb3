#include "core/console/ConsoleSyntax.h"

#include "core/base/CharClass.h"
#include "core/eval/BuiltinFunctions.h"
#include "core/eval/CalcValue.h"

#include <algorithm>
#include <array>

namespace
{
using Line = std::u16string_view;

constexpr std::array<Line, 2> ERROR_PREFIXES = {u"Error: [", u"错误: ["};

char16_t Lower(char16_t ch) { return ch >= 'A' && ch <= 'Z' ? char16_t(ch | 0x20) : ch; }
char16_t At(Line str, std::size_t n) { return n < str.size() ? str[n] : u'\0'; }
bool IsOperatorChar(char16_t ch) { return Line(u"+-*/%,=()").find(ch) != Line::npos; }

std::size_t SkipBlanks(Line str, std::size_t n)
{
    while (n < str.size() && IsBlank(str[n]))
        ++n;
    return n;
}

std::string Ascii(Line str)
{
    std::string strAscii;
    strAscii.reserve(str.size());
    for (char16_t ch : str)
        strAscii += char(ch);
    return strAscii;
}

bool IsErrorLine(Line strLine)
{
    return std::any_of(ERROR_PREFIXES.begin(), ERROR_PREFIXES.end(),
                       [&](Line strPrefix) { return strLine.starts_with(strPrefix); });
}

// The statement's keyword as the dispatcher reads it (lower case, after leading blanks): its
// length when it is one, else 0. A malformed fx line is left to the names.
std::size_t KeywordLength(Line strLine, std::size_t nStart)
{
    std::u16string strRest;
    for (std::size_t n = nStart; n < strLine.size(); ++n)
        strRest += Lower(strLine[n]);
    if (strRest == u"cls" || strRest == u"fxcls")
        return strRest.size();
    if (strRest.starts_with(u"fact "))
        return 4;
    if (strRest.starts_with(u"fx ") || strRest == u"fx")
        return 2;
    if (strRest.size() >= 3 && strRest.starts_with(u"fx") && strRest[2] >= '1' &&
        strRest[2] <= '9' && At(strRest, 3) == ' ')
        return 3;
    return 0;
}

// Digits, a point and digits, an exponent, an i; or 0x and hexadecimal digits, 0b and bits.
std::size_t NumberLength(Line str, std::size_t n)
{
    const std::size_t nStart = n;
    const char16_t chPrefix = At(str, n) == '0' ? Lower(At(str, n + 1)) : u'\0';
    if (chPrefix == 'x' || chPrefix == 'b') {
        n += 2;
        while (chPrefix == 'x' ? IsHexDigit(At(str, n)) : (At(str, n) == '0' || At(str, n) == '1'))
            ++n;
        return n - nStart;
    }
    while (IsDigit(At(str, n)))
        ++n;
    if (At(str, n) == '.')
        for (++n; IsDigit(At(str, n)); ++n) {}
    if (Lower(At(str, n)) == 'e') {
        ++n;
        if (At(str, n) == '+' || At(str, n) == '-')
            ++n;
        while (IsDigit(At(str, n)))
            ++n;
    }
    if (At(str, n) == 'i')
        ++n;
    return n - nStart;
}

TokenKind NameKind(Line strName, bool bCall, bool bCurve,
                   const std::map<std::string, CalcValue>& vars)
{
    const std::string strAscii = Ascii(strName);
    if (bCall && FindBuiltin((strAscii + "(").c_str()) != nullptr)
        return TokenKind::Function;
    std::string strLower = strAscii;
    std::transform(strLower.begin(), strLower.end(), strLower.begin(),
                   [](char ch) { return char(Lower(char16_t(ch))); });
    if (vars.contains(strAscii) || strLower == "pi" || strAscii == "e" ||
        (bCurve && strAscii == "x"))
        return TokenKind::Variable;
    return TokenKind::Unknown;
}

void Add(std::vector<ConsoleToken>& tokens, std::size_t nStart, std::size_t nLength, TokenKind kind)
{
    if (!tokens.empty() && tokens.back().kind == kind &&
        tokens.back().nStart + tokens.back().nLength == nStart)
        tokens.back().nLength += nLength;
    else
        tokens.push_back({nStart, nLength, kind});
}

// The token that starts at n and how long it is.
ConsoleToken NextToken(Line str, std::size_t n, bool bCurve,
                       const std::map<std::string, CalcValue>& vars)
{
    const char16_t ch = str[n];
    if (IsBlank(ch))
        return {n, SkipBlanks(str, n) - n, TokenKind::Plain};
    if (ch == '#')
        return {n, str.size() - n, TokenKind::Comment};
    if (IsDigit(ch) || (ch == '.' && IsDigit(At(str, n + 1))))
        return {n, NumberLength(str, n), TokenKind::Number};
    if (IsAlpha(ch)) {
        std::size_t nEnd = n;
        while (IsAlpha(At(str, nEnd)) || IsDigit(At(str, nEnd)))
            ++nEnd;
        // Blanks are removed before a line is read, so "sin (30)" calls sin.
        const char16_t chNext = At(str, SkipBlanks(str, nEnd));
        // The name an assignment gives a value is a variable from then on.
        if (chNext == '=')
            return {n, nEnd - n, TokenKind::Variable};
        return {n, nEnd - n, NameKind(str.substr(n, nEnd - n), chNext == '(', bCurve, vars)};
    }
    if (ch == '!' && At(str, SkipBlanks(str, n + 1)) == '(')
        return {n, 1, TokenKind::Function};
    if (IsOperatorChar(ch))
        return {n, 1, TokenKind::Operator};
    return {n, 1, TokenKind::Unknown};
}
} // namespace

std::vector<ConsoleToken> TokenizeLine(Line strLine, bool bWritten,
                                       const std::map<std::string, CalcValue>& vars)
{
    std::vector<ConsoleToken> tokens;
    if (strLine.empty())
        return tokens;
    if (bWritten) {
        tokens.push_back(
            {0, strLine.size(), IsErrorLine(strLine) ? TokenKind::Error : TokenKind::Result});
        return tokens;
    }
    std::size_t n = SkipBlanks(strLine, 0);
    if (n > 0)
        Add(tokens, 0, n, TokenKind::Plain);
    const std::size_t nKeyword = KeywordLength(strLine, n);
    const bool bCurve =
        nKeyword > 0 && Lower(strLine[n]) == 'f' && Lower(strLine[n + 1]) == 'x' && nKeyword != 5;
    if (nKeyword > 0) {
        Add(tokens, n, nKeyword, TokenKind::Keyword);
        n += nKeyword;
    }
    while (n < strLine.size()) {
        const ConsoleToken token = NextToken(strLine, n, bCurve, vars);
        Add(tokens, token.nStart, token.nLength, token.kind);
        n += token.nLength;
    }
    return tokens;
}

bool LooksWritten(Line strPrevious, bool bPreviousWritten, Line strLine)
{
    if (strLine.empty())
        return false;
    if (IsErrorLine(strLine))
        return true;
    if (bPreviousWritten)
        return false;
    const Line strStatement =
        strPrevious.substr(0, std::min(strPrevious.find('#'), strPrevious.size()));
    const std::size_t nStart = SkipBlanks(strStatement, 0);
    if (nStart == strStatement.size())
        return false;
    const std::size_t nKeyword = KeywordLength(strPrevious, nStart);
    // cls, fxcls and curves write nothing; fact writes its factors.
    if (nKeyword > 0 && Lower(strPrevious[nStart + 1]) != 'a')
        return false;
    return strStatement.find('=') == Line::npos;
}

BracketPair BracketAtCaret(Line strLine, std::size_t nCaret)
{
    const Line strCode = strLine.substr(0, std::min(strLine.find('#'), strLine.size()));
    BracketPair pair;
    if (nCaret > 0 && nCaret <= strCode.size() &&
        (strCode[nCaret - 1] == '(' || strCode[nCaret - 1] == ')'))
        pair.nBracket = nCaret - 1;
    else if (nCaret < strCode.size() && (strCode[nCaret] == '(' || strCode[nCaret] == ')'))
        pair.nBracket = nCaret;
    else
        return pair;
    const char16_t chBracket = strCode[pair.nBracket];
    const char16_t chPartner = chBracket == '(' ? u')' : u'(';
    const bool bForward = chBracket == '(';
    int nDepth = 0;
    for (std::size_t n = pair.nBracket; n < strCode.size(); n = bForward ? n + 1 : n - 1) {
        nDepth += strCode[n] == chBracket ? 1 : strCode[n] == chPartner ? -1 : 0;
        if (nDepth == 0) {
            pair.nPartner = n;
            break;
        }
        if (!bForward && n == 0)
            break;
    }
    return pair;
}
