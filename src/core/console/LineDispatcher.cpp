#include "core/console/LineDispatcher.h"

#include "core/base/Language.h"
#include "core/console/Factorise.h"
#include "core/eval/CalcError.h"
#include "core/base/CharClass.h"
#include "core/eval/EvalContext.h"
#include "core/eval/Messages.h"
#include "core/eval/RandomGenerator.h"

#include <algorithm>

namespace
{
constexpr std::size_t MAX_LINE = 2047;
constexpr long long LIVE_FACT_LIMIT = 1000000000000LL;
constexpr int MAX_FACT_DIGITS = 18;

constexpr Text DATA_OVERFLOW_LINE{"Error: [data overflow]", "错误: [数据溢出]"};
constexpr Text DOMAIN_ERROR_LINE{"Error: [field of definition wrong]", "错误: [定义域错误]"};

// The two renderings that Write replaces by error messages.
bool IsWrittenAsError(const std::string& strResult)
{
    return strResult == "1.#INF" || strResult == "-1.#IND";
}

// The line as the edit control hands it over: at most 2047 bytes, ending at a NUL.
std::string AsHandedOver(std::string strLine)
{
    strLine.resize(std::min({strLine.find('\0'), strLine.size(), MAX_LINE}));
    return strLine;
}

std::string ReadLine(const IConsoleText& console, int nLine)
{
    return AsHandedOver(console.LineText(nLine));
}

std::string KeywordCopy(const std::string& strLine)
{
    std::string strCopy;
    std::size_t i = 0;
    while (i < strLine.size() && IsBlank(strLine[i]))
        ++i;
    for (; i < strLine.size(); ++i) {
        const char ch = strLine[i];
        strCopy += ToLowerAscii(ch);
    }
    return strCopy;
}

// The character at nPos, or NUL past the end, as in a terminated buffer.
char At(const std::string& str, std::size_t nPos) { return nPos < str.size() ? str[nPos] : '\0'; }

// atoll of a text of digits and blanks: leading blanks, then digits up to the first non-digit.
long long ReadPlainNumber(const std::string& strText)
{
    std::size_t i = 0;
    while (i < strText.size() && IsBlank(strText[i]))
        ++i;
    long long n = 0;
    for (; i < strText.size() && IsDigit(strText[i]); ++i)
        n = n * 10 + (strText[i] - '0');
    return n;
}
} // namespace

CLineDispatcher::CLineDispatcher(CEvalContext& eval, IConsoleText& console,
                                 const ILanguageSource& language)
    : m_eval(eval), m_console(console), m_language(language)
{}

void CLineDispatcher::DispatchLine(bool bEnterRun)
{
    m_eval.m_nLostDigitsRe = 0;
    m_eval.m_nLostDigitsIm = 0;
    m_eval.m_bAssignment = false;

    std::string strLine = ReadLine(m_console, m_console.CaretLine() - (bEnterRun ? 1 : 0));
    const std::string strKeyword = KeywordCopy(strLine);
    strLine.resize(std::min(strLine.find('#'), strLine.size()));
    if (strKeyword.empty())
        return; // a blank line: nothing written, the last result kept
    if (strKeyword == "cls") {
        m_console.ClearText();
        return;
    }
    if (strKeyword == "fxcls") {
        if (bEnterRun && m_pCurveHost != nullptr)
            m_pCurveHost->ClearCurves();
        return;
    }
    std::size_t nStart = 0;
    while (nStart < strLine.size() && IsBlank(strLine[nStart]))
        ++nStart;
    const std::string strStatement = strLine.substr(nStart);

    std::string strResult;
    bool bError = false;
    try {
        if (!Execute(strStatement, strKeyword, bEnterRun, strResult))
            return;
        // An overflow or undefined result is an error (Write shows it as one): it leaves
        // nothing to insert, as any other error does.
        if (bEnterRun)
            m_strLastResult = IsWrittenAsError(strResult) ? std::string() : strResult;
    } catch (const CalcError& error) {
        strResult = error.what();
        bError = true;
        // Whatever the line did before it failed, the failure is always reported.
        m_eval.m_bAssignment = false;
        if (bEnterRun)
            m_strLastResult.clear();
    }
    if (bEnterRun && !m_eval.m_bAssignment)
        Write(strResult, bError);
}

bool CLineDispatcher::Execute(const std::string& strStatement, const std::string& strKeyword,
                              bool bEnterRun, std::string& strResult)
{
    if (strKeyword.starts_with("fx")) {
        PlotCurve(strStatement, bEnterRun);
        return false;
    }
    if (strKeyword.starts_with("fact "))
        return FactoriseArgument(strStatement.substr(4), bEnterRun, strResult);
    const CalcValue value = m_eval.EvaluateLine(strStatement);
    if (!m_eval.m_bAssignment) {
        strResult = Render(value);
        return true;
    }
    // The assignment has succeeded and writes nothing, even when its value has no rendering in
    // this radix (a complex value in hexadecimal): that is no failure to report. The last
    // result is then empty, as after a failed line.
    try {
        strResult = Render(value);
    } catch (const CalcError&) {
        strResult.clear();
    }
    return true;
}

void CLineDispatcher::PlotCurve(const std::string& strStatement, bool bEnterRun)
{
    m_eval.m_bAssignment = false;
    int nSlot = 0;
    if (At(strStatement, 2) >= '1' && At(strStatement, 2) <= '9' && At(strStatement, 3) == ' ')
        nSlot = At(strStatement, 2) - '0';
    else if (At(strStatement, 2) != ' ')
        m_eval.Raise(msg::SYNTAX_ERROR);
    const bool bShow = bEnterRun || m_nLastKey == VK_F12;
    if (m_pCurveHost != nullptr)
        m_pCurveHost->DrawCurve(std::string_view(strStatement).substr(3), nSlot, bShow);
}

// A plain argument (digits and blanks only) is read as a number of at most 18 digits; any other
// argument is evaluated. A live run does not factorise numbers above 10^12.
bool CLineDispatcher::FactoriseArgument(const std::string& strArgument, bool bEnterRun,
                                        std::string& strResult)
{
    int nDigits = 0;
    bool bPlain = true;
    for (char ch : strArgument) {
        nDigits += IsDigit(ch);
        bPlain = bPlain && (IsDigit(ch) || ch == ' ');
    }
    long long nNumber = 0;
    if (bPlain) {
        if (nDigits > MAX_FACT_DIGITS) {
            m_eval.m_bAssignment = false;
            m_eval.Raise(msg::FACT_TOO_LONG);
        }
        nNumber = ReadPlainNumber(strArgument);
    } else {
        nNumber = TruncateToInt64(RequireReal(m_eval.EvaluateLine(strArgument)));
    }
    if (!bEnterRun && nNumber > LIVE_FACT_LIMIT)
        return false;
    strResult = Factorise(nNumber);
    m_eval.m_bAssignment = false;
    return true;
}

std::optional<std::string> CLineDispatcher::PreviewLine(std::string_view strText) const
{
    std::string strLine = AsHandedOver(std::string(strText));
    const std::string strKeyword = KeywordCopy(strLine);
    if (strKeyword.empty() || strKeyword == "cls" || strKeyword == "fxcls" ||
        strKeyword.starts_with("fx") || strKeyword.starts_with("fact "))
        return std::nullopt;
    strLine.resize(std::min(strLine.find('#'), strLine.size()));
    // A comment alone is no expression, though Enter writes 0 for it.
    if (std::all_of(strLine.begin(), strLine.end(), IsBlank))
        return std::nullopt;
    CRandomGenerator random = m_eval.Random();
    CEvalContext eval(m_eval, random);
    try {
        const std::string strResult = RenderIn(eval, eval.EvaluateLine(strLine));
        if (IsWrittenAsError(strResult) || strResult.empty())
            return std::nullopt;
        return strResult;
    } catch (const CalcError&) {
        return std::nullopt;
    }
}

std::string CLineDispatcher::Render(const CalcValue& value) const
{
    return RenderIn(m_eval, value);
}

std::string CLineDispatcher::RenderIn(const CEvalContext& eval, const CalcValue& value) const
{
    switch (m_nRadix) {
    case Radix::Hexadecimal:
        return FormatHex(value);
    case Radix::Binary:
        return FormatBinary(value);
    case Radix::Decimal:
        break;
    }
    return eval.FormatValue(value);
}

void CLineDispatcher::Write(const std::string& strResult, bool bError)
{
    std::string strText;
    if (bError)
        strText = std::string(msg::ERROR_PREFIX.In(m_language.CurrentLanguage())) + strResult + "]";
    else if (strResult == "1.#INF")
        strText = DATA_OVERFLOW_LINE.In(m_language.CurrentLanguage());
    else if (strResult == "-1.#IND")
        strText = DOMAIN_ERROR_LINE.In(m_language.CurrentLanguage());
    else
        strText = strResult;
    m_console.ReplaceSelection(strText + "\r\n");
}
