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

// Wrapped products of at least this many limbs go through one cyclic convolution; shorter ones are
// taken from the whole product.
constexpr size_t WRAP_TRANSFORM_LENGTH = 1024;

// The least power of two of at least n.
size_t PowerOfTwoAtLeast(size_t n)
{
    size_t r = 1;
    while (r < n)
        r *= 2;
    return r;
}

// x mod (BASE^n - 1) in n limbs.
template <uint64_t BASE>
LimbVec Fold(const uint32_t* x, size_t nx, size_t n)
{
    LimbVec r(n, 0);
    for (size_t i = 0; i < nx; i += n) {
        const size_t nChunk = std::min(n, nx - i);
        uint32_t carry = AddN<BASE>(r.data(), r.data(), x + i, nChunk);
        carry = AddSmallN<BASE>(r.data() + nChunk, r.data() + nChunk, n - nChunk, carry);
        while (carry != 0)
            carry = AddSmallN<BASE>(r.data(), r.data(), n, carry);
    }
    return r;
}

// a * b mod (BASE^n - 1) in n limbs, n a power of two.
template <uint64_t BASE>
LimbVec MulWrapped(const LimbVec& a, const LimbVec& b, size_t n)
{
    if (n >= WRAP_TRANSFORM_LENGTH && n <= NTT_MAX_LENGTH && a.size() <= n && b.size() <= n)
        return NttWrappedProduct<BASE>(a.data(), a.size(), b.data(), b.size(), n);
    LimbVec p = Mul<BASE>(a, b);
    return Fold<BASE>(p.data(), p.size(), n);
}

// a - w from both modulo BASE^n - 1 in n limbs, for |a - w| below BASE^(n-1): its magnitude, and
// whether it is negative.
template <uint64_t BASE>
LimbVec WrappedDifference(LimbVec a, const LimbVec& w, bool* pNegative)
{
    const size_t n = w.size();
    // A borrow out of the top wrapped around: BASE^n - 1 was added, not BASE^n.
    if (SubN<BASE>(a.data(), a.data(), w.data(), n) != 0)
        SubSmallN<BASE>(a.data(), a.data(), n, 1);
    // A negative difference d stands as BASE^n - 1 - |d|, whose top limb is not zero.
    *pNegative = a[n - 1] != 0;
    if (*pNegative)
        for (uint32_t& x : a)
            x = uint32_t(BASE - 1 - x);
    Trim(a);
    *pNegative = *pNegative && !a.empty();
    return a;
}

// The length of the wrapped product that finds a value of nValue limbs (its sign included) from
// a product of nr limbs, or zero where the product itself takes no more.
size_t WrapLength(size_t nValue, size_t nr)
{
    const size_t n = PowerOfTwoAtLeast(nValue + 2);
    return n < TransformLength(nr) ? n : 0;
}

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
    // e is within a few units of BASE^(k+1) of zero, so where it pays the product is taken modulo
    // BASE^n - 1 only, in half the transform.
    LimbVec e;
    bool bOver = false;
    if (size_t n = WrapLength(k + 2, k + h + 1); n != 0) {
        LimbVec power(n, 0);
        power[(k + h) % n] = 1;
        e = WrappedDifference<BASE>(std::move(power), MulWrapped<BASE>(b, xh, n), &bOver);
    } else {
        e = Mul<BASE>(b, xh);
        bOver = DistanceFromPower<BASE>(e, k + h);
    }
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

// a = floor(a BASE^nUp / BASE^nDown) in place.
void Rescale(LimbVec& a, size_t nUp, size_t nDown)
{
    if (nUp > nDown) {
        // Into a vector of just that length: one inserted limb would double the old one.
        LimbVec r(a.size() + nUp - nDown, 0u);
        std::copy(a.begin(), a.end(), r.begin() + std::ptrdiff_t(nUp - nDown));
        a = std::move(r);
    } else
        a.erase(a.begin(), a.begin() + std::ptrdiff_t(std::min(a.size(), nDown - nUp)));
}

// The limbs of a from limb n on.
LimbVec TopLimbs(const LimbVec& a, size_t n)
{
    return LimbVec(a.begin() + std::ptrdiff_t(std::min(n, a.size())), a.end());
}

// Quotients of at least this many limbs are taken in two halves through the reciprocal of half
// the divisor's limbs: their products are of about half the length of the one product of the
// whole quotient.
constexpr size_t SPLIT_QUOTIENT_LIMBS = 1024;

// How Newton's quotient of a of na limbs by b of nb limbs scales them: b times BASE^nUp over
// BASE^nDown has k limbs, and the limbs of a below nALow do not matter. The quotient of m = k - 2
// limbs is taken from its top limbs above BASE^nSplit (none when nSplit is zero) and from the
// remainder they leave, both through the reciprocal of the top j limbs of the scaled b.
struct NewtonScale
{
    size_t k, nUp, nDown, nSplit, j, nALow;
};

NewtonScale ScaleFor(size_t na, size_t nb)
{
    NewtonScale s;
    s.k = na - nb + 3;
    s.nUp = s.k > nb ? s.k - nb : 0;
    s.nDown = nb > s.k ? nb - s.k : 0;
    const size_t m = s.k - 2;
    s.nSplit = m >= SPLIT_QUOTIENT_LIMBS ? m / 2 : 0;
    s.j = m - s.nSplit + 2;
    // The scaled a times the reciprocal (below BASE^(j+1)) over BASE^(2j): the limbs of the
    // scaled a below BASE^(k-1) add less than one unit to it. With a split, those below
    // BASE^nSplit change the remainder of the top limbs by less than a unit of its last limb.
    const size_t nLow = s.nDown + (s.nSplit != 0 ? s.nSplit : s.k - 1);
    s.nALow = nLow > s.nUp ? nLow - s.nUp : 0;
    return s;
}

// floor(u / b) within a few units, for b of k limbs and x the reciprocal of its top j limbs
// (about BASE^(2j) / floor(b / BASE^(k-j))), from uTop = floor(u / BASE^(k-1)), taken over.
template <uint64_t BASE>
LimbVec QuotientByReciprocal(LimbVec uTop, const LimbVec& x, size_t j)
{
    LimbVec q = Mul<BASE>(uTop, x);
    uTop = LimbVec();
    Rescale(q, 0, j + 1);
    Trim(q);
    return q;
}

// Quotient of a by b through the reciprocal of b's top limbs, a few units off at most. Of a of na
// limbs and b of nb limbs only the limbs from ScaleFor(na, nb).nALow and .nDown on matter: aTop
// and bTop are those, taken over and let go as soon as they are used.
template <uint64_t BASE>
LimbVec NewtonQuotient(LimbVec aTop, size_t na, LimbVec bTop, size_t nb)
{
    const NewtonScale s = ScaleFor(na, nb);
    const size_t nALow = na - aTop.size(), nBLow = nb - bTop.size(), k = s.k, t = s.nSplit;
    // Limbs of a missing above s.nALow are zeros, as those of a shifted value.
    assert(nBLow <= s.nDown);
    Rescale(bTop, s.nUp + nBLow, s.nDown);
    // The reciprocal is a few units off at most, which the corrections absorb as well.
    LimbVec x = ApproxReciprocal<BASE>(TopLimbs(bTop, k - s.j));
    CheckCancel();
    if (t == 0) {
        bTop = LimbVec();
        Rescale(aTop, s.nUp + nALow, s.nDown + k - 1);
        return QuotientByReciprocal<BASE>(std::move(aTop), x, s.j);
    }
    // a1 = floor(a' / BASE^t) for the scaled a', q1 its quotient, and r1 = a1 - q1 b' the
    // remainder, within a few b' of zero: from a product modulo BASE^n - 1 where that is shorter.
    // a1 is aTop BASE^z: the z zero limbs under a shifted a are never made.
    size_t z = 0;
    if (s.nUp + nALow > s.nDown + t)
        z = s.nUp + nALow - s.nDown - t;
    else
        Rescale(aTop, s.nUp + nALow, s.nDown + t);
    LimbVec q = QuotientByReciprocal<BASE>(
        k - 1 >= z ? TopLimbs(aTop, k - 1 - z) : ShiftUp(aTop, z - (k - 1)), x, s.j);
    CheckCancel();
    bool bNegative = false;
    LimbVec r;
    if (size_t n = WrapLength(k + 1, q.size() + k); n != 0) {
        // Times BASE^z modulo BASE^n - 1 turns the limbs round by z.
        LimbVec a1 = Fold<BASE>(aTop.data(), aTop.size(), n);
        std::rotate(a1.begin(), a1.end() - std::ptrdiff_t(z % n), a1.end());
        aTop = LimbVec();
        r = WrappedDifference<BASE>(std::move(a1), MulWrapped<BASE>(q, bTop, n), &bNegative);
    } else {
        Rescale(aTop, z, 0);
        r = Mul<BASE>(q, bTop);
        bNegative = !SubAbs<BASE>(r, aTop) && !r.empty();
    }
    aTop = bTop = LimbVec();
    // The low limbs of a' below BASE^t change r1 BASE^t by less than BASE^t, its quotient by less
    // than a unit.
    Rescale(r, 0, k - 1 - t);
    LimbVec q2 = QuotientByReciprocal<BASE>(std::move(r), x, s.j);
    x = LimbVec();
    q = ShiftUp(q, t);
    if (bNegative)
        SubAbs<BASE>(q, q2);
    else
        AddTo<BASE>(q, q2);
    return q;
}

// NewtonQuotient of a and b, which stay the caller's.
template <uint64_t BASE>
LimbVec NewtonQuotientOf(const LimbVec& a, const LimbVec& b)
{
    const NewtonScale s = ScaleFor(a.size(), b.size());
    return NewtonQuotient<BASE>(TopLimbs(a, s.nALow), a.size(), TopLimbs(b, s.nDown), b.size());
}

// q is an estimate of floor(a / b) a few units off either way. Steps q to the exact quotient and
// returns the remainder; a - q b, within a few b of zero, comes from q b modulo BASE^n - 1 where
// that takes a shorter transform than the whole product.
template <uint64_t BASE>
LimbVec CorrectQuotientWrapped(LimbVec& q, const LimbVec& a, const LimbVec& b)
{
    const size_t n = WrapLength(b.size() + 1, q.size() + b.size());
    if (n == 0)
        return CorrectQuotient<BASE>(q, Mul<BASE>(q, b), a, b);
    bool bNegative = false;
    LimbVec r = WrappedDifference<BASE>(Fold<BASE>(a.data(), a.size(), n),
                                        MulWrapped<BASE>(q, b, n), &bNegative);
    while (bNegative) {
        SubSmall<BASE>(q, 1);
        // a - q b grew by b.
        bNegative = !SubAbs<BASE>(r, b) && !r.empty();
    }
    while (Compare(r, b) >= 0) {
        AddSmall<BASE>(q, 1);
        SubAbs<BASE>(r, b);
    }
    return r;
}

template <uint64_t BASE>
void NewtonDivMod(const LimbVec& a, const LimbVec& b, LimbVec* pQuotient, LimbVec* pRemainder)
{
    LimbVec q = NewtonQuotientOf<BASE>(a, b);
    CheckCancel();
    LimbVec r = CorrectQuotientWrapped<BASE>(q, a, b);
    if (pQuotient != nullptr)
        *pQuotient = std::move(q);
    if (pRemainder != nullptr)
        *pRemainder = std::move(r);
}

// The units of ApproxReciprocal for b of k limbs. The reciprocal of the top half is good to about
// its last limb, so the excess e and the correction have about k limbs.
// The units of a product of na and nb limbs that finds a value of nValue limbs, wrapped where
// that is shorter.
uint64_t ProductNearUnits(size_t nValue, size_t na, size_t nb)
{
    const size_t n = WrapLength(nValue, na + nb);
    return n >= WRAP_TRANSFORM_LENGTH && n <= NTT_MAX_LENGTH ? NttUnits(n + 1) : MulUnits(na, nb);
}

uint64_t ApproxReciprocalUnits(size_t k)
{
    if (k <= RECIPROCAL_BASE_CASE)
        return DivModUnits(2 * k + 1, k);
    size_t h = k / 2 + 2;
    return ApproxReciprocalUnits(h) + ProductNearUnits(k + 2, k, h + 1) +
           MulUnits(h + 1, k + 3 - h);
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
        std::min(b.size(), a.size() - b.size() + 1) >= NEWTON_THRESHOLD)
        return NewtonQuotientOf<BASE>(a, b);
    LimbVec q;
    DivMod<BASE>(a, b, &q, nullptr);
    return q;
}

template <uint64_t BASE>
LimbVec ApproxQuotient(LimbVec&& a, size_t nShift, LimbVec&& b)
{
    assert(!b.empty());
    const size_t na = a.empty() ? 0 : a.size() + nShift;
    if (na < b.size() || b.size() == 1 || std::min(b.size(), na - b.size() + 1) < NEWTON_THRESHOLD)
        return ApproxQuotient<BASE>(ShiftUp(a, nShift), b);
    // The limbs that do not matter go before the copies, in place.
    const NewtonScale s = ScaleFor(na, b.size());
    const size_t nb = b.size();
    Rescale(a, 0, s.nALow > nShift ? s.nALow - nShift : 0);
    Rescale(b, 0, s.nDown);
    return NewtonQuotient<BASE>(std::move(a), na, std::move(b), nb);
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
    const NewtonScale s = ScaleFor(na, nb);
    const uint64_t nCorrection = ProductNearUnits(nb + 1, m, nb);
    if (s.nSplit == 0)
        return ApproxReciprocalUnits(s.k) + MulUnits(m, s.k + 1) + nCorrection;
    return ApproxReciprocalUnits(s.j) + 2 * MulUnits(s.j, s.j + 1) +
           ProductNearUnits(s.k + 1, s.j, s.k) + nCorrection;
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
    template LimbVec ApproxQuotient<B>(LimbVec&&, size_t, LimbVec &&);                             \
    template LimbVec ReciprocalSqrt<B>(uint32_t, size_t);

PELMORIX_DIVIDE_INSTANTIATE(BINARY_BASE)
PELMORIX_DIVIDE_INSTANTIATE(DECIMAL_BASE)
} // namespace limb
