#include "core/bignum/LongCommand.h"

#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongInput.h"
#include "core/bignum/LongOperand.h"
#include "core/bignum/LongTexts.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace
{
constexpr const char* USAGE =
    "usage: pelmorix-cli long add|sub|mul|div|mod A B | long fac N | long pi N | long e N "
    "(an operand may be - for standard input or @FILE)";

// How a command word fills the calculator's two boxes.
struct LongVerb
{
    const char* pWord;
    LongOperator op;
    const char* pFirstBox; // fixed text of the first box, or null when it takes the first operand
    int nOperands;
};

constexpr LongVerb VERBS[] = {
    {"add", LongOperator::Add, nullptr, 2}, {"sub", LongOperator::Sub, nullptr, 2},
    {"mul", LongOperator::Mul, nullptr, 2}, {"div", LongOperator::Div, nullptr, 2},
    {"mod", LongOperator::Mod, nullptr, 2}, {"fac", LongOperator::Fac, nullptr, 1},
    {"pi", LongOperator::Add, "PI", 1},     {"e", LongOperator::Add, "E", 1},
};

constexpr std::size_t READ_CHUNK = 1 << 16;

// An operand read to INT_MAX characters without ending, though it holds no more digits than
// accepted: white space (without limit in the window) filled it.
constexpr Text NO_DIGITS[] = {
    {"Integer 1 has no digits in its first %d characters", "整数1的前%d个字符中没有数字"},
    {"Integer 2 has no digits in its first %d characters", "整数2的前%d个字符中没有数字"},
};
constexpr Text TOO_MANY_CHARACTERS[] = {
    {"Integer 1 has more than %d characters", "整数1超过%d个字符"},
    {"Integer 2 has more than %d characters", "整数2超过%d个字符"},
};
constexpr const Text* TOO_MANY_DIGITS[] = {&longmsg::FIRST_TOO_LONG, &longmsg::SECOND_TOO_LONG};

std::string Format(const Text& text, Language language, int nValue)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, text.In(language), nValue);
    return buffer;
}

// True when text is "p", "pi" or "e" in any case: more of the operand can still make the word
// that puts a constant into the first box.
bool MaySpellConstant(std::string_view strText)
{
    const auto startsWord = [strText](std::string_view strWord) {
        return strText.size() <= strWord.size() &&
               std::equal(strText.begin(), strText.end(), strWord.begin(),
                          [](char a, char b) { return (a | 0x20) == b; });
    };
    return !strText.empty() && (startsWord("pi") || startsWord("e"));
}

// Nothing more of the operand can change the answer: an illegal character is reported before
// anything else but a zero divisor, so a divisor must also hold a non-zero digit already.
bool IsSettled(const LongOperand& operand, bool bDivisor)
{
    return operand.IllegalPosition() != 0 && (!bDivisor || operand.HasNonZeroDigit()) &&
           !MaySpellConstant(operand.Text());
}

// Reads pFile to its end, or until the operand is too long to be accepted or its answer is
// settled, whatever follows. False on a read error, with errno telling which.
bool ReadStream(std::FILE* pFile, LongOperand& operand, bool bDivisor)
{
    std::vector<char> buffer(READ_CHUNK);
    while (!operand.IsTooLong() && !IsSettled(operand, bDivisor)) {
        const std::size_t nRead = std::fread(buffer.data(), 1, buffer.size(), pFile);
        operand.Append(std::string_view(buffer.data(), nRead));
        if (nRead < buffer.size())
            return std::ferror(pFile) == 0;
    }
    return true;
}

// The operand an argument names: its own text, standard input for "-", or the file after "@".
// False with a one-line message in *pError when the input cannot be read.
bool ReadOperand(const std::string& strArg, bool bDivisor, std::FILE* pIn, Language language,
                 LongOperand& operand, std::string* pError)
{
    if (strArg != "-" && !strArg.starts_with('@')) {
        operand = LongOperand(strArg);
        return true;
    }
    errno = 0;
    int nError = 0;
    if (strArg == "-") {
        if (ReadStream(pIn, operand, bDivisor))
            return true;
        nError = errno;
        *pError = longmsg::STDIN_UNREADABLE.In(language);
    } else {
        std::FILE* pFile = std::fopen(strArg.c_str() + 1, "rb");
        const bool bRead = pFile != nullptr && ReadStream(pFile, operand, bDivisor);
        nError = errno;
        if (pFile != nullptr)
            std::fclose(pFile);
        if (bRead)
            return true;
        *pError = std::string(longmsg::FILE_UNREADABLE.In(language)) + ": " + strArg.substr(1);
    }
    if (nError != 0)
        *pError += std::string(" (") + std::strerror(nError) + ")";
    return false;
}

// One line on err that a thread of its own rewrites with the progress of a calculation a few
// times a second; it is erased when the object goes.
class CProgressLine
{
public:
    CProgressLine(const CLongProgress& progress, CTextOut& err, Language language)
        : m_progress(progress), m_err(err), m_language(language),
          m_start(std::chrono::steady_clock::now()), m_thread([this] { Run(); })
    {}
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;
    ~CProgressLine()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_bEnded = true;
        }
        m_ended.notify_one();
        m_thread.join();
        if (m_nShown != 0)
            (m_err << '\r' << std::string(m_nShown, ' ') << '\r').Flush();
    }

private:
    static constexpr std::chrono::milliseconds INTERVAL{250};

    void Run()
    {
        std::unique_lock lock(m_mutex);
        while (!m_ended.wait_for(lock, INTERVAL, [this] { return m_bEnded; }))
            Show();
    }

    void Show()
    {
        const auto nElapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - m_start)
                                    .count();
        std::string strLine = FormatElapsed(nElapsedMs / 1000) + "  " +
                              FormatProgress(m_progress.Fraction(), nElapsedMs, m_language);
        // A shorter line leaves no trace of the longer one before it.
        const size_t nWidth = strLine.size();
        strLine.resize(std::max(nWidth, m_nShown), ' ');
        (m_err << '\r' << strLine).Flush();
        m_nShown = nWidth;
    }

    const CLongProgress& m_progress;
    CTextOut& m_err;
    const Language m_language;
    const std::chrono::steady_clock::time_point m_start;
    size_t m_nShown = 0; // bytes of the line on screen
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_bEnded = false;
    std::thread m_thread;
};

// The calculator's message, unless it says that an operand has too many digits where it has too
// many characters: an operand of INT_MAX characters, mostly white space.
std::string Explained(const std::string& strMessage, const std::vector<LongOperand>& operands,
                      Language language)
{
    for (std::size_t i = 0; i < std::size(TOO_MANY_DIGITS); ++i) {
        const LongOperand& operand = operands[i];
        if (!operand.IsTooLong() || operand.Text().size() > std::size_t(LONG_MAX_OPERAND_DIGITS) ||
            strMessage != Format(*TOO_MANY_DIGITS[i], language, LONG_MAX_OPERAND_DIGITS))
            continue;
        return Format(operand.Text().empty() ? NO_DIGITS[i] : TOO_MANY_CHARACTERS[i], language,
                      INT_MAX);
    }
    return strMessage;
}

int Usage(CTextOut& err)
{
    err << USAGE << '\n';
    return 2;
}
} // namespace

int RunLongCommand(const std::vector<std::string>& args, std::FILE* pIn, CTextOut& out,
                   CTextOut& err, Language language, bool bShowProgress)
{
    if (args.empty())
        return Usage(err);
    auto it = std::find_if(std::begin(VERBS), std::end(VERBS),
                           [&args](const LongVerb& verb) { return args[0] == verb.pWord; });
    if (it == std::end(VERBS) || args.size() != size_t(it->nOperands) + 1 ||
        std::count(args.begin() + 1, args.end(), "-") > 1)
        return Usage(err);

    std::vector<LongOperand> operands(2);
    for (int i = 0; i < it->nOperands; ++i) {
        std::string strError;
        const bool bDivisor =
            i == 1 && (it->op == LongOperator::Div || it->op == LongOperator::Mod);
        if (!ReadOperand(args[i + 1], bDivisor, pIn, language, operands[i], &strError)) {
            err << strError << '\n';
            return 1;
        }
    }
    // pi and e take their count in the second box. With an empty count the window would run the
    // selected operator instead, which the command line does not have.
    if (it->pFirstBox != nullptr) {
        operands[1] = std::move(operands[0]);
        operands[0] = LongOperand(it->pFirstBox);
        if (operands[1].Text().empty()) {
            char buffer[256];
            std::snprintf(buffer, sizeof buffer, longmsg::DIGITS_RANGE.In(language),
                          LONG_MAX_CONSTANT_DIGITS);
            err << buffer << '\n';
            return 1;
        }
    }
    LongResult result;
    {
        CLongControl control;
        const CLongControl::Scope scope(&control);
        std::optional<CProgressLine> line;
        if (bShowProgress)
            line.emplace(control.Progress(), err, language);
        result = CalculateLong(it->op, std::move(operands[0]), std::move(operands[1]), language);
    }
    if (!result.strMessage.empty()) {
        err << Explained(result.strMessage, operands, language) << '\n';
        return 1;
    }
    out << result.strResult << '\n';
    return out.Good() ? 0 : 1;
}
