#include "tests/ui/support/MainWindowFixture.h"

#include "core/console/ConsoleHost.h"
#include "ui/frame/AuxWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QToolTip>

#include <functional>

namespace
{
class CalcEditTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        SetLanguage(Language::English);
    }

    double Variable(const char* pszName) { return Console().Eval().Variables().at(pszName).re; }
};

TEST_F(CalcEditTest, EnterAtTheEndWritesTheResultOnTheNextLine)
{
    Type("1+2");
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "1+2\n3\n");
    EXPECT_EQ(Console().CaretLine(), 2);
    EXPECT_EQ(CaretColumn(), 0);
    EXPECT_EQ(Console().LastKey(), 0);
}

TEST_F(CalcEditTest, KeypadEnterAndShiftEnterBreakTheLineLikeEnter)
{
    Type("2*4");
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    Type("5-1");
    Key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Text(), "2*4\n8\n5-1\n4\n");
}

TEST_F(CalcEditTest, EnterInsideAStatementSplitsItAndWritesNothing)
{
    Type("1+2");
    Key(Qt::Key_Left);
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "1+\n2");
    EXPECT_EQ(Console().CaretLine(), 1);
    EXPECT_EQ(CaretColumn(), 0);
    EXPECT_EQ(Console().LastKey(), VK_RETURN);
}

TEST_F(CalcEditTest, PendingEnterCompletesWhenInsertedTextEndsTheLine)
{
    const struct
    {
        const char* pName;
        bool bKeyBetween;
        const char* pExpected;
    } cases[] = {
        {"text from another window at the end of a line completes the Enter", false, "7\n*617\n"},
        {"a key going down in the console clears the pending Enter", true, "7\n*61"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        Console().ClearText();
        Type("7*6");
        Key(Qt::Key_Left);
        Key(Qt::Key_Left);
        Key(Qt::Key_Return);
        ASSERT_EQ(Text(), "7\n*6");
        if (c.bKeyBetween)
            Key(Qt::Key_End);
        else
            PutCaret(1, 2); // a mouse click, no key
        Console().InsertText("1");
        EXPECT_EQ(Text(), c.pExpected);
    }
}

TEST_F(CalcEditTest, InsertPutsInTheLastResult)
{
    EXPECT_TRUE(Console().LastResult().empty());
    Key(Qt::Key_Insert);
    EXPECT_EQ(Text(), "");

    Type("2*3");
    Key(Qt::Key_Return);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Text(), "2*3\n6\n6");

    Key(Qt::Key_Return);
    Type("1/0");
    Key(Qt::Key_Return);
    EXPECT_TRUE(Text().endsWith("1/0\nError: [divisor can not be zero]\n")) << Text().toStdString();
    Key(Qt::Key_Insert);
    EXPECT_TRUE(Text().endsWith("zero]\n")) << Text().toStdString();
}

TEST_F(CalcEditTest, InsertAfterAnOverflowInsertsNothing)
{
    const struct
    {
        const char* pLine;
        const char* pWritten;
        const char* pInserted;
    } cases[] = {
        {"pow(10,400)", "Error: [data overflow]", ""},
        {"2*3", "6", "6"},
        {"asin(2)", "Error: [field of definition wrong]", ""},
        {"-pow(10,400)", "-1.#INF", "-1.#INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pLine);
        Console().ClearText();
        Type(c.pLine);
        Key(Qt::Key_Return);
        Key(Qt::Key_Insert);
        EXPECT_EQ(Text(), QString("%1\n%2\n%3").arg(c.pLine, c.pWritten, c.pInserted));
    }
}

TEST_F(CalcEditTest, ResultsAndInsertedKeysCannotBeUndone)
{
    const struct
    {
        const char* pName;
        std::function<void()> act;
        bool bUndoable;
    } cases[] = {
        {"typed text", [this] { Type("5"); }, true},
        {"a result written by Enter", [this] { Key(Qt::Key_Return); }, false},
        {"the last result by Insert", [this] { Key(Qt::Key_Insert); }, false},
        {"the keypad's decimal point", [this] { Key(Qt::Key_Period, Qt::KeypadModifier); }, false},
        {"pasted text", [this] { Key(Qt::Key_V, Qt::ControlModifier); }, true},
    };
    QGuiApplication::clipboard()->setText("8");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        Console().ClearText();
        Type("2*3");
        ASSERT_TRUE(Console().document()->isUndoAvailable());
        c.act();
        const QString strAfter = Text();
        EXPECT_EQ(Console().document()->isUndoAvailable(), c.bUndoable);
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Text() != strAfter, c.bUndoable) << Text().toStdString();
    }
}

TEST_F(CalcEditTest, ShiftInsertPastesAndCtrlInsertCopies)
{
    Type("4+4");
    Key(Qt::Key_Return);
    QGuiApplication::clipboard()->setText("77");
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Text(), "4+4\n8\n77");

    Console().selectAll();
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "4+4\n8\n77");
    EXPECT_EQ(Text(), "4+4\n8\n77");
}

TEST_F(CalcEditTest, ShiftCountsAsHeldUntilTheConsoleSeesItGoUp)
{
    Type("9");
    Key(Qt::Key_Return);
    QTest::keyPress(&Console(), Qt::Key_Shift);
    EXPECT_TRUE(Console().IsShiftDown());
    // Shift let go while another window had the focus: the console never saw it.
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QCoreApplication::sendEvent(&Console(), &insert);
    EXPECT_EQ(Text(), "9\n9\n");
    QTest::keyRelease(&Console(), Qt::Key_Shift);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Text(), "9\n9\n9");
}

TEST_F(CalcEditTest, EscapeIsSwallowedBeforeTheConsole)
{
    Type("12");
    Key(Qt::Key_Escape);
    EXPECT_NE(Console().LastKey(), VK_ESCAPE);
    EXPECT_EQ(Text(), "12");
    QTest::keyClick(m_pDlg.get(), Qt::Key_Escape);
    EXPECT_TRUE(m_pDlg->isVisible());
}

TEST_F(CalcEditTest, KeypadDecimalKeyAlwaysGivesAPoint)
{
    Type("1");
    Key(Qt::Key_Comma, Qt::KeypadModifier);
    Type("5");
    Key(Qt::Key_Period, Qt::KeypadModifier);
    Key(Qt::Key_Comma);
    EXPECT_EQ(Text(), "1.5.,");
}

TEST_F(CalcEditTest, ArrowKeysAndF12RerunAssignmentsWithoutWriting)
{
    Type("a=1");
    Key(Qt::Key_Return);
    Type("b=a+1");
    Key(Qt::Key_Up); // down: "b=a+1" on the line left; up: "a=1" on the line reached
    EXPECT_DOUBLE_EQ(Variable("b"), 2.0);
    EXPECT_EQ(Console().CaretLine(), 0);

    Key(Qt::Key_End);
    Type("0"); // a=10, not evaluated yet
    EXPECT_DOUBLE_EQ(Variable("a"), 1.0);
    Key(Qt::Key_Down); // down: a=10; up: b=a+1
    EXPECT_DOUBLE_EQ(Variable("a"), 10.0);
    EXPECT_DOUBLE_EQ(Variable("b"), 11.0);

    Key(Qt::Key_Up);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_F12); // a=1 again
    EXPECT_DOUBLE_EQ(Variable("a"), 1.0);
    EXPECT_EQ(Text(), "a=1\nb=a+1");
}

TEST_F(CalcEditTest, ConsoleKeywordsReachTheMainWindow)
{
    Type("fx1 x*x");
    Key(Qt::Key_Up);
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::Graph))
        << "a live run re-plots only, it does not show";
    Key(Qt::Key_F12);
    EXPECT_TRUE(m_pDlg->Row().IsShown(AuxId::Graph));
    EXPECT_TRUE(m_pDlg->Row().AuxWindow(AuxId::Graph).isVisible());
    EXPECT_EQ(m_pDlg->focusWidget(), &Console());
    Key(Qt::Key_End);
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "fx1 x*x\n");

    Type("cls");
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "");
}

TEST_F(CalcEditTest, PastedLineBreaksOfAnyKindStartNewLines)
{
    QGuiApplication::clipboard()->setText(QString("1+1\r\n2+2") + QChar::LineSeparator + "3+3");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Console().document()->blockCount(), 3);
    EXPECT_EQ(Console().LineText(1), "2+2");
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "1+1\n2+2\n3+3\n6\n");
}

// A paste makes no line longer than the limit, counting what stands before and after the
// selection; the clipboard keeps everything and a notice says so.
TEST_F(CalcEditTest, PastedLinesAreCutAtTheLimit)
{
    constexpr int LIMIT = CCalcEdit::PASTE_LINE_LIMIT;
    const QString strLong(LIMIT + 100, QLatin1Char('7'));
    const QString strSmile = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two units
    const struct
    {
        const char* name;
        QString strBefore; // '|' marks the caret
        QString strPasted;
        std::vector<int> lineLengths;
        bool bCut;
    } cases[] = {
        {"long line", "|", strLong, {LIMIT}, true},
        {"long line after a statement", "1+|", strLong, {LIMIT}, true},
        {"long lines inside a statement", "ab|cd", strLong + "\n" + strLong, {LIMIT, LIMIT}, true},
        {"long line between short ones", "|", "1\n" + strLong + "\n2", {1, LIMIT, 1}, true},
        {"pair of surrogates at the limit",
         "|",
         QString(LIMIT - 1, 'a') + strSmile,
         {LIMIT - 1},
         true},
        {"line just at the limit", "x|", QString(LIMIT - 1, 'a'), {LIMIT}, false},
        {"short text", "1+|2", "34", {5}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QToolTip::hideText();
        ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        Console().ClearText();
        Console().InsertText(QString(c.strBefore).remove('|'));
        PutCaret(0, int(c.strBefore.indexOf('|')));
        QGuiApplication::clipboard()->setText(c.strPasted);
        Key(Qt::Key_V, Qt::ControlModifier);

        std::vector<int> lineLengths;
        for (QTextBlock block = Console().document()->begin(); block.isValid();
             block = block.next())
            lineLengths.push_back(block.length() - 1);
        EXPECT_EQ(lineLengths, c.lineLengths);
        EXPECT_TRUE(Console().document()->firstBlock().text().startsWith(
            QString(c.strBefore).section('|', 0, 0)));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.strPasted);
        EXPECT_EQ(QToolTip::isVisible(), c.bCut);
        if (c.bCut) {
            EXPECT_TRUE(QToolTip::text().contains("32767")) << QToolTip::text().toStdString();
        }
    }
    QToolTip::hideText();
}

// The text control keeps every removed text for undo and never gives it back. Past the budget the
// history goes, and text, selection and view stay as they were.
TEST_F(CalcEditTest, UndoHistoryIsGivenUpBeyondItsBudget)
{
    QString strLines;
    while (strLines.size() < CCalcEdit::UNDO_TEXT_BUDGET / 3)
        strLines += QString(99, QLatin1Char('5')) + '\n';
    const QString strText = QString("1\n").repeated(80) + "12+3";
    Console().InsertText(strText);
    const QFont font = Console().document()->defaultFont();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(Console().document()->isUndoAvailable()) << "within the budget";
        PutCaret(80, 2);
        QGuiApplication::clipboard()->setText(strLines);
        Key(Qt::Key_V, Qt::ControlModifier);
        Key(Qt::Key_Z, Qt::ControlModifier);
        ASSERT_EQ(Text(), strText);
    }
    const int nTop = Console().verticalScrollBar()->value();
    ASSERT_GT(nTop, 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Console().document()->isUndoAvailable());
    EXPECT_EQ(Text(), strText);
    EXPECT_EQ(CaretColumn(), 2);
    EXPECT_EQ(Console().verticalScrollBar()->value(), nTop);
    EXPECT_EQ(Console().document()->defaultFont(), font);
    Type("4");
    EXPECT_TRUE(Text().endsWith("124+3"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), strText) << "undo works again for what follows";
}

TEST_F(CalcEditTest, ConsoleTakesTheColoursOfTheSettings)
{
    m_pDlg->SettingsHost().Settings().m_crText = MakeRgb(1, 2, 3);
    m_pDlg->SettingsHost().Settings().m_crBack = MakeRgb(250, 251, 252);
    m_pDlg->RedrawEditBoxes();
    EXPECT_EQ(Console().palette().color(QPalette::Text), QColor(1, 2, 3));
    EXPECT_EQ(Console().palette().color(QPalette::Base), QColor(250, 251, 252));
}
} // namespace

namespace
{
// Maximise and restore grow and shrink the console; the view stays on the part it showed.
TEST_F(CalcEditTest, GrowingAndShrinkingKeepsTheViewWhereItWas)
{
    QString strLines;
    for (int i = 1; i <= 60; ++i)
        strLines += QString::number(i) + "\n";
    Console().InsertText(strLines);
    QScrollBar* pScroll = Console().verticalScrollBar();
    const QSize normal = m_pDlg->size();
    for (const bool bAtEnd : {true, false}) {
        SCOPED_TRACE(bAtEnd);
        pScroll->setValue(bAtEnd ? pScroll->maximum() : 0);
        m_pDlg->resize(normal * 3);
        QCoreApplication::processEvents();
        m_pDlg->resize(normal);
        QCoreApplication::processEvents();
        ASSERT_GT(pScroll->maximum(), 0);
        EXPECT_EQ(pScroll->value(), bAtEnd ? pScroll->maximum() : 0);
    }
}
} // namespace
