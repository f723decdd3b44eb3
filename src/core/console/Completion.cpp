#include "core/console/Completion.h"

#include "core/base/Language.h"
#include "core/eval/EvalContext.h"

#include <algorithm>
#include <tuple>

namespace
{
struct NameInfo
{
    const char* pszName;
    CandidateKind kind;
    Text description;
};

// clang-format off
constexpr NameInfo NAMES[] = {
    {"abs(", CandidateKind::Function, {"abs(x): magnitude of x", "abs(x)：x 的绝对值（模）"}},
    {"acos(", CandidateKind::Function, {"acos(x): arccosine of x, in the angle unit", "acos(x)：x 的反余弦，按角度单位"}},
    {"area(", CandidateKind::Function, {"area(x): area of a circle of diameter x", "area(x)：直径为 x 的圆的面积"}},
    {"asin(", CandidateKind::Function, {"asin(x): arcsine of x, in the angle unit", "asin(x)：x 的反正弦，按角度单位"}},
    {"atan(", CandidateKind::Function, {"atan(x): arctangent of x, in the angle unit", "atan(x)：x 的反正切，按角度单位"}},
    {"cos(", CandidateKind::Function, {"cos(x): cosine of x", "cos(x)：x 的余弦"}},
    {"cosh(", CandidateKind::Function, {"cosh(x): hyperbolic cosine of x", "cosh(x)：x 的双曲余弦"}},
    {"exp(", CandidateKind::Function, {"exp(x): e to the power x", "exp(x)：e 的 x 次幂"}},
    {"forc(", CandidateKind::Function, {"forc(x,y): force (N) of a cylinder of diameter x mm at y bar", "forc(x,y)：直径 x mm、压力 y bar 的液压缸推力 (N)"}},
    {"im(", CandidateKind::Function, {"im(x): imaginary part of x", "im(x)：x 的虚部"}},
    {"int(", CandidateKind::Function, {"int(x): x truncated toward zero", "int(x)：x 向零取整"}},
    {"ln(", CandidateKind::Function, {"ln(x): natural logarithm of x", "ln(x)：x 的自然对数"}},
    {"log(", CandidateKind::Function, {"log(x): logarithm of x to base 10", "log(x)：以 10 为底 x 的对数"}},
    {"norm(", CandidateKind::Function, {"norm(x): magnitude of x, squares formed directly", "norm(x)：x 的模（直接求平方和）"}},
    {"pow(", CandidateKind::Function, {"pow(x,y): x to the power y", "pow(x,y)：x 的 y 次幂"}},
    {"pol(", CandidateKind::Function, {"pol(x,y): complex number of magnitude x and angle y", "pol(x,y)：模为 x、辐角为 y 的复数"}},
    {"re(", CandidateKind::Function, {"re(x): real part of x", "re(x)：x 的实部"}},
    {"rnd(", CandidateKind::Function, {"rnd(x): random value between 0 and x", "rnd(x)：0 到 x 之间的随机数"}},
    {"sqr(", CandidateKind::Function, {"sqr(x): square root of x", "sqr(x)：x 的平方根"}},
    {"sin(", CandidateKind::Function, {"sin(x): sine of x", "sin(x)：x 的正弦"}},
    {"sqrn(", CandidateKind::Function, {"sqrn(x,y): y-th root of x", "sqrn(x,y)：x 的 y 次方根"}},
    {"sinh(", CandidateKind::Function, {"sinh(x): hyperbolic sine of x", "sinh(x)：x 的双曲正弦"}},
    {"sum(", CandidateKind::Function, {"sum(x): sum of 1 to x", "sum(x)：从 1 加到 x 的和"}},
    {"tan(", CandidateKind::Function, {"tan(x): tangent of x", "tan(x)：x 的正切"}},
    {"tanh(", CandidateKind::Function, {"tanh(x): hyperbolic tangent of x", "tanh(x)：x 的双曲正切"}},
    {"torq(", CandidateKind::Function, {"torq(x,y): torque (N·m) of a drive of x kW at y rpm", "torq(x,y)：功率 x kW、转速 y rpm 的电机扭矩 (N·m)"}},
    {"volu(", CandidateKind::Function, {"volu(x,y): volume of a cylinder of diameter x and length y", "volu(x,y)：直径 x、长度 y 的圆柱体积"}},
    {"!(", CandidateKind::Function, {"!(x): factorial of x", "!(x)：x 的阶乘"}},
    {"pi", CandidateKind::Constant, {"pi = 3.14159265...", "pi = 3.14159265..."}},
    {"e", CandidateKind::Constant, {"e = 2.71828182...", "e = 2.71828182..."}},
    {"cls", CandidateKind::Keyword, {"cls: clear the console", "cls：清屏"}},
    {"fact", CandidateKind::Keyword, {"fact x: prime factors of x (up to 18 digits)", "fact x：分解 x 的质因数（最多 18 位）"}},
    {"fx", CandidateKind::Keyword, {"fx a,b,F(x): draw y = F(x) from a to b", "fx a,b,F(x)：在 a 到 b 区间作 y = F(x) 的图像"}},
    {"fx1", CandidateKind::Keyword, {"fx1 F(x) ... fx9 F(x): add a curve to the graph", "fx1 F(x) ... fx9 F(x)：增加图像"}},
    {"fxcls", CandidateKind::Keyword, {"fxcls: remove all curves", "fxcls：清除所有图像"}},
};
// clang-format on

char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch | 0x20) : ch; }

std::string LowerCase(std::string_view str)
{
    std::string strLower(str);
    std::transform(strLower.begin(), strLower.end(), strLower.begin(), Lower);
    return strLower;
}

// A name without the parenthesis that completes a call.
std::string_view Bare(std::string_view strName)
{
    return strName.ends_with('(') ? strName.substr(0, strName.size() - 1) : strName;
}

// Edits (insert, delete, change, swap of neighbours) that turn a into b.
std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

struct Ranked
{
    int nRank;
    std::size_t nDistance;
    Candidate candidate;
};

bool Before(const Ranked& a, const Ranked& b)
{
    return std::tie(a.nRank, a.nDistance, a.candidate.kind) <
           std::tie(b.nRank, b.nDistance, b.candidate.kind);
}

// Every name that can be offered here, with its detail: functions in the evaluator's order (the
// common ones first within a letter), variables in name order.
std::vector<Candidate> AllNames(const CEvalContext& eval, bool bLineStart)
{
    std::vector<Candidate> names;
    for (const NameInfo& info : NAMES)
        if (bLineStart || info.kind != CandidateKind::Keyword)
            names.push_back({info.pszName, info.description.In(eval.CurrentLanguage()), info.kind});
    for (const auto& [strName, value] : eval.Variables())
        names.push_back(
            {strName, strName + " = " + eval.FormatValue(value), CandidateKind::Variable});
    return names;
}
} // namespace

std::vector<Candidate> CompletionCandidates(std::string_view strPrefix, const CEvalContext& eval,
                                            bool bLineStart)
{
    if (strPrefix.empty())
        return {};
    const std::string strLower = LowerCase(strPrefix);
    std::vector<Ranked> matches;
    std::vector<Ranked> near;
    for (Candidate& name : AllNames(eval, bLineStart)) {
        const std::string strName = LowerCase(Bare(name.strText));
        if (strName.starts_with(strLower)) {
            const std::string_view strText = Bare(name.strText);
            const bool bAsTyped = strText.starts_with(strPrefix);
            const int nRank = (strName == strLower ? 0 : 2) + (bAsTyped ? 0 : 1);
            matches.push_back({nRank, 0, std::move(name)});
        } else if (strLower.size() >= 2) {
            near.push_back({4, EditDistance(strLower, strName), std::move(name)});
        }
    }
    if (matches.empty()) {
        // Only the nearest names, and only those near enough to be meant.
        const std::size_t nAllowed = strLower.size() <= 4 ? 1 : 2;
        std::size_t nBest = nAllowed + 1;
        for (const Ranked& r : near)
            nBest = std::min(nBest, r.nDistance);
        for (Ranked& r : near)
            if (r.nDistance == nBest && nBest <= nAllowed)
                matches.push_back(std::move(r));
    }
    std::stable_sort(matches.begin(), matches.end(), Before);
    std::vector<Candidate> candidates;
    candidates.reserve(matches.size());
    for (Ranked& r : matches)
        candidates.push_back(std::move(r.candidate));
    return candidates;
}

std::size_t NameStart(std::u16string_view strLine, std::size_t nCaret)
{
    if (nCaret > strLine.size() ||
        strLine.substr(0, nCaret).find(u'#') != std::u16string_view::npos)
        return nCaret;
    const auto isWordChar = [](char16_t ch) {
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
    };
    if (nCaret > 0 && strLine[nCaret - 1] == '!')
        return nCaret - 1;
    std::size_t nStart = nCaret;
    while (nStart > 0 && isWordChar(strLine[nStart - 1]))
        --nStart;
    // A name starts with a letter; 2e5 and 0xFF are numbers, a1 is a name.
    const char16_t chFirst = nStart < nCaret ? strLine[nStart] : u'0';
    if (!((chFirst >= 'a' && chFirst <= 'z') || (chFirst >= 'A' && chFirst <= 'Z')))
        return nCaret;
    return nStart;
}
