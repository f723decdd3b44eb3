#include "EvalFixture.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace
{
class EvaluatorTest : public EvalFixture
{};

TEST_F(EvaluatorTest, OperatorsAssociateAsTheConsoleReadsThem)
{
    ExpectRendered({
        {"", "0"},
        {"   ", "0"},
        {"1 +  2", "3"},
        {"1 2", "12"},
        {"30/6+(2+3)*4", "25"},
        {"2*3-4", "2"},
        {"2--3", "5"},
        {"2*-3", "-6"},
        {"-7%3", "-1"},
        {"7%-3", "1"},
        {"---2", "-2"},
        {"+-+2", "-2"},
        {"10/4", "2.5"},
        {"2*3*4/6", "4"},
        {"1-2-3", "-4"},
    });
}

TEST_F(EvaluatorTest, LiteralsConsumeExactlyTheirCharacters)
{
    ExpectRendered({
        {"0xDE", "222"},
        {"0b10101", "21"},
        {"0X1f", "31"},
        {"0x", "0"},
        {"0xFFFFFFFF", "-1"},
        {"0x100000000", "0"},
        {"0x1FFFFFFFF", "-1"},
        {"0b2", "!syntax Error"},
        {"2e", "2"},
        {"2e+", "2"},
        {"2e+1", "20"},
        {"1.5e3i", "0 + 1500i"},
        {"3i", "0 + 3i"},
        {".5", "0.5"},
        {"5.", "5"},
        {".", "0"},
        {"1.2.3", "!syntax Error"},
        {"1e999", "1.#INF"},
        {"1e-999", "0"},
        {"i", "!syntax Error"},
        {"2pi", "!syntax Error"},
        {"2(3)", "!syntax Error"},
        {"(2)3", "!syntax Error"},
        {"PI", "3.14159265359"},
        {"pI*2", "6.28318530718"},
        {"e", "2.71828182846"},
        {"E", "!syntax Error"},
        {"pix", "!syntax Error"},
        {"\xC3\xA9", "!syntax Error"},
        {"1\xC3\xA9", "!syntax Error"},
    });
}

TEST_F(EvaluatorTest, ErrorsCarryTheirMessagesInTheCurrentLanguage)
{
    const struct
    {
        const char* pszLine;
        const char* pszEnglish;
        const char* pszChinese;
    } cases[] = {
        {"5/0", "divisor can not be zero", "除数不能为零"},
        {"5%0", "divisor can not be zero", "除数不能为零"},
        {"5/(0*1i)", "divisor can not be zero", "除数不能为零"},
        {"1/asin(2)", "divisor can not be zero", "除数不能为零"},
        {"7%2i", "Complex value", "Complex value"},
        {"2i%0", "divisor can not be zero", "除数不能为零"},
        {"2i%3i", "Complex value", "Complex value"},
        {"sin(30", "missing ')'", "丢失')'"},
        {"pow(2)", "missing ','", "丢失','"},
        {"pow((1,2),3)", "syntax Error", "句法错误"},
        {"pow(2,3,4)", "syntax Error", "句法错误"},
        {"sin(1,2)", "syntax Error", "句法错误"},
        {"sin()", "syntax Error", "句法错误"},
        {"1+", "syntax Error", "句法错误"},
        {"(", "missing ')'", "丢失')'"},
        {")", "syntax Error", "句法错误"},
        {"1)", "syntax Error", "句法错误"},
        {"a=b=3", "syntax Error", "句法错误"},
        {"a==3", "syntax Error", "句法错误"},
        {"a=", "syntax Error", "句法错误"},
    };
    for (Language lang : {Language::English, Language::Chinese}) {
        language.Set(lang);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.pszLine);
            EXPECT_EQ(Eval(c.pszLine),
                      std::string("!") + (lang == Language::English ? c.pszEnglish : c.pszChinese));
        }
    }
}

TEST_F(EvaluatorTest, RightToLeftSummationDecidesRoundingAndTheCancellationCount)
{
    eval.m_nPrecision = 16;
    EXPECT_EQ(Eval("0.1+0.2+0.3"), "0.6");
    EXPECT_EQ(Value("0.1+0.2+0.3").re, 0.1 + (0.2 + 0.3));
    // The last addition carried out is the leftmost one.
    // 1000000.1 + (-999999): the inner sum is negative and counts 0, the outer one 6.
    Value("1000000.1-1000000+1");
    EXPECT_EQ(eval.m_nLostDigitsRe, 6);
    Value("1+(1000000.1-1000000)");
    EXPECT_EQ(eval.m_nLostDigitsRe, 0);
}

TEST_F(EvaluatorTest, LongAndDeeplyNestedLinesNeitherCrashNorLoseOrder)
{
    std::string strSum;
    for (int i = 0; i < 1000; ++i)
        strSum += "1+";
    strSum += "1";
    EXPECT_EQ(Eval(strSum), "1001");

    // As deep as a console line can nest: 1023 pairs in 2047 characters.
    const std::string strNested = std::string(1023, '(') + "7" + std::string(1023, ')');
    EXPECT_EQ(Eval(strNested), "7");
    const std::string strFunctions = [] {
        std::string s;
        for (int i = 0; i < 500; ++i)
            s += "abs(";
        return s + "-3" + std::string(500, ')');
    }();
    EXPECT_EQ(Eval(strFunctions), "3");

    EXPECT_EQ(Eval(std::string(2000, '(')), "!missing ')'");
    EXPECT_EQ(Eval(std::string(20000, '(') + "1" + std::string(20000, ')')), "!syntax Error");
    EXPECT_EQ(Eval(std::string(2047, '-') + "1"), "-1");
    EXPECT_EQ(Eval(std::string(2047, ')')), "!syntax Error");
}

// Parentheses are matched once per text; a level that encloses the whole expression, one around
// a sign and one of a function must all count against the same nesting limit.
TEST_F(EvaluatorTest, EveryFormOfNestingReadsAlikeUpToTheSameLimit)
{
    const auto nest = [](const std::string& strOpen, int nLevels) {
        std::string s;
        for (int i = 0; i < nLevels; ++i)
            s += strOpen;
        return s + "-7" + std::string(std::size_t(nLevels), ')');
    };
    for (const char* pszOpen : {"(", "-(", "+(", "abs("}) {
        SCOPED_TRACE(pszOpen);
        const std::string strOpen = pszOpen;
        const char* pszExpected = strOpen == "(" || strOpen == "+(" ? "-7" : "7";
        EXPECT_EQ(Eval(nest(strOpen, 1099)), pszExpected);
        EXPECT_EQ(Eval(nest(strOpen, 1100)), "!syntax Error");
    }
    ExpectRendered({
        {"((1)+(2))", "3"},
        {"(1)+(2)", "3"},
        {"(1)(2)", "!syntax Error"},
        {"()", "!syntax Error"},
        {"((2)", "!missing ')'"},
        {"(2))", "!syntax Error"},
        {"pow(((2)),(((3))))", "8"},
        {"pow((1,2),3)", "!syntax Error"},
        {"pow((2),(3)", "!missing ')'"},
        {"sin((0),1)", "!syntax Error"},
        {"pow((3))", "!missing ','"},
    });
}

// The parentheses of the last text are kept; a different text at the same address must not be
// read with them.
TEST_F(EvaluatorTest, ChangedTextAtTheSameAddressIsMatchedAfresh)
{
    std::string strText = "((2)*(3))+(1)";
    EXPECT_EQ(eval.EvaluateExpression(strText.c_str(), strText.size()).re, 7.0);
    strText = "(2*(3)+(1))*2";
    EXPECT_EQ(eval.EvaluateExpression(strText.c_str(), strText.size()).re, 14.0);
    strText = "(2*(3)+(1)*2";
    EXPECT_THROW(eval.EvaluateExpression(strText.c_str(), strText.size()), CalcError);
    strText = "((2)*(3))+(1)";
    EXPECT_EQ(eval.EvaluateExpression(strText.c_str(), strText.size()).re, 7.0);
}
} // namespace

namespace
{
class OperandBoundsTest : public EvalFixture
{};

// Operands are read from terminated text; nothing may be read past the terminator, which the
// empty right side of an assignment puts right at the operand's start.
TEST_F(OperandBoundsTest, NothingIsReadPastTheTerminator)
{
    for (const char* pszText : {"", "0", "p", "pi", "e", "0x", "0b", "1e", "1.", "s", "sin"}) {
        SCOPED_TRACE(pszText);
        const std::size_t nSize = std::strlen(pszText) + 1;
        const auto pExact = std::make_unique<char[]>(nSize);
        std::memcpy(pExact.get(), pszText, nSize);
        std::size_t nConsumed = 0;
        try {
            eval.ParseOperand(pExact.get(), nConsumed);
            EXPECT_LE(nConsumed, nSize - 1);
        } catch (const CalcError& error) {
            EXPECT_STREQ(error.what(), "syntax Error");
        }
    }
    EXPECT_EQ(Eval("abcdefghijklmnopqrstuvwxyz0123456789="), "!syntax Error");
}
} // namespace
