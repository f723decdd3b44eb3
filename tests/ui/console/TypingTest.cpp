#include "tests/ui/support/MainWindowFixture.h"

#include "tests/common/CliRunner.h"
#include "ui/console/ConsoleHighlighter.h"
#include "ui/console/NameCompleter.h"

#include <random>
#include <string>

// The console typed into as a person types: every key goes down and up with the event loop
// running, and the window repainting, before the next key. Keys sent back to back hide faults
// that only show when the text control gets to its deferred work between them.
namespace
{
class TypingTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        SetLanguage(Language::English);
    }

    // '\n' is the Enter key.
    void TypeLikeAPerson(const QString& strKeys)
    {
        for (const QChar ch : strKeys) {
            if (ch == QLatin1Char('\n'))
                QTest::keyClick(&Console(), Qt::Key_Return);
            else
                QTest::keyClick(&Console(), ch.toLatin1());
            Console().viewport()->repaint();
            QCoreApplication::processEvents();
        }
    }
};

TEST_F(TypingTest, EnterOnTheEmptyLineUnderAnOutputWritesNothing)
{
    const struct
    {
        Radix radix;
        const char* pszLine;
        const char* pszWritten;
        const char* pszMinusFive;
    } cases[] = {
        {Radix::Decimal, "1+2", "3", "-5"},
        {Radix::Decimal, "2+3i", "2 + 3i", "-5"},
        {Radix::Decimal, "1/0", "Error: [divisor can not be zero]", "-5"},
        {Radix::Decimal, "fact 360", "2*2*2*3*3*5", "-5"},
        {Radix::Hexadecimal, "255", "0xFF", "0xFFFFFFFB"},
        {Radix::Binary, "5", "0b 0000 0101", "0b 1111 1111 1111 1111 1111 1111 1111 1011"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLine);
        Console().ClearText();
        Console().SetRadix(c.radix);
        TypeLikeAPerson(QString::fromLatin1(c.pszLine) + "\n\n-5\n");
        EXPECT_EQ(Text().toStdString(), std::string(c.pszLine) + "\n" + c.pszWritten + "\n\n-5\n" +
                                            c.pszMinusFive + "\n");
    }
    Console().SetRadix(Radix::Decimal);
    Console().ClearText();
    TypeLikeAPerson("1+2\n\n7*6\n\n-5\n");
    EXPECT_EQ(Text().toStdString(), "1+2\n3\n\n7*6\n42\n\n-5\n-5\n");
}

// Lines of every kind the console takes, from a fixed seed.
std::string GeneratedLines(int nCount)
{
    static const char* const PARTS[] = {"1", "2.5",    "-7", "0x1F", "0b101", "pi", "e",
                                        "a", "sin(30", "3i", "(2",   "1e3",   "0",  "sqrt(2"};
    static const char* const OPS[] = {"+", "-", "*", "/", "%"};
    static const char* const WHOLE[] = {
        "",   "# a note",    "a=4",          "fact 360", "fact 97", "1/0",   "asin(2)",
        "fx", "pow(10,400)", "-pow(10,400)", "cls",      "zz+1",    "b=a*2", "b"};
    std::mt19937 random(20261208);
    std::string strLines;
    for (int i = 0; i < nCount; ++i) {
        if (random() % 4 == 0) {
            strLines += WHOLE[random() % std::size(WHOLE)];
        } else {
            std::string strLine = PARTS[random() % std::size(PARTS)];
            for (unsigned n = random() % 3; n > 0; --n)
                strLine += std::string(OPS[random() % std::size(OPS)]) +
                           PARTS[random() % std::size(PARTS)];
            // Unclosed parentheses are closed as a person would close them, or left open.
            if (random() % 3 != 0)
                strLine +=
                    std::string(size_t(std::count(strLine.begin(), strLine.end(), '(')), ')');
            strLines += strLine;
        }
        strLines += '\n';
    }
    return strLines;
}

TEST_F(TypingTest, ConsoleShowsWhatTheCommandLineFrontEndShows)
{
    const std::string strLines = GeneratedLines(300);
    TypeLikeAPerson(QString::fromStdString(strLines));
    const CliResult cli = RunCli("--transcript", strLines);
    ASSERT_EQ(cli.nStatus, 0) << cli.strErr;
    EXPECT_EQ(Text().toStdString(), cli.strOut);
}

TEST_F(TypingTest, CompletesANameWithTabAndRunsTheLine)
{
    TypeLikeAPerson("po");
    ASSERT_TRUE(Console().Completer().IsOpen());
    QTest::keyClick(&Console(), Qt::Key_Tab);
    EXPECT_FALSE(Console().Completer().IsOpen());
    EXPECT_EQ(Text(), "pow(");
    EXPECT_EQ(CaretColumn(), 4);
    TypeLikeAPerson("2,10)\n");
    EXPECT_EQ(Text(), "pow(2,10)\n1024\n");

    // Down chooses the next name, Escape closes the list and leaves the typing as it is.
    TypeLikeAPerson("s");
    QTest::keyClick(&Console(), Qt::Key_Down);
    QTest::keyClick(&Console(), Qt::Key_Tab);
    TypeLikeAPerson("30)+co");
    QTest::keyClick(&Console(), Qt::Key_Escape);
    EXPECT_FALSE(Console().Completer().IsOpen());
    TypeLikeAPerson("s(60)\n");
    EXPECT_EQ(Text(), "pow(2,10)\n1024\nsin(30)+cos(60)\n1\n");
}

// The value shown while typing comes from copies: the same lines give the same console with it
// on and off, rnd( included, and an assignment shown is not made.
TEST_F(TypingTest, ValueShownWhileTypingChangesNothing)
{
    std::string strShownOn;
    std::string strTexts[2];
    for (const bool bPreview : {true, false}) {
        Console().ClearText();
        Console().SetPreviewing(bPreview);
        m_random.RandomSeed(7);
        TypeLikeAPerson("a=3\nrnd(1)");
        TypeLikeAPerson("\nrnd(1)\na=4");
        EXPECT_EQ(Console().Preview(), bPreview ? "4" : "");
        if (bPreview) {
            EXPECT_EQ(Console().accessibleDescription(), "4");
        }
        EXPECT_EQ(Console().Eval().Variables().at("a"), CalcValue(3.0, 0.0));
        strTexts[bPreview ? 0 : 1] = Text().toStdString();
    }
    EXPECT_EQ(strTexts[0], strTexts[1]);
    Console().SetPreviewing(true);
}

// The console knows the lines it wrote, after cls and for a console read back from a file.
TEST_F(TypingTest, WrittenLinesAreKnownWithoutMarksInTheText)
{
    const auto written = [this] {
        std::string strMarks;
        for (QTextBlock block = Console().document()->begin(); block.isValid();
             block = block.next())
            strMarks += CConsoleHighlighter::IsWritten(block) ? 'W' : '.';
        return strMarks;
    };
    TypeLikeAPerson("1+2\na=1\n3\n");
    EXPECT_EQ(written(), ".W..W.");
    TypeLikeAPerson("cls\n");
    EXPECT_EQ(written(), ".");
    Console().setPlainText("1+2\n3\na=1\nError: [x]\nb\n");
    EXPECT_EQ(written(), ".W.W..");
    EXPECT_EQ(Text(), "1+2\n3\na=1\nError: [x]\nb\n");
}
} // namespace
