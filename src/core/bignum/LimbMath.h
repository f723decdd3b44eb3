#pragma once

#include "core/bignum/LimbKernels.h"
#include "core/bignum/Ntt.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Natural numbers as limb vectors in radix BASE (limb::BINARY_BASE or limb::DECIMAL_BASE). A
// value is normalized: no zero limb on top, zero is the empty vector. The functions are
// instantiated for the two radices only. Long steps stop with LongCancelled when the current
// calculation is cancelled (LongControl.h).
namespace limb
{
using LimbVec = std::vector<uint32_t>;

void Trim(LimbVec& a);
int Compare(const LimbVec& a, const LimbVec& b);
// a * BASE^k and floor(a / BASE^k).
LimbVec ShiftUp(const LimbVec& a, size_t k);
LimbVec ShiftDown(const LimbVec& a, size_t k);

template <uint64_t BASE>
LimbVec Add(const LimbVec& a, const LimbVec& b);
// a += b in place.
template <uint64_t BASE>
void AddTo(LimbVec& a, const LimbVec& b);
// a = |a - b| in place; true when b was the larger.
template <uint64_t BASE>
bool SubAbs(LimbVec& a, const LimbVec& b);
// a - b for a >= b.
template <uint64_t BASE>
LimbVec Sub(const LimbVec& a, const LimbVec& b);
template <uint64_t BASE>
void AddSmall(LimbVec& a, uint32_t c);
// a - c for a >= c.
template <uint64_t BASE>
void SubSmall(LimbVec& a, uint32_t c);
template <uint64_t BASE>
void MulSmall(LimbVec& a, uint32_t m);
// a = a / d, d non-zero; returns the remainder.
template <uint64_t BASE>
uint32_t DivSmall(LimbVec& a, uint32_t d);

// r[0 .. na + nb) = a * b. r must not overlap a or b; a and b may be the same array.
// Schoolbook, Karatsuba or number-theoretic transform by size.
template <uint64_t BASE>
void MulInto(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb);
template <uint64_t BASE>
LimbVec Mul(const LimbVec& a, const LimbVec& b);
template <uint64_t BASE>
void MulSchoolbook(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb);

// A factor of several products: Times(b) is Mul(a, b), and products that go through mid-size
// transforms of one length transform a only once. a must outlive the object and stay unchanged.
template <uint64_t BASE>
class CSharedFactor
{
public:
    explicit CSharedFactor(const LimbVec& a) : m_a(a) {}
    LimbVec Times(const LimbVec& b);

private:
    const LimbVec& m_a;
    NttFactor m_transformed;
};
// The product from those of b with the two halves of a: for products longer than one transform
// takes. na >= 2.
template <uint64_t BASE>
void MulByHalves(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb);

// Quotient and remainder of a by a non-zero b; either output may be null.
template <uint64_t BASE>
void DivMod(const LimbVec& a, const LimbVec& b, LimbVec* pQuotient, LimbVec* pRemainder);
// floor(a / b) or a few units off it either way, for b non-zero: the quotient of DivMod without
// the product that corrects it, where the last units do not matter.
template <uint64_t BASE>
LimbVec ApproxQuotient(const LimbVec& a, const LimbVec& b);
// The same for a BASE^nShift and b, taken over: each goes as soon as the division no longer
// needs it, and the low limbs of a BASE^nShift are never made.
template <uint64_t BASE>
LimbVec ApproxQuotient(LimbVec&& a, size_t nShift, LimbVec&& b);
// floor(BASE^(2k) / b) for b of exactly k limbs.
template <uint64_t BASE>
LimbVec Reciprocal(const LimbVec& b);
// BASE^k / sqrt(a) for a >= 2, within a few units of the last limb.
template <uint64_t BASE>
LimbVec ReciprocalSqrt(uint32_t a, size_t k);

// The work of the steps above, estimated from the lengths of their operands in limbs, in the
// units the multiplications and divisions credit to the current calculation's progress
// (LongControl.h) as they go: one unit is about one limb product of schoolbook multiplication.
uint64_t MulUnits(size_t na, size_t nb);
uint64_t DivModUnits(size_t na, size_t nb);
uint64_t ReciprocalSqrtUnits(size_t k);
} // namespace limb
