#include "common/CliRunner.h"

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
