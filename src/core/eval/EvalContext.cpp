#include "core/eval/EvalContext.h"

#include "core/eval/BuiltinFunctions.h"
#include "core/eval/CalcError.h"
#include "core/base/CharClass.h"
#include "core/eval/DecimalText.h"
#include "core/eval/MathConstants.h"
#include "core/eval/Messages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
constexpr double E = 2.718281828459045;
constexpr double FACTORIAL_LIMIT = 200;
// Every parenthesis level nests one expression. A console line of 2047 characters holds at most
// 1023 levels; deeper text (from other callers) is refused instead of exhausting the stack.
constexpr int MAX_NESTING = 1100;
// Effective precision of one part never exceeds 17 digits, whatever cancellation recorded.
constexpr int MAX_DIGITS = 17;

int HexValue(char ch) { return IsDigit(ch) ? ch - '0' : (ch | 0x20) - 'a' + 10; }

// Counts the expression levels one call of EvaluateExpression reads, and gives them back.
class DepthGuard
{
public:
    explicit DepthGuard(int& nDepth) : m_nDepth(nDepth) { Enter(); }
    ~DepthGuard() { m_nDepth -= m_nEntered; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    void Enter()
    {
        ++m_nDepth;
        ++m_nEntered;
    }
    bool TooDeep() const { return m_nDepth > MAX_NESTING; }
    bool Outermost() const { return m_nDepth == 1; }

private:
    int& m_nDepth;
    int m_nEntered = 0;
};

// Drops the terms a sum pushed, also when reading it failed.
class TermStackScope
{
public:
    explicit TermStackScope(std::vector<CalcValue>& terms) : m_terms(terms), m_nBase(terms.size())
    {}
    ~TermStackScope() { m_terms.resize(m_nBase); }
    TermStackScope(const TermStackScope&) = delete;
    TermStackScope& operator=(const TermStackScope&) = delete;

private:
    std::vector<CalcValue>& m_terms;
    std::size_t m_nBase;
};

// Attaches the outermost expression's text to the parenthesis table for as long as it is read.
class ParenScope
{
public:
    ParenScope(ParenTable& parens, const char* pText, bool bOutermost)
        : m_parens(bOutermost ? &parens : nullptr)
    {
        if (m_parens != nullptr)
            m_parens->Attach(pText);
    }
    ~ParenScope()
    {
        if (m_parens != nullptr)
            m_parens->Detach();
    }
    ParenScope(const ParenScope&) = delete;
    ParenScope& operator=(const ParenScope&) = delete;

private:
    ParenTable* m_parens;
};
} // namespace

CEvalContext::CEvalContext(const ILanguageSource& language, CRandomGenerator& random,
                           const AngleUnit& angle)
    : m_language(language), m_random(random), m_angle(angle)
{}

CEvalContext::CEvalContext(const CEvalContext& other, CRandomGenerator& random)
    : m_nPrecision(other.m_nPrecision), m_language(other.m_language), m_random(random),
      m_angle(other.m_angle), m_mapVars(other.m_mapVars)
{}

void CEvalContext::Raise(const Text& text) const { throw CalcError(text.In(CurrentLanguage())); }

CalcValue CEvalContext::EvaluateLine(std::string_view strText)
{
    std::string strCopy;
    for (char ch : strText) {
        if (ch == '\0')
            break;
        if (!IsBlank(ch))
            strCopy += ch;
    }
    if (strCopy.empty())
        return {0.0, 0.0};
    const std::size_t nEquals = strCopy.find('=');
    m_bAssignment = false;
    const std::size_t nStart = nEquals == std::string::npos ? 0 : nEquals + 1;
    const CalcValue value = EvaluateExpression(strCopy.c_str() + nStart, strCopy.size() - nStart);
    if (nEquals != std::string::npos)
        Assign(std::string_view(strCopy).substr(0, nEquals), value);
    return value;
}

// A sum is read term by term from the left but added from the right, so a - b + c is
// a + ((-b) + c) and the last addition recorded is the leftmost one.
CalcValue CEvalContext::EvaluateExpression(const char* pText, std::size_t nLength)
{
    DepthGuard guard(m_nDepth);
    if (guard.TooDeep())
        Raise(msg::SYNTAX_ERROR);
    const ParenScope parens(m_parens, pText, guard.Outermost());
    // "(E)" filling the whole length reads exactly as E one level deeper. Peeling such pairs here
    // skips the term, operand and argument layers in between, which a deeply parenthesised curve
    // would otherwise pass through at every level of each of its samples.
    while (nLength >= 2 && pText[0] == '(' && m_parens.CloseAfter(pText + 1) == nLength - 2) {
        guard.Enter();
        if (guard.TooDeep())
            Raise(msg::SYNTAX_ERROR);
        ++pText;
        nLength -= 2;
    }
    std::size_t nPos = 0;
    const CalcValue first = ParseTerm(pText, nLength, nPos);
    if (nPos >= nLength)
        return first;
    // The terms wait on one stack that every level shares, so a sum allocates nothing of its own.
    const TermStackScope scope(m_terms);
    const std::size_t nBase = m_terms.size();
    m_terms.push_back(first);
    do {
        const CalcValue term = ParseTerm(pText, nLength, nPos);
        m_terms.push_back(term);
    } while (nPos < nLength);

    CalcValue sum = m_terms.back();
    for (std::size_t i = m_terms.size() - 1; i-- > nBase;) {
        const CalcValue left = m_terms[i];
        const CalcValue total = left + sum;
        m_nLostDigitsRe = CancellationCount(left.re, sum.re, total.re);
        m_nLostDigitsIm = CancellationCount(left.im, sum.im, total.im);
        sum = total;
    }
    return sum;
}

// A signed operand followed by any number of * / % operands; stops before a + or -.
CalcValue CEvalContext::ParseTerm(const char* pText, std::size_t nLength, std::size_t& nPos)
{
    CalcValue v = ParseSignedOperand(pText, nPos);
    while (nPos < nLength) {
        const char ch = pText[nPos];
        if (ch == '+' || ch == '-')
            break;
        if (ch != '*' && ch != '/' && ch != '%')
            Raise(msg::SYNTAX_ERROR);
        ++nPos;
        const CalcValue w = ParseSignedOperand(pText, nPos);
        if (ch == '*') {
            v = v * w;
            continue;
        }
        if (w == CalcValue(0.0, 0.0))
            Raise(msg::DIVISOR_ZERO);
        if (ch == '/') {
            v = v / w;
            continue;
        }
        const double y = RequireReal(w);
        const double x = RequireReal(v);
        v = {LibraryResult(std::fmod(x, y), x, y), 0.0};
    }
    return v;
}

CalcValue CEvalContext::ParseSignedOperand(const char* pText, std::size_t& nPos)
{
    bool bNegate = false;
    for (; pText[nPos] == '+' || pText[nPos] == '-'; ++nPos)
        bNegate ^= pText[nPos] == '-';
    std::size_t nConsumed = 0;
    const CalcValue v = ParseOperand(pText + nPos, nConsumed);
    nPos += nConsumed;
    return bNegate ? -v : v;
}

CalcValue CEvalContext::ParseOperand(const char* pText, std::size_t& nConsumed)
{
    CalcValue x;
    CalcValue y;
    // No function name starts with "(", so the commonest deep operand is told apart first.
    if (pText[0] == '(') {
        nConsumed = 1 + EvaluateArguments(pText + 1, false, x, y);
        return x;
    }
    if (const BuiltinFunction* pFunction = FindBuiltin(pText)) {
        const std::size_t nName = std::strlen(pFunction->pszName);
        nConsumed = nName + EvaluateArguments(pText + nName, pFunction->bTwoArguments, x, y);
        return pFunction->pfnCompute(*this, x, y);
    }
    return ParseLiteralOrName(pText, nConsumed);
}

CalcValue CEvalContext::ParseLiteralOrName(const char* pText, std::size_t& nConsumed)
{
    const char chPrefix = pText[0] == '0' ? ToLowerAscii(pText[1]) : '\0';
    if (chPrefix == 'x' || chPrefix == 'b') {
        std::uint32_t nBits = 0;
        std::size_t n = 2;
        if (chPrefix == 'x')
            for (; IsHexDigit(pText[n]); ++n)
                nBits = nBits << 4 | std::uint32_t(HexValue(pText[n]));
        else
            for (; pText[n] == '0' || pText[n] == '1'; ++n)
                nBits = nBits << 1 | std::uint32_t(pText[n] - '0');
        nConsumed = n;
        return CalcValue(static_cast<std::int32_t>(nBits));
    }
    if (IsDigit(pText[0]) || pText[0] == '.')
        return ParseDecimal(pText, nConsumed);
    if (const std::string* pName = LongestVariablePrefix(pText)) {
        nConsumed = pName->size();
        return m_mapVars.at(*pName);
    }
    if (ToLowerAscii(pText[0]) == 'p' && ToLowerAscii(pText[1]) == 'i' && IsOperandEnd(pText[2])) {
        nConsumed = 2;
        return PI;
    }
    if (pText[0] == 'e' && IsOperandEnd(pText[1])) {
        nConsumed = 1;
        return E;
    }
    Raise(msg::SYNTAX_ERROR);
}

// Digits, an optional point and digits, then an exponent letter with an optional sign and
// digits (the letter is taken even without digits: 2e reads as 2); a trailing i makes it imaginary.
CalcValue CEvalContext::ParseDecimal(const char* pText, std::size_t& nConsumed) const
{
    std::size_t n = 0;
    while (IsDigit(pText[n]))
        ++n;
    if (pText[n] == '.')
        for (++n; IsDigit(pText[n]); ++n) {}
    if (ToLowerAscii(pText[n]) == 'e') {
        ++n;
        if (pText[n] == '+' || pText[n] == '-')
            ++n;
        while (IsDigit(pText[n]))
            ++n;
    }
    const double d = ReadLeadingNumber(std::string_view(pText, n));
    if (pText[n] == 'i') {
        nConsumed = n + 1;
        return {0.0, d};
    }
    nConsumed = n;
    return {d, 0.0};
}

const std::string* CEvalContext::LongestVariablePrefix(const char* pText) const
{
    const std::string* pBest = nullptr;
    for (const auto& [strName, value] : m_mapVars) {
        if ((pBest == nullptr || strName.size() > pBest->size()) &&
            std::strncmp(pText, strName.c_str(), strName.size()) == 0)
            pBest = &strName;
    }
    return pBest;
}

std::size_t CEvalContext::EvaluateArguments(const char* pText, bool bTwoArguments, CalcValue& first,
                                            CalcValue& second)
{
    const std::size_t nClose = m_parens.CloseAfter(pText);
    if (nClose == ParenTable::NO_MATCH)
        Raise(msg::MISSING_PAREN);
    if (!bTwoArguments) {
        first = EvaluateExpression(pText, nClose);
        return nClose + 1;
    }
    // Parentheses inside the arguments are closed before nClose; the comma is the first one
    // outside them.
    std::size_t j = 0;
    for (; j < nClose && pText[j] != ','; ++j) {
        if (pText[j] != '(')
            continue;
        const std::size_t nInner = m_parens.CloseAfter(pText + j + 1);
        j = nInner == ParenTable::NO_MATCH ? nClose - 1 : std::min(j + 1 + nInner, nClose - 1);
    }
    if (j >= nClose)
        Raise(msg::MISSING_COMMA);
    first = EvaluateExpression(pText, j);
    second = EvaluateExpression(pText + j + 1, nClose - j - 1);
    return nClose + 1;
}

bool CEvalContext::IsOperandEnd(char ch)
{
    return ch == '\0' || std::strchr("+-*/%,)", ch) != nullptr;
}

void CEvalContext::Assign(std::string_view strName, const CalcValue& value)
{
    if (strName.empty() || !IsAlpha(strName[0]))
        Raise(msg::VAR_BEGIN_ALPHA);
    for (char ch : strName.substr(1)) {
        if (!IsAlpha(ch) && !IsDigit(ch))
            Raise(msg::VAR_NON_ALNUM);
    }
    if (strName == "e" || strName == "PI" || strName == "pi")
        Raise(msg::RESERVED_NAME);
    m_mapVars[std::string(strName)] = value;
    m_bAssignment = true;
    NotifyVariables();
}

void CEvalContext::RestoreVariables(std::map<std::string, CalcValue> vars)
{
    m_mapVars = std::move(vars);
    NotifyVariables();
}

void CEvalContext::NotifyVariables()
{
    if (m_pVariableListener == nullptr)
        return;
    std::vector<std::string> lines;
    lines.reserve(m_mapVars.size());
    for (const auto& [strName, value] : m_mapVars)
        lines.push_back(strName + " = " + FormatValue(value));
    m_pVariableListener->VariablesChanged(lines, static_cast<int>(lines.size()));
}

std::string CEvalContext::FormatValue(const CalcValue& value) const
{
    const auto digits = [this](int nLost) { return std::min(m_nPrecision - nLost, MAX_DIGITS); };
    std::string strText = FormatGeneral(value.re, digits(m_nLostDigitsRe));
    if (value.im == 0.0 || std::isnan(value.im))
        return strText;
    if (value.im > 0)
        strText += " + " + FormatGeneral(value.im, digits(m_nLostDigitsIm)) + "i";
    else
        strText += " - " + FormatGeneral(-value.im, digits(m_nLostDigitsIm)) + "i";
    return strText;
}

double CEvalContext::Factorial(double x) const
{
    if (std::isnan(x) || x < 0)
        Raise(msg::DOMAIN_ERROR);
    if (x > FACTORIAL_LIMIT)
        Raise(msg::DATA_OVERFLOW);
    double dResult = 1.0;
    const double dLast = std::trunc(x);
    for (double i = 1; i <= dLast; ++i)
        dResult *= i;
    return dResult;
}
