#include "core/bignum/LongCommand.h"

#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongOperand.h"
#include "core/bignum/LongTexts.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string_view>
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
    int nOperator;
    const char* pFirstBox; // fixed text of the first box, or null when it takes the first operand
    int nOperands;
};

constexpr LongVerb VERBS[] = {
    {"add", LONG_ADD, nullptr, 2}, {"sub", LONG_SUB, nullptr, 2}, {"mul", LONG_MUL, nullptr, 2},
    {"div", LONG_DIV, nullptr, 2}, {"mod", LONG_MOD, nullptr, 2}, {"fac", LONG_FAC, nullptr, 1},
    {"pi", LONG_ADD, "PI", 1},     {"e", LONG_ADD, "E", 1},
};

constexpr std::size_t READ_CHUNK = 1 << 16;

// Reads pFile to its end, or until the operand is too long to be accepted, whatever follows.
// False on a read error, with errno telling which.
bool ReadStream(std::FILE* pFile, LongOperand& operand)
{
    std::vector<char> buffer(READ_CHUNK);
    while (!operand.IsTooLong()) {
        const std::size_t nRead = std::fread(buffer.data(), 1, buffer.size(), pFile);
        operand.Append(std::string_view(buffer.data(), nRead));
        if (nRead < buffer.size())
            return std::ferror(pFile) == 0;
    }
    return true;
}

// The operand an argument names: its own text, standard input for "-", or the file after "@".
// False with a one-line message in *pError when the input cannot be read.
bool ReadOperand(const std::string& strArg, std::FILE* pIn, Language language, LongOperand& operand,
                 std::string* pError)
{
    if (strArg != "-" && !strArg.starts_with('@')) {
        operand = LongOperand(strArg);
        return true;
    }
    errno = 0;
    int nError = 0;
    if (strArg == "-") {
        if (ReadStream(pIn, operand))
            return true;
        nError = errno;
        *pError = longmsg::STDIN_UNREADABLE.In(language);
    } else {
        std::FILE* pFile = std::fopen(strArg.c_str() + 1, "rb");
        const bool bRead = pFile != nullptr && ReadStream(pFile, operand);
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

int Usage(std::ostream& err)
{
    err << USAGE << '\n';
    return 2;
}
} // namespace

int RunLongCommand(const std::vector<std::string>& args, std::FILE* pIn, std::ostream& out,
                   std::ostream& err, Language language)
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
        if (!ReadOperand(args[i + 1], pIn, language, operands[i], &strError)) {
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
    LongResult result = CalculateLong(it->nOperator, operands[0], operands[1], language);
    if (!result.strMessage.empty()) {
        err << result.strMessage << '\n';
        return 1;
    }
    out << result.strResult << '\n';
    return out ? 0 : 1;
}
