#include "bignum/LongCommand.h"

#include "bignum/LongCalculation.h"
#include "bignum/LongTexts.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

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

bool ReadOperand(const std::string& strArg, std::istream& in, std::string* pText)
{
    if (strArg == "-") {
        pText->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    }
    if (strArg.empty() || strArg[0] != '@') {
        *pText = strArg;
        return true;
    }
    std::ifstream file(strArg.substr(1), std::ios::binary);
    if (!file)
        return false;
    std::ostringstream content;
    content << file.rdbuf();
    *pText = content.str();
    return !file.bad();
}

int Usage(std::ostream& err)
{
    err << USAGE << '\n';
    return 2;
}
} // namespace

int RunLongCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, int nLanguage)
{
    if (args.empty())
        return Usage(err);
    auto it = std::find_if(std::begin(VERBS), std::end(VERBS),
                           [&args](const LongVerb& verb) { return args[0] == verb.pWord; });
    if (it == std::end(VERBS) || args.size() != size_t(it->nOperands) + 1 ||
        std::count(args.begin() + 1, args.end(), "-") > 1)
        return Usage(err);

    std::vector<std::string> operands(2);
    for (int i = 0; i < it->nOperands; ++i)
        if (!ReadOperand(args[i + 1], in, &operands[i])) {
            err << longmsg::FILE_UNREADABLE.In(nLanguage) << ": " << args[i + 1].substr(1) << '\n';
            return 1;
        }
    // pi and e take their count in the second box. With an empty count the window would run the
    // selected operator instead, which the command line does not have.
    if (it->pFirstBox != nullptr) {
        operands[1] = operands[0];
        operands[0] = it->pFirstBox;
        if (operands[1].find_first_not_of(" \t\r\n\v\f") == std::string::npos) {
            char buffer[256];
            std::snprintf(buffer, sizeof buffer, longmsg::DIGITS_RANGE.In(nLanguage),
                          LONG_MAX_CONSTANT_DIGITS);
            err << buffer << '\n';
            return 1;
        }
    }
    LongResult result = CalculateLong(it->nOperator, operands[0], operands[1], nLanguage);
    if (!result.strMessage.empty()) {
        err << result.strMessage << '\n';
        return 1;
    }
    out << result.strResult << '\n';
    return out ? 0 : 1;
}
