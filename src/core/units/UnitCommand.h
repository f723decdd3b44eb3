#pragma once

#include "core/base/Language.h"
#include "core/base/TextOut.h"

#include <string>
#include <string_view>
#include <vector>

// A unit of the tables, by category and unit index.
struct UnitRef
{
    int nCategory;
    int nUnit;
};

// The units strWord names, in table order: a unit is named by its symbol ("kWh", "°C" or "C"),
// its English name ("kilowatt hour (kWh)") or that name without the symbol ("kilowatt hour",
// "calorie thermochemical") or without what follows it ("calorie"). Letters compare without
// regard to case, blanks are ignored and "u" stands for "µ".
std::vector<UnitRef> UnitsNamed(std::string_view strWord);

// The unit converter on the command line: args are the words after "convert", one of
//   VALUE FROM TO     --list
// VALUE FROM TO prints the text the converter window shows for VALUE typed in the box of FROM,
// in the box of TO, and a line break on out, and returns 0. A VALUE that is not a number, a unit
// that is not known, or units of two categories print a one-line message on err naming the
// units that would do, and return 1; wrong usage prints a one-line usage message on err and
// returns 2. --list prints every category with its units, symbol and name, in language.
int RunConvertCommand(const std::vector<std::string>& args, CTextOut& out, CTextOut& err,
                      Language language);
