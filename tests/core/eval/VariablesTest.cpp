#include "EvalFixture.h"

#include <vector>

namespace
{
class RecordingListener : public IVariableListener
{
public:
    void VariablesChanged(const std::vector<std::string>& lines, int nCount) override
    {
        m_lines = lines;
        m_nCount = nCount;
        ++m_nCalls;
    }
    std::vector<std::string> m_lines;
    int m_nCount = -1;
    int m_nCalls = 0;
};

class VariablesTest : public EvalFixture
{
protected:
    void SetUp() override { eval.SetVariableListener(&listener); }
    RecordingListener listener;
};

TEST_F(VariablesTest, AssignmentsStoreAndNamesAreCheckedAfterTheRightSide)
{
    ExpectRendered({
        {"a=9", "9"},
        {"A=1", "1"},
        {"b = sqr(25)", "5"},
        {"a + b", "14"},
        {"A", "1"},
        {"1a=2", "!variable must begin with alpha"},
        {"=5", "!variable must begin with alpha"},
        {"a_b=1", "!non alphanumeric value in variable"},
        {"a.b=1", "!non alphanumeric value in variable"},
        {"1a=1/0", "!divisor can not be zero"},
        {"pi=3", "!reserved name"},
        {"PI=3", "!reserved name"},
        {"e=3", "!reserved name"},
        {"Pi=3", "3"},
        {"E=4", "4"},
        {"Pi", "3"},
        {"pi", "3.14159265359"},
        {"E", "4"},
        {"a=1/0", "!divisor can not be zero"},
        {"a", "9"},
        {"sin=5", "5"},
        {"sin", "5"},
        {"sin(0)", "0"},
        {"c=1+2i", "1 + 2i"},
    });
    EXPECT_TRUE(eval.m_bAssignment);
    Eval("a");
    EXPECT_FALSE(eval.m_bAssignment);
    Eval("a=1");
    EXPECT_TRUE(eval.m_bAssignment);
    Eval("   "); // a blank line leaves the flag as it was
    EXPECT_TRUE(eval.m_bAssignment);
    Eval("pi=2");
    EXPECT_FALSE(eval.m_bAssignment);
}

TEST_F(VariablesTest, LongestPrefixWinsAndHidesTheConstants)
{
    ExpectRendered({
        {"x=2", "2"},
        {"x2=3", "3"},
        {"x2", "3"},
        {"x3", "!syntax Error"},
        {"a=1", "1"},
        {"ab", "!syntax Error"},
        {"pix=7", "7"},
        {"pix", "7"},
        {"pi", "3.14159265359"},
        {"p=1", "1"},
        {"pi", "!syntax Error"},
    });
}

TEST_F(VariablesTest, ListShowsEveryVariableInByteOrderWithTheLinesPrecision)
{
    Eval("b=1");
    Eval("a1=2");
    Eval("a=3");
    Eval("B=4");
    EXPECT_EQ(listener.m_lines, (std::vector<std::string>{"B = 4", "a = 3", "a1 = 2", "b = 1"}));
    EXPECT_EQ(listener.m_nCount, 4);
    Eval("c=1+2i");
    EXPECT_EQ(listener.m_lines.back(), "c = 1 + 2i");

    Eval("q=1/3");
    EXPECT_EQ(listener.m_lines[5], "q = 0.333333333333");
    Eval("z=1000000.1-1000000");
    EXPECT_EQ(listener.m_lines[5], "q = 0.3333");
    Eval("y=2");
    EXPECT_EQ(listener.m_lines[5], "q = 0.333333333333");

    const int nCalls = listener.m_nCalls;
    Eval("w=1/0");
    Eval("a");
    EXPECT_EQ(listener.m_nCalls, nCalls);
}
} // namespace
