#include "core/eval/CalcError.h"
#include "core/eval/CalcValue.h"

#include "EvalFixture.h"

#include <cmath>
#include <limits>

namespace
{
const double INF = std::numeric_limits<double>::infinity();
const double QNAN = std::numeric_limits<double>::quiet_NaN();

TEST(FormatGeneral, WritesThreeDigitExponentsAndFixedNonFiniteTexts)
{
    struct Case
    {
        double d;
        int nDigits;
        const char* pszText;
    };
    const Case cases[] = {
        {1e20, 12, "1e+020"},
        {0.0001, 12, "0.0001"},
        {0.00001, 12, "1e-005"},
        {1.5e-5, 12, "1.5e-005"},
        {1.23456789012e100, 12, "1.23456789012e+100"},
        {-0.0, 12, "-0"},
        {123456789012.0, 12, "123456789012"},
        {1234567890123.0, 12, "1.23456789012e+012"},
        {0.1 + 0.2, 12, "0.3"},
        {2.0 / 3.0, 0, "0.666667"},
        {2.0 / 3.0, -3, "0.666667"},
        {11.0, 17, "11"},
        {0.1, 17, "0.10000000000000001"},
        {INF, 12, "1.#INF"},
        {-INF, 12, "-1.#INF"},
        {std::copysign(QNAN, -1.0), 12, "-1.#IND"},
        {std::copysign(QNAN, 1.0), 12, "1.#QNAN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(FormatGeneral(c.d, c.nDigits), c.pszText);
    }
}

TEST(CancellationCount, CountsLostLeadingDigitsOfPositiveSumsOnly)
{
    EXPECT_EQ(CancellationCount(1000000.1, -1000000.0, 1000000.1 - 1000000.0), 8);
    EXPECT_EQ(CancellationCount(5, 6, 11), -1);
    EXPECT_EQ(CancellationCount(-5, 3, -2), 0);
    EXPECT_EQ(CancellationCount(0.1, 0.2, 0.1 + 0.2), 0);
    EXPECT_EQ(CancellationCount(1, -1, 0), 0);
    EXPECT_EQ(CancellationCount(INF, 1, INF), 0);
    // Cancellation can also go the other way, far below -1.
    EXPECT_EQ(CancellationCount(-0.001, 1e300, 1e300), -300);
    EXPECT_EQ(CancellationCount(-1, 1000000.1, 1000000.1 - 1), -5);
}

TEST(HexAndBinary, RenderTheLow32BitsOfTheTruncatedRealPart)
{
    struct Case
    {
        double d;
        const char* pszHex;
        const char* pszBinary;
    };
    const Case cases[] = {
        {255, "0xFF", "0b 1111 1111"},
        {-1, "0xFFFFFFFF", "0b 1111 1111 1111 1111 1111 1111 1111 1111"},
        {0, "0x0", "0b 0000 0000"},
        {2.9, "0x2", "0b 0000 0010"},
        {-2.5, "0xFFFFFFFE", "0b 1111 1111 1111 1111 1111 1111 1111 1110"},
        {5, "0x5", "0b 0000 0101"},
        {256, "0x100", "0b 0000 0001 0000 0000"},
        {300, "0x12C", "0b 0000 0001 0010 1100"},
        {65536, "0x10000", "0b 0000 0000 0000 0001 0000 0000 0000 0000"},
        {1e10, "0x540BE400", "0b 0101 0100 0000 1011 1110 0100 0000 0000"},
        {1e20, "0x0", "0b 0000 0000"}, // out of range: -2^63
        {std::copysign(QNAN, -1.0), "0x0", "0b 0000 0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszHex);
        EXPECT_EQ(FormatHex(c.d), c.pszHex);
        EXPECT_EQ(FormatBinary(c.d), c.pszBinary);
    }
    EXPECT_THROW(FormatHex(CalcValue(3, 1)), CalcError);
    EXPECT_THROW(FormatBinary(CalcValue(3, 1)), CalcError);
    EXPECT_EQ(FormatHex(CalcValue(7, QNAN)), "0x7"); // a NaN imaginary part counts as zero
}

TEST(Division, ScalesByTheLargerPartAndGivesNanForZero)
{
    const CalcValue q = CalcValue(1, 2) / CalcValue(3, 4);
    EXPECT_DOUBLE_EQ(q.re, 0.44);
    EXPECT_DOUBLE_EQ(q.im, 0.08);
    const CalcValue r = CalcValue(1, 2) / CalcValue(4, 3);
    EXPECT_DOUBLE_EQ(r.re, 0.4);
    EXPECT_DOUBLE_EQ(r.im, 0.2);
    const CalcValue big = CalcValue(1e300, 1e300) / CalcValue(1e300, 1e300); // no overflow
    EXPECT_DOUBLE_EQ(big.re, 1.0);
    EXPECT_DOUBLE_EQ(big.im, 0.0);
    for (const CalcValue& divisor : {CalcValue(0, 0), CalcValue(QNAN, 1), CalcValue(1, QNAN)}) {
        const CalcValue n = CalcValue(5, 0) / divisor;
        EXPECT_TRUE(std::isnan(n.re) && std::signbit(n.re));
        EXPECT_TRUE(std::isnan(n.im) && std::signbit(n.im));
    }
}

class FormatValueTest : public EvalFixture
{};

TEST_F(FormatValueTest, PrecisionShrinksWithCancellationAndNeverExceeds17Digits)
{
    ExpectRendered({
        {"0.1+0.2", "0.3"},
        {"1000000.1-1000000", "0.1"},
        {"1000000-1000000.1", "-0.0999999999767"},
        {"(2+3i)*(5+4i)", "-2 + 23i"},
        {"4i", "0 + 4i"},
        {"1-2i", "1 - 2i"},
        {"3-4i", "3 - 4i"},
        {"2i*2i", "-4"},
        {"1e20", "1e+020"},
        {"-1+1000000.1", "999999.09999999998"},
        {"-0.001+1e300", "1.0000000000000001e+300"},
    });
    eval.m_nPrecision = 16;
    ExpectRendered({
        {"5+6", "11"},
        {"0.1+0.2+0.3", "0.6"},
        // The count of -5 would ask for 21 digits; 17 is the most a double holds.
        {"-1+1000000.1", "999999.09999999998"},
    });
}

TEST_F(FormatValueTest, ImaginaryPartThatIsNegativeZeroOrNanIsNotShown)
{
    EXPECT_EQ(eval.FormatValue(CalcValue(2, -0.0)), "2");
    EXPECT_EQ(eval.FormatValue(CalcValue(2, QNAN)), "2");
    EXPECT_EQ(eval.FormatValue(CalcValue(2, INF)), "2 + 1.#INFi");
}
} // namespace
