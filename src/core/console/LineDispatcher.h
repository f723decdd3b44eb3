#pragma once

#include "core/base/Language.h"
#include "core/console/ConsoleHost.h"
#include "core/console/KeyCodes.h"

#include <optional>
#include <string>
#include <string_view>

class CEvalContext;
struct CalcValue;

// How the console writes its results; the evaluator itself reads every radix.
enum class Radix
{
    Decimal,
    Hexadecimal,
    Binary,
};

// Turns one console line into its effect: console keywords, evaluation, and the result or error
// written below the line. Never throws.
class CLineDispatcher
{
public:
    CLineDispatcher(CEvalContext& eval, IConsoleText& console, const ILanguageSource& language);
    CLineDispatcher(CEvalContext&, IConsoleText&, const ILanguageSource&&) = delete;

    void SetCurveHost(ICurveHost* pHost) { m_pCurveHost = pHost; }
    // The radix results are written in; decimal at every start.
    void SetRadix(Radix radix) { m_nRadix = radix; }
    Radix OutputRadix() const { return m_nRadix; }

    // bEnterRun: the line above the caret, with its output written; otherwise the caret's own
    // line, writing nothing.
    void DispatchLine(bool bEnterRun);

    // What an Enter run of strLine would write as its value, without any effect: evaluated on a
    // copy of the context and of the random generator, so an assignment assigns nothing and
    // rnd( draws nothing. Nothing for a blank line, an error, and the keywords (cls, fxcls,
    // curves, fact), whose runs are effects or may take long.
    std::optional<std::string> PreviewLine(std::string_view strLine) const;

    // The VK_* code of the last key that went down in the console; F12 shows a curve it runs.
    void SetLastKey(int nKey) { m_nLastKey = nKey; }
    int LastKey() const { return m_nLastKey; }
    // The text the Insert key inserts: the result of the last Enter run, empty after an error.
    const std::string& LastResult() const { return m_strLastResult; }

private:
    // The effect of a statement that is not cls/fxcls. Returns false when nothing is to be written.
    bool Execute(const std::string& strStatement, const std::string& strKeyword, bool bEnterRun,
                 std::string& strResult);
    void PlotCurve(const std::string& strStatement, bool bEnterRun);
    bool FactoriseArgument(const std::string& strArgument, bool bEnterRun, std::string& strResult);
    std::string Render(const CalcValue& value) const;
    std::string RenderIn(const CEvalContext& eval, const CalcValue& value) const;
    void Write(const std::string& strResult, bool bError);

    CEvalContext& m_eval;
    IConsoleText& m_console;
    const ILanguageSource& m_language;
    ICurveHost* m_pCurveHost = nullptr;
    Radix m_nRadix = Radix::Decimal;
    int m_nLastKey = 0;
    std::string m_strLastResult;
};
