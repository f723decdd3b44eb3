#include "core/bignum/LimbMath.h"
#include "core/bignum/LongControl.h"

#include <algorithm>

namespace limb
{
namespace
{
// Below this many limbs in the divisor or the quotient, long division by limbs is fastest.
constexpr size_t NEWTON_THRESHOLD = 60;
// Reciprocals of at most this many limbs come from long division.
constexpr size_t RECIPROCAL_BASE_CASE = 24;

template <uint64_t BASE>
LimbVec Power(size_t k)
{
    LimbVec r(k + 1, 0);
    r[k] = 1;
    return r;
}

// Long division by limbs of u by v (at least two limbs): each quotient limb is estimated from the
// top two limbs of the remainder and the top limb of the divisor, both scaled so that the
// divisor's top limb is at least BASE / 2; the estimate is then at most two too large.
template <uint64_t BASE>
void SchoolDivMod(const LimbVec& a, const LimbVec& b, LimbVec* pQuotient, LimbVec* pRemainder)
{
    size_t n = b.size(), m = a.size() - n;
    uint32_t d = uint32_t(BASE / (uint64_t(b.back()) + 1));
    LimbVec u(a.size() + 1), v(n), q(m + 1);
    u[a.size()] = MulSmallN<BASE>(u.data(), a.data(), a.size(), d);
    MulSmallN<BASE>(v.data(), b.data(), n, d);
    for (size_t j = m + 1; j-- > 0;) {
        if (j % 4096 == 0)
            CheckCancel();
        uint64_t num = uint64_t(u[j + n]) * BASE + u[j + n - 1];
        uint64_t qhat = num / v[n - 1], rhat = num % v[n - 1];
        while (qhat >= BASE || qhat * v[n - 2] > rhat * BASE + u[j + n - 2]) {
            --qhat;
            rhat += v[n - 1];
            if (rhat >= BASE)
                break;
        }
        uint64_t borrow = SubMulSmallN<BASE>(u.data() + j, v.data(), n, uint32_t(qhat));
        if (u[j + n] < borrow) {
            --qhat;
            AddN<BASE>(u.data() + j, u.data() + j, v.data(), n);
            u[j + n] = 0;
        } else
            u[j + n] = uint32_t(u[j + n] - borrow);
        q[j] = uint32_t(qhat);
    }
    CreditWork(uint64_t(m + 1) * n);
    if (pQuotient != nullptr) {
        Trim(q);
        *pQuotient = std::move(q);
    }
    if (pRemainder != nullptr) {
        u.resize(n);
        DivSmallN<BASE>(u.data(), u.data(), n, d);
        Trim(u);
        *pRemainder = std::move(u);
    }
}

template <uint64_t BASE>
void DivModSmall(const LimbVec& a, uint32_t d, LimbVec* pQuotient, LimbVec* pRemainder)
{
    LimbVec q(a);
    uint32_t r = DivSmall<BASE>(q, d);
    if (pQuotient != nullptr)
        *pQuotient = std::move(q);
    if (pRemainder != nullptr)
        *pRemainder = r != 0 ? LimbVec{r} : LimbVec{};
}

// x + s * y for a sign s, where the result is known to be non-negative.
template <uint64_t BASE>
LimbVec AddSigned(const LimbVec& x, bool bSubtract, const LimbVec& y)
{
    return bSubtract ? Sub<BASE>(x, y) : Add<BASE>(x, y);
}

// v = |v - BASE^m| in place for v > 0; true when v was above BASE^m.
template <uint64_t BASE>
bool DistanceFromPower(LimbVec& v, size_t m)
{
    if (v.size() > m) {
        SubSmallN<BASE>(v.data() + m, v.data() + m, v.size() - m, 1);
        Trim(v);
        return !v.empty();
    }
    // BASE^m - v = (BASE^m - 1 - v) + 1, limb by limb.
    v.resize(m);
    for (uint32_t& x : v)
        x = uint32_t(BASE - 1 - x);
    AddSmallN<BASE>(v.data(), v.data(), m, 1);
    Trim(v);
    return false;
}

// About BASE^(2k) / b for b of k limbs (k = b.size()), a few units at most from the exact value.
// One Newton step x + x (1 - b x) from the reciprocal of b's top half.
template <uint64_t BASE>
LimbVec ApproxReciprocal(const LimbVec& b)
{
    size_t k = b.size();
    if (k <= RECIPROCAL_BASE_CASE) {
        LimbVec q;
        DivMod<BASE>(Power<BASE>(2 * k), b, &q, nullptr);
        return q;
    }
    CheckCancel();
    size_t h = k / 2 + 2;
    LimbVec xh = ApproxReciprocal<BASE>(LimbVec(b.end() - h, b.end()));
    // b xh is about BASE^(k+h); the excess e is small, and x = xh BASE^(k-h) - xh e / BASE^(2h).
    // e is made in place of the product, and its limbs below BASE^(h-2) add less than a unit to
    // the correction (xh is below BASE^(h+1)), so they are left out of its product.
    LimbVec e = Mul<BASE>(b, xh);
    const bool bOver = DistanceFromPower<BASE>(e, k + h);
    const size_t nLow = std::min(e.size(), h - 2);
    e.erase(e.begin(), e.begin() + nLow);
    LimbVec corr = ShiftDown(Mul<BASE>(xh, e), 2 * h - nLow);
    e = LimbVec();
    LimbVec x = ShiftUp(xh, k - h);
    xh = LimbVec();
    if (bOver)
        SubAbs<BASE>(x, corr);
    else
        AddTo<BASE>(x, corr);
    return x;
}

// floor(a BASE^nUp / BASE^nDown).
LimbVec Rescale(const LimbVec& a, size_t nUp, size_t nDown)
{
    return nUp >= nDown ? ShiftUp(a, nUp - nDown) : ShiftDown(a, nDown - nUp);
}

// q is an estimate of floor(a / b) a few units off either way, and prod = q * b. Steps q to the
// exact quotient and returns the remainder a - q * b.
template <uint64_t BASE>
LimbVec CorrectQuotient(LimbVec& q, LimbVec prod, const LimbVec& a, const LimbVec& b)
{
    while (Compare(prod, a) > 0) {
        SubSmall<BASE>(q, 1);
        prod = Sub<BASE>(prod, b);
    }
    LimbVec r = Sub<BASE>(a, prod);
    while (Compare(r, b) >= 0) {
        AddSmall<BASE>(q, 1);
        r = Sub<BASE>(r, b);
    }
    return r;
}

// Quotient of a by b through the reciprocal of b's top limbs, then corrected by the remainder. The
// estimate is off by a few units at most, so each correction loop runs a few times at most.
template <uint64_t BASE>
LimbVec NewtonQuotient(const LimbVec& a, const LimbVec& b)
{
    size_t m = a.size() - b.size() + 1, k = m + 2;
    // a and b scaled so that b has k limbs: times BASE^up, floor of the division by BASE^down.
    size_t nUp = k > b.size() ? k - b.size() : 0, nDown = b.size() > k ? b.size() - k : 0;
    // The reciprocal is a few units off at most, which the corrections below absorb as well.
    LimbVec x = ApproxReciprocal<BASE>(Rescale(b, nUp, nDown));
    CheckCancel();
    // The scaled a times x (below BASE^(k+1)) over BASE^(2k): the limbs of the scaled a below
    // BASE^(k-1) add less than one unit to it, so they are left out of the product.
    size_t nLow = k - 1;
    return ShiftDown(Mul<BASE>(Rescale(a, nUp, nDown + nLow), x), 2 * k - nLow);
}

template <uint64_t BASE>
void NewtonDivMod(const LimbVec& a, const LimbVec& b, LimbVec* pQuotient, LimbVec* pRemainder)
{
    LimbVec q = NewtonQuotient<BASE>(a, b);
    CheckCancel();
    LimbVec r = CorrectQuotient<BASE>(q, Mul<BASE>(q, b), a, b);
    if (pQuotient != nullptr)
        *pQuotient = std::move(q);
    if (pRemainder != nullptr)
        *pRemainder = std::move(r);
}

// The units of ApproxReciprocal for b of k limbs. The reciprocal of the top half is good to about
// its last limb, so the excess e and the correction have about k limbs.
uint64_t ApproxReciprocalUnits(size_t k)
{
    if (k <= RECIPROCAL_BASE_CASE)
        return DivModUnits(2 * k + 1, k);
    size_t h = k / 2 + 2;
    return ApproxReciprocalUnits(h) + MulUnits(k, h + 1) + MulUnits(h + 1, k + 3 - h);
}

// floor(sqrt(n)) by Newton's iteration from above.
template <uint64_t BASE>
LimbVec Isqrt(const LimbVec& n)
{
    LimbVec x = Power<BASE>((n.size() + 1) / 2);
    for (;;) {
        LimbVec q;
        DivMod<BASE>(n, x, &q, nullptr);
        LimbVec y = Add<BASE>(x, q);
        DivSmall<BASE>(y, 2);
        if (Compare(y, x) >= 0)
            return x;
        x = std::move(y);
    }
}
} // namespace

template <uint64_t BASE>
LimbVec Reciprocal(const LimbVec& b)
{
    assert(!b.empty() && b.back() != 0);
    LimbVec x = ApproxReciprocal<BASE>(b);
    CheckCancel();
    CorrectQuotient<BASE>(x, Mul<BASE>(b, x), Power<BASE>(2 * b.size()), b);
    return x;
}

template <uint64_t BASE>
void DivMod(const LimbVec& a, const LimbVec& b, LimbVec* pQuotient, LimbVec* pRemainder)
{
    assert(!b.empty());
    if (Compare(a, b) < 0) {
        if (pQuotient != nullptr)
            pQuotient->clear();
        if (pRemainder != nullptr)
            *pRemainder = a;
    } else if (b.size() == 1)
        DivModSmall<BASE>(a, b[0], pQuotient, pRemainder);
    else if (std::min(b.size(), a.size() - b.size() + 1) < NEWTON_THRESHOLD)
        SchoolDivMod<BASE>(a, b, pQuotient, pRemainder);
    else
        NewtonDivMod<BASE>(a, b, pQuotient, pRemainder);
}

template <uint64_t BASE>
LimbVec ApproxQuotient(const LimbVec& a, const LimbVec& b)
{
    assert(!b.empty());
    if (Compare(a, b) >= 0 && b.size() > 1 &&
        std::min(b.size(), a.size() - b.size() + 1) >= NEWTON_THRESHOLD) {
        LimbVec q = NewtonQuotient<BASE>(a, b);
        Trim(q);
        return q;
    }
    LimbVec q;
    DivMod<BASE>(a, b, &q, nullptr);
    return q;
}

template <uint64_t BASE>
LimbVec ReciprocalSqrt(uint32_t a, size_t k)
{
    assert(a >= 2);
    if (k <= 4) {
        LimbVec n = Power<BASE>(2 * k);
        DivSmall<BASE>(n, a);
        return Isqrt<BASE>(n);
    }
    CheckCancel();
    size_t h = k / 2 + 2;
    LimbVec yh = ReciprocalSqrt<BASE>(a, h);
    // a yh^2 is about BASE^(2h); with the excess e, y = yh BASE^(k-h) - yh e / (2 BASE^(3h-k)).
    LimbVec sq = Mul<BASE>(yh, yh);
    MulSmall<BASE>(sq, a);
    LimbVec target = Power<BASE>(2 * h);
    bool bOver = Compare(sq, target) > 0;
    LimbVec e = bOver ? Sub<BASE>(sq, target) : Sub<BASE>(target, sq);
    LimbVec corr = ShiftDown(Mul<BASE>(yh, e), 3 * h - k);
    DivSmall<BASE>(corr, 2);
    return AddSigned<BASE>(ShiftUp(yh, k - h), bOver, corr);
}

// Follows the choices of DivMod; the quotient of Newton's way has about m limbs.
uint64_t DivModUnits(size_t na, size_t nb)
{
    if (na < nb || nb <= 1)
        return 0;
    size_t m = na - nb + 1;
    if (std::min(nb, m) < NEWTON_THRESHOLD)
        return uint64_t(m) * nb;
    size_t k = m + 2;
    return ApproxReciprocalUnits(k) + MulUnits(m, k + 1) + MulUnits(m, nb);
}

// The correction of each step is the product of the top half with an excess of about half the
// length.
uint64_t ReciprocalSqrtUnits(size_t k)
{
    if (k <= 4)
        return 0;
    size_t h = k / 2 + 2;
    return ReciprocalSqrtUnits(h) + 2 * MulUnits(h + 1, h + 1);
}

#define PELMORIX_DIVIDE_INSTANTIATE(B)                                                             \
    template void DivMod<B>(const LimbVec&, const LimbVec&, LimbVec*, LimbVec*);                   \
    template LimbVec Reciprocal<B>(const LimbVec&);                                                \
    template LimbVec ApproxQuotient<B>(const LimbVec&, const LimbVec&);                            \
    template LimbVec ReciprocalSqrt<B>(uint32_t, size_t);

PELMORIX_DIVIDE_INSTANTIATE(BINARY_BASE)
PELMORIX_DIVIDE_INSTANTIATE(DECIMAL_BASE)
} // namespace limb
