// Feeds arbitrary console lines to the dispatcher and its curve table, in Enter and live runs, in every radix, both
// angle units and both languages. The first byte chooses the settings; the rest is typed.
#include "TableCurveHost.h"
#include "console/LineDispatcher.h"
#include "console/TextConsole.h"
#include "eval/CalcError.h"
#include "eval/EvalContext.h"
#include "eval/RandomGenerator.h"
#include "graph/CurveTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    const std::uint8_t nMode = pData[0];
    const std::string_view strText(reinterpret_cast<const char*>(pData + 1), nSize - 1);

    int nLanguage = nMode & 1;
    CRandomGenerator random;
    CEvalContext eval(nLanguage, random);
    eval.m_nRadix = (nMode >> 1) % 3;
    eval.m_bDegrees = (nMode & 8) != 0;
    eval.m_nPrecision = 8 + (nMode >> 4) % 9;
    CCurveTable curves(nLanguage, random);
    curves.Evaluator().m_bDegrees = eval.m_bDegrees;
    CTextConsole console;
    CLineDispatcher dispatcher(eval, console, nLanguage);
    CTableCurveHost curveHost(curves);
    dispatcher.SetCurveHost(&curveHost);

    // Every line is completed with Enter, then re-run live as the arrow keys and F12 do.
    std::size_t nStart = 0;
    while (nStart <= strText.size()) {
        std::size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string_view::npos)
            nEnd = strText.size();
        console.Type(strText.substr(nStart, nEnd - nStart));
        dispatcher.m_nLastKey = VK_F12;
        dispatcher.DispatchLine(false);
        console.Type("\n");
        dispatcher.m_nLastKey = VK_RETURN;
        dispatcher.DispatchLine(true);
        nStart = nEnd + 1;
    }
    return 0;
}
