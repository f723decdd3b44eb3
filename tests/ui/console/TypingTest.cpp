#include "tests/ui/support/MainWindowFixture.h"

#include "tests/common/CliRunner.h"

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
} // namespace
