#include "core/units/UnitTable.h"

#include "core/base/Language.h"

#include "core/eval/CalcValue.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <set>
#include <string>

namespace
{
using enum UnitTable::Category;

// The converter window shows results with 12 significant digits.
std::string Shown(double x)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12g", x);
    return buffer;
}

// Looks a unit up by its English name or its symbol so the cases below read like the window.
int UnitIndex(int nCategory, const std::string& strName)
{
    for (int nUnit = 0; nUnit < UnitTable::UnitCount(nCategory); ++nUnit)
        if (strName == UnitTable::UnitName(nCategory, nUnit, Language::English) ||
            strName == UnitTable::Symbol(nCategory, nUnit))
            return nUnit;
    ADD_FAILURE() << "no unit " << strName;
    return -1;
}
} // namespace

TEST(UnitTable, KnownConversionsAtTwelveDigits)
{
    struct Case
    {
        int nCategory;
        const char* from;
        const char* to;
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {DISTANCE, "mile (mi)", "meter (m)", 1, "1609.344"},
        {DISTANCE, "kilometer (km)", "mile (mi)", 1, "0.621371192237"},
        {DISTANCE, "meter (m)", "mile (mi)", 1000, "0.621371192237"},
        {DISTANCE, "meter (m)", "centimeter (cm)", 1, "100"},
        {AREA, "square mile (mi^2)", "hectare (ha)", 1, "258.998811034"},
        {VELOCITY, "killometer per hour (kph)", "meter per second", 1, "0.277777777778"},
        {VELOCITY, "foot per second", "meter per minute", 1, "18.288"},
        {PRESSURE, "standard atm. (atm)", "pound per sq.inch (psi)", 100, "1469.59487755"},
        {MASS, "pound (lb)", "killogram (kg)", 1, "0.45359237"},
        {VOLUME, "gallon (gal)", "litre (L)", 2, "7.570823568"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        const double y = ConvertUnit(c.nCategory, UnitIndex(c.nCategory, c.from),
                                     UnitIndex(c.nCategory, c.to), c.x);
        EXPECT_EQ(Shown(y), c.expected);
    }
}

// Relations that follow from the definitions (international inch and pound, standard gravity,
// the 231 cubic-inch gallon), each independent of the factor that the table stores.
TEST(UnitTable, ExactRelationsHoldInEveryCategory)
{
    struct Case
    {
        int nCategory;
        const char* from;
        const char* to;
        double expected; // what 1 from-unit is in to-units
    };
    const Case cases[] = {
        {AREA, "square mile (mi^2)", "square foot (ft^2)", 27878400},
        {AREA, "square mile (mi^2)", "square meter (m^2)", 2589988.110336},
        {AREA, "square yard (yd^2)", "square foot (ft^2)", 9},
        {AREA, "square foot (ft^2)", "square inch (in^2)", 144},
        {AREA, "square kilometer (km^2)", "hectare (ha)", 100},
        {DISTANCE, "mile (mi)", "foot (ft)", 5280},
        {DISTANCE, "mile (mi)", "kilometer (km)", 1.609344},
        {DISTANCE, "yard (yd)", "inch (in)", 36},
        {DISTANCE, "inch (in)", "millimeter (mm)", 25.4},
        {MASS, "pound (lb)", "ounce (oz)", 16},
        {MASS, "short ton (st)US", "pound (lb)", 2000},
        {MASS, "pound (lb)", "killogram (kg)", 0.45359237},
        {MASS, "metric carat (ct)", "milligram (mg)", 200},
        {PRESSURE, "standard atm. (atm)", "pascal(n/m^2)", 101325},
        {PRESSURE, "pound per sq.inch (psi)", "pascal(n/m^2)", 6894.757293168361},
        {PRESSURE, "pound per sq.inch (psi)", "kg per sq. cm (kgf/cm^2)", 0.45359237 / 6.4516},
        {PRESSURE, "kg per sq. cm (kgf/cm^2)", "pascal(n/m^2)", 98066.5},
        {PRESSURE, "Mpa", "millibar", 10000},
        {PRESSURE, "dyne per sq. cm", "pascal(n/m^2)", 0.1},
        {VELOCITY, "mile per hour (mph)", "killometer per hour (kph)", 1.609344},
        {VELOCITY, "meter per second", "killometer per hour (kph)", 3.6},
        {VELOCITY, "mile per hour (mph)", "foot per minute", 88},
        {VELOCITY, "mile per second", "mile per hour (mph)", 3600},
        {VELOCITY, "foot per second", "foot per hour", 3600},
        {VOLUME, "gallon (gal)", "quart (qt) Liquid", 4},
        {VOLUME, "gallon (gal)", "pint (pt) Liquid", 8},
        {VOLUME, "gallon (gal)", "ounce (oz) Fluid", 128},
        {VOLUME, "gallon (gal)", "cubic inch (in^3)", 231},
        {VOLUME, "cubic foot (ft^3)", "cubic inch (in^3)", 1728},
        {VOLUME, "cubic foot (ft^3)", "litre (L)", 28.316846592},
        {VOLUME, "cubic inch (in^3)", "millilitre (mL)", 16.387064},
        {VOLUME, "kilolitre (kL", "cubic m (m^3)", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        const int nFrom = UnitIndex(c.nCategory, c.from);
        const int nTo = UnitIndex(c.nCategory, c.to);
        EXPECT_NEAR(ConvertUnit(c.nCategory, nFrom, nTo, 1), c.expected, c.expected * 1e-12);
        EXPECT_NEAR(ConvertUnit(c.nCategory, nTo, nFrom, c.expected), 1, 1e-12);
    }
}

TEST(UnitTable, RatioIsRoundedBeforeTheProduct)
{
    // kph -> m/s: for some x, x * (a / b) and (x * a) / b differ in the last bit; the converter
    // must give the former.
    const double a = UnitTable::Factor(VELOCITY, 0);
    const double b = UnitTable::Factor(VELOCITY, 2);
    int nDiffering = 0;
    for (double x = 1; x < 1000; x += 1) {
        const double y = ConvertUnit(VELOCITY, 0, 2, x);
        EXPECT_EQ(y, x * (a / b)) << x;
        nDiffering += y != x * a / b;
    }
    EXPECT_GT(nDiffering, 0) << "no case tells the two orders apart";
}

TEST(UnitTable, SameUnitReturnsTheValueUnchanged)
{
    const double values[] = {0.0, -0.0, 1.0, -2.5, 1e-300, 1e308, 0.1, INFINITY};
    for (int nCategory = 0; nCategory < UnitTable::CategoryCount(); ++nCategory)
        for (int nUnit = 0; nUnit < UnitTable::UnitCount(nCategory); ++nUnit)
            for (double x : values) {
                SCOPED_TRACE(UnitTable::UnitName(nCategory, nUnit, Language::English));
                const double y = ConvertUnit(nCategory, nUnit, nUnit, x);
                EXPECT_EQ(y, x);
                EXPECT_EQ(std::signbit(y), std::signbit(x));
            }
    EXPECT_TRUE(std::isnan(ConvertUnit(AREA, 1, 1, NAN)));
}

TEST(UnitTable, CategoriesInDisplayOrder)
{
    const std::vector<std::string> en = UnitTable::CategoryNames(Language::English);
    const std::vector<std::string> zh = UnitTable::CategoryNames(Language::Chinese);
    EXPECT_EQ(en,
              (std::vector<std::string>{"Area", "Distance", "Mass", "Pressure", "Velocity",
                                        "Volume", "Temperature", "Energy", "Power", "Time", "Data",
                                        "Angle", "Frequency", "Force", "Fuel economy"}));
    EXPECT_EQ(zh, (std::vector<std::string>{"面积", "长度", "质量", "压力", "速度", "体积", "温度",
                                            "能量", "功率", "时间", "数据", "角度", "频率", "力",
                                            "燃油经济性"}));
}

TEST(UnitTable, EveryCategoryIsSound)
{
    const int counts[] = {7, 9, 8, 9, 9, 11, 4, 9, 7, 10, 10, 6, 5, 5, 4};
    ASSERT_EQ(UnitTable::CategoryCount(), int(std::size(counts)));
    for (int nCategory = 0; nCategory < UnitTable::CategoryCount(); ++nCategory) {
        SCOPED_TRACE(UnitTable::CategoryName(nCategory, Language::English));
        EXPECT_EQ(UnitTable::UnitCount(nCategory), counts[nCategory]);
        const std::vector<std::string> en = UnitTable::UnitNames(nCategory, Language::English);
        const std::vector<std::string> zh = UnitTable::UnitNames(nCategory, Language::Chinese);
        ASSERT_EQ(en.size(), std::size_t(counts[nCategory]));
        ASSERT_EQ(zh.size(), en.size());
        EXPECT_EQ(std::set<std::string>(en.begin(), en.end()).size(), en.size())
            << "duplicate English name";
        EXPECT_EQ(std::set<std::string>(zh.begin(), zh.end()).size(), zh.size())
            << "duplicate Chinese name";
        int nBaseUnits = 0;
        for (std::size_t i = 0; i < en.size(); ++i) {
            SCOPED_TRACE(en[i]);
            EXPECT_FALSE(en[i].empty());
            EXPECT_FALSE(zh[i].empty());
            EXPECT_NE(en[i], zh[i]);
            const double factor = UnitTable::Factor(nCategory, int(i));
            EXPECT_TRUE(std::isfinite(factor) && factor > 0) << factor;
            EXPECT_FALSE(std::string(UnitTable::Symbol(nCategory, int(i))).empty());
            nBaseUnits += factor == 1 && UnitTable::Offset(nCategory, int(i)) == 0 &&
                          !UnitTable::IsReciprocal(nCategory, int(i));
        }
        EXPECT_EQ(nBaseUnits, 1);
    }
}

TEST(UnitTable, NamesKeepTheirOwnSpelling)
{
    struct Case
    {
        int nCategory;
        int nUnit;
        const char* en;
        const char* zh;
    };
    const Case cases[] = {
        {DISTANCE, 6, "deciimeter (dm)", "分米"},
        {MASS, 2, "killogram (kg)", "千克"},
        {MASS, 4, "short ton (st)US", "短吨"},
        {PRESSURE, 2, "pascal(n/m^2)", "帕斯卡"},
        {VELOCITY, 0, "killometer per hour (kph)", "公里/小时"},
        {VOLUME, 4, "kilolitre (kL", "千升"},
        {VOLUME, 8, "quart (qt) Liquid", "夸脱 液体"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.en);
        EXPECT_STREQ(UnitTable::UnitName(c.nCategory, c.nUnit, Language::English), c.en);
        EXPECT_STREQ(UnitTable::UnitName(c.nCategory, c.nUnit, Language::Chinese), c.zh);
    }
    // The kilometre-per-hour factor is the rounded decimal, which differs from 50/3.
    EXPECT_NE(UnitTable::Factor(VELOCITY, 0), 50.0 / 3.0);
}

TEST(UnitTable, IndexesOutOfRangeAreHarmless)
{
    const int bad[][2] = {{-1, 0},          {FUEL_ECONOMY + 1, 0}, {AREA, -1},
                          {AREA, 7},        {VOLUME, 11},          {VOLUME, 30},
                          {TEMPERATURE, 4}, {FUEL_ECONOMY, -1}};
    for (const auto& index : bad) {
        SCOPED_TRACE(std::to_string(index[0]) + "," + std::to_string(index[1]));
        EXPECT_STREQ(UnitTable::UnitName(index[0], index[1], Language::English), "");
        EXPECT_TRUE(std::isnan(UnitTable::Factor(index[0], index[1])));
        EXPECT_TRUE(std::isnan(ConvertUnit(index[0], index[1], 0, 1.0)));
    }
    EXPECT_STREQ(UnitTable::CategoryName(UnitTable::CategoryCount(), Language::Chinese), "");
    EXPECT_EQ(UnitTable::UnitCount(-1), 0);
    EXPECT_TRUE(UnitTable::UnitNames(42, Language::English).empty());
}

// Relations that follow from the definitions (SI, NIST SP 811), through each category's own rule,
// as the window shows them with nDigits significant digits. A conversion there and back returns
// the value typed.
TEST(UnitTable, ExactRelationsOfTheLaterCategories)
{
    struct Case
    {
        int nCategory;
        const char* from;
        const char* to;
        double x;
        const char* expected;
        int nDigits = 12;
    };
    const Case cases[] = {
        {TEMPERATURE, "°C", "°F", 0, "32"},
        {TEMPERATURE, "°F", "°C", 32, "0"},
        {TEMPERATURE, "°F", "K", 32, "273.15"},
        {TEMPERATURE, "K", "°F", 273.15, "32"},
        {TEMPERATURE, "°R", "°C", 491.67, "0"},
        {TEMPERATURE, "°C", "°F", -40, "-40"},
        {TEMPERATURE, "°F", "°C", -40, "-40"},
        {TEMPERATURE, "°C", "°F", 100, "212"},
        {TEMPERATURE, "°F", "°C", 350, "176.666666667"},
        {TEMPERATURE, "K", "°C", 0, "-273.15"},
        {TEMPERATURE, "°F", "K", -459.67, "0"},
        {TEMPERATURE, "°R", "K", 0, "0"},
        {TEMPERATURE, "°R", "°F", 0, "-459.67"},
        {TEMPERATURE, "°C", "K", -300, "-26.85"},
        {TEMPERATURE, "K", "°F", -10, "-477.67"},
        {ENERGY, "kWh", "kJ", 1, "3600"},
        {ENERGY, "kWh", "kcal", 1, "860.420650096"},
        {ENERGY, "cal", "J", 1, "4.184"},
        {ENERGY, "Btu", "J", 1, "1055.05585262"},
        {ENERGY, "Btu", "kWh", 1, "0.000293071070172"},
        {ENERGY, "eV", "J", 1, "1.602176634e-019"},
        {ENERGY, "ft*lbf", "J", 1, "1.3558179483314", 14},
        {POWER, "hp", "W", 1, "745.69987158227", 14},
        {POWER, "hp", "ft*lbf/s", 1, "550"},
        {POWER, "PS", "W", 1, "735.49875"},
        {POWER, "Btu/h", "W", 1, "0.293071070172"},
        {TIME, "wk", "h", 1, "168"},
        {TIME, "yr", "d", 1, "365"},
        {TIME, "a", "d", 1, "365.25"},
        {TIME, "a", "yr", 1, "1.00068493151"},
        {TIME, "µs", "ns", 1, "1000"},
        {DATA, "MiB", "MB", 1, "1.048576"},
        {DATA, "MB", "MiB", 1, "0.95367431640625", 14},
        {DATA, "GiB", "B", 1, "1073741824"},
        {DATA, "TiB", "TB", 1, "1.099511627776", 13},
        {DATA, "B", "bit", 1, "8"},
        {ANGLE, "tr", "°", 1, "360"},
        {ANGLE, "tr", "gon", 1, "400"},
        {ANGLE, "tr", "rad", 1, "6.28318530718"},
        {ANGLE, "rad", "°", 1, "57.2957795131"},
        {ANGLE, "'", "\"", 1, "60"},
        {FREQUENCY, "GHz", "MHz", 1, "1000"},
        {FREQUENCY, "rpm", "Hz", 60, "1"},
        {FREQUENCY, "Hz", "rpm", 1, "60"},
        {FORCE, "kgf", "N", 1, "9.80665"},
        {FORCE, "lbf", "N", 1, "4.4482216152605", 14},
        {FORCE, "lbf", "kgf", 1, "0.45359237"},
        {FORCE, "N", "dyn", 1, "100000"},
        {FUEL_ECONOMY, "mpg US", "L/100 km", 1, "235.214583", 9},
        {FUEL_ECONOMY, "L/100 km", "mpg US", 235.214583, "1", 9},
        {FUEL_ECONOMY, "mpg UK", "L/100 km", 1, "282.480936", 9},
        {FUEL_ECONOMY, "mpg UK", "mpg US", 1, "0.832674184629"},
        {FUEL_ECONOMY, "L/100 km", "km/L", 5, "20"},
        {FUEL_ECONOMY, "mpg US", "km/L", 1, "0.42514370743"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        const int nFrom = UnitIndex(c.nCategory, c.from);
        const int nTo = UnitIndex(c.nCategory, c.to);
        const double y = ConvertUnit(c.nCategory, nFrom, nTo, c.x);
        EXPECT_EQ(FormatGeneral(y, c.nDigits), c.expected);
        EXPECT_EQ(FormatGeneral(ConvertUnit(c.nCategory, nTo, nFrom, y), 12),
                  FormatGeneral(c.x, 12));
    }
}

// The first six categories convert as they always have, bit for bit: the rounded ratio of the
// two factors times x, for every pair of units and values of every size and sign.
TEST(UnitTable, FirstSixCategoriesKeepTheFactorRuleBitForBit)
{
    std::vector<double> values = {0.0, -0.0, 1.0, 0.1, -2.5, 1e20, 1e308, -1e-310, INFINITY};
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-1000, 1000);
    for (int n = 0; n < 300; ++n)
        values.push_back(std::ldexp(mantissa(random), exponent(random)));
    for (int nCategory = AREA; nCategory <= VOLUME; ++nCategory) {
        SCOPED_TRACE(UnitTable::CategoryName(nCategory, Language::English));
        EXPECT_EQ(UnitTable::Rule(nCategory), UnitRule::Factor);
        const int nUnits = UnitTable::UnitCount(nCategory);
        for (int nFrom = 0; nFrom < nUnits; ++nFrom)
            for (int nTo = 0; nTo < nUnits; ++nTo) {
                const double ratio =
                    UnitTable::Factor(nCategory, nFrom) / UnitTable::Factor(nCategory, nTo);
                for (const double x : values)
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(ConvertUnit(nCategory, nFrom, nTo, x)),
                              std::bit_cast<std::uint64_t>(x * ratio))
                        << nFrom << " -> " << nTo << " of " << x;
            }
    }
}
