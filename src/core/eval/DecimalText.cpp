#include "core/eval/DecimalText.h"

#include "core/base/CharClass.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace
{
std::size_t DigitRun(std::string_view strText, std::size_t nAt)
{
    std::size_t nEnd = nAt;
    while (nEnd < strText.size() && IsDigit(strText[nEnd]))
        ++nEnd;
    return nEnd - nAt;
}

// Where the number starting at nAt ends (nAt itself when no digit is there), so that
// strText[nAt, end) is digits, an optional point and fraction, and an optional exponent.
std::size_t NumberEnd(std::string_view strText, std::size_t nAt)
{
    std::size_t nPos = nAt + DigitRun(strText, nAt);
    std::size_t nDigits = nPos - nAt;
    if (nPos < strText.size() && strText[nPos] == '.') {
        const std::size_t nFraction = DigitRun(strText, nPos + 1);
        nDigits += nFraction;
        if (nDigits > 0)
            nPos += 1 + nFraction;
    }
    if (nDigits == 0)
        return nAt;
    if (nPos < strText.size() && (strText[nPos] == 'e' || strText[nPos] == 'E')) {
        std::size_t nExp = nPos + 1;
        if (nExp < strText.size() && (strText[nExp] == '+' || strText[nExp] == '-'))
            ++nExp;
        // An exponent mark without digits is not part of the number: "2e" reads as 2.
        if (const std::size_t nExpDigits = DigitRun(strText, nExp); nExpDigits > 0)
            nPos = nExp + nExpDigits;
    }
    return nPos;
}

// Whether a number the parser found out of range lies above the double range rather than
// below it: the decimal exponent of its first non-zero digit is positive.
bool IsAboveRange(std::string_view strNumber)
{
    constexpr long long EXPONENT_CAP = 1'000'000'000'000;
    const std::size_t nMark = std::min(strNumber.find_first_of("eE"), strNumber.size());
    const std::string_view strMantissa = strNumber.substr(0, nMark);
    const std::size_t nPoint = std::min(strMantissa.find('.'), strMantissa.size());
    const std::size_t nFirst = strMantissa.find_first_of("123456789");
    if (nFirst == std::string_view::npos)
        return false;
    const long long nLead = nFirst < nPoint ? static_cast<long long>(nPoint - nFirst) - 1
                                            : -static_cast<long long>(nFirst - nPoint);
    long long nExplicit = 0;
    for (const char c : strNumber.substr(std::min(nMark + 1, strNumber.size())))
        if (IsDigit(c))
            nExplicit = std::min(nExplicit * 10 + (c - '0'), EXPONENT_CAP);
    const bool bNegativeExponent = nMark + 1 < strNumber.size() && strNumber[nMark + 1] == '-';
    return nLead + (bNegativeExponent ? -nExplicit : nExplicit) > 0;
}
} // namespace

double ReadLeadingNumber(std::string_view strText)
{
    std::size_t nPos = 0;
    while (nPos < strText.size() && IsBlank(strText[nPos]))
        ++nPos;
    bool bNegative = false;
    if (nPos < strText.size() && (strText[nPos] == '+' || strText[nPos] == '-'))
        bNegative = strText[nPos++] == '-';
    const std::size_t nEnd = NumberEnd(strText, nPos);
    if (nEnd == nPos)
        return 0.0;
    const std::string_view strNumber = strText.substr(nPos, nEnd - nPos);
    double dValue = 0.0;
    const auto result =
        std::from_chars(strNumber.data(), strNumber.data() + strNumber.size(), dValue);
    if (result.ec == std::errc::result_out_of_range)
        dValue = IsAboveRange(strNumber) ? std::numeric_limits<double>::infinity() : 0.0;
    return bNegative ? -dValue : dValue;
}
