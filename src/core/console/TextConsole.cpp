#include "core/console/TextConsole.h"

#include <algorithm>
#include <utility>

void CTextConsole::Type(std::string_view strText)
{
    for (char ch : strText) {
        if (ch == '\r')
            continue;
        std::string& strLine = m_lines[m_nCaretLine];
        if (ch != '\n') {
            strLine.insert(m_nCaretColumn++, 1, ch);
            continue;
        }
        std::string strRest = strLine.substr(m_nCaretColumn);
        strLine.resize(m_nCaretColumn);
        m_lines.insert(m_lines.begin() + m_nCaretLine + 1, std::move(strRest));
        ++m_nCaretLine;
        m_nCaretColumn = 0;
    }
}

void CTextConsole::SetCaret(int nLine, std::size_t nColumn)
{
    m_nCaretLine = std::clamp(nLine, 0, int(m_lines.size()) - 1);
    m_nCaretColumn = std::min(nColumn, m_lines[m_nCaretLine].size());
}

std::string CTextConsole::Text() const
{
    std::string strText;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        strText += (i ? "\n" : "") + m_lines[i];
    return strText;
}

std::string CTextConsole::TakeWritten() { return std::exchange(m_strWritten, std::string()); }

std::string CTextConsole::LineText(int nLine) const
{
    if (nLine < 0 || nLine >= int(m_lines.size()))
        return {};
    return m_lines[nLine];
}

void CTextConsole::ReplaceSelection(std::string_view strText)
{
    Type(strText);
    for (char ch : strText)
        if (ch != '\r')
            m_strWritten += ch;
}

void CTextConsole::ClearText()
{
    m_lines.assign(1, std::string());
    m_nCaretLine = 0;
    m_nCaretColumn = 0;
}
