#include "core/bignum/DecimalConversion.h"
#include "core/bignum/LimbMath.h"
#include "core/bignum/Ntt.h"
#include "tests/common/LongDigits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>

namespace
{
using limb::BINARY_BASE;
using limb::DECIMAL_BASE;
using limb::LimbVec;

template <uint64_t BASE>
LimbVec RandomLimbs(std::mt19937_64& rng, size_t n)
{
    LimbVec v(n);
    for (uint32_t& x : v)
        x = uint32_t(rng() % BASE);
    if (n > 0 && v.back() == 0)
        v.back() = 1;
    // Runs of top and zero limbs let carries and borrows travel far.
    if (n > 8 && rng() % 2 == 0)
        for (size_t i = n / 3; i < n / 2; ++i)
            v[i] = rng() % 2 ? uint32_t(BASE - 1) : 0;
    return v;
}

// Plain long multiplication, one limb product at a time.
template <uint64_t BASE>
LimbVec ReferenceMul(const LimbVec& a, const LimbVec& b)
{
    LimbVec r(a.size() + b.size(), 0);
    for (size_t i = 0; i < a.size(); ++i) {
        uint64_t carry = 0;
        for (size_t j = 0; j < b.size(); ++j) {
            uint64_t t = uint64_t(a[i]) * b[j] + r[i + j] + carry;
            r[i + j] = uint32_t(t % BASE);
            carry = t / BASE;
        }
        r[i + b.size()] = uint32_t(carry);
    }
    limb::Trim(r);
    return r;
}

// Decimal text by repeated division by ten.
std::string ReferenceText(LimbVec v)
{
    std::string s;
    while (!v.empty())
        s.insert(s.begin(), char('0' + limb::DivSmall<BINARY_BASE>(v, 10)));
    return s;
}

// Shorter operand sizes around the schoolbook/Karatsuba and Karatsuba/transform thresholds,
// products just within and just past three quarters of their transform's points, and the
// 50,000-digit operands of the calculator.
const std::pair<size_t, size_t> MUL_SIZES[] = {
    {1, 1},     {2, 1},     {63, 63},   {64, 64},   {65, 65},    {129, 64},  {200, 65},
    {319, 319}, {320, 320}, {321, 321}, {640, 320}, {2000, 330}, {5000, 30}, {5191, 5191},
    {95, 95},   {96, 96},   {97, 97},   {193, 96},  {255, 255},  {256, 256}, {257, 257},
    {512, 256}, {600, 255}, {385, 384}, {385, 385},
};

template <uint64_t BASE>
void CheckMultiplication(uint64_t nSeed)
{
    std::mt19937_64 rng(nSeed);
    for (auto [na, nb] : MUL_SIZES) {
        SCOPED_TRACE("sizes " + std::to_string(na) + " x " + std::to_string(nb));
        LimbVec a = RandomLimbs<BASE>(rng, na), b = RandomLimbs<BASE>(rng, nb);
        EXPECT_EQ(limb::Mul<BASE>(a, b), ReferenceMul<BASE>(a, b));
        if (na == nb) {
            EXPECT_EQ(limb::Mul<BASE>(a, a), ReferenceMul<BASE>(a, a)) << "square";
        }
        // Every limb at its top: the columns of the products reach their bounds.
        LimbVec topA(na, uint32_t(BASE - 1)), topB(nb, uint32_t(BASE - 1));
        EXPECT_EQ(limb::Mul<BASE>(topA, topB), ReferenceMul<BASE>(topA, topB)) << "top limbs";
        if (na >= 2) {
            LimbVec halves(na + nb);
            limb::MulByHalves<BASE>(halves.data(), a.data(), na, b.data(), nb);
            limb::Trim(halves);
            EXPECT_EQ(halves, ReferenceMul<BASE>(a, b)) << "by halves";
        }
    }
}

template <uint64_t BASE>
void CheckDivision(const LimbVec& a, const LimbVec& b)
{
    LimbVec q, r;
    limb::DivMod<BASE>(a, b, &q, &r);
    EXPECT_LT(limb::Compare(r, b), 0) << "remainder not below divisor";
    EXPECT_EQ(limb::Add<BASE>(limb::Mul<BASE>(q, b), r), a) << "q * b + r != a";
}

template <uint64_t BASE>
void CheckDivisions(uint64_t nSeed)
{
    std::mt19937_64 rng(nSeed);
    const std::pair<size_t, size_t> sizes[] = {{1, 1},       {3, 2},       {20, 19},  {120, 59},
                                               {120, 60},    {130, 70},    {400, 61}, {400, 300},
                                               {2000, 1000}, {10382, 5191}};
    for (auto [na, nb] : sizes) {
        SCOPED_TRACE("sizes " + std::to_string(na) + " / " + std::to_string(nb));
        LimbVec a = RandomLimbs<BASE>(rng, na), b = RandomLimbs<BASE>(rng, nb);
        CheckDivision<BASE>(a, b);
        // Exact multiples and one below the next multiple: the corrections must land exactly.
        LimbVec c = RandomLimbs<BASE>(rng, na - nb + 1), exact = limb::Mul<BASE>(b, c);
        CheckDivision<BASE>(exact, b);
        CheckDivision<BASE>(limb::Sub<BASE>(limb::Add<BASE>(exact, b), LimbVec{1}), b);
        // Divisors with a top limb of 1 and of BASE - 1.
        LimbVec low(nb, uint32_t(BASE - 1)), high(nb, 0);
        high.back() = 1;
        CheckDivision<BASE>(a, low);
        CheckDivision<BASE>(a, high);
    }
}
} // namespace

TEST(LimbMath, MultiplicationMatchesLongMultiplication)
{
    CheckMultiplication<BINARY_BASE>(11);
    CheckMultiplication<DECIMAL_BASE>(12);
}

// Products long enough to be taken by halves, which must give what one transform gives (the
// transform itself is checked against long multiplication above).
TEST(LimbMath, ProductsByHalvesMatchOneTransform)
{
    std::mt19937_64 rng(14);
    for (auto [na, nb] :
         {std::pair<size_t, size_t>{40000, 30000}, {70000, 66000}, {140000, 9000}}) {
        SCOPED_TRACE("sizes " + std::to_string(na) + " x " + std::to_string(nb));
        LimbVec a = RandomLimbs<DECIMAL_BASE>(rng, na), b = RandomLimbs<DECIMAL_BASE>(rng, nb);
        LimbVec whole(na + nb);
        limb::NttMul<DECIMAL_BASE>(whole.data(), a.data(), na, b.data(), nb);
        limb::Trim(whole);
        EXPECT_EQ(limb::Mul<DECIMAL_BASE>(a, b), whole);
        EXPECT_EQ(limb::Mul<DECIMAL_BASE>(b, a), whole);
    }
}

// One factor times several others in turn: products of one transform length share its
// transforms, a product of another length or below the transforms does not, and each is exact.
template <uint64_t BASE>
void CheckSharedFactor(uint64_t nSeed)
{
    std::mt19937_64 rng(nSeed);
    const LimbVec a = RandomLimbs<BASE>(rng, 700);
    limb::CSharedFactor<BASE> shared(a);
    for (size_t nb : {600, 650, 700, 837, 838, 1500, 40, 255, 256, 640}) {
        SCOPED_TRACE("700 x " + std::to_string(nb));
        const LimbVec b = RandomLimbs<BASE>(rng, nb);
        EXPECT_EQ(shared.Times(b), ReferenceMul<BASE>(a, b));
    }
}

TEST(LimbMath, SharedFactorGivesEveryProduct)
{
    CheckSharedFactor<BINARY_BASE>(15);
    CheckSharedFactor<DECIMAL_BASE>(16);
}

TEST(LimbMath, TransformWithAndWithoutVectorInstructionsAgree)
{
    std::mt19937_64 rng(13);
    for (auto [na, nb] : {std::pair<size_t, size_t>{1, 1},
                          {3, 2},
                          {9, 7},
                          {320, 320},
                          {1000, 333},
                          {4096, 4097},
                          {6000, 6100}}) {
        SCOPED_TRACE("sizes " + std::to_string(na) + " x " + std::to_string(nb));
        LimbVec a = RandomLimbs<BINARY_BASE>(rng, na), b = RandomLimbs<BINARY_BASE>(rng, nb);
        LimbVec fast(na + nb), portable(na + nb);
        limb::NttMul<BINARY_BASE>(fast.data(), a.data(), na, b.data(), nb);
        limb::NttMulPortable<BINARY_BASE>(portable.data(), a.data(), na, b.data(), nb);
        limb::Trim(fast);
        limb::Trim(portable);
        EXPECT_EQ(fast, portable);
        if (na <= 1000) {
            EXPECT_EQ(portable, ReferenceMul<BINARY_BASE>(a, b));
        }
        for (uint32_t& x : a)
            x %= uint32_t(DECIMAL_BASE);
        LimbVec square(2 * na);
        limb::NttMulPortable<DECIMAL_BASE>(square.data(), a.data(), na, a.data(), na);
        limb::Trim(square);
        limb::Trim(a);
        EXPECT_EQ(square, ReferenceMul<DECIMAL_BASE>(a, a)) << "portable decimal square";
    }
}

TEST(LimbMath, DivisionSatisfiesTheIdentity)
{
    CheckDivisions<BINARY_BASE>(21);
    CheckDivisions<DECIMAL_BASE>(22);
}

// The quotient without its correction stays within a few units of the exact one, on both sides
// of the switch to Newton's division.
TEST(LimbMath, ApproximateQuotientIsWithinAFewUnits)
{
    std::mt19937_64 rng(17);
    for (auto [na, nb] : {std::pair<size_t, size_t>{3, 2},
                          {120, 59},
                          {130, 70},
                          {400, 300},
                          {2000, 1000},
                          {2003, 1001},
                          {10382, 5191}}) {
        SCOPED_TRACE("sizes " + std::to_string(na) + " / " + std::to_string(nb));
        const LimbVec a = RandomLimbs<DECIMAL_BASE>(rng, na);
        const LimbVec b = RandomLimbs<DECIMAL_BASE>(rng, nb);
        LimbVec exact;
        limb::DivMod<DECIMAL_BASE>(a, b, &exact, nullptr);
        LimbVec approx = limb::ApproxQuotient<DECIMAL_BASE>(a, b);
        limb::SubAbs<DECIMAL_BASE>(approx, exact); // approx = |approx - exact|
        EXPECT_LE(limb::Compare(approx, LimbVec{4}), 0) << "more than four units off";
    }
}

// Products modulo BASE^n - 1 from one cyclic transform, against long multiplication folded by
// hand; and quotients on both sides of the split into halves, of shifted dividends and of
// divisors scaled up and down, exact after correction and within a few units before.
TEST(LimbMath, WrappedProductsAndSplitQuotientsAreExact)
{
    std::mt19937_64 rng(53);
    for (auto [n, na, nb] : {std::tuple<size_t, size_t, size_t>{4, 4, 3},
                             {8, 8, 8},
                             {1024, 1024, 1024},
                             {1024, 600, 3},
                             {4096, 4096, 2100}}) {
        SCOPED_TRACE("n " + std::to_string(n) + ", sizes " + std::to_string(na) + " x " +
                     std::to_string(nb));
        const LimbVec a = RandomLimbs<DECIMAL_BASE>(rng, na),
                      b = RandomLimbs<DECIMAL_BASE>(rng, nb);
        LimbVec expected = ReferenceMul<DECIMAL_BASE>(a, b);
        while (expected.size() > n)
            expected = limb::Add<DECIMAL_BASE>(limb::ShiftDown(expected, n),
                                               LimbVec(expected.begin(), expected.begin() + n));
        LimbVec wrapped = limb::NttWrappedProduct<DECIMAL_BASE>(a.data(), na, b.data(), nb, n);
        if (std::all_of(wrapped.begin(), wrapped.end(),
                        [](uint32_t x) { return x == DECIMAL_BASE - 1; }))
            wrapped.clear();
        limb::Trim(wrapped);
        if (expected == LimbVec(n, uint32_t(DECIMAL_BASE - 1)))
            expected.clear();
        EXPECT_EQ(wrapped, expected);
    }
    for (auto [na, nShift, nb] : {std::tuple<size_t, size_t, size_t>{1100, 0, 78},
                                  {1101, 0, 78},
                                  {2000, 0, 970},
                                  {1030, 1030, 1033},
                                  {3000, 3000, 3003},
                                  {5000, 0, 2600},
                                  {6000, 0, 200}}) {
        SCOPED_TRACE("sizes " + std::to_string(na) + " << " + std::to_string(nShift) + " / " +
                     std::to_string(nb));
        LimbVec a = RandomLimbs<DECIMAL_BASE>(rng, na), b = RandomLimbs<DECIMAL_BASE>(rng, nb);
        const LimbVec shifted = limb::ShiftUp(a, nShift);
        CheckDivision<DECIMAL_BASE>(shifted, b);
        LimbVec exact;
        limb::DivMod<DECIMAL_BASE>(shifted, b, &exact, nullptr);
        LimbVec approx = limb::ApproxQuotient<DECIMAL_BASE>(std::move(a), nShift, std::move(b));
        limb::SubAbs<DECIMAL_BASE>(approx, exact);
        EXPECT_LE(limb::Compare(approx, LimbVec{4}), 0) << "more than four units off";
    }
}

TEST(LimbMath, ReciprocalIsTheFloor)
{
    std::mt19937_64 rng(31);
    for (size_t k : {1, 2, 24, 25, 26, 61, 200, 1500}) {
        SCOPED_TRACE("k " + std::to_string(k));
        LimbVec b = RandomLimbs<DECIMAL_BASE>(rng, k);
        LimbVec x = limb::Reciprocal<DECIMAL_BASE>(b);
        LimbVec power(2 * k + 1, 0);
        power.back() = 1;
        LimbVec prod = limb::Mul<DECIMAL_BASE>(x, b);
        EXPECT_LE(limb::Compare(prod, power), 0);
        EXPECT_GT(limb::Compare(limb::Add<DECIMAL_BASE>(prod, b), power), 0);
    }
}

TEST(LimbMath, ReciprocalSquareRootIsWithinAFewUnits)
{
    for (size_t k : {1, 4, 5, 9, 40, 700})
        for (uint32_t a : {2u, 10005u}) {
            SCOPED_TRACE("k " + std::to_string(k) + " a " + std::to_string(a));
            LimbVec y = limb::ReciprocalSqrt<DECIMAL_BASE>(a, k);
            LimbVec power(2 * k + 1, 0);
            power.back() = 1;
            LimbVec below = limb::Sub<DECIMAL_BASE>(y, LimbVec{8}),
                    above = limb::Add<DECIMAL_BASE>(y, LimbVec{8});
            LimbVec lo = limb::Mul<DECIMAL_BASE>(below, below),
                    hi = limb::Mul<DECIMAL_BASE>(above, above);
            limb::MulSmall<DECIMAL_BASE>(lo, a);
            limb::MulSmall<DECIMAL_BASE>(hi, a);
            EXPECT_LT(limb::Compare(lo, power), 0);
            EXPECT_GT(limb::Compare(hi, power), 0);
        }
}

TEST(LimbMath, DecimalTextRoundTrips)
{
    std::mt19937_64 rng(41);
    for (size_t n : {1, 9, 10, 539, 540, 541, 578, 579, 1200, 5000, 50000, 100000}) {
        SCOPED_TRACE("digits " + std::to_string(n));
        std::string s = RandomDigits(rng, n);
        LimbVec x = limb::BinaryFromDigits(s);
        EXPECT_EQ(limb::DecimalToText(limb::DecimalFromBinary(x)), s);
        if (n <= 5000) {
            EXPECT_EQ(ReferenceText(x), s);
        }
    }
    EXPECT_EQ(limb::BinaryFromDigits("000"), LimbVec{});
    EXPECT_EQ(limb::DecimalToText({}), "");
    EXPECT_EQ(limb::DecimalToText({5, 0, 7}), "7000000000000000005");
}
