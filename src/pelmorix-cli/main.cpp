// pelmorix-cli: the calculator's console in a terminal, and the long-number calculator.
#include "TableCurveHost.h"
#include "base/Language.h"
#include "bignum/LongCommand.h"
#include "console/LineDispatcher.h"
#include "console/TextConsole.h"
#include "eval/EvalContext.h"
#include "eval/RandomGenerator.h"
#include "graph/CurveTable.h"

#include <charconv>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace
{
constexpr const char* USAGE =
    "usage: pelmorix-cli [--lang en|zh] [--precision N] [--radix dec|hex|bin] [--deg|--rad] "
    "[--transcript]"
    " | pelmorix-cli long add|sub|mul|div|mod A B | long fac N | long pi N | long e N";
constexpr int MIN_PRECISION = 1;
constexpr int MAX_PRECISION = 17;

struct ConsoleOptions
{
    int nLanguage = LANGUAGE_ENGLISH;
    int nPrecision = 12;
    int nRadix = 0;
    bool bDegrees = true;
    bool bTranscript = false;
};

int UsageError()
{
    std::cerr << USAGE << '\n';
    return 2;
}

std::optional<int> ParseInt(std::string_view str)
{
    int n = 0;
    const auto res = std::from_chars(str.data(), str.data() + str.size(), n);
    if (res.ec != std::errc() || res.ptr != str.data() + str.size())
        return std::nullopt;
    return n;
}

// Reads the options; false on anything it does not know.
bool ParseOptions(const std::vector<std::string_view>& args, ConsoleOptions& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool bHasValue = i + 1 < args.size();
        if (arg == "--transcript")
            options.bTranscript = true;
        else if (arg == "--deg" || arg == "--rad")
            options.bDegrees = arg == "--deg";
        else if (arg == "--lang" && bHasValue && (args[i + 1] == "en" || args[i + 1] == "zh"))
            options.nLanguage = args[++i] == "en" ? LANGUAGE_ENGLISH : LANGUAGE_CHINESE;
        else if (arg == "--radix" && bHasValue &&
                 (args[i + 1] == "dec" || args[i + 1] == "hex" || args[i + 1] == "bin"))
            options.nRadix = args[i + 1] == "dec" ? 0 : args[i + 1] == "hex" ? 1 : 2, ++i;
        else if (arg == "--precision" && bHasValue) {
            const auto nPrecision = ParseInt(args[++i]);
            if (!nPrecision || *nPrecision < MIN_PRECISION || *nPrecision > MAX_PRECISION)
                return false;
            options.nPrecision = *nPrecision;
        } else
            return false;
    }
    return true;
}

// Every input line is typed into the console and completed with Enter.
int RunConsole(const ConsoleOptions& options)
{
    CRandomGenerator random;
    random.RandomSeed(static_cast<std::uint32_t>(std::time(nullptr)));
    const int nLanguage = options.nLanguage;
    CEvalContext eval(nLanguage, random);
    eval.m_nPrecision = options.nPrecision;
    eval.m_nRadix = options.nRadix;
    eval.m_bDegrees = options.bDegrees;
    CTextConsole console;
    CLineDispatcher dispatcher(eval, console, nLanguage);
    // fx lines are sampled as in the GUI, so a curve that cannot be plotted reports its error.
    CCurveTable curves(nLanguage, random);
    curves.Evaluator().m_bDegrees = options.bDegrees;
    CTableCurveHost curveHost(curves);
    dispatcher.SetCurveHost(&curveHost);

    std::string strLine;
    while (std::getline(std::cin, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        console.Type(strLine + "\n");
        dispatcher.m_nLastKey = VK_RETURN;
        dispatcher.DispatchLine(true);
        dispatcher.m_nLastKey = 0;
        const std::string strWritten = console.TakeWritten();
        if (!options.bTranscript)
            std::cout << strWritten << std::flush;
    }
    if (options.bTranscript)
        std::cout << console.Text();
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    // "long" may follow a language choice: pelmorix-cli --lang zh long pi 100
    const std::size_t nLong = args.size() >= 3 && args[0] == "--lang" ? 2 : 0;
    if (args.size() > nLong && args[nLong] == "long") {
        ConsoleOptions options;
        if (!ParseOptions({args.begin(), args.begin() + nLong}, options))
            return UsageError();
        const std::vector<std::string> words(args.begin() + nLong + 1, args.end());
        return RunLongCommand(words, std::cin, std::cout, std::cerr, options.nLanguage);
    }
    ConsoleOptions options;
    if (!ParseOptions(args, options))
        return UsageError();
    return RunConsole(options);
}
