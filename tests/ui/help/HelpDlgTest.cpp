#include "ui/help/HelpDlg.h"

#include "core/base/Version.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QAbstractTextDocumentLayout>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace
{
class HelpDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pText = m_dlg.findChild<QPlainTextEdit*>(QStringLiteral("text"));
        ASSERT_NE(m_pText, nullptr);
        m_dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dlg));
    }

    QString Label(const char* strName)
    {
        const auto* pLabel = m_dlg.findChild<QLabel*>(QString::fromLatin1(strName));
        return pLabel != nullptr ? pLabel->text() : QString();
    }

    QStringList Lines() const { return m_pText->toPlainText().split(QLatin1Char('\n')); }

    // Where column nColumn of line nLine begins on the screen, in pixels from the text's left.
    qreal ColumnX(int nLine, int nColumn) const
    {
        const QTextBlock block = m_pText->document()->findBlockByNumber(nLine);
        m_pText->document()->documentLayout()->blockBoundingRect(block); // lays the block out
        const QTextLine line = block.layout()->lineAt(0);
        return line.isValid() ? line.cursorToX(nColumn) : -1.0;
    }

    int ScreenLines(int nLine) const
    {
        const QTextBlock block = m_pText->document()->findBlockByNumber(nLine);
        m_pText->document()->documentLayout()->blockBoundingRect(block);
        return block.layout()->lineCount();
    }

    void SetLanguage(Language language)
    {
        m_language.Set(language);
        m_dlg.ApplyLanguage();
    }

    FixedLanguage m_language{Language::Chinese};
    CHelpDlg m_dlg{m_language, nullptr};
    QPlainTextEdit* m_pText = nullptr;
};

struct HelpLine
{
    int nLine;
    const char* strText;
};

struct HelpLanguageCase
{
    Language language;
    const char* strTitle;
    const char* strProduct;
    const char* strAuthorStart;
    const char* strContactStart;
    int nLines;
    std::vector<HelpLine> lines;
};

// The text is shown line for line in the window's language, with its leading and trailing
// blanks and its tab; the example gives the console's own result and the keyword it accepts.
TEST_F(HelpDlgTest, ShowsTheHelpOfTheLanguage)
{
    const std::vector<HelpLanguageCase> cases{
        {Language::English,
         "Help",
         "Pelmorix V" PELMORIX_VERSION_TEXT,
         "Author: ",
         "E_mail: ",
         112,
         {{0, "  Write what you want to calculate in line then press enter or click 'Ans' to get "
              "the result."},
          {1, ""},
          {4, "  An '#' comment the rest of a line. "},
          {34, "  sqr(x)   - Square-root of x"},
          {64, "  Insert - Inserts the current result "},
          {89, "  (2+3i)*(5+4i)   - Complex result:-2 + 23i"},
          {97, "  fxcls           - Clear all functions.'"},
          {99, "  waitting for your advice"},
          {103, "  While you type a name, a list under the"}}},
        {Language::Chinese,
         "帮助",
         "Pelmorix计算器 V" PELMORIX_VERSION_TEXT,
         "作者: ",
         "信箱: ",
         104,
         {{0, "    本计算器中，你可按书写习惯输入算式,光标在行末时回车或单击Ans键显示结果。"},
          {34, "    sqr(x)\t  - x 的二次方根"},
          {61, "    fxcls    - 图像窗口清屏"},
          {63, "    Insert键 - 插入当前结果"},
          {84, "    (2+3i)*(5+4i)   - 结果:-2 + 23i"},
          {92, "    fxcls           - 清除所有图像"},
          {94, "  有何建议请与作者联系"},
          {99, "    上/下键  - 在列表中选择名称"}}},
    };
    for (const HelpLanguageCase& test : cases) {
        SCOPED_TRACE(int(test.language));
        SetLanguage(test.language);
        EXPECT_EQ(m_dlg.windowTitle(), QString::fromUtf8(test.strTitle));
        EXPECT_EQ(Label("product"), QString::fromUtf8(test.strProduct));
        EXPECT_TRUE(Label("author").startsWith(QString::fromUtf8(test.strAuthorStart)));
        EXPECT_TRUE(Label("contact").startsWith(QString::fromUtf8(test.strContactStart)));
        const QStringList lines = Lines();
        ASSERT_EQ(lines.size(), test.nLines);
        for (const HelpLine& line : test.lines)
            EXPECT_EQ(lines[line.nLine], QString::fromUtf8(line.strText)) << line.nLine;
        EXPECT_FALSE(m_pText->toPlainText().contains(QLatin1String("fxclr")));
        EXPECT_FALSE(m_pText->toPlainText().contains(QLatin1Char('\r')));
    }
}

// The columns after the function names line up, the tabbed line and the lines with a Chinese
// character before the dash included.
TEST_F(HelpDlgTest, ColumnsLineUp)
{
    struct Column
    {
        Language language;
        int nLine;
        int nColumn;
        int nOtherLine;
        int nOtherColumn;
    };
    const Column columns[] = {
        {Language::English, 34, 11, 35, 11}, // "-" of sqr and sqrn
        {Language::English, 87, 18, 89, 18}, // "-" of the examples
        {Language::Chinese, 34, 13, 33, 14}, // "-" after the tab of sqr, and of pow
        {Language::Chinese, 63, 12, 60, 13}, // "-" after Insert键 and of cls
        {Language::Chinese, 64, 12, 60, 13}, // "-" after "Enter 键"
    };
    for (const Column& column : columns) {
        SCOPED_TRACE(column.nLine);
        SetLanguage(column.language);
        ASSERT_EQ(Lines()[column.nLine][column.nColumn], QLatin1Char('-'));
        ASSERT_EQ(Lines()[column.nOtherLine][column.nOtherColumn], QLatin1Char('-'));
        EXPECT_NEAR(ColumnX(column.nLine, column.nColumn),
                    ColumnX(column.nOtherLine, column.nOtherColumn), 0.5);
    }
}

// Only the prose wraps: no line of the columns (up to 47 cells, a Chinese character taking two)
// is broken in the window.
TEST_F(HelpDlgTest, ColumnLinesDoNotWrap)
{
    constexpr int MAX_COLUMN_CELLS = 47;
    for (const Language language : {Language::English, Language::Chinese}) {
        SCOPED_TRACE(int(language));
        SetLanguage(language);
        const QStringList lines = Lines();
        int nChecked = 0;
        for (int i = 0; i < lines.size(); ++i) {
            int nCells = 0;
            for (const QChar ch : lines[i])
                nCells += ch.unicode() >= 0x2E80 ? 2 : 1;
            if (nCells > MAX_COLUMN_CELLS)
                continue;
            EXPECT_EQ(ScreenLines(i), 1) << i;
            ++nChecked;
        }
        EXPECT_GT(nChecked, 80);
    }
}

TEST_F(HelpDlgTest, TextIsReadOnlyButCanBeCopied)
{
    SetLanguage(Language::English);
    const QString strText = m_pText->toPlainText();
    m_pText->setFocus();
    QTest::keyClicks(m_pText, QStringLiteral("abc"));
    QTest::keyClick(m_pText, Qt::Key_Delete);
    EXPECT_EQ(m_pText->toPlainText(), strText);

    QApplication::clipboard()->clear();
    QTest::keyClick(m_pText, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_pText, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), strText);
}

TEST_F(HelpDlgTest, SwitchingTheLanguageStartsTheTextAtItsTop)
{
    SetLanguage(Language::English);
    QScrollBar* pBar = m_pText->verticalScrollBar();
    pBar->setValue(pBar->maximum());
    ASSERT_GT(pBar->value(), 0);
    SetLanguage(Language::Chinese);
    EXPECT_TRUE(Lines()[0].startsWith(QString::fromUtf8("    本计算器中")));
    EXPECT_EQ(pBar->value(), 0);
}
} // namespace
