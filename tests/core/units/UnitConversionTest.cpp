#include "core/units/UnitConversion.h"

#include "core/eval/DecimalText.h"
#include "core/units/UnitTable.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace
{
using enum UnitTable::Category;

std::string Bits(double d)
{
    return std::to_string(std::bit_cast<std::uint64_t>(d)) + " (" + std::to_string(d) + ")";
}
} // namespace

TEST(ReadLeadingNumber, ReadsThePrefixLikeAtof)
{
    const std::pair<const char*, double> cases[] = {
        {"", 0.0},
        {"abc", 0.0},
        {"-", 0.0},
        {"+.", 0.0},
        {"--1", 0.0},
        {".e5", 0.0},
        {".5", 0.5},
        {"1.", 1.0},
        {" \t\n\v\f\r7", 7.0},
        {"  -2.5e3xyz", -2500.0},
        {"2e", 2.0},
        {"2E-", 2.0},
        {"1e-2", 0.01},
        {"1,5", 1.0},
        {"1.5.6", 1.5},
        {"1d3", 1.0},
        {"inf", 0.0},
        {"-nan", 0.0},
        {"0x10", 0.0},
        {"\xE4\xB8\x80"
         "5",
         0.0},
        {"1e400", INFINITY},
        {"-1e400", -INFINITY},
        {"1e99999999999999999999999", INFINITY},
        {"1e-400", 0.0},
        {"0.000001e-99999999999999999", 0.0},
        {"0e999999", 0.0},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        EXPECT_EQ(Bits(ReadLeadingNumber(text)), Bits(expected));
    }
    EXPECT_TRUE(std::signbit(ReadLeadingNumber("-0")));
    EXPECT_FALSE(std::signbit(ReadLeadingNumber("-")));
}

// The C library's strtod in the "C" locale reads the same prefix wherever the text holds no
// hexadecimal, infinity or NaN spelling; seeded random texts built from pieces that meet at
// the awkward places (signs, points, exponent marks, magnitudes beyond the range, junk).
TEST(ReadLeadingNumber, AgreesWithStrtodOnRandomTexts)
{
    const std::string pieces[] = {"",
                                  " ",
                                  "\t",
                                  "+",
                                  "-",
                                  ".",
                                  "e",
                                  "E",
                                  "e-",
                                  "e+",
                                  "0",
                                  "7",
                                  "123",
                                  "000",
                                  "999999999",
                                  "e400",
                                  "e-400",
                                  "e308",
                                  "e-320",
                                  "e-324",
                                  "q",
                                  ",",
                                  std::string(330, '8'),
                                  "0." + std::string(330, '0'),
                                  "e99999999999"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> count(1, 6);
    for (int nRound = 0; nRound < 20000; ++nRound) {
        std::string strText;
        for (int n = count(random); n > 0; --n)
            strText += pieces[pick(random)];
        SCOPED_TRACE("\"" + strText + "\"");
        ASSERT_EQ(Bits(ReadLeadingNumber(strText)), Bits(std::strtod(strText.c_str(), nullptr)));
    }
}

TEST(ConvertedText, TwelveSignificantDigitsAndNothingWithoutASelection)
{
    struct Case
    {
        int nCategory;
        int nFrom;
        int nTo;
        const char* typed;
        const char* expected; // nullptr: nothing converted
    };
    const Case cases[] = {
        {DISTANCE, 5, 0, "1000", "0.621371192237"},
        {DISTANCE, 0, 5, "", "0"},
        {DISTANCE, 5, 5, "123456789012345", "1.23456789012e+014"},
        {DISTANCE, 5, 5, "0.00001", "1e-005"},
        {DISTANCE, 5, 5, "0.0001", "0.0001"},
        {VOLUME, 0, 2, "1e20", "1e+020"},
        {VOLUME, 7, 8, "1", "4"},
        {VOLUME, 6, 3, "1", "28.316846592"},
        {AREA, 0, 3, "1e308", "1.#INF"},
        {TEMPERATURE, 0, 2, "-500", "-226.85"},
        {TEMPERATURE, 1, 0, "32", "0"},
        {FUEL_ECONOMY, 0, 2, "0", "1.#INF"},
        {FUEL_ECONOMY, 3, 0, "-0", "-1.#INF"},
        {FUEL_ECONOMY, 1, 0, "", "1.#INF"},
        {FUEL_ECONOMY, 0, 1, "1e400", "0"},
        {FUEL_ECONOMY, 1, 1, "0", "0"},
        {DISTANCE, -1, 0, "1", nullptr},
        {DISTANCE, 0, -1, "1", nullptr},
        {-1, 0, 0, "1", nullptr},
        {FUEL_ECONOMY + 1, 0, 0, "1", nullptr},
        {TEMPERATURE, 4, 0, "1", nullptr},
        {AREA, 7, 0, "1", nullptr},
        {VOLUME, 0, 11, "1", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nCategory) + "," + std::to_string(c.nFrom) + "," +
                     std::to_string(c.nTo) + " " + c.typed);
        EXPECT_EQ(ConvertedText(c.nCategory, c.nFrom, c.nTo, c.typed).value_or("<none>"),
                  c.expected != nullptr ? c.expected : "<none>");
    }
}
