#include "core/bignum/LongSeries.h"

#include "core/bignum/DecimalConversion.h"
#include "core/bignum/LimbMath.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongPool.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>

namespace
{
constexpr uint64_t DEC = limb::DECIMAL_BASE;
constexpr size_t DIGITS_PER_LIMB = 9;
using limb::LimbVec;

// Guard limbs beyond the requested digits; when the digits after the cut could still change
// within the error of the computation, it is repeated with more of them.
constexpr size_t FIRST_GUARD_LIMBS = 3;
constexpr size_t UNSURE_LAST_DIGITS = 5;
// Decimal digits each term of the Chudnovsky series adds: log10(640320^3 / 1728).
constexpr double CHUDNOVSKY_DIGITS_PER_TERM = 14.18;
// Ranges of at most this many terms of pi are summed one term at a time.
constexpr uint64_t CHUDNOVSKY_LEAF = 4;
// Ranges of at most this many terms of e are summed one term at a time.
constexpr uint64_t EXP_LEAF = 16;

// Subtrees of at least this many terms or factors give their halves to two threads.
constexpr uint64_t PARALLEL_TERMS = 256;
// Work units of a node of a splitting tree besides its products: its small factors, the
// vectors it makes and drops.
constexpr uint64_t NODE_UNITS = 200;

// The steps of pi, e and n!, in the order they run.
enum Step : size_t
{
    SERIES_STEP,
    DIVISION_STEP,
    TEXT_STEP,
};
constexpr size_t FACTORIAL_TEXT_STEP = 1;

// Levels of a splitting tree whose units are estimated node by node; below them, where the
// nodes of a subtree hardly differ, level by level.
constexpr int EXACT_TREE_LEVELS = 8;

// The units of a splitting tree over the leaves [a, b), bEdge on its right edge. joinUnits(a, m,
// b, bEdge) gives those of the products of the node that joins [a, m) and [m, b). Below the top
// levels the nodes of one level of a subtree count as that many of their average: a node of as
// many leaves in the middle of the subtree.
template <class JoinUnits>
uint64_t TreeUnits(double a, double b, bool bEdge, int nExactLevels, const JoinUnits& joinUnits)
{
    const double dLeaves = b - a;
    if (dLeaves < 2)
        return NODE_UNITS;
    if (nExactLevels > 0) {
        const double m = std::floor((a + b) / 2);
        return NODE_UNITS + joinUnits(a, m, b, bEdge) +
               TreeUnits(a, m, false, nExactLevels - 1, joinUnits) +
               TreeUnits(m, b, bEdge, nExactLevels - 1, joinUnits);
    }
    uint64_t nUnits = uint64_t(dLeaves) * NODE_UNITS;
    const double c = (a + b) / 2;
    for (uint64_t nNodes = 1; double(2 * nNodes) <= dLeaves; nNodes *= 2) {
        const double h = dLeaves / double(2 * nNodes);
        const uint64_t nInner = joinUnits(c - h, c, c + h, false);
        nUnits += nNodes * NODE_UNITS + (nNodes - 1) * nInner +
                  (bEdge ? joinUnits(c - h, c, c + h, true) : nInner);
    }
    return nUnits;
}

// Limbs of a value of dDigits decimal digits, at least one.
size_t Limbs(double dDigits) { return size_t(std::max(1.0, dDigits / DIGITS_PER_LIMB + 0.5)); }

// log10 of (n - 1)!.
double Log10Factorial(double n) { return std::lgamma(n) / std::log(10.0); }

// log10 of a (a + 1) ... (b - 1).
double Log10Product(double a, double b) { return Log10Factorial(b) - Log10Factorial(a); }

template <class First, class Second>
void Fork(uint64_t nTerms, const First& first, const Second& second)
{
    if (nTerms >= PARALLEL_TERMS)
        return CLongPool::Invoke(first, second);
    first();
    second();
}

LimbVec Small(uint64_t v)
{
    LimbVec r;
    for (; v != 0; v /= DEC)
        r.push_back(uint32_t(v % DEC));
    return r;
}

struct SignedVec
{
    LimbVec mag;
    bool bNeg = false;
};

// a += b in place.
void AddSigned(SignedVec& a, const SignedVec& b)
{
    if (a.bNeg == b.bNeg)
        limb::AddTo<DEC>(a.mag, b.mag);
    else if (limb::SubAbs<DEC>(a.mag, b.mag))
        a.bNeg = b.bNeg;
}

// P, Q and T of the Chudnovsky terms k in [a, b): T / Q is the sum of those terms relative to the
// term before a, P the product of the numerator factors.
struct ChudnovskyPart
{
    SignedVec p;
    LimbVec q;
    SignedVec t;
};

ChudnovskyPart ChudnovskyLeaf(uint64_t k)
{
    ChudnovskyPart r;
    r.p.mag = Small(6 * k - 5);
    limb::MulSmall<DEC>(r.p.mag, uint32_t(2 * k - 1));
    limb::MulSmall<DEC>(r.p.mag, uint32_t(6 * k - 1));
    r.p.bNeg = true;
    r.q = Small(k);
    for (uint32_t m : {uint32_t(k), uint32_t(k), 640320u, 640320u, 26680u})
        limb::MulSmall<DEC>(r.q, m);
    r.t = {limb::Mul<DEC>(r.p.mag, Small(13591409 + 545140134 * k)), true};
    return r;
}

// The terms [a, b) one after the other, each joined on the right as a node would join it:
// T = T q_k + P p_k c_k, P = P p_k, Q = Q q_k, with the small factors taken one word at a time.
// The leaf credits the nodes of the subtree it stands for.
ChudnovskyPart ChudnovskyLeaves(uint64_t a, uint64_t b)
{
    CreditWork((2 * (b - a) - 1) * NODE_UNITS);
    ChudnovskyPart r = ChudnovskyLeaf(a);
    for (uint64_t k = a + 1; k < b; ++k) {
        const auto qFactors = {uint32_t(k), uint32_t(k), uint32_t(k), 640320u, 640320u, 26680u};
        for (uint32_t m : qFactors) {
            limb::MulSmall<DEC>(r.t.mag, m);
            limb::MulSmall<DEC>(r.q, m);
        }
        for (uint32_t m : {uint32_t(6 * k - 5), uint32_t(2 * k - 1), uint32_t(6 * k - 1)})
            limb::MulSmall<DEC>(r.p.mag, m);
        r.p.bNeg = !r.p.bNeg;
        AddSigned(r.t, {limb::Mul<DEC>(r.p.mag, Small(13591409 + 545140134 * k)), r.p.bNeg});
    }
    return r;
}

ChudnovskyPart SplitChudnovsky(uint64_t a, uint64_t b, bool bNeedP)
{
    if (b - a <= CHUDNOVSKY_LEAF)
        return ChudnovskyLeaves(a, b);
    CreditWork(NODE_UNITS);
    CheckCancel();
    uint64_t m = (a + b) / 2;
    ChudnovskyPart left, right;
    Fork(
        b - a, [&] { left = SplitChudnovsky(a, m, true); },
        [&] { right = SplitChudnovsky(m, b, bNeedP); });
    // Each part of the halves goes as soon as its last product is made.
    // The right Q and the left P are factors of two products each.
    ChudnovskyPart r;
    limb::CSharedFactor<DEC> rightQ(right.q);
    r.t = {rightQ.Times(left.t.mag), left.t.bNeg};
    left.t = SignedVec();
    {
        limb::CSharedFactor<DEC> leftP(left.p.mag);
        {
            SignedVec t2{leftP.Times(right.t.mag), left.p.bNeg != right.t.bNeg};
            right.t = SignedVec();
            AddSigned(r.t, t2);
        }
        if (bNeedP)
            r.p = {leftP.Times(right.p.mag), left.p.bNeg != right.p.bNeg};
    }
    left.p = right.p = SignedVec();
    r.q = rightQ.Times(left.q);
    return r;
}

// The units of SplitChudnovsky(1, nTerms): its nodes join P, Q and T of their halves by four
// products, P only off the right edge of the tree. T is about as long as Q.
uint64_t ChudnovskyUnits(uint64_t nTerms)
{
    const double dLog72 = std::log10(72.0), dLogQ = std::log10(10939058860032000.0);
    auto limbsP = [dLog72](double a, double b) {
        return Limbs((b - a) * dLog72 + 3 * Log10Product(a, b));
    };
    auto limbsQ = [dLogQ](double a, double b) {
        return Limbs((b - a) * dLogQ + 3 * Log10Product(a, b));
    };
    return TreeUnits(1, double(nTerms), true, EXACT_TREE_LEVELS,
                     [&](double a, double m, double b, bool bEdge) {
                         const size_t nPl = limbsP(a, m), nQl = limbsQ(a, m);
                         const size_t nPr = limbsP(m, b), nQr = limbsQ(m, b);
                         return limb::MulUnits(nQl, nQr) + limb::MulUnits(nQl, nQr) +
                                limb::MulUnits(nPl, nQr) + (bEdge ? 0 : limb::MulUnits(nPl, nPr));
                     });
}

uint64_t ChudnovskyTerms(size_t p)
{
    return uint64_t(double(DIGITS_PER_LIMB * p) / CHUDNOVSKY_DIGITS_PER_TERM) + 2;
}

// Limbs to drop from the low end of a denominator so that p + 3 limbs of it remain; the quotient
// then still has p + 1 correct limbs but for a unit or two.
size_t LimbsToDrop(const LimbVec& denominator, size_t p)
{
    return denominator.size() > p + 3 ? denominator.size() - (p + 3) : 0;
}

// Drops the n lowest limbs of a, into a vector of just the limbs left: the series' values are
// a good part longer than the limbs the division needs.
void DropLow(LimbVec& a, size_t n)
{
    a = LimbVec(a.begin() + std::ptrdiff_t(std::min(n, a.size())), a.end());
}

// floor(pi * BASE^p) within a few thousand units: pi = 426880 sqrt(10005) Q / (13591409 Q + T),
// with sqrt(10005) = 10005 / sqrt(10005) taken from the reciprocal square root. Each long value
// goes as soon as the next step no longer needs it.
LimbVec PiScaled(size_t p)
{
    uint64_t nTerms = ChudnovskyTerms(p);
    // The square root does not depend on the series: the two may run side by side.
    ChudnovskyPart s;
    LimbVec root;
    CurrentProgress().BeginStep(SERIES_STEP);
    CLongPool::Invoke([&] { s = SplitChudnovsky(1, nTerms, false); },
                      [&] { root = limb::ReciprocalSqrt<DEC>(10005, p); });
    CurrentProgress().BeginStep(DIVISION_STEP);
    LimbVec q = std::move(s.q);
    SignedVec den{q, false};
    limb::MulSmall<DEC>(den.mag, 13591409);
    AddSigned(den, s.t);
    s = ChudnovskyPart();
    size_t nDrop = LimbsToDrop(den.mag, p);
    DropLow(den.mag, nDrop);
    DropLow(q, nDrop);
    LimbVec num = limb::Mul<DEC>(q, root);
    q = LimbVec();
    root = LimbVec();
    limb::MulSmall<DEC>(num, 426880);
    limb::MulSmall<DEC>(num, 10005);
    return limb::ApproxQuotient<DEC>(std::move(num), 0, std::move(den.mag));
}

// The work of PiScaled(p) by step: the series with the square root beside it, then the
// numerator's product and the division.
std::array<uint64_t, 2> PiUnits(size_t p)
{
    return {ChudnovskyUnits(ChudnovskyTerms(p)) + limb::ReciprocalSqrtUnits(p),
            limb::MulUnits(p + 3, p + 1) + limb::DivModUnits(2 * p + 4, p + 3)};
}

// T / Q = sum over k in [a, b) of 1 / (a (a + 1) ... k); Q = a (a + 1) ... (b - 1).
struct ExpPart
{
    LimbVec q;
    LimbVec t;
};

ExpPart SplitExp(uint64_t a, uint64_t b)
{
    if (b - a <= EXP_LEAF) {
        // One term at a time: Q(a, k + 1) = k Q(a, k) and T(a, k + 1) = k T(a, k) + 1. The leaf
        // credits the nodes of the subtree it stands for.
        CreditWork((2 * (b - a) - 1) * NODE_UNITS);
        ExpPart r{Small(a), LimbVec{1}};
        for (uint64_t k = a + 1; k < b; ++k) {
            limb::MulSmall<DEC>(r.q, uint32_t(k));
            limb::MulSmall<DEC>(r.t, uint32_t(k));
            limb::AddSmall<DEC>(r.t, 1);
        }
        return r;
    }
    CreditWork(NODE_UNITS);
    CheckCancel();
    uint64_t m = (a + b) / 2;
    ExpPart left, right;
    Fork(
        b - a, [&] { left = SplitExp(a, m); }, [&] { right = SplitExp(m, b); });
    ExpPart r;
    limb::CSharedFactor<DEC> rightQ(right.q);
    r.t = rightQ.Times(left.t);
    left.t = LimbVec();
    limb::AddTo<DEC>(r.t, right.t);
    right.t = LimbVec();
    r.q = rightQ.Times(left.q);
    return r;
}

// The units of SplitExp(1, nTerms + 1): its nodes join Q and T of their halves by two products,
// T being about as long as Q.
uint64_t ExpUnits(uint64_t nTerms)
{
    return TreeUnits(1, double(nTerms) + 1, true, EXACT_TREE_LEVELS,
                     [](double a, double m, double b, bool) {
                         const size_t nQl = Limbs(Log10Product(a, m));
                         const size_t nQr = Limbs(Log10Product(m, b));
                         return 2 * limb::MulUnits(nQl, nQr);
                     });
}

// K with K! > 10^(9p + 3): the terms 1/k! of e up to k = K leave an error below 10^-(9p + 3).
uint64_t ExpTerms(size_t p)
{
    double dNeeded = (double(DIGITS_PER_LIMB * p) + 3) * std::log(10.0);
    uint64_t nTerms = 2;
    while (std::lgamma(double(nTerms) + 1) <= dNeeded)
        nTerms *= 2;
    for (uint64_t nStep = nTerms / 4; nStep >= 1; nStep /= 2)
        if (std::lgamma(double(nTerms - nStep) + 1) > dNeeded)
            nTerms -= nStep;
    return nTerms;
}

// floor(e * BASE^p) within a few units: e = 1 + sum of 1/k! for k = 1 .. K.
LimbVec EScaled(size_t p)
{
    CurrentProgress().BeginStep(SERIES_STEP);
    ExpPart s = SplitExp(1, ExpTerms(p) + 1);
    CurrentProgress().BeginStep(DIVISION_STEP);
    size_t nDrop = LimbsToDrop(s.q, p);
    LimbVec num = std::move(s.t);
    limb::AddTo<DEC>(num, s.q);
    DropLow(num, nDrop);
    DropLow(s.q, nDrop);
    return limb::ApproxQuotient<DEC>(std::move(num), p, std::move(s.q));
}

std::array<uint64_t, 2> EUnits(size_t p)
{
    return {ExpUnits(ExpTerms(p)), limb::DivModUnits(2 * p + 3, p + 3)};
}

// The text of a constant from scaled(p) = floor(x * BASE^p) with x in [1, 10): the leading digit,
// the point and n - 1 fraction digits, with guard limbs added until the cut is certain. units(p)
// gives the work of scaled(p) by step.
template <class Scaled, class Units>
std::string CutConstant(int n, Scaled scaled, Units units)
{
    if (n < 0)
        return {};
    size_t nFraction = n > 1 ? size_t(n) - 1 : 0;
    CLongProgress& progress = CurrentProgress();
    for (size_t nGuard = FIRST_GUARD_LIMBS;; nGuard += FIRST_GUARD_LIMBS) {
        size_t p = (nFraction + DIGITS_PER_LIMB - 1) / DIGITS_PER_LIMB + nGuard;
        // The rare repetition with more guard limbs runs on the first plan.
        if (nGuard == FIRST_GUARD_LIMBS) {
            std::array<uint64_t, 2> steps = units(p);
            progress.Plan({steps[0], steps[1], limb::DecimalToTextUnits(p + 1)});
        }
        std::string strDigits;
        {
            LimbVec scaledValue = scaled(p);
            progress.BeginStep(TEXT_STEP);
            strDigits = limb::DecimalToText(scaledValue);
        }
        std::string_view tail(strDigits);
        tail = tail.substr(1 + nFraction, tail.size() - 1 - nFraction - UNSURE_LAST_DIGITS);
        bool bUnsure = tail.find_first_not_of('0') == std::string_view::npos ||
                       tail.find_first_not_of('9') == std::string_view::npos;
        if (bUnsure)
            continue;
        progress.Finish();
        // The cut and the point go into the text in place: the guard digits leave room for the
        // point, so the result is never copied.
        strDigits.resize(n != 0 ? 2 + nFraction : 1);
        if (n != 0) {
            std::copy_backward(strDigits.begin() + 1, strDigits.end() - 1, strDigits.end());
            strDigits[1] = '.';
        }
        return strDigits;
    }
}

// Bits of the factors of one leaf of the factorial's product tree; a leaf packs consecutive
// factors into words below 2^32 and multiplies them in one word at a time.
constexpr double FACTOR_LEAF_BITS = 512;
// Nodes of the factorial's tree whose product has this many bits give their halves to two
// threads; from SERIAL_PRODUCT_BITS on they take them one after the other: their transforms use
// every thread themselves, and halves computed at once would hold the memory of both.
constexpr double PARALLEL_PRODUCT_BITS = 1 << 13;
constexpr double SERIAL_PRODUCT_BITS = double(1 << 15) * 32;

// Bits of the product of the factors [lo, hi).
double ProductBits(uint64_t lo, uint64_t hi)
{
    return Log10Product(double(lo), double(hi)) * std::log2(10.0);
}

// The product of the integers [lo, hi), 2 <= lo <= hi. The factors are made as they are needed,
// so no list of them is kept while the products run.
LimbVec ProductOfFactors(uint64_t lo, uint64_t hi)
{
    CreditWork(NODE_UNITS);
    const double dBits = ProductBits(lo, hi);
    if (dBits <= FACTOR_LEAF_BITS) {
        LimbVec r{1};
        uint64_t w = 1;
        for (uint64_t i = lo; i < hi; ++i) {
            if (w * i > UINT32_MAX) {
                limb::MulSmall<DEC>(r, uint32_t(w));
                w = 1;
            }
            w *= i;
        }
        limb::MulSmall<DEC>(r, uint32_t(w));
        return r;
    }
    CheckCancel();
    const uint64_t mid = lo + (hi - lo) / 2;
    LimbVec left, right;
    auto first = [&] { left = ProductOfFactors(lo, mid); };
    auto second = [&] { right = ProductOfFactors(mid, hi); };
    if (dBits >= PARALLEL_PRODUCT_BITS && dBits < SERIAL_PRODUCT_BITS)
        CLongPool::Invoke(first, second);
    else {
        first();
        second();
    }
    return limb::Mul<DEC>(left, right);
}

// The units of ProductOfFactors over a product of dDigits digits, the leaves taken as equally
// long: three quarters of the most bits a leaf takes.
uint64_t ProductUnits(double dDigits)
{
    const double dBits = dDigits * std::log2(10.0);
    const double dLeaves = std::max(1.0, std::ceil(dBits / (0.75 * FACTOR_LEAF_BITS)));
    const double dPerLeaf = dDigits / dLeaves;
    return TreeUnits(0, dLeaves, false, 0, [dPerLeaf](double a, double m, double b, bool) {
        return limb::MulUnits(Limbs((m - a) * dPerLeaf), Limbs((b - m) * dPerLeaf));
    });
}
} // namespace

std::string ComputePi(int n)
{
    try {
        return CutConstant(n, PiScaled, PiUnits);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::string ComputeE(int n)
{
    try {
        return CutConstant(n, EScaled, EUnits);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::string ComputeFactorial(int n)
{
    if (n < 0)
        return {};
    try {
        const double dDigits = Log10Factorial(double(n) + 1);
        CLongProgress& progress = CurrentProgress();
        progress.Plan({ProductUnits(dDigits), limb::DecimalToTextUnits(Limbs(dDigits) + 1)});
        progress.BeginStep(SERIES_STEP);
        LimbVec product = n < 2 ? LimbVec{1} : ProductOfFactors(2, uint64_t(n) + 1);
        progress.BeginStep(FACTORIAL_TEXT_STEP);
        std::string strText = limb::DecimalToText(product);
        progress.Finish();
        return strText;
    } catch (const std::bad_alloc&) {
        return {};
    }
}
