#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A long integer for the long-number calculator: magnitude in base 2^32, least significant limb
// first, and a sign flag. Operations leave their operands unchanged and return new values; the
// magnitude grows as needed. Operands of the calculator are non-negative; `Sub` marks a negative
// difference with sign 0, `Mul` and `Div` give sign 0 when the operands' signs differ, `Add` and
// `Mod` are always non-negative. Signs never change a magnitude.
class BigNum
{
public:
    BigNum() = default;

    // Sets the magnitude to v; the sign stays.
    void SetValue(uint64_t v);
    // 1, 0 or -1 as this magnitude is greater than, equal to or less than the other's.
    int Compare(const BigNum& other) const;

    BigNum Add(const BigNum& other) const;
    BigNum Sub(const BigNum& other) const;
    BigNum Mul(const BigNum& other) const;
    // Truncated quotient and non-negative remainder; other must be non-zero.
    BigNum Div(const BigNum& other) const;
    BigNum Mod(const BigNum& other) const;

    // d >= 0, m >= 0, and d >= 1 for the divisions; the sign stays.
    BigNum AddSmall(int32_t d) const;
    BigNum MulSmall(int32_t m) const;
    BigNum DivSmall(int32_t d) const;
    int32_t ModSmall(int32_t d) const;

    // The number the text spells in radix (2 to 36). A character counts as its code minus that of
    // "0" (codes below "0" as 0): callers check their text first.
    void FromText(std::string_view strText, int nRadix);
    // The magnitude in radix (2 to 36; digits past 9 continue after "9" in the character table),
    // without sign or leading zeros; zero gives the empty text.
    std::string ToText(int nRadix) const;

    bool IsZero() const { return length == 1 && limbs[0] == 0; }

    // 1 = non-negative, 0 = negative.
    int32_t sign = 1;
    // Limbs in use, at least 1; the top one is non-zero unless the value is zero.
    int32_t length = 1;
    // limbs.size() == length.
    std::vector<uint32_t> limbs = std::vector<uint32_t>(1, 0);

private:
    static BigNum FromMagnitude(std::vector<uint32_t> magnitude, int32_t nSign);
    std::vector<uint32_t> Magnitude() const;
    // The magnitude as the limb functions take it without a copy when the limbs already are
    // normalized; else a normalized copy made in *pCopy.
    const std::vector<uint32_t>& MagnitudeView(std::vector<uint32_t>* pCopy) const;
};
