#pragma once

#include "core/base/Language.h"

#include <string>
#include <vector>

// How a category turns a value of one unit into another.
enum class UnitRule
{
    Factor,     // x * (factor(from) / factor(to)), the ratio rounded first
    Offset,     // scales with their own zero: base = (x + offset) * factor (temperature)
    Reciprocal, // base = x * factor, or factor / x for a unit of the inverse quantity (fuel economy)
};

// The fixed tables of the unit converter: fifteen categories, each an ordered list of units with
// an English name, a Chinese name, a symbol and a factor giving the unit's size in the category's
// base unit, and each with its conversion rule. Category and unit indexes are the list positions
// the converter window shows.
class UnitTable
{
public:
    // The category indexes, in the order of the tables and of the window's list.
    enum Category
    {
        AREA,
        DISTANCE,
        MASS,
        PRESSURE,
        VELOCITY,
        VOLUME,
        TEMPERATURE,
        ENERGY,
        POWER,
        TIME,
        DATA,
        ANGLE,
        FREQUENCY,
        FORCE,
        FUEL_ECONOMY,
    };

    static constexpr int MAX_NAMES = 20;   // names per list the window shows at most
    static constexpr int MAX_FACTORS = 30; // factors a category may hold

    static int CategoryCount();
    static int UnitCount(int nCategory);

    // Names in the language; "" for an index out of range, which is also where a list ends.
    static const char* CategoryName(int nCategory, Language language);
    static const char* UnitName(int nCategory, int nUnit, Language language);
    static std::vector<std::string> CategoryNames(Language language);
    static std::vector<std::string> UnitNames(int nCategory, Language language);

    // The unit's size in the base unit of its category (for a reciprocal unit, what x of it are
    // times x in the base unit); NaN for an index out of range.
    static double Factor(int nCategory, int nUnit);
    // The unit's symbol ("km", "°C"; the same in both languages); "" for an index out of range.
    static const char* Symbol(int nCategory, int nUnit);
    // What the offset rule adds before scaling (0 elsewhere); NaN for an index out of range.
    static double Offset(int nCategory, int nUnit);
    // Whether the unit measures the inverse of its category's base (litres per 100 km).
    static bool IsReciprocal(int nCategory, int nUnit);
    // The conversion rule of the category; Factor for an index out of range.
    static UnitRule Rule(int nCategory);
};

// x converted from unit nFrom to unit nTo of nCategory by the category's rule. Under the factor
// rule the ratio of the two factors is rounded first, then multiplied by x. Under the offset rule
// a result within the rounding error of the terms it was computed from is 0; under the reciprocal
// rule 0 between a quantity and its inverse gives an infinity. The same unit on both sides returns
// x unchanged; an index out of range gives NaN.
double ConvertUnit(int nCategory, int nFrom, int nTo, double x);
