#include "core/units/UnitConversion.h"

#include "core/eval/CalcValue.h"
#include "core/eval/DecimalText.h"
#include "core/units/UnitTable.h"

std::optional<std::string> ConvertedText(int nCategory, int nFrom, int nTo,
                                         std::string_view strTyped)
{
    if (nCategory < 0 || nCategory >= UnitTable::CategoryCount())
        return std::nullopt;
    const int nUnits = UnitTable::UnitCount(nCategory);
    if (nFrom < 0 || nFrom >= nUnits || nTo < 0 || nTo >= nUnits)
        return std::nullopt;
    const double x = ReadLeadingNumber(strTyped);
    return FormatGeneral(ConvertUnit(nCategory, nFrom, nTo, x), UNIT_RESULT_DIGITS);
}
