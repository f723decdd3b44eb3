#include "core/eval/ParenTable.h"

#include <cstring>

void ParenTable::Attach(const char* pszText)
{
    const std::size_t nLength = std::strlen(pszText);
    if (nLength != m_strText.size() || std::memcmp(pszText, m_strText.data(), nLength) != 0) {
        m_strText.assign(pszText, nLength);
        Build();
    }
    m_pBase = pszText;
}

// A "(" is closed by the first ")" at which the depth counted from it returns to zero, which is
// the ")" a stack of the open parentheses pairs it with.
void ParenTable::Build()
{
    m_closes.assign(m_strText.size(), NO_MATCH);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < m_strText.size(); ++i) {
        if (m_strText[i] == '(') {
            open.push_back(i);
        } else if (m_strText[i] == ')' && !open.empty()) {
            m_closes[open.back()] = i;
            open.pop_back();
        }
    }
}

std::size_t ParenTable::Scan(const char* pText)
{
    int nDepth = 1;
    for (std::size_t i = 0; pText[i] != '\0'; ++i) {
        nDepth += pText[i] == '(' ? 1 : pText[i] == ')' ? -1 : 0;
        if (nDepth == 0)
            return i;
    }
    return NO_MATCH;
}
