#include "core/units/UnitTable.h"

#include "core/base/Language.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
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

// Looks a unit up by its English name so the cases below read like the window.
int UnitIndex(int nCategory, const std::string& strName)
{
    for (int nUnit = 0; nUnit < UnitTable::UnitCount(nCategory); ++nUnit)
        if (strName == UnitTable::UnitName(nCategory, nUnit, Language::English))
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
    EXPECT_EQ(en, (std::vector<std::string>{"Area", "Distance", "Mass", "Pressure", "Velocity",
                                            "Volume"}));
    EXPECT_EQ(zh, (std::vector<std::string>{"面积", "长度", "质量", "压力", "速度", "体积"}));
}

TEST(UnitTable, EveryCategoryIsSound)
{
    const int counts[] = {7, 9, 8, 9, 9, 11};
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
            nBaseUnits += factor == 1;
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
    const int bad[][2] = {{-1, 0}, {6, 0}, {AREA, -1}, {AREA, 7}, {VOLUME, 11}, {VOLUME, 30}};
    for (const auto& index : bad) {
        SCOPED_TRACE(std::to_string(index[0]) + "," + std::to_string(index[1]));
        EXPECT_STREQ(UnitTable::UnitName(index[0], index[1], Language::English), "");
        EXPECT_TRUE(std::isnan(UnitTable::Factor(index[0], index[1])));
        EXPECT_TRUE(std::isnan(ConvertUnit(index[0], index[1], 0, 1.0)));
    }
    EXPECT_STREQ(UnitTable::CategoryName(6, Language::Chinese), "");
    EXPECT_EQ(UnitTable::UnitCount(-1), 0);
    EXPECT_TRUE(UnitTable::UnitNames(42, Language::English).empty());
}
