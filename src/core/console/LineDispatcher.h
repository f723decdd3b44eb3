#pragma once

#include "console/ConsoleHost.h"

#include <string>

class CEvalContext;

// Turns one console line into its effect: console keywords, evaluation, and the result or error
// written below the line. Never throws.
class CLineDispatcher
{
public:
    CLineDispatcher(CEvalContext& eval, IConsoleText& console, const int& nLanguage);

    void SetCurveHost(ICurveHost* pHost) { m_pCurveHost = pHost; }

    // bEnterRun: the line above the caret, with its output written; otherwise the caret's own
    // line, writing nothing.
    void DispatchLine(bool bEnterRun);

    int m_nLastKey = 0;              // VK_* code of the last key that went down in the console
    std::string m_strLastResult;     // the text the Insert key inserts

private:
    std::string Run(const std::string& strStatement, const std::string& strKeyword, bool bEnterRun, bool& bWrite);
    std::string RunFact(const std::string& strArgument, bool bEnterRun, bool& bCompute);
    std::string Render(const struct CalcValue& value) const;
    void Write(std::string strResult, bool bError);

    CEvalContext& m_eval;
    IConsoleText& m_console;
    const int& m_nLanguage;
    ICurveHost* m_pCurveHost = nullptr;
};
