#include "core/units/UnitTable.h"

#include "core/base/Language.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>
#include <span>

namespace
{
// A unit of a category. Under the factor rule a value x of the unit is x * factor in the base
// unit; under the offset rule (x + offset) * factor; under the reciprocal rule x * factor, or
// factor / x for a unit of the inverse quantity (bReciprocal).
struct Unit
{
    Text name;
    const char* symbol;
    double factor;
    double offset = 0;
    bool bReciprocal = false;
};

struct CategoryTable
{
    Text name;
    std::span<const Unit> units;
    UnitRule rule = UnitRule::Factor;
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

// Further definitions for the categories after the first six: the pound-force as the pound's
// mass under standard gravity, the thermochemical calorie, the International Table Btu, the
// electronvolt of the 2019 SI, the mechanical horsepower of 550 ft*lbf/s, the metric horsepower of
// 75 kgf*m/s and the imperial gallon. Products are grouped so that each factor is the double
// nearest its value.
constexpr double POUND_FORCE = POUND / 1000 * GRAVITY;  // N
constexpr double FOOT_POUND_FORCE = FOOT * POUND_FORCE; // J
constexpr double CALORIE = 4.184;                       // J
constexpr double BTU = 1055.05585262;                   // J
constexpr double ELECTRONVOLT = 1.602176634e-19;        // J
constexpr double HOUR = 3600;                           // s
constexpr double DAY = 24 * HOUR;                       // s
constexpr double HORSEPOWER = 550 * FOOT * POUND_FORCE; // W
constexpr double METRIC_HORSEPOWER = 75 * GRAVITY;      // W
constexpr double UK_GALLON = 4.54609;                   // L
constexpr double FAHRENHEIT_DEGREE = 5.0 / 9;           // K

constexpr double Square(double d) { return d * d; }

// Base unit: square meter.
constexpr Unit AREA_UNITS[] = {
    {{"square mile (mi^2)", "平方英里"}, "mi^2", Square(MILE)},
    {{"square yard (yd^2)", "平方码"}, "yd^2", Square(YARD)},
    {{"square foot (ft^2)", "平方英尺"}, "ft^2", Square(FOOT)},
    {{"square inch (in^2)", "平方英寸"}, "in^2", Square(INCH)},
    {{"square kilometer (km^2)", "平方公里"}, "km^2", 1000000},
    {{"square meter (m^2)", "平方米"}, "m^2", 1},
    {{"hectare (ha)", "公顷"}, "ha", 10000},
};

// Base unit: meter.
constexpr Unit DISTANCE_UNITS[] = {
    {{"mile (mi)", "英里"}, "mi", MILE},        {{"yard (yd)", "码"}, "yd", YARD},
    {{"foot (ft)", "英尺"}, "ft", FOOT},        {{"inch (in)", "英寸"}, "in", INCH},
    {{"kilometer (km)", "公里"}, "km", 1000},   {{"meter (m)", "米"}, "m", 1},
    {{"deciimeter (dm)", "分米"}, "dm", 0.1},   {{"centimeter (cm)", "厘米"}, "cm", 0.01},
    {{"millimeter (mm)", "毫米"}, "mm", 0.001},
};

// Base unit: gram.
constexpr Unit MASS_UNITS[] = {
    {{"milligram (mg)", "毫克"}, "mg", 0.001},          {{"gram (g)", "克"}, "g", 1},
    {{"killogram (kg)", "千克"}, "kg", 1000},           {{"metric ton (t)", "吨"}, "t", 1000000},
    {{"short ton (st)US", "短吨"}, "st", 2000 * POUND}, {{"metric carat (ct)", "开"}, "ct", 0.2},
    {{"ounce (oz)", "盎司"}, "oz", POUND / 16},         {{"pound (lb)", "磅"}, "lb", POUND},
};

// Base unit: bar (0.1 N/cm^2). A kilogram-force and a pound-force are the weights of a kilogram
// and a pound under standard gravity.
constexpr Unit PRESSURE_UNITS[] = {
    {{"newton per sq. cm (n/cm^2)", "牛/平方厘米"}, "N/cm^2", 0.1},
    {{"kg per sq. cm (kgf/cm^2)", "公斤力/平方厘米"}, "kgf/cm^2", GRAVITY * 0.1},
    {{"pascal(n/m^2)", "帕斯卡"}, "Pa", PASCAL},
    {{"standard atm. (atm)", "标准大气压"}, "atm", 101325 * PASCAL},
    {{"millibar", "毫巴"}, "mbar", 0.001},
    {{"bar", "巴"}, "bar", 1},
    {{"dyne per sq. cm", "达因/平方厘米"}, "dyn/cm^2", 0.000001},
    {{"pound per sq.inch (psi)", "磅/平方英寸"},
     "psi",
     POUND / 1000 * GRAVITY / Square(INCH) * PASCAL},
    {{"Mpa", "兆帕"}, "MPa", 10},
};

// Base unit: meter per minute. The kilometre-per-hour factor is the rounded decimal, not 50/3;
// the mile-per-hour factor is MILE / 60 written as its decimal, which that quotient misses by
// one bit.
constexpr Unit VELOCITY_UNITS[] = {
    {{"killometer per hour (kph)", "公里/小时"}, "kph", 16.666666666667},
    {{"meter per minute", "米/分"}, "m/min", 1},
    {{"meter per second", "米/秒"}, "m/s", 60},
    {{"mile per hour (mph)", "英里/小时"}, "mph", 26.8224},
    {{"mile per minute", "英里/分"}, "mi/min", MILE},
    {{"mile per second", "英里/秒"}, "mi/s", MILE * 60},
    {{"foot per hour", "英尺/小时"}, "ft/h", FOOT / 60},
    {{"foot per minute", "英尺/分"}, "ft/min", FOOT},
    {{"foot per second", "英尺/秒"}, "ft/s", FOOT * 60},
};

// Base unit: litre. The liquid quart, pint and fluid ounce are a quarter, an eighth and a 128th
// of the gallon.
constexpr Unit VOLUME_UNITS[] = {
    {{"cubic cm (cm^3)", "立方厘米"}, "cm^3", 0.001},
    {{"cubic m (m^3)", "立方米"}, "m^3", 1000},
    {{"millilitre (mL)", "毫升"}, "mL", 0.001},
    {{"litre (L)", "升"}, "L", 1},
    {{"kilolitre (kL", "千升"}, "kL", 1000},
    {{"cubic inch (in^3)", "立方英寸"}, "in^3", CUBIC_INCH},
    {{"cubic foot (ft^3)", "立方英尺"}, "ft^3", 1728 * CUBIC_INCH},
    {{"gallon (gal)", "加仑"}, "gal", GALLON},
    {{"quart (qt) Liquid", "夸脱 液体"}, "qt", GALLON / 4},
    {{"pint (pt) Liquid", "品脱 液体"}, "pt", GALLON / 8},
    {{"ounce (oz) Fluid", "盎司 流体"}, "fl oz", GALLON / 128},
};

// Base unit: kelvin. Each scale is its zero point and its degree: T/K = (t + offset) * factor.
constexpr Unit TEMPERATURE_UNITS[] = {
    {{"degree Celsius (°C)", "摄氏度 (°C)"}, "°C", 1, 273.15},
    {{"degree Fahrenheit (°F)", "华氏度 (°F)"}, "°F", FAHRENHEIT_DEGREE, 459.67},
    {{"kelvin (K)", "开尔文 (K)"}, "K", 1},
    {{"degree Rankine (°R)", "兰氏度 (°R)"}, "°R", FAHRENHEIT_DEGREE},
};

// Base unit: joule. The kilocalorie is a thousand thermochemical calories.
constexpr Unit ENERGY_UNITS[] = {
    {{"joule (J)", "焦耳 (J)"}, "J", 1},
    {{"kilojoule (kJ)", "千焦 (kJ)"}, "kJ", 1000},
    {{"calorie (cal) thermochemical", "热化学卡 (cal)"}, "cal", CALORIE},
    {{"kilocalorie (kcal)", "千卡 (kcal)"}, "kcal", 1000 * CALORIE},
    {{"watt hour (Wh)", "瓦时 (Wh)"}, "Wh", HOUR},
    {{"kilowatt hour (kWh)", "千瓦时 (kWh)"}, "kWh", 1000 * HOUR},
    {{"electronvolt (eV)", "电子伏特 (eV)"}, "eV", ELECTRONVOLT},
    {{"British thermal unit (Btu)", "英热单位 (Btu)"}, "Btu", BTU},
    {{"foot pound-force (ft*lbf)", "英尺磅力 (ft*lbf)"}, "ft*lbf", FOOT_POUND_FORCE},
};

// Base unit: watt.
constexpr Unit POWER_UNITS[] = {
    {{"watt (W)", "瓦特 (W)"}, "W", 1},
    {{"kilowatt (kW)", "千瓦 (kW)"}, "kW", 1000},
    {{"megawatt (MW)", "兆瓦 (MW)"}, "MW", 1000000},
    {{"horsepower (hp) mechanical", "英制马力 (hp)"}, "hp", HORSEPOWER},
    {{"metric horsepower (PS)", "公制马力 (PS)"}, "PS", METRIC_HORSEPOWER},
    {{"Btu per hour (Btu/h)", "英热单位/小时 (Btu/h)"}, "Btu/h", BTU / HOUR},
    {{"foot pound-force per second (ft*lbf/s)", "英尺磅力/秒 (ft*lbf/s)"},
     "ft*lbf/s",
     FOOT_POUND_FORCE},
};

// Base unit: second.
constexpr Unit TIME_UNITS[] = {
    {{"nanosecond (ns)", "纳秒 (ns)"}, "ns", 1e-9},
    {{"microsecond (µs)", "微秒 (µs)"}, "µs", 1e-6},
    {{"millisecond (ms)", "毫秒 (ms)"}, "ms", 1e-3},
    {{"second (s)", "秒 (s)"}, "s", 1},
    {{"minute (min)", "分钟 (min)"}, "min", 60},
    {{"hour (h)", "小时 (h)"}, "h", HOUR},
    {{"day (d)", "天 (d)"}, "d", DAY},
    {{"week (wk)", "周 (wk)"}, "wk", 7 * DAY},
    {{"year (yr) 365 days", "年 (yr) 365 天"}, "yr", 365 * DAY},
    {{"Julian year (a)", "儒略年 (a)"}, "a", 365.25 * DAY},
};

// Base unit: byte. The decimal prefixes count in thousands, the binary ones in 1024s.
constexpr Unit DATA_UNITS[] = {
    {{"bit", "比特 (bit)"}, "bit", 1.0 / 8},
    {{"byte (B)", "字节 (B)"}, "B", 1},
    {{"kilobyte (kB)", "千字节 (kB)"}, "kB", 1e3},
    {{"megabyte (MB)", "兆字节 (MB)"}, "MB", 1e6},
    {{"gigabyte (GB)", "吉字节 (GB)"}, "GB", 1e9},
    {{"terabyte (TB)", "太字节 (TB)"}, "TB", 1e12},
    {{"kibibyte (KiB)", "千位二进制字节 (KiB)"}, "KiB", 1024.0},
    {{"mebibyte (MiB)", "兆位二进制字节 (MiB)"}, "MiB", 1024.0 * 1024},
    {{"gibibyte (GiB)", "吉位二进制字节 (GiB)"}, "GiB", 1024.0 * 1024 * 1024},
    {{"tebibyte (TiB)", "太位二进制字节 (TiB)"}, "TiB", 1024.0 * 1024 * 1024 * 1024},
};

// Base unit: degree, so that a turn is exactly 360.
constexpr Unit ANGLE_UNITS[] = {
    {{"degree (°)", "度 (°)"}, "°", 1},
    {{"radian (rad)", "弧度 (rad)"}, "rad", 180 / std::numbers::pi},
    {{"gradian (gon)", "百分度 (gon)"}, "gon", 360.0 / 400},
    {{"arcminute (')", "角分 (')"}, "'", 1.0 / 60},
    {{"arcsecond (\")", "角秒 (\")"}, "\"", 1.0 / 3600},
    {{"turn (tr)", "圈 (tr)"}, "tr", 360},
};

// Base unit: hertz.
constexpr Unit FREQUENCY_UNITS[] = {
    {{"hertz (Hz)", "赫兹 (Hz)"}, "Hz", 1},
    {{"kilohertz (kHz)", "千赫 (kHz)"}, "kHz", 1e3},
    {{"megahertz (MHz)", "兆赫 (MHz)"}, "MHz", 1e6},
    {{"gigahertz (GHz)", "吉赫 (GHz)"}, "GHz", 1e9},
    {{"revolutions per minute (rpm)", "转/分 (rpm)"}, "rpm", 1.0 / 60},
};

// Base unit: newton.
constexpr Unit FORCE_UNITS[] = {
    {{"newton (N)", "牛顿 (N)"}, "N", 1},
    {{"kilonewton (kN)", "千牛 (kN)"}, "kN", 1000},
    {{"dyne (dyn)", "达因 (dyn)"}, "dyn", 1e-5},
    {{"kilogram-force (kgf)", "千克力 (kgf)"}, "kgf", GRAVITY},
    {{"pound-force (lbf)", "磅力 (lbf)"}, "lbf", POUND_FORCE},
};

// Base unit: kilometre per litre. Litres per 100 km measure the inverse quantity: x of them are
// 100 / x kilometres per litre.
constexpr Unit FUEL_ECONOMY_UNITS[] = {
    {{"litres per 100 km (L/100 km)", "升/百公里 (L/100 km)"}, "L/100 km", 100, 0, true},
    {{"kilometres per litre (km/L)", "公里/升 (km/L)"}, "km/L", 1},
    {{"miles per US gallon (mpg)", "英里/美制加仑 (mpg)"}, "mpg US", MILE / 1000 / GALLON},
    {{"miles per UK gallon (mpg)", "英里/英制加仑 (mpg)"}, "mpg UK", MILE / 1000 / UK_GALLON},
};

// In the order of UnitTable::Category.
constexpr CategoryTable CATEGORIES[] = {
    {{"Area", "面积"}, AREA_UNITS},
    {{"Distance", "长度"}, DISTANCE_UNITS},
    {{"Mass", "质量"}, MASS_UNITS},
    {{"Pressure", "压力"}, PRESSURE_UNITS},
    {{"Velocity", "速度"}, VELOCITY_UNITS},
    {{"Volume", "体积"}, VOLUME_UNITS},
    {{"Temperature", "温度"}, TEMPERATURE_UNITS, UnitRule::Offset},
    {{"Energy", "能量"}, ENERGY_UNITS},
    {{"Power", "功率"}, POWER_UNITS},
    {{"Time", "时间"}, TIME_UNITS},
    {{"Data", "数据"}, DATA_UNITS},
    {{"Angle", "角度"}, ANGLE_UNITS},
    {{"Frequency", "频率"}, FREQUENCY_UNITS},
    {{"Force", "力"}, FORCE_UNITS},
    {{"Fuel economy", "燃油经济性"}, FUEL_ECONOMY_UNITS, UnitRule::Reciprocal},
};

constexpr int CATEGORY_COUNT = int(std::size(CATEGORIES));
static_assert(CATEGORY_COUNT == UnitTable::FUEL_ECONOMY + 1, "one table for each category");

// Offsets belong to the offset rule and inverse units to the reciprocal rule only, so the
// factor rule of every other category reads nothing but the factors.
consteval bool RulesMatchTheUnits()
{
    for (const CategoryTable& category : CATEGORIES)
        for (const Unit& unit : category.units)
            if ((unit.offset != 0 && category.rule != UnitRule::Offset) ||
                (unit.bReciprocal && category.rule != UnitRule::Reciprocal))
                return false;
    return true;
}
static_assert(RulesMatchTheUnits());

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

const char* UnitTable::Symbol(int nCategory, int nUnit)
{
    const Unit* pUnit = FindUnit(nCategory, nUnit);
    return pUnit ? pUnit->symbol : "";
}

double UnitTable::Offset(int nCategory, int nUnit)
{
    const Unit* pUnit = FindUnit(nCategory, nUnit);
    return pUnit ? pUnit->offset : std::numeric_limits<double>::quiet_NaN();
}

bool UnitTable::IsReciprocal(int nCategory, int nUnit)
{
    const Unit* pUnit = FindUnit(nCategory, nUnit);
    return pUnit != nullptr && pUnit->bReciprocal;
}

UnitRule UnitTable::Rule(int nCategory)
{
    if (nCategory < 0 || nCategory >= CATEGORY_COUNT)
        return UnitRule::Factor;
    return CATEGORIES[nCategory].rule;
}

namespace
{
// A result this much smaller than the terms it was subtracted from is their rounding error.
constexpr double ROUNDING_SPAN = 8 * std::numeric_limits<double>::epsilon();

double ConvertWithOffset(const Unit& from, const Unit& to, double x)
{
    const double ratio = from.factor / to.factor;
    const double scaled = (x + from.offset) * ratio;
    const double y = scaled - to.offset;
    // 32 degrees Fahrenheit are 0 degrees Celsius, not the 5.7e-14 that the rounded 459.67,
    // 5/9 and 273.15 leave behind: a difference within the rounding of its terms is 0.
    if (std::isfinite(y) && std::fabs(y) <= ROUNDING_SPAN * std::max(std::fabs(scaled), to.offset))
        return 0;
    return y;
}

double ConvertReciprocal(const Unit& from, const Unit& to, double x)
{
    if (from.bReciprocal == to.bReciprocal)
        return x * (from.bReciprocal ? to.factor / from.factor : from.factor / to.factor);
    // Between a quantity and its inverse: 0 gives an infinity, as the formatter spells it.
    return (from.bReciprocal ? from.factor / to.factor : to.factor / from.factor) / x;
}
} // namespace

double ConvertUnit(int nCategory, int nFrom, int nTo, double x)
{
    const UnitRule rule = UnitTable::Rule(nCategory);
    if (rule != UnitRule::Factor) {
        const Unit* pFrom = FindUnit(nCategory, nFrom);
        const Unit* pTo = FindUnit(nCategory, nTo);
        if (pFrom == nullptr || pTo == nullptr)
            return std::numeric_limits<double>::quiet_NaN();
        if (pFrom == pTo)
            return x;
        return rule == UnitRule::Offset ? ConvertWithOffset(*pFrom, *pTo, x)
                                        : ConvertReciprocal(*pFrom, *pTo, x);
    }
    // The ratio is rounded on its own before the product; converting by x * a / b instead would
    // change the last digit of some results.
    const double ratio = UnitTable::Factor(nCategory, nFrom) / UnitTable::Factor(nCategory, nTo);
    return x * ratio;
}
