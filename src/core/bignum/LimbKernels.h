#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

// Carry-returning loops over plain limb arrays, least significant limb first. BASE is the limb
// radix: 2^32 for binary values, 10^9 for decimal ones; every limb is below BASE. The 64-bit
// intermediates hold a limb product plus two limbs for both radices.
namespace limb
{
constexpr uint64_t BINARY_BASE = uint64_t(1) << 32;
constexpr uint64_t DECIMAL_BASE = 1000000000;

// r = a + b + carry over n limbs; returns the outgoing carry (0 or 1). r may alias a or b.
template <uint64_t BASE>
inline uint32_t AddN(uint32_t* r, const uint32_t* a, const uint32_t* b, size_t n,
                     uint32_t carry = 0)
{
    for (size_t i = 0; i < n; ++i) {
        uint64_t s = uint64_t(a[i]) + b[i] + carry;
        carry = s >= BASE;
        r[i] = uint32_t(carry ? s - BASE : s);
    }
    return carry;
}

// r = a + c over n limbs, c below BASE; returns the outgoing carry. r may alias a.
template <uint64_t BASE>
inline uint32_t AddSmallN(uint32_t* r, const uint32_t* a, size_t n, uint32_t c)
{
    size_t i = 0;
    for (; i < n && c != 0; ++i) {
        uint64_t s = uint64_t(a[i]) + c;
        c = s >= BASE;
        r[i] = uint32_t(c ? s - BASE : s);
    }
    if (r != a)
        for (; i < n; ++i)
            r[i] = a[i];
    return c;
}

// r = a - b - borrow over n limbs; returns the outgoing borrow. r may alias a or b.
template <uint64_t BASE>
inline uint32_t SubN(uint32_t* r, const uint32_t* a, const uint32_t* b, size_t n,
                     uint32_t borrow = 0)
{
    for (size_t i = 0; i < n; ++i) {
        uint64_t t = uint64_t(b[i]) + borrow;
        borrow = a[i] < t;
        r[i] = uint32_t(borrow ? a[i] + BASE - t : a[i] - t);
    }
    return borrow;
}

// r = a - c over n limbs; returns the outgoing borrow. r may alias a.
template <uint64_t BASE>
inline uint32_t SubSmallN(uint32_t* r, const uint32_t* a, size_t n, uint32_t c)
{
    size_t i = 0;
    for (; i < n && c != 0; ++i) {
        bool bBorrow = a[i] < c;
        r[i] = uint32_t(bBorrow ? a[i] + BASE - c : a[i] - c);
        c = bBorrow;
    }
    if (r != a)
        for (; i < n; ++i)
            r[i] = a[i];
    return c;
}

// r = a * m + carry over n limbs; returns the outgoing carry, which may exceed one limb of a
// decimal value (it stays below m + 1). r may alias a.
template <uint64_t BASE>
inline uint32_t MulSmallN(uint32_t* r, const uint32_t* a, size_t n, uint32_t m, uint32_t carry = 0)
{
    uint64_t c = carry;
    for (size_t i = 0; i < n; ++i) {
        uint64_t p = uint64_t(a[i]) * m + c;
        r[i] = uint32_t(p % BASE);
        c = p / BASE;
    }
    return uint32_t(c);
}

// r += a * m over n limbs; returns the carry out of limb n - 1 (below BASE when m is).
template <uint64_t BASE>
inline uint32_t AddMulSmallN(uint32_t* r, const uint32_t* a, size_t n, uint32_t m)
{
    uint64_t c = 0;
    for (size_t i = 0; i < n; ++i) {
        uint64_t p = uint64_t(a[i]) * m + r[i] + c;
        r[i] = uint32_t(p % BASE);
        c = p / BASE;
    }
    return uint32_t(c);
}

// r -= a * m over n limbs; returns what is still to be taken from limb n (below BASE + 1).
template <uint64_t BASE>
inline uint64_t SubMulSmallN(uint32_t* r, const uint32_t* a, size_t n, uint32_t m)
{
    uint64_t c = 0;
    for (size_t i = 0; i < n; ++i) {
        uint64_t p = uint64_t(a[i]) * m + c;
        uint32_t lo = uint32_t(p % BASE);
        c = p / BASE;
        if (r[i] < lo) {
            r[i] = uint32_t(r[i] + BASE - lo);
            ++c;
        } else
            r[i] -= lo;
    }
    return c;
}

// q = a / d over n limbs, d non-zero; returns the remainder. q may alias a.
template <uint64_t BASE>
inline uint32_t DivSmallN(uint32_t* q, const uint32_t* a, size_t n, uint32_t d)
{
    assert(d != 0);
    uint64_t r = 0;
    for (size_t i = n; i-- > 0;) {
        uint64_t v = r * BASE + a[i];
        q[i] = uint32_t(v / d);
        r = v % d;
    }
    return uint32_t(r);
}

// Limb count without zero limbs on top.
inline size_t Normalized(const uint32_t* a, size_t n)
{
    while (n > 0 && a[n - 1] == 0)
        --n;
    return n;
}

// 1, 0 or -1 as a is greater than, equal to or less than b; both without zero limbs on top.
inline int Compare(const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    if (na != nb)
        return na > nb ? 1 : -1;
    for (size_t i = na; i-- > 0;)
        if (a[i] != b[i])
            return a[i] > b[i] ? 1 : -1;
    return 0;
}
} // namespace limb
