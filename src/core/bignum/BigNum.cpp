#include "core/bignum/BigNum.h"

#include "core/bignum/DecimalConversion.h"
#include "core/bignum/LimbMath.h"

#include <algorithm>
#include <cassert>

namespace
{
constexpr uint64_t BIN = limb::BINARY_BASE;

bool IsAllDigits(std::string_view strText)
{
    return std::all_of(strText.begin(), strText.end(),
                       [](char ch) { return ch >= '0' && ch <= '9'; });
}
} // namespace

BigNum BigNum::FromMagnitude(std::vector<uint32_t> magnitude, int32_t nSign)
{
    limb::Trim(magnitude);
    BigNum r;
    r.sign = nSign;
    if (!magnitude.empty()) {
        r.length = int32_t(magnitude.size());
        r.limbs = std::move(magnitude);
    }
    return r;
}

std::vector<uint32_t> BigNum::Magnitude() const
{
    std::vector<uint32_t> m(limbs.begin(), limbs.begin() + length);
    limb::Trim(m);
    return m;
}

void BigNum::SetValue(uint64_t v)
{
    limbs.assign(1, uint32_t(v));
    if (v >> 32 != 0)
        limbs.push_back(uint32_t(v >> 32));
    length = int32_t(limbs.size());
}

const std::vector<uint32_t>& BigNum::MagnitudeView(std::vector<uint32_t>* pCopy) const
{
    if (size_t(length) == limbs.size() && !limbs.empty() && limbs.back() != 0)
        return limbs;
    *pCopy = Magnitude();
    return *pCopy;
}

int BigNum::Compare(const BigNum& other) const
{
    std::vector<uint32_t> ca, cb;
    return limb::Compare(MagnitudeView(&ca), other.MagnitudeView(&cb));
}

BigNum BigNum::Add(const BigNum& other) const
{
    std::vector<uint32_t> ca, cb;
    return FromMagnitude(limb::Add<BIN>(MagnitudeView(&ca), other.MagnitudeView(&cb)), 1);
}

BigNum BigNum::Sub(const BigNum& other) const
{
    std::vector<uint32_t> ca, cb;
    const std::vector<uint32_t>& a = MagnitudeView(&ca);
    const std::vector<uint32_t>& b = other.MagnitudeView(&cb);
    if (limb::Compare(a, b) >= 0)
        return FromMagnitude(limb::Sub<BIN>(a, b), 1);
    return FromMagnitude(limb::Sub<BIN>(b, a), 0);
}

BigNum BigNum::Mul(const BigNum& other) const
{
    std::vector<uint32_t> ca, cb;
    return FromMagnitude(limb::Mul<BIN>(MagnitudeView(&ca), other.MagnitudeView(&cb)),
                         sign == other.sign ? 1 : 0);
}

BigNum BigNum::Div(const BigNum& other) const
{
    assert(!other.IsZero());
    std::vector<uint32_t> ca, cb, q;
    limb::DivMod<BIN>(MagnitudeView(&ca), other.MagnitudeView(&cb), &q, nullptr);
    return FromMagnitude(std::move(q), sign == other.sign ? 1 : 0);
}

BigNum BigNum::Mod(const BigNum& other) const
{
    assert(!other.IsZero());
    std::vector<uint32_t> ca, cb, r;
    limb::DivMod<BIN>(MagnitudeView(&ca), other.MagnitudeView(&cb), nullptr, &r);
    return FromMagnitude(std::move(r), 1);
}

BigNum BigNum::AddSmall(int32_t d) const
{
    assert(d >= 0);
    std::vector<uint32_t> m = Magnitude();
    limb::AddSmall<BIN>(m, uint32_t(d));
    return FromMagnitude(std::move(m), sign);
}

BigNum BigNum::MulSmall(int32_t m) const
{
    assert(m >= 0);
    std::vector<uint32_t> v = Magnitude();
    limb::MulSmall<BIN>(v, uint32_t(m));
    return FromMagnitude(std::move(v), sign);
}

BigNum BigNum::DivSmall(int32_t d) const
{
    assert(d >= 1);
    std::vector<uint32_t> v = Magnitude();
    limb::DivSmall<BIN>(v, uint32_t(d));
    return FromMagnitude(std::move(v), sign);
}

int32_t BigNum::ModSmall(int32_t d) const
{
    assert(d >= 1);
    std::vector<uint32_t> v = Magnitude();
    return int32_t(limb::DivSmall<BIN>(v, uint32_t(d)));
}

void BigNum::FromText(std::string_view strText, int nRadix)
{
    assert(nRadix >= 2 && nRadix <= 36);
    std::vector<uint32_t> m;
    if (nRadix == 10 && IsAllDigits(strText))
        m = limb::BinaryFromDigits(strText);
    else
        for (char ch : strText) {
            limb::MulSmall<BIN>(m, uint32_t(nRadix));
            limb::AddSmall<BIN>(m, ch >= '0' ? uint32_t(ch - '0') : 0);
        }
    *this = FromMagnitude(std::move(m), sign);
}

std::string BigNum::ToText(int nRadix) const
{
    assert(nRadix >= 2 && nRadix <= 36);
    if (nRadix == 10) {
        std::vector<uint32_t> copy;
        return limb::DecimalToText(limb::DecimalFromBinary(MagnitudeView(&copy)));
    }
    std::vector<uint32_t> m = Magnitude();
    std::string strText;
    while (!m.empty())
        strText.push_back(char('0' + limb::DivSmall<BIN>(m, uint32_t(nRadix))));
    std::reverse(strText.begin(), strText.end());
    return strText;
}
