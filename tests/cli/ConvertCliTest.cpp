#include "tests/common/CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
TEST(ConvertCli, ConvertsAsTheWindowShows)
{
    const struct
    {
        const char* pszArgs;
        const char* pszOutput;
    } cases[] = {
        {"convert 350 F C", "176.666666667\n"},
        {"convert -40 °C degree\\ Fahrenheit", "-40\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszArgs);
        const CliResult result = RunCli(c.pszArgs, "");
        EXPECT_EQ(result.nStatus, 0);
        EXPECT_EQ(result.strOut, c.pszOutput);
        EXPECT_EQ(result.strErr, "");
    }
}

// An unknown unit and units of two categories: one line naming the units that would do, status 1.
TEST(ConvertCli, RefusedUnitsNameTheCategorysUnits)
{
    const struct
    {
        const char* pszArgs;
        const char* pszError;
    } cases[] = {
        {"convert 1 furlong m",
         "unknown unit \"furlong\"; units of Distance: mi, yd, ft, in, km, m, dm, cm, mm\n"},
        {"--lang zh convert 1 hp kg",
         "\"hp\" 和 \"kg\" 不属于同一类别; 功率的单位: W, kW, MW, hp, PS, Btu/h, ft*lbf/s; "
         "质量的单位: mg, g, kg, t, st, ct, oz, lb\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszArgs);
        const CliResult result = RunCli(c.pszArgs, "");
        EXPECT_EQ(result.nStatus, 1);
        EXPECT_EQ(result.strOut, "");
        EXPECT_EQ(result.strErr, c.pszError);
    }
}

TEST(ConvertCli, ListAndBadUsage)
{
    const CliResult list = RunCli("convert --list", "");
    EXPECT_EQ(list.nStatus, 0);
    EXPECT_TRUE(list.strOut.starts_with("Area\n  mi^2      square mile (mi^2)\n"));
    EXPECT_NE(list.strOut.find("Fuel economy\n  L/100 km  litres per 100 km (L/100 km)\n"),
              std::string::npos);
    for (const char* pszArgs : {"convert 1 m", "--lang fr convert"}) {
        SCOPED_TRACE(pszArgs);
        const CliResult result = RunCli(pszArgs, "");
        EXPECT_EQ(result.nStatus, 2);
        EXPECT_EQ(result.strOut, "");
        EXPECT_EQ(std::count(result.strErr.begin(), result.strErr.end(), '\n'), 1);
    }
    EXPECT_NE(RunCli("--help", "").strOut.find("convert VALUE FROM TO"), std::string::npos);
}
} // namespace
