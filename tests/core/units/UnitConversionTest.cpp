#include "units/UnitConversion.h"

#include "units/UnitTable.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace
{
enum Category { AREA, DISTANCE, MASS, PRESSURE, VELOCITY, VOLUME };
constexpr int MILE = 0;
constexpr int METER = 5;

std::string Bits(double d)
{
    return std::to_string(std::bit_cast<std::uint64_t>(d)) + " (" + std::to_string(d) + ")";
}
} // namespace

TEST(ReadLeadingNumber, ReadsThePrefixLikeAtof)
{
    const double INF = INFINITY;
    struct Case
    {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0.0},
        {"   ", 0.0},
        {"abc", 0.0},
        {"-", 0.0},
        {"+.", 0.0},
        {".", 0.0},
        {"--1", 0.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1.", 1.0},
        {"1.5", 1.5},
        {" \t\n\v\f\r7", 7.0},
        {"  -2.5e3xyz", -2500.0},
        {"+12", 12.0},
        {"2e", 2.0},
        {"2e+", 2.0},
        {"2E-", 2.0},
        {"1e-2", 0.01},
        {"1E+2", 100.0},
        {".e5", 0.0},
        {"1,5", 1.0},
        {"1.5.6", 1.5},
        {"3 4", 3.0},
        {"1d3", 1.0},
        {"inf", 0.0},
        {"-nan", 0.0},
        {"0x10", 0.0},
        {"\xE4\xB8\x80" "5", 0.0},
        {"5\xE4\xB8\x80", 5.0},
        {"1e400", INF},
        {"-1e400", -INF},
        {"1e99999999999999999999999", INF},
        {"0.000001e-99999999999999999", 0.0},
        {"1e-400", 0.0},
        {"0e999999", 0.0},
        {"00000000000000000000000000000000000001e308", 1e308},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(Bits(ReadLeadingNumber(c.text)), Bits(c.expected));
    }
    EXPECT_TRUE(std::signbit(ReadLeadingNumber("-0")));
    EXPECT_TRUE(std::signbit(ReadLeadingNumber("-1e-400")));
    EXPECT_FALSE(std::signbit(ReadLeadingNumber("-")));
}

TEST(ReadLeadingNumber, MagnitudesAtTheEdgesOfTheRange)
{
    const std::string strMany(400, '9');
    const std::string strTiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(ReadLeadingNumber(strMany), INFINITY);
    EXPECT_EQ(ReadLeadingNumber(strTiny), 0.0);
    EXPECT_EQ(ReadLeadingNumber(strTiny + "e401"), 1.0);
    EXPECT_EQ(ReadLeadingNumber("0." + strMany + "e-300"), 1e-300);
    EXPECT_EQ(ReadLeadingNumber("4.9406564584124654e-324"), std::nextafter(0.0, 1.0));
    EXPECT_EQ(ReadLeadingNumber("1.7976931348623157e308"), 1.7976931348623157e308);
}

// The C library's strtod in the "C" locale reads the same prefix wherever the text holds no
// hexadecimal, infinity or NaN spelling; seeded random texts built from pieces that meet at
// the awkward places (signs, points, exponent marks, out-of-range exponents, junk).
TEST(ReadLeadingNumber, AgreesWithStrtodOnRandomTexts)
{
    const std::string pieces[] = {"", " ", "\t", "+", "-", ".", "e", "E", "e-", "e+", "0", "7", "123",
                                  "000", "999999999", "e400", "e-400", "e308", "e-320", "e-324", "q",
                                  ",", std::string(330, '8'), "0." + std::string(330, '0'), "e99999999999"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> count(1, 6);
    for (int nRound = 0; nRound < 20000; ++nRound) {
        std::string strText;
        for (int n = count(random); n > 0; --n)
            strText += pieces[pick(random)];
        SCOPED_TRACE("\"" + strText + "\"");
        const double dReference = std::strtod(strText.c_str(), nullptr);
        ASSERT_EQ(Bits(ReadLeadingNumber(strText)), Bits(dReference));
    }
}

TEST(ConvertedText, ShowsTwelveSignificantDigits)
{
    struct Case
    {
        int nCategory;
        int nFrom;
        int nTo;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {DISTANCE, MILE, METER, "1", "1609.344"},
        {DISTANCE, METER, MILE, "1000", "0.621371192237"},
        {DISTANCE, MILE, METER, "1.", "1609.344"},
        {DISTANCE, MILE, METER, "1.5", "2414.016"},
        {DISTANCE, MILE, METER, "", "0"},
        {DISTANCE, MILE, METER, "abc", "0"},
        {DISTANCE, MILE, METER, "-2", "-3218.688"},
        {DISTANCE, METER, METER, "123456789012345", "1.23456789012e+014"},
        {DISTANCE, METER, METER, "0.00001", "1e-005"},
        {DISTANCE, METER, METER, "0.0001", "0.0001"},
        {VOLUME, 0, 2, "1e20", "1e+020"},
        {VELOCITY, 0, 2, "1", "0.277777777778"},
        {PRESSURE, 3, 7, "100", "1469.59494004"},
        {AREA, 0, 3, "1e308", "1.#INF"},
        {AREA, 3, 0, "-1e400", "-1.#INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " from " + UnitTable::UnitName(c.nCategory, c.nFrom, 1));
        EXPECT_EQ(ConvertedText(c.nCategory, c.nFrom, c.nTo, c.typed).value_or("<none>"), c.expected);
    }
}

TEST(ConvertedText, NothingWithoutASelection)
{
    const int bad[][3] = {{DISTANCE, -1, 0}, {DISTANCE, 0, -1}, {-1, 0, 0}, {6, 0, 0}, {AREA, 7, 0}, {VOLUME, 0, 11}};
    for (const auto& index : bad) {
        SCOPED_TRACE(std::to_string(index[0]) + "," + std::to_string(index[1]) + "," + std::to_string(index[2]));
        EXPECT_FALSE(ConvertedText(index[0], index[1], index[2], "1").has_value());
    }
    EXPECT_TRUE(ConvertedText(VOLUME, 10, 0, "1").has_value());
}
