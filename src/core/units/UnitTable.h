#pragma once

#include "core/base/Language.h"

#include <string>
#include <vector>

// The fixed tables of the unit converter: six categories, each an ordered list of units with an
// English name, a Chinese name and a factor giving the unit's size in the category's base unit.
// Category and unit indexes are the list positions the converter window shows.
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

    // The unit's size in the base unit of its category; NaN for an index out of range.
    static double Factor(int nCategory, int nUnit);
};

// x converted from unit nFrom to unit nTo of nCategory: the ratio of the two factors is rounded
// first, then multiplied by x. An index out of range gives NaN.
double ConvertUnit(int nCategory, int nFrom, int nTo, double x);
