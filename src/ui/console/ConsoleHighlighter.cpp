#include "ui/console/ConsoleHighlighter.h"

#include "core/console/ConsoleSyntax.h"
#include "core/eval/EvalContext.h"
#include "ui/base/QtColor.h"
#include "ui/base/QtText.h"

#include <QTextBlock>

#include <algorithm>

CConsoleHighlighter::CConsoleHighlighter(QTextDocument* pDocument, const CEvalContext& eval)
    : QSyntaxHighlighter(pDocument), m_eval(eval),
      m_palette(DeriveConsolePalette(MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)))
{
    BuildFormats();
}

void CConsoleHighlighter::SetColors(ColorRef crText, ColorRef crBack)
{
    m_palette = DeriveConsolePalette(crText, crBack);
    BuildFormats();
    if (m_bColour)
        rehighlight();
}

void CConsoleHighlighter::SetColouring(bool bColour)
{
    if (bColour == m_bColour)
        return;
    m_bColour = bColour;
    rehighlight();
}

void CConsoleHighlighter::BuildFormats()
{
    for (int i = 0; i < TOKEN_KIND_COUNT; ++i) {
        m_formats[i] = QTextCharFormat();
        m_formats[i].setForeground(ToQColor(m_palette.kinds[i]));
    }
    // Written lines stand apart from typed ones in weight as well as in colour.
    m_formats[int(TokenKind::Result)].setFontWeight(QFont::Bold);
    m_formats[int(TokenKind::Error)].setFontWeight(QFont::Bold);
    m_formats[int(TokenKind::Comment)].setFontItalic(true);
}

void CConsoleHighlighter::MarkWritten(const QTextBlock& block)
{
    QTextBlock marked = block;
    if (!marked.isValid() || marked.userState() == WRITTEN_LINE)
        return;
    marked.setUserState(WRITTEN_LINE);
    rehighlightBlock(marked);
}

void CConsoleHighlighter::highlightBlock(const QString& strText)
{
    int nState = currentBlockState();
    if (strText.isEmpty()) {
        nState = TYPED_LINE;
    } else if (nState < 0 && !m_bGuessing) {
        nState = TYPED_LINE;
    } else if (nState < 0) {
        const QTextBlock previous = currentBlock().previous();
        nState =
            LooksWritten(previous.isValid() ? Utf16View(previous.text()) : std::u16string_view(),
                         previousBlockState() == WRITTEN_LINE, Utf16View(strText))
                ? WRITTEN_LINE
                : TYPED_LINE;
    }
    setCurrentBlockState(nState);
    if (!m_bColour)
        return;
    const std::vector<ConsoleToken> tokens =
        TokenizeLine(Utf16View(strText), nState == WRITTEN_LINE, m_eval.Variables());
    // Operators keep the text colour, as blanks do. Every coloured run costs the text layout
    // time on each key in the line; a line of more runs than the budget keeps the text colour.
    const auto coloured = [](const ConsoleToken& token) {
        return token.kind != TokenKind::Plain && token.kind != TokenKind::Operator;
    };
    if (std::count_if(tokens.begin(), tokens.end(), coloured) > COLOUR_RUN_BUDGET)
        return;
    for (const ConsoleToken& token : tokens)
        if (coloured(token))
            setFormat(int(token.nStart), int(token.nLength), m_formats[int(token.kind)]);
}
