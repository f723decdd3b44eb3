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
// Decimal limbs of a text of the digits '0' to '9' only, read nine digits at a time.
LimbVec DecimalFromDigits(std::string_view strDigits);
// Decimal limbs spelt out without leading zeros, after a minus sign when bMinus; zero gives the
// empty text.
std::string DecimalToText(const LimbVec& d, bool bMinus = false);

// At least as many limbs as a value of nDigits decimal digits takes in binary, and as a value of
// n binary limbs takes in decimal limbs; one more at most.
size_t BinaryLimbs(size_t nDigits);
size_t DecimalLimbs(size_t n);

// The work of the three conversions in the units of MulUnits (LimbMath.h), for a text of nDigits
// digits, a binary value of n limbs and n decimal limbs. The conversions credit it to the current
// calculation's progress as they go.
uint64_t BinaryFromDigitsUnits(size_t nDigits);
uint64_t DecimalFromDigitsUnits(size_t nDigits);
uint64_t DecimalFromBinaryUnits(size_t n);
uint64_t DecimalToTextUnits(size_t n);
} // namespace limb
