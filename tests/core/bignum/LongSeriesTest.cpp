#include "core/bignum/DecimalConversion.h"
#include "core/bignum/LimbMath.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongSeries.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{
constexpr uint64_t GROUP = 1000000000;

// Fixed-point numbers for the reference series: limb 0 is the integer part, limbs 1 .. L hold
// nine fraction digits each.
using Fixed = std::vector<uint64_t>;

bool IsZero(const Fixed& x)
{
    for (uint64_t v : x)
        if (v != 0)
            return false;
    return true;
}

void DivideBy(Fixed& x, uint64_t d)
{
    uint64_t r = 0;
    for (uint64_t& v : x) {
        uint64_t t = r * GROUP + v;
        v = t / d;
        r = t % d;
    }
}

void AddTo(Fixed& sum, const Fixed& x)
{
    uint64_t carry = 0;
    for (size_t i = x.size(); i-- > 0;) {
        uint64_t t = sum[i] + x[i] + carry;
        sum[i] = t % GROUP;
        carry = t / GROUP;
    }
}

void SubtractFrom(Fixed& sum, const Fixed& x)
{
    uint64_t borrow = 0;
    for (size_t i = x.size(); i-- > 0;) {
        uint64_t t = x[i] + borrow;
        borrow = sum[i] < t;
        sum[i] = borrow ? sum[i] + GROUP - t : sum[i] - t;
    }
}

std::string FixedText(const Fixed& x, size_t nFraction)
{
    std::string s = std::to_string(x[0]) + ".";
    for (size_t i = 1; i < x.size(); ++i) {
        std::string g = std::to_string(x[i]);
        s += std::string(9 - g.size(), '0') + g;
    }
    return s.substr(0, 2 + nFraction);
}

// m * arctan(1/x) = m * sum of (-1)^k / ((2k + 1) x^(2k + 1)), added into positive and
// negative sums.
void AddArctan(Fixed& plus, Fixed& minus, uint64_t m, uint64_t x, size_t nLimbs)
{
    Fixed power(nLimbs, 0);
    power[0] = m;
    DivideBy(power, x);
    for (uint64_t k = 0; !IsZero(power); ++k) {
        Fixed term = power;
        DivideBy(term, 2 * k + 1);
        AddTo(k % 2 == 0 ? plus : minus, term);
        DivideBy(power, x * x);
    }
}

// Machin's formula, pi = 16 arctan(1/5) - 4 arctan(1/239), with 27 guard digits.
std::string ReferencePi(size_t nFraction)
{
    size_t nLimbs = nFraction / 9 + 4;
    Fixed plus(nLimbs, 0), minus(nLimbs, 0);
    AddArctan(plus, minus, 16, 5, nLimbs);
    AddArctan(minus, plus, 4, 239, nLimbs);
    SubtractFrom(plus, minus);
    return FixedText(plus, nFraction);
}

// e = sum of 1/k!, with 27 guard digits.
std::string ReferenceE(size_t nFraction)
{
    size_t nLimbs = nFraction / 9 + 4;
    Fixed sum(nLimbs, 0), term(nLimbs, 0);
    term[0] = 1;
    sum[0] = 1;
    for (uint64_t k = 1; !IsZero(term); ++k) {
        DivideBy(term, k);
        AddTo(sum, term);
    }
    return FixedText(sum, nFraction);
}

// n! by multiplying eight-digit groups, most significant last.
std::string ReferenceFactorial(int n)
{
    std::vector<uint64_t> groups{1};
    for (uint64_t m = 2; m <= uint64_t(n); ++m) {
        uint64_t carry = 0;
        for (uint64_t& g : groups) {
            uint64_t p = g * m + carry;
            g = p % 100000000;
            carry = p / 100000000;
        }
        for (; carry != 0; carry /= 100000000)
            groups.push_back(carry % 100000000);
    }
    std::string s = std::to_string(groups.back());
    for (size_t i = groups.size() - 1; i-- > 0;) {
        std::string g = std::to_string(groups[i]);
        s += std::string(8 - g.size(), '0') + g;
    }
    return s;
}

const char* const PI_50 = "3.14159265358979323846264338327950288419716939937510";
const char* const E_50 = "2.71828182845904523536028747135266249775724709369995";
} // namespace

TEST(LongSeries, ReferenceSeriesStartWithTheKnownDigits)
{
    EXPECT_EQ(ReferencePi(50), PI_50);
    EXPECT_EQ(ReferenceE(50), E_50);
}

// The decimals 999,991 to 1,000,000 of pi and of e, as published with their first million.
TEST(LongSeries, PiAndEEndTheirFirstMillionDecimalsWithTheKnownDigits)
{
    const struct
    {
        std::string (*pCompute)(int);
        const char* pLastTen;
    } cases[] = {{ComputePi, "5779458151"}, {ComputeE, "7694228188"}};
    for (const auto& c : cases) {
        const std::string s = c.pCompute(1'000'001);
        ASSERT_EQ(s.size(), 1'000'002u);
        EXPECT_EQ(s.substr(s.size() - 10), c.pLastTen);
    }
}

TEST(LongSeries, PiAndEMatchTheReferenceToTenThousandDigits)
{
    EXPECT_EQ(ComputePi(10001), ReferencePi(10000));
    EXPECT_EQ(ComputeE(10001), ReferenceE(10000));
    EXPECT_EQ(ComputePi(1000), ReferencePi(999));
    EXPECT_EQ(ComputeE(1000), ReferenceE(999));
}

TEST(LongSeries, DigitsAreCutNotRounded)
{
    struct Case
    {
        bool bPi;
        int n;
        const char* expected;
    };
    const Case cases[] = {
        {true, 0, "3"},       {true, 1, "3."}, {true, 2, "3.1"}, {true, 5, "3.1415"},
        {true, 6, "3.14159"}, {false, 0, "2"}, {false, 1, "2."}, {false, 3, "2.71"},
        {false, 5, "2.7182"}, {true, -1, ""},  {false, -7, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.bPi ? "pi " : "e ") + std::to_string(c.n));
        EXPECT_EQ(c.bPi ? ComputePi(c.n) : ComputeE(c.n), c.expected);
    }
}

TEST(LongSeries, EveryLengthIsAPrefixOfTheLongerText)
{
    std::string strPi = ComputePi(400), strE = ComputeE(400);
    for (int n = 2; n < 400; n += 7) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ComputePi(n), strPi.substr(0, size_t(n) + 1));
        EXPECT_EQ(ComputeE(n), strE.substr(0, size_t(n) + 1));
    }
}

TEST(LongSeries, FactorialsMatchGroupMultiplication)
{
    EXPECT_EQ(ComputeFactorial(0), "1");
    EXPECT_EQ(ComputeFactorial(1), "1");
    EXPECT_EQ(ComputeFactorial(10), "3628800");
    EXPECT_EQ(ComputeFactorial(35), "10333147966386144929666651337523200000000");
    EXPECT_EQ(ComputeFactorial(-3), "");
    for (int n : {2, 12, 13, 20, 21, 34, 35, 36, 100, 1000, 3000}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ComputeFactorial(n), ReferenceFactorial(n));
    }
}

// Beyond the reach of the reference: n! and (n - 1)! come from trees split at other factors,
// with nodes long enough to multiply their halves one after the other.
TEST(LongSeries, LongFactorialIsTheOneBeforeTimesN)
{
    for (uint32_t n : {30011u, 80000u}) {
        SCOPED_TRACE(n);
        limb::LimbVec previous = limb::DecimalFromDigits(ComputeFactorial(int(n) - 1));
        limb::MulSmall<limb::DECIMAL_BASE>(previous, n);
        EXPECT_EQ(ComputeFactorial(int(n)), limb::DecimalToText(previous));
    }
}

TEST(LongSeries, RaisedFlagStopsTheComputation)
{
    CLongControl control;
    control.Cancel();
    const CLongControl::Scope scope(&control);
    EXPECT_THROW(ComputePi(100000), LongCancelled);
    EXPECT_THROW(ComputeE(100000), LongCancelled);
    EXPECT_THROW(ComputeFactorial(100000), LongCancelled);
}
