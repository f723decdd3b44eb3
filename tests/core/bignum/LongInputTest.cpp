#include "core/bignum/LongInput.h"

#include <gtest/gtest.h>

#include <string>

TEST(LongInput, FirstBoxFilterKeepsDigitsPiAndE)
{
    struct Case
    {
        const char* text;
        bool bRejected;
    };
    const Case cases[] = {
        {"", false},   {"7", false},  {"123", false}, {"p", false}, {"P", false},
        {"pi", false}, {"pI", false}, {"e", false},   {"E", false}, {"x", true},
        {"12a", true}, {"pi5", true}, {"e1", true},   {"px", true}, {"pix", true},
        {"P1", true},  {"1e", true},  {"中", true},   {"ee", true}, {"12 ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        EXPECT_EQ(IsFirstTextRejected(c.text), c.bRejected);
    }
}

TEST(LongInput, FirstIllegalPositionCountsCharacters)
{
    struct Case
    {
        const char* text;
        int nPosition;
    };
    const Case cases[] = {
        {"", 0},    {"123", 0}, {"PI", 0},  {"pi", 0}, {"e", 0},    {"P", 0},    {"12p", 3},
        {"pie", 3}, {"ep", 2},  {"1pi", 2}, {"iP", 1}, {"中1x", 1}, {"1中x", 2}, {"12 3", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        EXPECT_EQ(FirstIllegalPosition(c.text), c.nPosition);
    }
    EXPECT_EQ(FirstIllegalWarning(3, Language::English), "Ingeter 1 bit 3 has illegal character");
    EXPECT_EQ(FirstIllegalWarning(12, Language::Chinese), "整数1第 12 位有非法字符");
}

TEST(LongInput, ElapsedTimeLabel)
{
    EXPECT_EQ(FormatElapsed(0), "00:00:00");
    EXPECT_EQ(FormatElapsed(59), "00:00:59");
    EXPECT_EQ(FormatElapsed(3600 + 2 * 60 + 3), "01:02:03");
    EXPECT_EQ(FormatElapsed(25 * 3600 + 61), "01:01:01");
}
