#include "core/keep/ConsoleFormat.h"

#include "core/base/CharClass.h"
#include "core/keep/KeepTexts.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace
{
constexpr std::string_view HEADER = "pelmorix-console ";
constexpr std::string_view NAN_PREFIX = "nan:";
constexpr std::string_view END = "end";
constexpr char TEXT_MARK = '|';

// The records in the order they must come.
enum class Section
{
    Variables,
    Graph,
    Curves,
    Text,
};

void AppendNumber(std::string& strOut, double d)
{
    if (std::isnan(d)) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%016llx",
                      static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(d)));
        strOut.append(NAN_PREFIX).append(buf);
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, d);
    strOut.append(buf, res.ptr);
}

std::optional<double> ParseNumber(std::string_view strText)
{
    if (strText.starts_with(NAN_PREFIX)) {
        strText.remove_prefix(NAN_PREFIX.size());
        std::uint64_t nBits = 0;
        const auto res =
            std::from_chars(strText.data(), strText.data() + strText.size(), nBits, 16);
        const double d = std::bit_cast<double>(nBits);
        if (strText.size() != 16 || res.ptr != strText.data() + strText.size() || !std::isnan(d))
            return std::nullopt;
        return d;
    }
    double d = 0.0;
    const auto res = std::from_chars(strText.data(), strText.data() + strText.size(), d);
    if (res.ec != std::errc() || res.ptr != strText.data() + strText.size() || std::isnan(d))
        return std::nullopt;
    return d;
}

bool IsAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

// A name an assignment accepts.
bool IsVariableName(std::string_view strName)
{
    if (strName.empty() || !IsAsciiLetter(strName[0]))
        return false;
    for (char ch : strName)
        if (!IsAsciiLetter(ch) && !(ch >= '0' && ch <= '9'))
            return false;
    return strName != "e" && strName != "pi" && strName != "PI";
}

std::optional<int> ParseSlot(std::string_view strText)
{
    if (strText.size() != 1 || strText[0] < '0' || strText[0] > '9')
        return std::nullopt;
    return strText[0] - '0';
}

// The first nCount - 1 words of strLine and the rest as the last; fewer when the line has fewer
// blanks.
std::vector<std::string_view> Split(std::string_view strLine, std::size_t nCount)
{
    std::vector<std::string_view> words;
    while (words.size() + 1 < nCount) {
        const std::size_t nBlank = strLine.find(' ');
        if (nBlank == std::string_view::npos)
            break;
        words.push_back(strLine.substr(0, nBlank));
        strLine.remove_prefix(nBlank + 1);
    }
    words.push_back(strLine);
    return words;
}

class CReader
{
public:
    explicit CReader(std::string_view strFile) : m_strRest(strFile) {}

    KeptConsole Read()
    {
        std::string_view strLine;
        if (!Next(strLine))
            throw KeepFormatError(KeepProblem::CutShort, 1);
        ReadHeader(strLine);
        m_kept.lines.clear();
        while (Next(strLine)) {
            // A last line without its line break is whole only when it is the end mark.
            if (!m_bLineClosed && strLine != END)
                break;
            if (strLine == END) {
                if (!m_strRest.empty())
                    Fail();
                m_kept.BoundLines();
                return std::move(m_kept);
            }
            ReadRecord(strLine);
        }
        throw KeepFormatError(KeepProblem::CutShort, m_nLine);
    }

private:
    bool Next(std::string_view& strLine)
    {
        if (m_strRest.empty())
            return false;
        const std::size_t nEnd = m_strRest.find('\n');
        m_bLineClosed = nEnd != std::string_view::npos;
        strLine = m_strRest.substr(0, nEnd);
        m_strRest.remove_prefix(nEnd == std::string_view::npos ? m_strRest.size() : nEnd + 1);
        ++m_nLine;
        return true;
    }

    [[noreturn]] void Fail() const { throw KeepFormatError(KeepProblem::BadLine, m_nLine); }

    void ReadHeader(std::string_view strLine) const
    {
        if (!strLine.starts_with(HEADER))
            throw KeepFormatError(KeepProblem::NotConsole, m_nLine);
        strLine.remove_prefix(HEADER.size());
        int nVersion = 0;
        const auto res = std::from_chars(strLine.data(), strLine.data() + strLine.size(), nVersion);
        const bool bNumber = res.ec == std::errc() && res.ptr == strLine.data() + strLine.size();
        if (bNumber && nVersion > CONSOLE_FORMAT_VERSION)
            throw KeepFormatError(KeepProblem::NewerVersion, m_nLine);
        if (!bNumber || nVersion != CONSOLE_FORMAT_VERSION)
            throw KeepFormatError(KeepProblem::NotConsole, m_nLine);
    }

    // Records may only move on to a later section; graph comes once.
    void Enter(Section section)
    {
        if (section < m_section || (section == Section::Graph && m_bGraphSeen))
            Fail();
        m_bGraphSeen = m_bGraphSeen || section == Section::Graph;
        m_section = section;
    }

    void ReadRecord(std::string_view strLine)
    {
        if (!strLine.empty() && strLine[0] == TEXT_MARK) {
            Enter(Section::Text);
            m_kept.lines.emplace_back(strLine.substr(1));
            return;
        }
        const std::string_view strKind = strLine.substr(0, strLine.find(' '));
        if (strKind == "var")
            ReadVariable(Split(strLine, 4));
        else if (strKind == "graph")
            ReadGraph(Split(strLine, 4));
        else if (strKind == "curve")
            ReadCurve(Split(strLine, 4));
        else
            Fail();
    }

    void ReadVariable(const std::vector<std::string_view>& words)
    {
        Enter(Section::Variables);
        if (words.size() != 4 || !IsVariableName(words[1]))
            Fail();
        const std::optional<double> re = ParseNumber(words[2]);
        const std::optional<double> im = ParseNumber(words[3]);
        if (!re || !im)
            Fail();
        if (!m_kept.variables.emplace(std::string(words[1]), CalcValue(*re, *im)).second)
            Fail();
    }

    void ReadGraph(const std::vector<std::string_view>& words)
    {
        Enter(Section::Graph);
        if (words.size() != 4)
            Fail();
        const std::optional<double> a = ParseNumber(words[1]);
        const std::optional<double> b = ParseNumber(words[2]);
        const std::optional<int> nSelected = ParseSlot(words[3]);
        if (!a || !b || !nSelected)
            Fail();
        m_kept.dA = *a;
        m_kept.dB = *b;
        m_kept.nSelected = *nSelected;
    }

    void ReadCurve(const std::vector<std::string_view>& words)
    {
        Enter(Section::Curves);
        if (words.size() != 4 || (words[2] != "shown" && words[2] != "hidden") ||
            words[3].size() > MAX_CURVE_EXPRESSION)
            Fail();
        const std::optional<int> nSlot = ParseSlot(words[1]);
        if (!nSlot || (!m_kept.curves.empty() && m_kept.curves.back().nSlot >= *nSlot))
            Fail();
        for (char ch : words[3])
            if (IsBlank(ch))
                Fail();
        m_kept.curves.push_back({*nSlot, words[2] == "shown", std::string(words[3])});
    }

    std::string_view m_strRest;
    int m_nLine = 0;
    bool m_bLineClosed = false;
    Section m_section = Section::Variables;
    bool m_bGraphSeen = false;
    KeptConsole m_kept;
};
} // namespace

KeepFormatError::KeepFormatError(KeepProblem problem, int nLine)
    : std::runtime_error(Describe(problem, nLine, Language::English)), m_problem(problem),
      m_nLine(nLine)
{}

std::string KeepFormatError::Describe(Language language) const
{
    return Describe(m_problem, m_nLine, language);
}

std::string KeepFormatError::Describe(KeepProblem problem, int nLine, Language language)
{
    switch (problem) {
    case KeepProblem::NotConsole:
        return keepmsg::NOT_CONSOLE.In(language);
    case KeepProblem::NewerVersion:
        return keepmsg::NEWER_VERSION.In(language);
    case KeepProblem::CutShort:
        return keepmsg::CUT_SHORT.In(language);
    case KeepProblem::BadLine:
        break;
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, keepmsg::BAD_LINE.In(language), nLine);
    return buf;
}

std::string WriteKeptConsole(const KeptConsole& kept)
{
    std::string strOut(HEADER);
    strOut += std::to_string(CONSOLE_FORMAT_VERSION) + '\n';
    for (const auto& [strName, value] : kept.variables) {
        strOut.append("var ").append(strName) += ' ';
        AppendNumber(strOut, value.re);
        strOut += ' ';
        AppendNumber(strOut, value.im);
        strOut += '\n';
    }
    strOut += "graph ";
    AppendNumber(strOut, kept.dA);
    strOut += ' ';
    AppendNumber(strOut, kept.dB);
    strOut.append(" ").append(std::to_string(kept.nSelected)) += '\n';
    for (const CurveDefinition& curve : kept.curves) {
        strOut.append("curve ").append(std::to_string(curve.nSlot));
        strOut.append(curve.bShown ? " shown " : " hidden ").append(curve.strExpression) += '\n';
    }
    for (const std::string& strLine : kept.lines)
        strOut.append(1, TEXT_MARK).append(strLine) += '\n';
    strOut.append(END) += '\n';
    return strOut;
}

KeptConsole ReadKeptConsole(std::string_view strFile) { return CReader(strFile).Read(); }
