#include "core/units/UnitCommand.h"

#include "core/units/UnitTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace
{
using enum UnitTable::Category;

// The unit strWord names in nCategory: the first there in table order, -1 for none.
int NamedIn(int nCategory, const std::string& strWord)
{
    for (const UnitRef& unit : UnitsNamed(strWord))
        if (unit.nCategory == nCategory)
            return unit.nUnit;
    return -1;
}

std::string Upper(std::string str)
{
    for (char& c : str)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return str;
}
} // namespace

// A name that two units of one category shared would make one of them unreachable.
TEST(UnitsNamed, EveryUnitIsFoundByItsSymbolAndItsEnglishNameInAnyCase)
{
    for (int nCategory = 0; nCategory < UnitTable::CategoryCount(); ++nCategory)
        for (int nUnit = 0; nUnit < UnitTable::UnitCount(nCategory); ++nUnit) {
            const std::string strSymbol = UnitTable::Symbol(nCategory, nUnit);
            const std::string strName = UnitTable::UnitName(nCategory, nUnit, Language::English);
            for (const std::string& strWord : {strSymbol, strName, Upper(strSymbol)}) {
                SCOPED_TRACE(strWord);
                EXPECT_EQ(NamedIn(nCategory, strWord), nUnit);
            }
        }
}

TEST(UnitsNamed, ShortFormsOfNamesAndSymbols)
{
    const struct
    {
        const char* word;
        int nCategory;
        int nUnit; // -1: none
    } cases[] = {
        {"C", TEMPERATURE, 0},     {"f", TEMPERATURE, 1},
        {"us", TIME, 1},           {"kilowatt hour", ENERGY, 5},
        {"KWH", ENERGY, 5},        {"L/100km", FUEL_ECONOMY, 0},
        {"calorie", ENERGY, 2},    {"miles per UK gallon", FUEL_ECONOMY, 3},
        {"kilolitre", VOLUME, 4},  {"ounce", MASS, 6},
        {"ounce", VOLUME, 10},     {"degree", ANGLE, 0},
        {"", ANGLE, -1},           {"degree", TEMPERATURE, -1},
        {"furlong", DISTANCE, -1}, {"(", DISTANCE, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(NamedIn(c.nCategory, c.word), c.nUnit);
    }
}

TEST(RunConvertCommand, ConvertsOrSaysWhichUnitsWouldDo)
{
    const struct
    {
        std::vector<std::string> args;
        Language language;
        int nStatus;
        const char* out;
        const char* err;
    } cases[] = {
        {{"350", "F", "C"}, Language::English, 0, "176.666666667\n", ""},
        {{"1", "kWh", "kcal"}, Language::English, 0, "860.420650096\n", ""},
        {{"0", "L/100 km", "mpg US"}, Language::English, 0, "1.#INF\n", ""},
        {{"1", "mile", "M"}, Language::English, 0, "1609.344\n", ""},
        {{"1", "furlong", "m"},
         Language::English,
         1,
         "",
         "unknown unit \"furlong\"; units of Distance: mi, yd, ft, in, km, m, dm, cm, mm\n"},
        {{"1", "C", "kg"},
         Language::English,
         1,
         "",
         "\"C\" and \"kg\" are not of one category; units of Temperature: °C, °F, K, °R; "
         "units of Mass: mg, g, kg, t, st, ct, oz, lb\n"},
        {{"1", "x", "y"},
         Language::English,
         1,
         "",
         "unknown units \"x\" and \"y\"; pelmorix-cli convert --list names them all\n"},
        {{"1", "N", "furlong"},
         Language::Chinese,
         1,
         "",
         "未知单位 \"furlong\"; 力的单位: N, kN, dyn, kgf, lbf\n"},
        {{"1x", "m", "km"}, Language::English, 1, "", "not a number: \"1x\"\n"},
        {{"1e", "m", "km"}, Language::English, 1, "", "not a number: \"1e\"\n"},
        {{"1", "m"},
         Language::English,
         2,
         "",
         "usage: pelmorix-cli convert VALUE FROM TO | convert --list\n"},
        {{"--list", "m"},
         Language::English,
         2,
         "",
         "usage: pelmorix-cli convert VALUE FROM TO | convert --list\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : ""));
        std::string strOut, strErr;
        CTextOut out(strOut), err(strErr);
        EXPECT_EQ(RunConvertCommand(c.args, out, err, c.language), c.nStatus);
        EXPECT_EQ(strOut, c.out);
        EXPECT_EQ(strErr, c.err);
    }
}
