#pragma once

#include "core/console/ConsoleHost.h"

#include <string>
#include <vector>

// A console text without a window: lines and a caret, typed into as a user would. The
// command-line front end and the tests run the dispatcher against it.
class CTextConsole : public IConsoleText
{
public:
    // Inserts text at the caret; '\n' starts a new line.
    void Type(std::string_view strText);
    void SetCaret(int nLine, std::size_t nColumn);
    // The whole text, lines joined by '\n'.
    std::string Text() const;
    // What ReplaceSelection wrote since the last call, without carriage returns.
    std::string TakeWritten();

    int CaretLine() const override { return m_nCaretLine; }
    std::string LineText(int nLine) const override;
    void ReplaceSelection(std::string_view strText) override;
    void ClearText() override;

private:
    std::vector<std::string> m_lines{std::string()};
    int m_nCaretLine = 0;
    std::size_t m_nCaretColumn = 0;
    std::string m_strWritten;
};
