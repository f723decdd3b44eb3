#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the unit converter shows in one value box when the other one is typed in.

// Significant digits of a converted value.
constexpr int UNIT_RESULT_DIGITS = 12;

// The text for the box of unit nTo when strTyped stands in the box of unit nFrom: the number read
// from strTyped, converted by ConvertUnit and written in general notation with 12 significant
// digits and a three-digit exponent. nullopt when the category or either unit is not a valid
// index (a list with nothing selected gives -1); nothing is converted then.
std::optional<std::string> ConvertedText(int nCategory, int nFrom, int nTo,
                                         std::string_view strTyped);
