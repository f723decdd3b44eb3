#include "tests/common/CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

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

namespace
{
constexpr std::size_t MB = 1024 * 1024;

TEST(Cli, HelpAndVersionAnswerOnStandardOutput)
{
    const CliResult help = RunCli("--help", "");
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_TRUE(help.strOut.starts_with("Usage: pelmorix-cli"));
    for (const char* pszWord :
         {"--lang", "--precision", "--radix", "--deg", "--rad", "--transcript", "--version",
          "long add|sub|mul|div|mod", "@FILE", "Exit status"})
        EXPECT_NE(help.strOut.find(pszWord), std::string::npos) << pszWord;
    EXPECT_EQ(help.strErr, "");
    EXPECT_EQ(RunCli("--lang zh --help", "").strOut, help.strOut);

    const CliResult version = RunCli("--version", "");
    EXPECT_EQ(version.nStatus, 0);
    EXPECT_EQ(version.strOut, std::string("pelmorix-cli ") + PELMORIX_VERSION + "\n");
    EXPECT_EQ(RunCli("--help --bogus", "").nStatus, 0);
}

// Operand files that cannot be read name themselves on standard error; nothing is computed.
TEST(Cli, UnreadableOperandFilesAreRefused)
{
    const auto dir = std::filesystem::temp_directory_path() /
                     ("pelmorix-cli-operands-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string strLocked = (dir / "locked").string();
    std::ofstream(strLocked) << "5\n";
    std::filesystem::permissions(strLocked, std::filesystem::perms::none);
    std::vector<std::string> paths = {dir.string(), "/proc/self/mem", (dir / "missing").string()};
    // Permissions do not keep the superuser out.
    if (::geteuid() != 0)
        paths.push_back(strLocked);
    for (const std::string& strPath : paths) {
        SCOPED_TRACE(strPath);
        const CliResult result = RunCli("long add @" + strPath + " 1", "");
        EXPECT_EQ(result.nStatus, 1);
        EXPECT_EQ(result.strOut, "");
        EXPECT_TRUE(result.strErr.starts_with("cannot read the file: " + strPath));
        EXPECT_EQ(std::count(result.strErr.begin(), result.strErr.end(), '\n'), 1);
    }
    EXPECT_EQ(RunCli("--lang zh long mul 2 @" + dir.string(), "").strErr.rfind("无法读取文件: ", 0),
              0u);
    std::filesystem::remove_all(dir);
}

// An operand that never ends is read only until it is certainly too long; white space, which an
// operand may hold without limit, is not kept.
TEST(Cli, EndlessOperandsStopAtTheirLimitInBoundedMemory)
{
    const struct
    {
        const char* pszArgs;
        std::string strHead;
        std::string strFill;
        int nStatus;
        const char* pszOut;
        const char* pszErr;
    } cases[] = {
        {"long add - 1", "", "1234567890", 1, "", "Integer 1 has more than 20000000 digits\n"},
        {"long div 7 -", "", "0", 1, "", "Integer 2 has more than 20000000 digits\n"},
        {"long add - 1", "", std::string(1, '\0'), 1, "",
         "Ingeter 1 bit 1 has illegal character\n"},
        {"long mul - 3", "12", " \n", 0, "36\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszArgs + (" fill " + std::to_string(int(c.strFill[0]))));
        const PipeFeed feed{c.strHead, c.strFill, 300 * MB / c.strFill.size(), ""};
        const CliResult result = RunCliFed(c.pszArgs, feed, 128 * MB);
        EXPECT_EQ(result.nStatus, c.nStatus);
        EXPECT_EQ(result.strOut, c.pszOut);
        EXPECT_EQ(result.strErr, c.pszErr);
    }
}

// Only the first 2047 characters of a line are kept, also in the transcript; the rest is
// skipped up to the line's end.
TEST(Cli, EndlessConsoleLineIsReadInBoundedMemory)
{
    const PipeFeed feed{"2+2\n", "x", 300 * MB, "\n3*3\n"};
    const CliResult plain = RunCliFed("", feed, 64 * MB);
    EXPECT_EQ(plain.nStatus, 0);
    EXPECT_EQ(plain.strOut, "4\nError: [syntax Error]\n9\n");
    EXPECT_EQ(plain.strErr, "");

    const CliResult transcript = RunCliFed("--transcript", feed, 64 * MB);
    EXPECT_EQ(transcript.nStatus, 0);
    EXPECT_EQ(transcript.strOut,
              "2+2\n4\n" + std::string(2047, 'x') + "\nError: [syntax Error]\n3*3\n9\n");
}

// A transcript that outgrows the memory ends with the calculator's message, never an abort.
TEST(Cli, MemoryFailureGivesTheMessageAndStatus1)
{
    if (CLI_UNDER_ASAN)
        GTEST_SKIP() << "no address-space limit under AddressSanitizer";
    const PipeFeed feed{"", std::string(2000, '7') + "\n", 100 * MB / 2001, ""};
    for (const auto& [pszArgs, pszMessage] :
         {std::pair{"--transcript", "insufficient memory!\n"},
          std::pair{"--transcript --lang zh", "内存空间不够\n"}}) {
        SCOPED_TRACE(pszArgs);
        const CliResult result = RunCliFed(pszArgs, feed, 64 * MB);
        EXPECT_EQ(result.nStatus, 1);
        EXPECT_EQ(result.strErr, pszMessage);
    }
}

// A write that fails is no success, in every mode.
TEST(Cli, FailedWritesGiveAMessageAndNonZeroStatus)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    for (const auto& [pszArgs, pszInput] :
         {std::pair{"", "1+2\n"}, std::pair{"--transcript", "1+2\n"}, std::pair{"long pi 5", ""},
          std::pair{"long pi 100000", ""}, std::pair{"--version", ""}}) {
        SCOPED_TRACE(pszArgs);
        const CliResult result = RunCli(pszArgs, pszInput, "/dev/full");
        EXPECT_EQ(result.nStatus, 1);
        EXPECT_TRUE(result.strErr.starts_with("cannot write the output")) << result.strErr;
        EXPECT_EQ(std::count(result.strErr.begin(), result.strErr.end(), '\n'), 1);
    }
}
} // namespace

namespace
{
// On a terminal the long calculation shows its progress on one line that it rewrites and erases
// at the end; anywhere else standard error carries only messages.
TEST(Cli, LongProgressShowsOnATerminalOnly)
{
    const char* const pszArgs = "long pi 3000000";
    const CliResult piped = RunCli(pszArgs, "");
    ASSERT_EQ(piped.nStatus, 0);
    EXPECT_EQ(piped.strOut.size(), 3000002u);
    EXPECT_EQ(piped.strErr, "");

    const CliResult terminal = RunCliOnTerminal(pszArgs);
    EXPECT_EQ(terminal.nStatus, 0);
    EXPECT_EQ(terminal.strOut, piped.strOut);
    const std::string& strLine = terminal.strErr;
    EXPECT_EQ(strLine.find('\n'), std::string::npos);
    EXPECT_NE(strLine.find("% done"), std::string::npos) << strLine;
    // The last rewrite blanks the line and leaves the cursor at its start.
    ASSERT_GE(strLine.size(), 2u);
    EXPECT_EQ(strLine.back(), '\r');
    const size_t nBlank = strLine.rfind('\r', strLine.size() - 2);
    ASSERT_NE(nBlank, std::string::npos);
    const std::string strBlank = strLine.substr(nBlank + 1, strLine.size() - nBlank - 2);
    EXPECT_FALSE(strBlank.empty());
    EXPECT_EQ(strBlank.find_first_not_of(' '), std::string::npos);
}
} // namespace
