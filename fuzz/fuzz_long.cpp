// The long-number calculator on fuzzed operands, checked against a simple reference: results of
// the five operations and the factorial modulo three primes, the quotient and remainder against
// each other, pi and e against one longer computation, an operand read in pieces against the same
// operand read whole, and the first box's typing filter against its illegal-character rule.
// The first byte chooses the check and the language; the rest is the first operand, a line
// break, and the second.
#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongInput.h"
#include "core/bignum/LongOperand.h"
#include "core/bignum/LongSeries.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
constexpr std::array<std::uint64_t, 3> PRIMES = {2147483647, 1000000007, 998244353};
constexpr long long MAX_FUZZ_FACTORIAL = 3000;
constexpr int MAX_FUZZ_CONSTANT_DIGITS = 2000;

void Check(bool bHolds)
{
    if (!bHolds)
        std::abort();
}

bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

// The digits of a text made of digits and white space only, without leading zeros ("" for zero);
// false for any other text.
bool PlainDigits(std::string_view strText, std::string& strDigits)
{
    strDigits.clear();
    for (char ch : strText) {
        if (IsSpace(ch))
            continue;
        if (ch < '0' || ch > '9')
            return false;
        if (!strDigits.empty() || ch != '0')
            strDigits += ch;
    }
    return true;
}

std::uint64_t Mod(std::string_view strDigits, std::uint64_t p)
{
    std::uint64_t r = 0;
    for (char ch : strDigits)
        r = (r * 10 + std::uint64_t(ch - '0')) % p;
    return r;
}

// A result box text: an optional "-" and digits without leading zeros, or "0".
bool ParseResult(const std::string& strResult, bool& bNegative, std::string& strDigits)
{
    bNegative = strResult.starts_with('-');
    strDigits = strResult.substr(bNegative ? 1 : 0);
    if (strDigits.empty() || strDigits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (strDigits == "0") {
        strDigits.clear();
        return !bNegative;
    }
    return strDigits[0] != '0';
}

bool Less(const std::string& a, const std::string& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

bool IsConstantWord(std::string_view strFirst)
{
    std::string strWord;
    for (char ch : strFirst)
        if (!IsSpace(ch))
            strWord += char(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    return strWord == "PI" || strWord == "E";
}

void CheckArithmetic(LongOperator op, std::string_view strA, std::string_view strB,
                     Language language)
{
    std::string a, b;
    const bool bValid = PlainDigits(strA, a) && PlainDigits(strB, b);
    const bool bZeroDivisor = op == LongOperator::Div && b.empty();
    const LongResult r = CalculateLong(op, strA, strB, language);
    Check(r.strMessage.empty() == (bValid && !bZeroDivisor));
    Check(r.strMessage.empty() != r.strResult.empty());
    if (!r.strMessage.empty())
        return;
    bool bNegative = false;
    std::string q;
    Check(ParseResult(r.strResult, bNegative, q));
    Check(r.nDigits == int(r.strResult.size()));
    if (op == LongOperator::Sub)
        Check(bNegative == Less(a, b));
    else
        Check(!bNegative);
    if (op == LongOperator::Div) {
        const LongResult rest = CalculateLong(LongOperator::Mod, strA, strB, language);
        std::string m;
        Check(ParseResult(rest.strResult, bNegative, m) && !bNegative && Less(m, b));
        for (std::uint64_t p : PRIMES)
            Check((Mod(q, p) * Mod(b, p) + Mod(m, p)) % p == Mod(a, p));
        return;
    }
    for (std::uint64_t p : PRIMES) {
        const std::uint64_t x = Mod(a, p), y = Mod(b, p);
        const std::uint64_t expected = op == LongOperator::Add   ? (x + y) % p
                                       : op == LongOperator::Mul ? x * y % p
                                       : bNegative               ? (y + p - x) % p
                                                                 : (x + p - y) % p;
        Check(Mod(q, p) == expected);
    }
}

void CheckFactorial(std::string_view strA, Language language)
{
    std::string a;
    if (!PlainDigits(strA, a) || a.size() > 4 || std::atoll(a.c_str()) > MAX_FUZZ_FACTORIAL)
        return;
    const LongResult r = CalculateLong(LongOperator::Fac, strA, "", language);
    bool bNegative = false;
    std::string f;
    Check(ParseResult(r.strResult, bNegative, f) && !bNegative);
    for (std::uint64_t p : PRIMES) {
        std::uint64_t expected = 1;
        for (long long i = 2; i <= std::atoll(a.c_str()); ++i)
            expected = expected * std::uint64_t(i) % p;
        Check(Mod(f, p) == expected);
    }
}

// Every count gives the first digits of one longer computation, cut.
void CheckConstant(bool bPi, std::string_view strCount, Language language)
{
    static const std::string strPi = ComputePi(MAX_FUZZ_CONSTANT_DIGITS);
    static const std::string strE = ComputeE(MAX_FUZZ_CONSTANT_DIGITS);
    std::string n;
    if (!PlainDigits(strCount, n) || n.size() > 4 ||
        std::atoi(n.c_str()) > MAX_FUZZ_CONSTANT_DIGITS)
        return;
    const int nCount = std::atoi(n.c_str());
    if (strCount.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos)
        return;
    const LongResult r = CalculateLong(LongOperator::Add, bPi ? "pi" : "E", strCount, language);
    const std::string& strFull = bPi ? strPi : strE;
    Check(r.strResult == strFull.substr(0, nCount == 0 ? 1 : std::size_t(nCount) + 1));
    Check(r.nDigits == nCount);
}

// An operand read in any pieces is the operand read whole.
void CheckPieces(std::string_view strText, std::uint8_t nPiece)
{
    const LongOperand whole(strText);
    LongOperand pieces;
    const std::size_t nStep = 1 + nPiece % 7;
    for (std::size_t i = 0; i < strText.size(); i += nStep)
        pieces.Append(strText.substr(i, nStep));
    Check(pieces.Text() == whole.Text());
    Check(pieces.IllegalPosition() == whole.IllegalPosition());
    Check(pieces.HasNonZeroDigit() == whole.HasNonZeroDigit());
    Check((whole.IllegalPosition() == 0) ==
          (whole.Text().find_first_not_of("0123456789") == std::string::npos));
}

// Typed at the end of the first box, character by character, the filter keeps a text that its
// illegal-character rule accepts: digits, or "p", "pi" or "e" in any case.
void CheckFirstBoxFilter(std::string_view strTyped, Language language)
{
    std::string strBox;
    for (char ch : strTyped) {
        strBox += ch;
        if (IsFirstTextRejected(strBox))
            strBox.pop_back();
    }
    Check(FirstIllegalPosition(strBox) == 0);
    std::string strUpper;
    for (char ch : strBox)
        strUpper += char(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    Check(strBox.find_first_not_of("0123456789") == std::string::npos || strUpper == "P" ||
          strUpper == "PI" || strUpper == "E");
    Check(FirstIllegalPosition(strTyped) <= int(strTyped.size()));
    if (const int nPosition = FirstIllegalPosition(strTyped); nPosition != 0)
        Check(!FirstIllegalWarning(nPosition, language).empty());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    const std::uint8_t nMode = pData[0];
    const Language language = (nMode & 1) != 0 ? Language::English : Language::Chinese;
    const std::string_view strText(reinterpret_cast<const char*>(pData + 1), nSize - 1);
    const std::size_t nBreak = std::min(strText.find('\n'), strText.size());
    const std::string_view strA = strText.substr(0, nBreak);
    const std::string_view strB = strText.substr(std::min(nBreak + 1, strText.size()));

    switch ((nMode >> 1) % 8) {
    case 0:
    case 1:
    case 2:
    case 3: {
        // Pi and e to many digits take long; they have their own check.
        if (IsConstantWord(strA))
            return 0;
        constexpr LongOperator OPERATORS[] = {LongOperator::Add, LongOperator::Sub,
                                              LongOperator::Mul, LongOperator::Div};
        CheckArithmetic(OPERATORS[(nMode >> 1) % 4], strA, strB, language);
        break;
    }
    case 4:
        CheckFactorial(strA, language);
        break;
    case 5:
        CheckConstant((nMode & 0x80) != 0, strB, language);
        break;
    case 6:
        CheckPieces(strText, nMode);
        break;
    default:
        CheckFirstBoxFilter(strText, language);
        break;
    }
    return 0;
}
