#include "core/bignum/DecimalConversion.h"

#include "core/bignum/LongControl.h"
#include "core/bignum/LongPool.h"

#include <cmath>

namespace limb
{
namespace
{
constexpr size_t DIGITS_PER_LIMB = 9;
// Texts of up to this many digits are read one 9-digit group at a time.
constexpr size_t TEXT_BASE_CASE = 9 * 60;
// Binary values of up to this many limbs are converted one 9-digit group at a time.
constexpr size_t BINARY_BASE_CASE = 60;
constexpr size_t SPLIT_UNIT = 7;
// Limbs spelt out between looks at the cancellation flag.
constexpr size_t TEXT_GRAIN = size_t(1) << 16;
// Halves of at least this many limbs are converted on two threads.
constexpr size_t PARALLEL_LIMBS = size_t(1) << 12;
// Work units of spelling out one decimal limb, against one limb product of a multiplication.
constexpr uint64_t UNITS_PER_SPELT_LIMB = 8;

template <class First, class Second>
void Fork(size_t nLimbs, const First& first, const Second& second)
{
    if (nLimbs >= PARALLEL_LIMBS)
        return CLongPool::Invoke(first, second);
    first();
    second();
}

uint32_t GroupValue(std::string_view strDigits)
{
    uint32_t v = 0;
    for (char ch : strDigits)
        v = v * 10 + uint32_t(ch - '0');
    return v;
}

// The groups of a text, each multiplied into the value read so far: about half their count
// squared limb products.
uint64_t ByGroupsUnits(size_t nGroups) { return uint64_t(nGroups) * nGroups / 2 + 1; }

LimbVec FromDigitsByGroups(std::string_view strDigits)
{
    CreditWork(ByGroupsUnits(strDigits.size() / DIGITS_PER_LIMB + 1));
    LimbVec r(strDigits.size() / DIGITS_PER_LIMB + 2, 0);
    size_t n = 0;
    size_t nFirst = strDigits.size() % DIGITS_PER_LIMB;
    size_t nGroup = nFirst != 0 ? nFirst : DIGITS_PER_LIMB;
    for (size_t i = 0; i < strDigits.size(); i += nGroup, nGroup = DIGITS_PER_LIMB) {
        uint32_t carry = MulSmallN<BINARY_BASE>(r.data(), r.data(), n, uint32_t(DECIMAL_BASE),
                                                GroupValue(strDigits.substr(i, nGroup)));
        if (carry != 0)
            r[n++] = carry;
    }
    r.resize(n);
    Trim(r);
    return r;
}

// The power index that splits a text of n digits.
size_t TextSplit(size_t n)
{
    size_t j = 0;
    while (DIGITS_PER_LIMB << (j + 1) < n)
        ++j;
    return j;
}

// powers[j] = 10^(9 * 2^j) in binary limbs, computed beforehand for every split of the text.
LimbVec FromDigits(std::string_view strDigits, const std::vector<LimbVec>& powers)
{
    if (strDigits.size() <= TEXT_BASE_CASE)
        return FromDigitsByGroups(strDigits);
    size_t j = TextSplit(strDigits.size());
    size_t nLow = DIGITS_PER_LIMB << j;
    std::string_view strHigh = strDigits.substr(0, strDigits.size() - nLow);
    LimbVec high, low;
    Fork(
        nLow / DIGITS_PER_LIMB, [&] { high = FromDigits(strHigh, powers); },
        [&] { low = FromDigits(strDigits.substr(strHigh.size()), powers); });
    LimbVec r = Mul<BINARY_BASE>(high, powers[j]);
    high = LimbVec();
    AddTo<BINARY_BASE>(r, low);
    return r;
}

// A 9-digit group taken off n binary limbs at a time, each a pass over what is left.
uint64_t ToDecimalByGroupsUnits(size_t n) { return uint64_t(n) * n + 1; }

LimbVec ToDecimalByGroups(const uint32_t* x, size_t n)
{
    CreditWork(ToDecimalByGroupsUnits(n));
    LimbVec work(x, x + n), r;
    while (n > 0) {
        // The divisor is a constant here, which turns every division into a multiplication.
        uint64_t rem = 0;
        for (size_t i = n; i-- > 0;) {
            uint64_t v = (rem << 32) | work[i];
            work[i] = uint32_t(v / DECIMAL_BASE);
            rem = v % DECIMAL_BASE;
        }
        r.push_back(uint32_t(rem));
        n = Normalized(work.data(), n);
    }
    return r;
}

size_t BinarySplit(size_t n)
{
    size_t j = 0;
    while (SPLIT_UNIT << (j + 1) < n)
        ++j;
    return j;
}

// powers[j] = 2^(32 * SPLIT_UNIT * 2^j) in decimal limbs, computed beforehand for every split. A
// decimal value takes about 7% more limbs than the binary one, so halves of SPLIT_UNIT * 2^j
// binary limbs (7/16 of a power of two) keep each product just inside a power-of-two transform.
LimbVec ToDecimal(const uint32_t* x, size_t n, const std::vector<LimbVec>& powers)
{
    n = Normalized(x, n);
    if (n <= BINARY_BASE_CASE)
        return ToDecimalByGroups(x, n);
    size_t j = BinarySplit(n);
    size_t h = SPLIT_UNIT << j;
    LimbVec high, low;
    Fork(
        h, [&] { high = ToDecimal(x + h, n - h, powers); }, [&] { low = ToDecimal(x, h, powers); });
    LimbVec r = Mul<DECIMAL_BASE>(high, powers[j]);
    high = LimbVec();
    AddTo<DECIMAL_BASE>(r, low);
    return r;
}

template <uint64_t BASE>
void ExtendPowers(std::vector<LimbVec>& powers, size_t j)
{
    while (powers.size() <= j)
        powers.push_back(Mul<BASE>(powers.back(), powers.back()));
}

// The units of FromDigits and ToDecimal, following their splits.
uint64_t FromDigitsUnits(size_t nDigits)
{
    if (nDigits <= TEXT_BASE_CASE)
        return ByGroupsUnits(nDigits / DIGITS_PER_LIMB + 1);
    size_t nLow = DIGITS_PER_LIMB << TextSplit(nDigits);
    return FromDigitsUnits(nDigits - nLow) + FromDigitsUnits(nLow) +
           MulUnits(BinaryLimbs(nDigits - nLow), BinaryLimbs(nLow));
}

uint64_t ToDecimalUnits(size_t n)
{
    if (n <= BINARY_BASE_CASE)
        return ToDecimalByGroupsUnits(n);
    size_t h = SPLIT_UNIT << BinarySplit(n);
    return ToDecimalUnits(n - h) + ToDecimalUnits(h) +
           MulUnits(DecimalLimbs(n - h), DecimalLimbs(h));
}
} // namespace

LimbVec BinaryFromDigits(std::string_view strDigits)
{
    size_t nZeros = strDigits.find_first_not_of('0');
    if (nZeros == std::string_view::npos)
        return {};
    std::string_view strValue = strDigits.substr(nZeros);
    std::vector<LimbVec> powers{LimbVec{uint32_t(DECIMAL_BASE)}};
    if (strValue.size() > TEXT_BASE_CASE)
        ExtendPowers<BINARY_BASE>(powers, TextSplit(strValue.size()));
    return FromDigits(strValue, powers);
}

LimbVec DecimalFromBinary(const LimbVec& x)
{
    LimbVec unit(SPLIT_UNIT + 1, 0);
    unit.back() = 1;
    std::vector<LimbVec> powers{ToDecimalByGroups(unit.data(), unit.size())};
    size_t n = Normalized(x.data(), x.size());
    if (n > BINARY_BASE_CASE)
        ExtendPowers<DECIMAL_BASE>(powers, BinarySplit(n));
    return ToDecimal(x.data(), n, powers);
}

LimbVec DecimalFromDigits(std::string_view strDigits)
{
    const size_t nDigits = strDigits.size(),
                 nLimbs = (nDigits + DIGITS_PER_LIMB - 1) / DIGITS_PER_LIMB;
    LimbVec r(nLimbs);
    // Limb i holds the nine digits that end 9 i digits before the end of the text.
    CLongPool::For(nLimbs, TEXT_GRAIN, [&](size_t i0, size_t i1) {
        for (size_t i = i0; i < i1; ++i) {
            const size_t nEnd = nDigits - DIGITS_PER_LIMB * i;
            const size_t nBegin = nEnd > DIGITS_PER_LIMB ? nEnd - DIGITS_PER_LIMB : 0;
            r[i] = GroupValue(strDigits.substr(nBegin, nEnd - nBegin));
        }
        CreditWork((i1 - i0) * UNITS_PER_SPELT_LIMB);
    });
    Trim(r);
    return r;
}

std::string DecimalToText(const LimbVec& d, bool bMinus)
{
    if (d.empty())
        return {};
    std::string strText = (bMinus ? "-" : "") + std::to_string(d.back());
    size_t nLead = strText.size(), nLow = d.size() - 1;
    strText.resize(nLead + DIGITS_PER_LIMB * nLow);
    // Limb i of the lower ones is spelt at its own place, counted from the end of the text.
    char* pEnd = strText.data() + strText.size();
    CLongPool::For(nLow, TEXT_GRAIN, [&](size_t i0, size_t i1) {
        for (size_t i = i0; i < i1; ++i) {
            char* p = pEnd - DIGITS_PER_LIMB * (i + 1);
            uint32_t v = d[i];
            for (size_t k = DIGITS_PER_LIMB; k-- > 0; v /= 10)
                p[k] = char('0' + v % 10);
        }
        CreditWork((i1 - i0) * UNITS_PER_SPELT_LIMB);
    });
    return strText;
}

size_t BinaryLimbs(size_t nDigits) { return size_t(double(nDigits) * std::log2(10.0) / 32) + 1; }

size_t DecimalLimbs(size_t n) { return size_t(double(n) * 32 * std::log10(2.0) / 9) + 1; }

uint64_t BinaryFromDigitsUnits(size_t nDigits)
{
    if (nDigits <= TEXT_BASE_CASE)
        return FromDigitsUnits(nDigits);
    uint64_t nUnits = FromDigitsUnits(nDigits);
    for (size_t j = 0; j < TextSplit(nDigits); ++j) {
        size_t nPower = BinaryLimbs(DIGITS_PER_LIMB << j);
        nUnits += MulUnits(nPower, nPower);
    }
    return nUnits;
}

uint64_t DecimalFromBinaryUnits(size_t n)
{
    if (n <= BINARY_BASE_CASE)
        return ToDecimalUnits(n);
    uint64_t nUnits = ToDecimalUnits(n);
    for (size_t j = 0; j < BinarySplit(n); ++j) {
        size_t nPower = DecimalLimbs(SPLIT_UNIT << j);
        nUnits += MulUnits(nPower, nPower);
    }
    return nUnits;
}

uint64_t DecimalToTextUnits(size_t n) { return n * UNITS_PER_SPELT_LIMB; }

uint64_t DecimalFromDigitsUnits(size_t nDigits)
{
    return (nDigits + DIGITS_PER_LIMB - 1) / DIGITS_PER_LIMB * UNITS_PER_SPELT_LIMB;
}
} // namespace limb
