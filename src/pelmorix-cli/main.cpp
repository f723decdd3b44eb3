// pelmorix-cli: the calculator's console in a terminal, and the long-number calculator.
#include "LineReader.h"
#include "TableCurveHost.h"
#include "core/base/Language.h"
#include "core/base/TextOut.h"
#include "core/bignum/LongCommand.h"
#include "core/bignum/LongTexts.h"
#include "core/console/LineDispatcher.h"
#include "core/console/TextConsole.h"
#include "core/eval/EvalContext.h"
#include "core/eval/RandomGenerator.h"
#include "core/graph/CurveTable.h"
#include "core/units/UnitCommand.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace
{
// Standard output and error. The C++ streams stay out of the program (TextOut.h).
CTextOut g_out(stdout);
CTextOut g_err(stderr);

constexpr const char* USAGE =
    "usage: pelmorix-cli [--lang en|zh] [--precision N] [--radix dec|hex|bin] [--deg|--rad] "
    "[--transcript]"
    " | pelmorix-cli long add|sub|mul|div|mod A B | long fac N | long pi N | long e N"
    " | pelmorix-cli convert VALUE FROM TO | convert --list";
constexpr int MIN_PRECISION = 1;
constexpr int MAX_PRECISION = 17;
// The console reads at most this much of a line; the rest is never looked at.
constexpr std::size_t MAX_CONSOLE_LINE = 2047;

constexpr const char* HELP =
    "Usage: pelmorix-cli [OPTION]...\n"
    "       pelmorix-cli [--lang en|zh] long add|sub|mul|div|mod A B\n"
    "       pelmorix-cli [--lang en|zh] long fac N | long pi N | long e N\n"
    "       pelmorix-cli [--lang en|zh] convert VALUE FROM TO | convert --list\n"
    "\n"
    "The Pelmorix scientific calculator in a terminal. Each line of standard input is typed into\n"
    "the calculator's console and completed with Enter; what the console writes under it is\n"
    "printed. Only the first 2047 characters of a line are read.\n"
    "\n"
    "Options:\n"
    "  --lang en|zh          language of results and messages (default en)\n"
    "  --precision N         significant digits of decimal results, 1 to 17 (default 12)\n"
    "  --radix dec|hex|bin   radix of results (default dec)\n"
    "  --deg, --rad          angle unit (default --deg)\n"
    "  --transcript          print nothing per line, but the whole console text at the end\n"
    "  --help                print this help and exit\n"
    "  --version             print the version and exit\n"
    "\n"
    "long: the long-number calculator. Prints the text of its result box: the sum, difference,\n"
    "product, quotient or remainder of two integers, the factorial of N, or pi or e to N digits.\n"
    "An operand may be a number, - (read from standard input) or @FILE (read from that file),\n"
    "of at most 20000000 digits.\n"
    "\n"
    "convert: the unit converter. Prints VALUE converted from unit FROM to unit TO of the same\n"
    "category, as the converter window shows it (12 significant digits). A unit is named by its\n"
    "symbol or its English name, in any case: pelmorix-cli convert 350 F C. convert --list prints\n"
    "the categories and their units.\n"
    "\n"
    "Exit status: 0 on success; 1 when an operand, divisor, value or unit is refused, an input\n"
    "cannot be read, the output cannot be written or memory runs out (a message on standard\n"
    "error); 2 on wrong usage.\n";

constexpr Text WRITE_FAILED{"cannot write the output", "无法写入输出"};

struct ConsoleOptions
{
    Language language = Language::English;
    int nPrecision = 12;
    Radix radix = Radix::Decimal;
    bool bDegrees = true;
    bool bTranscript = false;
};

int UsageError()
{
    g_err << USAGE << '\n';
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

std::optional<Radix> ParseRadix(std::string_view str)
{
    if (str == "dec")
        return Radix::Decimal;
    if (str == "hex")
        return Radix::Hexadecimal;
    if (str == "bin")
        return Radix::Binary;
    return std::nullopt;
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
            options.language = args[++i] == "en" ? Language::English : Language::Chinese;
        else if (arg == "--radix" && bHasValue) {
            const auto radix = ParseRadix(args[++i]);
            if (!radix)
                return false;
            options.radix = *radix;
        } else if (arg == "--precision" && bHasValue) {
            const auto nPrecision = ParseInt(args[++i]);
            if (!nPrecision || *nPrecision < MIN_PRECISION || *nPrecision > MAX_PRECISION)
                return false;
            options.nPrecision = *nPrecision;
        } else
            return false;
    }
    return true;
}

// Prints the message of a failed read or write on standard error, with the reason when known.
int ReportFailure(const Text& text, int nError, Language language)
{
    g_err << text.In(language);
    if (nError != 0)
        g_err << " (" << std::strerror(nError) << ")";
    g_err << '\n';
    return 1;
}

// Flushes standard output. Once any write to it has failed: the errno of the failure, 0 when
// it is no longer known.
std::optional<int> FlushOutput()
{
    errno = 0;
    if (g_out.Flush() && std::ferror(stdout) == 0)
        return std::nullopt;
    return errno;
}

// Every input line is typed into the console and completed with Enter. Stops at the first
// failed write, which goes to writeFailure.
int RunConsole(const ConsoleOptions& options, std::optional<int>& writeFailure)
{
    CRandomGenerator random;
    random.RandomSeed(static_cast<std::uint32_t>(std::time(nullptr)));
    const FixedLanguage language(options.language);
    const AngleUnit angle{options.bDegrees};
    CEvalContext eval(language, random, angle);
    eval.m_nPrecision = options.nPrecision;
    CTextConsole console;
    CLineDispatcher dispatcher(eval, console, language);
    dispatcher.SetRadix(options.radix);
    // fx lines are sampled as in the GUI, so a curve that cannot be plotted reports its error.
    CCurveTable curves(language, random, angle);
    CTableCurveHost curveHost(curves);
    dispatcher.SetCurveHost(&curveHost);

    CLineReader reader(STDIN_FILENO, MAX_CONSOLE_LINE);
    std::string strLine;
    while (reader.ReadLine(strLine)) {
        console.Type(strLine + "\n");
        dispatcher.SetLastKey(VK_RETURN);
        dispatcher.DispatchLine(true);
        dispatcher.SetLastKey(0);
        const std::string strWritten = console.TakeWritten();
        if (options.bTranscript)
            continue;
        // An Enter run reads only the line just completed, so nothing before it is kept.
        console.ClearText();
        g_out << strWritten;
        writeFailure = FlushOutput();
        if (writeFailure)
            return 1;
    }
    if (reader.Error() != 0)
        return ReportFailure(longmsg::STDIN_UNREADABLE, reader.Error(), language.CurrentLanguage());
    if (options.bTranscript)
        g_out << console.Text();
    return 0;
}

bool IsCommand(std::string_view arg) { return arg == "long" || arg == "convert"; }

// --help or --version among the options (before "long" or "convert"): the text to print.
std::optional<std::string> InformationAsked(const std::vector<std::string_view>& args)
{
    const auto end = std::find_if(args.begin(), args.end(), IsCommand);
    if (std::find(args.begin(), end, "--help") != end)
        return HELP;
    if (std::find(args.begin(), end, "--version") != end)
        return std::string("pelmorix-cli ") + PELMORIX_VERSION + "\n";
    return std::nullopt;
}

// The console, the long-number calculator or the unit converter, as the arguments choose;
// language learns the language as soon as it is known.
int Run(const std::vector<std::string_view>& args, Language& language,
        std::optional<int>& writeFailure)
{
    // A command may follow a language choice: pelmorix-cli --lang zh long pi 100
    const std::size_t nLong = args.size() >= 3 && args[0] == "--lang" ? 2 : 0;
    if (args.size() > nLong && IsCommand(args[nLong])) {
        ConsoleOptions options;
        if (!ParseOptions({args.begin(), args.begin() + nLong}, options))
            return UsageError();
        language = options.language;
        const std::vector<std::string> words(args.begin() + nLong + 1, args.end());
        if (args[nLong] == "convert")
            return RunConvertCommand(words, g_out, g_err, options.language);
        // The progress line is for a person watching a terminal, never for a script reading
        // standard error.
        return RunLongCommand(words, stdin, g_out, g_err, options.language,
                              isatty(STDERR_FILENO) != 0);
    }
    ConsoleOptions options;
    if (!ParseOptions(args, options))
        return UsageError();
    language = options.language;
    return RunConsole(options, writeFailure);
}
} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    Language language = Language::English;
    int nStatus = 0;
    std::optional<int> writeFailure;
    try {
        if (const std::optional<std::string> strText = InformationAsked(args))
            g_out << *strText;
        else
            nStatus = Run(args, language, writeFailure);
    } catch (const std::bad_alloc&) {
        g_err << longmsg::NO_MEMORY.In(language) << '\n';
        return 1;
    } catch (const std::length_error&) {
        g_err << longmsg::NO_MEMORY.In(language) << '\n';
        return 1;
    }
    // Whatever was printed must have arrived: a full disk is no success.
    if (!writeFailure)
        writeFailure = FlushOutput();
    if (writeFailure)
        return std::max(nStatus, ReportFailure(WRITE_FAILED, *writeFailure, language));
    return nStatus;
}
