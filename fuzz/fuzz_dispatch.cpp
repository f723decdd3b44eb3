// Feeds arbitrary console lines to the dispatcher and its curve table, in Enter and live runs, in
// every radix, both angle units and both languages. The first byte chooses the settings, the
// second how many samples a curve takes (2 to 32: the rules of sampling are the same for any
// count, and few samples keep the target at thousands of inputs a second); the rest is typed.
#include "TableCurveHost.h"
#include "core/console/LineDispatcher.h"
#include "core/console/TextConsole.h"
#include "core/eval/CalcError.h"
#include "core/eval/EvalContext.h"
#include "core/eval/RandomGenerator.h"
#include "core/graph/CurveTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace
{
constexpr int MAX_FUZZ_SAMPLES = 32;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 2)
        return 0;
    const std::uint8_t nMode = pData[0];
    const int nSamples = 2 + pData[1] % (MAX_FUZZ_SAMPLES - 1);
    const std::string_view strText(reinterpret_cast<const char*>(pData + 2), nSize - 2);

    const FixedLanguage language((nMode & 1) != 0 ? Language::English : Language::Chinese);
    CRandomGenerator random;
    const AngleUnit angle{(nMode & 8) != 0};
    CEvalContext eval(language, random, angle);
    eval.m_nPrecision = 8 + (nMode >> 4) % 9;
    CCurveTable curves(language, random, angle, nSamples);
    CTextConsole console;
    CLineDispatcher dispatcher(eval, console, language);
    dispatcher.SetRadix(static_cast<Radix>((nMode >> 1) % 3));
    CTableCurveHost curveHost(curves);
    dispatcher.SetCurveHost(&curveHost);

    // Every line is completed with Enter, then re-run live as the arrow keys and F12 do.
    std::size_t nStart = 0;
    while (nStart <= strText.size()) {
        std::size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string_view::npos)
            nEnd = strText.size();
        console.Type(strText.substr(nStart, nEnd - nStart));
        dispatcher.SetLastKey(VK_F12);
        dispatcher.DispatchLine(false);
        console.Type("\n");
        dispatcher.SetLastKey(VK_RETURN);
        dispatcher.DispatchLine(true);
        nStart = nEnd + 1;
    }
    return 0;
}
