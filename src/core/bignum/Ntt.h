#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace limb
{
// The longest product one transform can take: the three primes carry 2^23-point transforms, and
// 2^23 products of two limbs below 2^32 stay below the product of the primes (about 2^88.2).
constexpr size_t NTT_MAX_LENGTH = size_t(1) << 23;

// The length of the transforms of a product of nr limbs: the power of two its coefficients fit.
size_t TransformLength(size_t nr);

// The points the transforms of a product of nr limbs are taken on: TransformLength, or three
// quarters of it when the product's coefficients end within them (from 64 points on), as they
// then give the product and need three quarters of the work and memory.
size_t TransformPoints(size_t nr);

// The work of NttMul on a product of nr limbs, in the units of LimbMath.h's MulUnits. NttMul
// credits it to the current calculation's progress as it goes.
uint64_t NttUnits(size_t nr);

// r[0 .. na + nb) = a * b by number-theoretic transforms over three primes joined by the Chinese
// remainder theorem; na + nb <= NTT_MAX_LENGTH. r must not overlap a or b.
template <uint64_t BASE>
void NttMul(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb);
// The same product in a vector of its own, taken only once the transforms are done, so that it
// does not add to their memory.
template <uint64_t BASE>
std::vector<uint32_t> NttProduct(const uint32_t* a, size_t na, const uint32_t* b, size_t nb);
// The transforms of one factor for products of transform length n, one per prime on m points,
// made once for several products with that factor.
struct NttFactor
{
    size_t n = 0;
    size_t m = 0;
    std::unique_ptr<uint32_t[]> transforms[3];
};
// Whether products of transform length n may keep the transforms of a factor: those whose roots
// are kept, where making the transforms is a noticeable share of the work and they are small.
bool NttKeepsFactor(size_t n);
// Whether the factor's transforms serve a product of nr limbs.
bool NttFactorServes(const NttFactor& factor, size_t nr);
// The transforms of the factor a of na limbs for a product of nr limbs.
template <uint64_t BASE>
NttFactor NttTransformFactor(const uint32_t* a, size_t na, size_t nr);
// NttProduct of the factor a of na limbs, transformed for the length of this product, and b.
template <uint64_t BASE>
std::vector<uint32_t> NttProduct(const NttFactor& a, size_t na, const uint32_t* b, size_t nb);
// a * b mod (BASE^n - 1) in n limbs (BASE^n - 1 itself may stand for zero), from one cyclic
// convolution of length n: half the transform of the whole product where only its value near a
// known one is wanted. n is a power of two from 4 to NTT_MAX_LENGTH, na and nb at most n.
template <uint64_t BASE>
std::vector<uint32_t> NttWrappedProduct(const uint32_t* a, size_t na, const uint32_t* b, size_t nb,
                                        size_t n);
// The same without the processor's vector instructions, which NttMul uses where it finds them.
template <uint64_t BASE>
void NttMulPortable(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb);
} // namespace limb
