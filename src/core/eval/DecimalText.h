#pragma once

#include <string_view>

// The number at the start of strText as the C library's atof reads it, whatever the process
// locale: leading blanks, an optional sign, digits with an optional point, an optional exponent
// (e or E, optional sign, digits); reading stops at the first other character. Text without a
// number reads as 0; a magnitude beyond the double range reads as infinity, one below it as 0.
double ReadLeadingNumber(std::string_view strText);
