#include "common/CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
TEST(Cli, TranscriptShowsEachLineAndWhatWasWrittenUnderIt)
{
    const std::string strInput = "1+2\n(2+3i)*(5+4i)\n5/0\n";
    const CliResult en = RunCli("--transcript", strInput);
    EXPECT_EQ(en.nStatus, 0);
    EXPECT_EQ(en.strOut,
              "1+2\n3\n(2+3i)*(5+4i)\n-2 + 23i\n5/0\nError: [divisor can not be zero]\n");
    const CliResult zh = RunCli("--transcript --lang zh", strInput);
    EXPECT_EQ(zh.strOut, "1+2\n3\n(2+3i)*(5+4i)\n-2 + 23i\n5/0\n错误: [除数不能为零]\n");

    EXPECT_EQ(RunCli("--transcript", "1\ncls\n2\r\n").strOut, "2\n2\n");
    EXPECT_EQ(RunCli("--transcript", "a=1\n\na\n").strOut, "a=1\n\na\n1\n");
}

TEST(Cli, PlainModePrintsOnlyWhatTheConsoleWrites)
{
    const CliResult result = RunCli("", "a=2\n\na*3\nfact 12\nsin(90)\n");
    EXPECT_EQ(result.strOut, "6\n2*2*3\n1\n");
    EXPECT_EQ(RunCli("--rad", "sin(pi/2)\n").strOut, "1\n");
    EXPECT_EQ(RunCli("--deg", "sin(180)\n").strOut, "0\n");
    EXPECT_EQ(RunCli("--radix hex", "255\n").strOut, "0xFF\n");
    EXPECT_EQ(RunCli("--radix bin", "5\n").strOut, "0b 0000 0101\n");
    EXPECT_EQ(RunCli("--precision 16", "0.1+0.2+0.3\n").strOut, "0.6\n");
    EXPECT_EQ(RunCli("--precision 4", "pi\n").strOut, "3.142\n");
}

TEST(Cli, BadUsageGivesOneLineOnStandardErrorAndStatus2)
{
    for (const char* pszArgs : {"--lang fr", "--precision", "--precision 0", "--precision x",
                                "--radix oct", "--bogus", "extra"}) {
        SCOPED_TRACE(pszArgs);
        const CliResult result = RunCli(pszArgs, "1\n");
        EXPECT_EQ(result.nStatus, 2);
        EXPECT_EQ(result.strOut, "");
        EXPECT_TRUE(result.strErr.starts_with("usage: pelmorix-cli"));
        EXPECT_EQ(std::count(result.strErr.begin(), result.strErr.end(), '\n'), 1);
    }
}
} // namespace

namespace
{
TEST(Cli, LongModeRunsTheLongNumberCalculator)
{
    const CliResult sum = RunCli("long add 99999999999999999999 1", "");
    EXPECT_EQ(sum.strOut, "100000000000000000000\n");
    EXPECT_EQ(sum.nStatus, 0);
    EXPECT_EQ(RunCli("long mul - 3", "12345678901234567890\n").strOut, "37037036703703703670\n");

    const CliResult zero = RunCli("--lang zh long div 1 0", "");
    EXPECT_EQ(zero.nStatus, 1);
    EXPECT_EQ(zero.strOut, "");
    EXPECT_EQ(zero.strErr, "除数不能为零\n");
    EXPECT_EQ(RunCli("long", "").nStatus, 2);
    EXPECT_EQ(RunCli("--lang fr long pi 5", "").nStatus, 2);
}
} // namespace
