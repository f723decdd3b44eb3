#pragma once

#include "core/bignum/LimbMath.h"

#include <string>
#include <string_view>

// Conversions between decimal digit text, binary limbs and decimal (10^9) limbs. Long values are
// split in halves and joined by one multiplication per level, so the cost grows like that of a
// multiplication times the logarithm of the length.
namespace limb
{
// Binary value of a text of the digits '0' to '9' only.
LimbVec BinaryFromDigits(std::string_view strDigits);
// The same value in decimal limbs.
LimbVec DecimalFromBinary(const LimbVec& x);
// Decimal limbs spelt out without leading zeros; zero gives the empty text.
std::string DecimalToText(const LimbVec& d);
} // namespace limb
