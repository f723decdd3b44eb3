#include "tests/common/CliRunner.h"

#include <gtest/gtest.h>

namespace
{
TEST(CurveCli, CurvesThatCannotBeSampledWriteTheirErrors)
{
    const struct
    {
        const char* pszArgs;
        const char* pszInput;
        const char* pszOutput;
    } cases[] = {
        {"", "fx 0,1\nfx sin(x)\n", "Error: [missing ',']\nError: [missing ',']\n"},
        {"--lang zh", "fx 0,1\n", "错误: [丢失',']\n"},
        {"", "a=2\nfx1 a*x\n", "Error: [syntax Error]\n"},
        {"", "fx 0,360,sin(x)\nfx1 cos(x)\nfx2 sqr(x-1)\n", "Error: [Complex value]\n"},
        {"", "x=5\nfx 0,1,x*x\nfx3 x\nx\n", "5\n"},
        // The curve evaluator follows the angle unit: sin(90) - 1 is 0 only in degrees.
        {"--deg", "fx 1,2,1/(sin(x*90)-1)\n", "Error: [divisor can not be zero]\n"},
        {"--rad", "fx 1,2,1/(sin(x*90)-1)\n", ""},
        {"", "fx 0,1,1/(x-1)\nfxcls\nfx1 x\n", "Error: [divisor can not be zero]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszInput);
        const CliResult result = RunCli(c.pszArgs, c.pszInput);
        EXPECT_EQ(result.nStatus, 0);
        EXPECT_EQ(result.strOut, c.pszOutput);
    }
}
} // namespace

namespace
{
// The longest console line nests 1,000 parentheses around x; it plots, and one closing
// parenthesis less is still the evaluator's error.
TEST(CurveCli, ThousandLevelCurvesPlot)
{
    const std::string strDeep = std::string(1000, '(') + "x" + std::string(1000, ')');
    std::string strInput;
    for (int nSlot = 1; nSlot <= 9; ++nSlot)
        strInput += "fx" + std::to_string(nSlot) + " " + strDeep.substr(500, 1001) + "\n";
    strInput += "fx 0,2,x\nfx1 " + strDeep + "\nfx2 " + strDeep.substr(0, 1999) + "\n";
    const CliResult result = RunCli("", strInput);
    EXPECT_EQ(result.nStatus, 0);
    EXPECT_EQ(result.strOut, "Error: [missing ')']\n");
}
} // namespace
