#include "core/units/UnitTable.h"

#include "core/base/Language.h"

#include <iterator>
#include <limits>
#include <span>

namespace
{
struct Unit
{
    Text name;
    double factor;
};

struct CategoryTable
{
    Text name;
    std::span<const Unit> units;
};

// The exact definitions behind the imperial and US units: the international yard and pound of
// 1959, standard gravity and the US liquid gallon of 231 cubic inches. The lengths are written as
// their decimals (12 * INCH would round to a neighbouring double); every factor derived from them
// below evaluates to the double nearest its exact value.
constexpr double INCH = 0.0254;                          // m
constexpr double FOOT = 0.3048;                          // m, 12 inches
constexpr double YARD = 0.9144;                          // m, 3 feet
constexpr double MILE = 1609.344;                        // m, 1760 yards
constexpr double POUND = 453.59237;                      // g
constexpr double GRAVITY = 9.80665;                      // m/s^2: 1 kgf = 9.80665 N
constexpr double PASCAL = 0.00001;                       // bar
constexpr double CUBIC_INCH = INCH * INCH * INCH * 1000; // L
constexpr double GALLON = 231 * CUBIC_INCH;              // L

constexpr double Square(double d) { return d * d; }

// Base unit: square meter.
constexpr Unit AREA_UNITS[] = {
    {{"square mile (mi^2)", "平方英里"}, Square(MILE)},
    {{"square yard (yd^2)", "平方码"}, Square(YARD)},
    {{"square foot (ft^2)", "平方英尺"}, Square(FOOT)},
    {{"square inch (in^2)", "平方英寸"}, Square(INCH)},
    {{"square kilometer (km^2)", "平方公里"}, 1000000},
    {{"square meter (m^2)", "平方米"}, 1},
    {{"hectare (ha)", "公顷"}, 10000},
};

// Base unit: meter.
constexpr Unit DISTANCE_UNITS[] = {
    {{"mile (mi)", "英里"}, MILE},        {{"yard (yd)", "码"}, YARD},
    {{"foot (ft)", "英尺"}, FOOT},        {{"inch (in)", "英寸"}, INCH},
    {{"kilometer (km)", "公里"}, 1000},   {{"meter (m)", "米"}, 1},
    {{"deciimeter (dm)", "分米"}, 0.1},   {{"centimeter (cm)", "厘米"}, 0.01},
    {{"millimeter (mm)", "毫米"}, 0.001},
};

// Base unit: gram.
constexpr Unit MASS_UNITS[] = {
    {{"milligram (mg)", "毫克"}, 0.001},          {{"gram (g)", "克"}, 1},
    {{"killogram (kg)", "千克"}, 1000},           {{"metric ton (t)", "吨"}, 1000000},
    {{"short ton (st)US", "短吨"}, 2000 * POUND}, {{"metric carat (ct)", "开"}, 0.2},
    {{"ounce (oz)", "盎司"}, POUND / 16},         {{"pound (lb)", "磅"}, POUND},
};

// Base unit: bar (0.1 N/cm^2). A kilogram-force and a pound-force are the weights of a kilogram
// and a pound under standard gravity.
constexpr Unit PRESSURE_UNITS[] = {
    {{"newton per sq. cm (n/cm^2)", "牛/平方厘米"}, 0.1},
    {{"kg per sq. cm (kgf/cm^2)", "公斤力/平方厘米"}, GRAVITY * 0.1},
    {{"pascal(n/m^2)", "帕斯卡"}, PASCAL},
    {{"standard atm. (atm)", "标准大气压"}, 101325 * PASCAL},
    {{"millibar", "毫巴"}, 0.001},
    {{"bar", "巴"}, 1},
    {{"dyne per sq. cm", "达因/平方厘米"}, 0.000001},
    {{"pound per sq.inch (psi)", "磅/平方英寸"}, POUND / 1000 * GRAVITY / Square(INCH) * PASCAL},
    {{"Mpa", "兆帕"}, 10},
};

// Base unit: meter per minute. The kilometre-per-hour factor is the rounded decimal, not 50/3;
// the mile-per-hour factor is MILE / 60 written as its decimal, which that quotient misses by
// one bit.
constexpr Unit VELOCITY_UNITS[] = {
    {{"killometer per hour (kph)", "公里/小时"}, 16.666666666667},
    {{"meter per minute", "米/分"}, 1},
    {{"meter per second", "米/秒"}, 60},
    {{"mile per hour (mph)", "英里/小时"}, 26.8224},
    {{"mile per minute", "英里/分"}, MILE},
    {{"mile per second", "英里/秒"}, MILE * 60},
    {{"foot per hour", "英尺/小时"}, FOOT / 60},
    {{"foot per minute", "英尺/分"}, FOOT},
    {{"foot per second", "英尺/秒"}, FOOT * 60},
};

// Base unit: litre. The liquid quart, pint and fluid ounce are a quarter, an eighth and a 128th
// of the gallon.
constexpr Unit VOLUME_UNITS[] = {
    {{"cubic cm (cm^3)", "立方厘米"}, 0.001},
    {{"cubic m (m^3)", "立方米"}, 1000},
    {{"millilitre (mL)", "毫升"}, 0.001},
    {{"litre (L)", "升"}, 1},
    {{"kilolitre (kL", "千升"}, 1000},
    {{"cubic inch (in^3)", "立方英寸"}, CUBIC_INCH},
    {{"cubic foot (ft^3)", "立方英尺"}, 1728 * CUBIC_INCH},
    {{"gallon (gal)", "加仑"}, GALLON},
    {{"quart (qt) Liquid", "夸脱 液体"}, GALLON / 4},
    {{"pint (pt) Liquid", "品脱 液体"}, GALLON / 8},
    {{"ounce (oz) Fluid", "盎司 流体"}, GALLON / 128},
};

// In the order of UnitTable::Category.
constexpr CategoryTable CATEGORIES[] = {
    {{"Area", "面积"}, AREA_UNITS},         {{"Distance", "长度"}, DISTANCE_UNITS},
    {{"Mass", "质量"}, MASS_UNITS},         {{"Pressure", "压力"}, PRESSURE_UNITS},
    {{"Velocity", "速度"}, VELOCITY_UNITS}, {{"Volume", "体积"}, VOLUME_UNITS},
};

constexpr int CATEGORY_COUNT = int(std::size(CATEGORIES));
static_assert(CATEGORY_COUNT == UnitTable::VOLUME + 1, "one table for each category");

consteval bool FitsTheLists()
{
    for (const CategoryTable& category : CATEGORIES)
        if (category.units.size() > std::size_t(UnitTable::MAX_NAMES))
            return false;
    return CATEGORY_COUNT <= UnitTable::MAX_NAMES && UnitTable::MAX_NAMES <= UnitTable::MAX_FACTORS;
}
static_assert(FitsTheLists());

const Unit* FindUnit(int nCategory, int nUnit)
{
    if (nCategory < 0 || nCategory >= CATEGORY_COUNT)
        return nullptr;
    const std::span<const Unit> units = CATEGORIES[nCategory].units;
    if (nUnit < 0 || std::size_t(nUnit) >= units.size())
        return nullptr;
    return &units[std::size_t(nUnit)];
}
} // namespace

int UnitTable::CategoryCount() { return CATEGORY_COUNT; }

int UnitTable::UnitCount(int nCategory)
{
    if (nCategory < 0 || nCategory >= CATEGORY_COUNT)
        return 0;
    return int(CATEGORIES[nCategory].units.size());
}

const char* UnitTable::CategoryName(int nCategory, Language language)
{
    if (nCategory < 0 || nCategory >= CATEGORY_COUNT)
        return "";
    return CATEGORIES[nCategory].name.In(language);
}

const char* UnitTable::UnitName(int nCategory, int nUnit, Language language)
{
    const Unit* pUnit = FindUnit(nCategory, nUnit);
    return pUnit ? pUnit->name.In(language) : "";
}

std::vector<std::string> UnitTable::CategoryNames(Language language)
{
    std::vector<std::string> names;
    for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory)
        names.emplace_back(CategoryName(nCategory, language));
    return names;
}

std::vector<std::string> UnitTable::UnitNames(int nCategory, Language language)
{
    std::vector<std::string> names;
    for (int nUnit = 0; nUnit < UnitCount(nCategory); ++nUnit)
        names.emplace_back(UnitName(nCategory, nUnit, language));
    return names;
}

double UnitTable::Factor(int nCategory, int nUnit)
{
    const Unit* pUnit = FindUnit(nCategory, nUnit);
    return pUnit ? pUnit->factor : std::numeric_limits<double>::quiet_NaN();
}

double ConvertUnit(int nCategory, int nFrom, int nTo, double x)
{
    // The ratio is rounded on its own before the product; converting by x * a / b instead would
    // change the last digit of some results.
    const double ratio = UnitTable::Factor(nCategory, nFrom) / UnitTable::Factor(nCategory, nTo);
    return x * ratio;
}
