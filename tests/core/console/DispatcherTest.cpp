#include "core/eval/CalcError.h"
#include "tests/common/ConsoleSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct CurveCall
{
    std::string strText;
    int nSlot;
    bool bShow;
};

class FakeCurveHost : public ICurveHost
{
public:
    void DrawCurve(std::string_view strText, int nSlot, bool bShow) override
    {
        m_calls.push_back({std::string(strText), nSlot, bShow});
        if (strText.find("bad") != std::string_view::npos)
            throw CalcError("missing ','");
    }
    void ClearCurves() override { ++m_nClears; }

    std::vector<CurveCall> m_calls;
    int m_nClears = 0;
};

class DispatcherTest : public ::testing::Test, protected ConsoleSession
{
protected:
    DispatcherTest() { dispatcher.SetCurveHost(&curves); }

    // A live run over a line typed on a line of its own, with the caret left on it.
    std::string Live(const std::string& strLine, int nKey = VK_UP)
    {
        console.Type(strLine);
        dispatcher.SetLastKey(nKey);
        dispatcher.DispatchLine(false);
        console.Type("\n");
        return console.TakeWritten();
    }

    FakeCurveHost curves;
};

TEST_F(DispatcherTest, WritesResultsErrorsAndNothingForBlankLinesAndAssignments)
{
    const struct
    {
        const char* pszLine;
        const char* pszWritten;
    } cases[] = {
        {"1+2", "3\n"},
        {"", ""},
        {"   \t", ""},
        {"# note", "0\n"},
        {"2*3 # six", "6\n"},
        {"5/0", "Error: [divisor can not be zero]\n"},
        {"!(171)", "Error: [data overflow]\n"},
        {"-!(171)", "-1.#INF\n"},
        {"asin(2)", "Error: [field of definition wrong]\n"},
        {"-asin(2)", "1.#QNAN\n"},
        {"a=5", ""},
        {"a", "5\n"},
        {"cls ", "Error: [syntax Error]\n"},
        {"cls # x", "Error: [syntax Error]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLine);
        EXPECT_EQ(Enter(c.pszLine), c.pszWritten);
    }
    EXPECT_EQ(console.Text(),
              "1+2\n3\n\n   \t\n# note\n0\n2*3 # six\n6\n5/0\nError: [divisor can not be zero]\n"
              "!(171)\nError: [data overflow]\n-!(171)\n-1.#INF\nasin(2)\n"
              "Error: [field of definition wrong]\n-asin(2)\n1.#QNAN\na=5\na\n5\n"
              "cls \nError: [syntax Error]\ncls # x\nError: [syntax Error]\n");
}

TEST_F(DispatcherTest, ChineseFramesAndReplacements)
{
    language.Set(Language::Chinese);
    EXPECT_EQ(Enter("5/0"), "错误: [除数不能为零]\n");
    EXPECT_EQ(Enter("!(171)"), "错误: [数据溢出]\n");
    EXPECT_EQ(Enter("ln(-2)*0+sqrn(-8,3)"), "错误: [定义域错误]\n");
    EXPECT_EQ(Enter("2i%3i"), "错误: [Complex value]\n");
    EXPECT_EQ(Enter("fx"), "错误: [句法错误]\n");
    EXPECT_EQ(Enter("fact 1234567890123456789"), "错误: [不能超过18位]\n");
}

TEST_F(DispatcherTest, ClsInAnyCaseClearsTheConsoleInBothRuns)
{
    for (const char* pszLine : {"cls", "CLS", "  cls", "Cls"}) {
        SCOPED_TRACE(pszLine);
        Enter("1+1");
        EXPECT_EQ(Enter(pszLine), "");
        EXPECT_EQ(console.Text(), "");
    }
    Enter("1+1");
    console.Type("cls");
    dispatcher.DispatchLine(false);
    EXPECT_EQ(console.Text(), "");
}

TEST_F(DispatcherTest, CurveLinesReachTheGraphWithSlotAndShowRule)
{
    EXPECT_EQ(Enter("fx 0,6,sin(x)"), "");
    EXPECT_EQ(Enter("FX1 sin(x)"), "");
    EXPECT_EQ(Enter("fx2 x*x # square"), "");
    ASSERT_EQ(curves.m_calls.size(), 3u);
    EXPECT_EQ(curves.m_calls[0].strText, "0,6,sin(x)");
    EXPECT_EQ(curves.m_calls[0].nSlot, 0);
    EXPECT_EQ(curves.m_calls[1].strText, " sin(x)");
    EXPECT_EQ(curves.m_calls[1].nSlot, 1);
    EXPECT_EQ(curves.m_calls[2].strText, " x*x ");
    EXPECT_TRUE(curves.m_calls[2].bShow);

    for (const char* pszLine : {"fx0 x", "fx10 x", "fxy=2", "fx", "fx1", "fx\tx"}) {
        SCOPED_TRACE(pszLine);
        EXPECT_EQ(Enter(pszLine), "Error: [syntax Error]\n");
    }
    EXPECT_EQ(curves.m_calls.size(), 3u);
    EXPECT_EQ(Enter("fx bad"), "Error: [missing ',']\n");

    curves.m_calls.clear();
    EXPECT_EQ(Live("fx2 x*x", VK_DOWN), "");
    EXPECT_EQ(Live("fx2 x*x", VK_F12), "");
    ASSERT_EQ(curves.m_calls.size(), 2u);
    EXPECT_FALSE(curves.m_calls[0].bShow);
    EXPECT_TRUE(curves.m_calls[1].bShow);

    EXPECT_EQ(Enter("fxcls"), "");
    Live("FXCLS");
    EXPECT_EQ(curves.m_nClears, 1);
}

TEST_F(DispatcherTest, FactReadsPlainDigitsOrEvaluates)
{
    const struct
    {
        const char* pszLine;
        const char* pszWritten;
    } cases[] = {
        {"fact 360", "2*2*2*3*3*5\n"},
        {"fact 12 34", "2*2*3\n"},
        {"fact 2*3", "2*3\n"},
        {"fact 0", "#定义域错误/field of definition wrong\n"},
        {"fact -4", "#定义域错误/field of definition wrong\n"},
        {"fact 1", "1\n"},
        {"fact 1234567890123456789", "Error: [can not exceed 18 bits]\n"},
        {"fact 999999999999999999", "3*3*3*3*7*11*13*19*37*52579*333667\n"},
        {"fact 2i", "Error: [Complex value]\n"},
        {"fact pow(10,30)", "#定义域错误/field of definition wrong\n"},
        {"fact\t12", "Error: [syntax Error]\n"},
        {"fact 1/0", "Error: [divisor can not be zero]\n"},
        // The evaluated argument may assign; a failure after it is still reported.
        {"fact q=2i", "Error: [Complex value]\n"},
        {"fact q=12", "2*2*3\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLine);
        EXPECT_EQ(Enter(c.pszLine), c.pszWritten);
    }
    EXPECT_EQ(dispatcher.LastResult(), "2*2*3");
}

TEST_F(DispatcherTest, RadixRendersRealParts)
{
    dispatcher.SetRadix(Radix::Hexadecimal);
    EXPECT_EQ(Enter("pow(10,20)"), "0x0\n");
    EXPECT_EQ(Enter("-1"), "0xFFFFFFFF\n");
    EXPECT_EQ(Enter("pow(10,10)"), "0x540BE400\n");
    EXPECT_EQ(Enter("2+3i"), "Error: [Complex value]\n");
    dispatcher.SetRadix(Radix::Binary);
    EXPECT_EQ(Enter("5"), "0b 0000 0101\n");
    EXPECT_EQ(Enter("0xFF+1"), "0b 0000 0001 0000 0000\n");
}

TEST_F(DispatcherTest, AssignmentsWriteNothingInEveryRadix)
{
    for (Radix radix : {Radix::Decimal, Radix::Hexadecimal, Radix::Binary}) {
        SCOPED_TRACE(int(radix));
        dispatcher.SetRadix(radix);
        EXPECT_EQ(Enter("z=2+3i"), "");
        EXPECT_EQ(dispatcher.LastResult(), radix == Radix::Decimal ? "2 + 3i" : "");
        EXPECT_EQ(Enter("w=5"), "");
        EXPECT_EQ(Enter("z"), radix == Radix::Decimal ? "2 + 3i\n" : "Error: [Complex value]\n");
        // A failing right side assigns nothing and is reported.
        EXPECT_EQ(Enter("w=1/0"), "Error: [divisor can not be zero]\n");
        EXPECT_EQ(Enter("fact q=2i"), "Error: [Complex value]\n");
    }
    dispatcher.SetRadix(Radix::Decimal);
    EXPECT_EQ(Enter("w"), "5\n");
}

TEST_F(DispatcherTest, LastResultFollowsEnterRunsOnly)
{
    EXPECT_EQ(dispatcher.LastResult(), "");
    Enter("2*3");
    EXPECT_EQ(dispatcher.LastResult(), "6");
    Enter("");
    Enter("fx 0,1,x");
    EXPECT_EQ(dispatcher.LastResult(), "6");
    Live("7*7");
    EXPECT_EQ(dispatcher.LastResult(), "6");
    Enter("1/0");
    EXPECT_EQ(dispatcher.LastResult(), "");
    Enter("b=4");
    EXPECT_EQ(dispatcher.LastResult(), "4");
}

// What is written as an error leaves nothing to insert; the other special texts are results.
TEST_F(DispatcherTest, LastResultOfSpecialValues)
{
    const struct
    {
        const char* pszLine;
        const char* pszLastResult;
    } cases[] = {
        {"pow(10,400)", ""},
        {"!(171)", ""},
        {"asin(2)", ""},
        {"c=pow(10,400)", ""},
        {"-!(171)", "-1.#INF"},
        {"-asin(2)", "1.#QNAN"},
        {"pow(10,400)+2i", "1.#INF + 2i"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLine);
        Enter("2*3");
        Enter(c.pszLine);
        EXPECT_EQ(dispatcher.LastResult(), c.pszLastResult);
    }
}

TEST_F(DispatcherTest, LiveRunsRepeatAssignmentsAndWriteNothing)
{
    EXPECT_EQ(Live("v=3*3"), "");
    EXPECT_EQ(Enter("v"), "9\n");
    EXPECT_EQ(Live("1/0"), "");
    EXPECT_EQ(Live("fx9 bad"), "");
    EXPECT_EQ(Live("fact 1000000000001"), "");
}

TEST_F(DispatcherTest, LinesAreCutAt2047Characters)
{
    EXPECT_EQ(Enter("2" + std::string(2046, ' ') + "+5"), "2\n");
    EXPECT_EQ(Enter("2" + std::string(2044, ' ') + "+5"), "7\n");
    EXPECT_EQ(Enter(std::string(1, '\0') + "5"), "");
    EXPECT_EQ(Enter(std::string(5000, '(')), "Error: [missing ')']\n");
}
} // namespace
