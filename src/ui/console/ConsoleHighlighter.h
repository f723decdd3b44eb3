#pragma once

#include "core/console/ConsoleColors.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>
#include <cstddef>

class CEvalContext;

// Colours the console's lines by token kind (core/console/ConsoleSyntax.h) and remembers, in
// each block's state, whether the console wrote the line: the text stays plain. Qt calls it for
// the lines that changed only. With colouring off it still keeps the written marks, so that
// turning colouring on again finds them.
class CConsoleHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    // Block states; a block not yet seen (-1) is judged from the line before it.
    static constexpr int TYPED_LINE = 0;
    static constexpr int WRITTEN_LINE = 1;
    // The most coloured stretches one line gets; a line of more stays in the text colour, so
    // that a key typed in it never waits for the layout of its colours.
    static constexpr std::ptrdiff_t COLOUR_RUN_BUDGET = 200;

    CConsoleHighlighter(QTextDocument* pDocument, const CEvalContext& eval);

    void SetColors(ColorRef crText, ColorRef crBack);
    void SetColouring(bool bColour);
    bool IsColouring() const { return m_bColour; }
    const ConsolePalette& Palette() const { return m_palette; }
    // The console wrote block: it is marked so and coloured again.
    void MarkWritten(const QTextBlock& block);
    static bool IsWritten(const QTextBlock& block) { return block.userState() == WRITTEN_LINE; }
    // Set while the whole text is being replaced (a console read back, a rebuilt store): new
    // lines are then judged from the line before them; otherwise a new line is a typed one.
    void SetGuessing(bool bGuess) { m_bGuessing = bGuess; }

protected:
    void highlightBlock(const QString& strText) override;

private:
    void BuildFormats();

    const CEvalContext& m_eval;
    ConsolePalette m_palette;
    std::array<QTextCharFormat, TOKEN_KIND_COUNT> m_formats;
    bool m_bColour = true;
    bool m_bGuessing = false;
};
