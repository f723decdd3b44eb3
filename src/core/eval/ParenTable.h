#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Where the ")" that closes each "(" of a text stands, found in one pass over the text. The
// evaluator attaches the text of its outermost expression; every nesting level then finds its
// closing parenthesis by a look-up instead of scanning the rest of the text again. The table
// outlives the evaluation, so evaluating the same text again (each sample of a curve) reuses it.
class ParenTable
{
public:
    static constexpr std::size_t NO_MATCH = std::string::npos;

    // Describes the NUL-terminated pszText: rebuilt when its content differs from the text the
    // table was built for, which costs one comparison otherwise.
    void Attach(const char* pszText);
    // Forgets the attached pointer (the table itself is kept for the next Attach).
    void Detach() { m_pBase = nullptr; }

    // For pText just after a "(" (of the attached text, or of any NUL-terminated text, which is
    // then scanned): the offset from pText of the ")" that closes it, nested parentheses counted;
    // NO_MATCH when the text ends first.
    std::size_t CloseAfter(const char* pText) const
    {
        if (m_pBase == nullptr || pText <= m_pBase || pText > m_pBase + m_strText.size())
            return Scan(pText);
        const std::size_t nOpen = std::size_t(pText - m_pBase) - 1;
        if (m_strText[nOpen] != '(')
            return Scan(pText);
        const std::size_t nClose = m_closes[nOpen];
        return nClose == NO_MATCH ? NO_MATCH : nClose - nOpen - 1;
    }

private:
    static std::size_t Scan(const char* pText);
    void Build();

    std::string m_strText;             // the text the table describes
    std::vector<std::size_t> m_closes; // per character: the index of the closing ")" or NO_MATCH
    const char* m_pBase = nullptr;     // the attached text while an evaluation runs
};
