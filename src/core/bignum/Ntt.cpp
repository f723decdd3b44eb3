#include "bignum/Ntt.h"

#include "bignum/LimbKernels.h"

#include <algorithm>
#include <cassert>
#include <immintrin.h>
#include <vector>

namespace limb
{
namespace
{
// Primes below 2^30, so that residues may run up to 4P inside 32 bits between reductions.
constexpr uint32_t P0 = 998244353; // 119 * 2^23 + 1
constexpr uint32_t P1 = 754974721; // 45 * 2^24 + 1
constexpr uint32_t P2 = 469762049; // 7 * 2^26 + 1
// Transforms run in blocks of this many residues once their strides are short enough.
constexpr size_t NTT_BLOCK = size_t(1) << 12;

// The vector passes run where the processor has AVX2; the plain loops give the same residues.
bool HasAvx2() { return __builtin_cpu_supports("avx2"); }

constexpr uint32_t PowMod(uint64_t b, uint64_t e, uint32_t p)
{
    uint64_t r = 1;
    for (b %= p; e != 0; e >>= 1, b = b * b % p)
        if (e & 1)
            r = r * b % p;
    return uint32_t(r);
}

// Arithmetic modulo an odd prime P below 2^30 in Montgomery form with R = 2^32. The transforms
// keep residues in [0, 2P) and reduce fully only at the end.
template <uint32_t P>
struct Field
{
    static constexpr uint32_t NegInverse()
    {
        uint32_t x = P;
        for (int i = 0; i < 5; ++i)
            x *= 2 - P * x;
        return uint32_t(0) - x;
    }
    static constexpr uint32_t NEG_INV = NegInverse();
    static constexpr uint32_t R_MOD = uint32_t((uint64_t(1) << 32) % P);
    static constexpr uint32_t R2_MOD = uint32_t(uint64_t(R_MOD) * R_MOD % P);

    // a * b / R mod P.
    static uint32_t Mul(uint32_t a, uint32_t b)
    {
        uint64_t t = uint64_t(a) * b;
        uint32_t m = uint32_t(t) * NEG_INV;
        uint32_t u = uint32_t((t + uint64_t(m) * P) >> 32);
        return u >= P ? u - P : u;
    }
    // a * b / R mod P within [0, 2P), for a * b < R * P.
    static uint32_t MulLazy(uint32_t a, uint32_t b)
    {
        uint64_t t = uint64_t(a) * b;
        uint32_t m = uint32_t(t) * NEG_INV;
        return uint32_t((t + uint64_t(m) * P) >> 32);
    }
    // [0, 4P) to [0, 2P).
    static uint32_t Fold(uint32_t x) { return x >= 2 * P ? x - 2 * P : x; }
    static uint32_t ToMont(uint32_t a) { return Mul(a, R2_MOD); }

    // The smallest generator of the multiplicative group.
    static uint32_t Generator()
    {
        std::vector<uint32_t> factors;
        uint32_t rest = P - 1;
        for (uint32_t f = 2; f * f <= rest; ++f)
            if (rest % f == 0) {
                factors.push_back(f);
                while (rest % f == 0)
                    rest /= f;
            }
        if (rest > 1)
            factors.push_back(rest);
        for (uint32_t g = 2;; ++g)
            if (std::all_of(factors.begin(), factors.end(),
                            [g](uint32_t f) { return PowMod(g, (P - 1) / f, P) != 1; }))
                return g;
    }

    // w[len + j] = (root of unity of order 2 len)^j in Montgomery form, len = 1, 2, 4 ... n / 2.
    // Each level is every other entry of the level above it.
    static std::vector<uint32_t> Twiddles(size_t n)
    {
        std::vector<uint32_t> w(std::max<size_t>(n, 2));
        size_t nTop = n / 2;
        w[1] = R_MOD;
        if (nTop == 0)
            return w;
        uint32_t root = ToMont(PowMod(Generator(), (P - 1) / n, P));
        // Eight interleaved chains of powers, so that the multiplications need not wait on each
        // other.
        w[nTop] = R_MOD;
        for (size_t j = 1; j < nTop && j < 8; ++j)
            w[nTop + j] = Mul(w[nTop + j - 1], root);
        uint32_t root8 = nTop > 8 ? Mul(w[nTop + 7], root) : R_MOD;
        for (size_t j = 8; j < nTop; ++j)
            w[nTop + j] = Mul(w[nTop + j - 8], root8);
        for (size_t len = nTop / 2; len >= 1; len /= 2)
            for (size_t j = 0; j < len; ++j)
                w[len + j] = w[2 * len + 2 * j];
        return w;
    }

    // The inverse roots: w^-j = -w^(len - j) for a root w of order 2 len.
    static std::vector<uint32_t> InverseTwiddles(const std::vector<uint32_t>& w, size_t n)
    {
        std::vector<uint32_t> wi(w.size());
        for (size_t len = 1; len < n; len *= 2) {
            wi[len] = R_MOD;
            for (size_t j = 1; j < len; ++j)
                wi[len + j] = P - w[len + len - j];
        }
        return wi;
    }

    // Eight residues at once: MulLazy on each 32-bit lane, through the even and the odd lanes'
    // 64-bit products.
    __attribute__((target("avx2"))) static __m256i MulLazy8(__m256i a, __m256i b)
    {
        const __m256i p = _mm256_set1_epi64x(P), negInv = _mm256_set1_epi64x(NEG_INV);
        __m256i tEven = _mm256_mul_epu32(a, b);
        __m256i tOdd = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), _mm256_srli_epi64(b, 32));
        __m256i uEven =
            _mm256_add_epi64(tEven, _mm256_mul_epu32(_mm256_mul_epu32(tEven, negInv), p));
        __m256i uOdd = _mm256_add_epi64(tOdd, _mm256_mul_epu32(_mm256_mul_epu32(tOdd, negInv), p));
        return _mm256_blend_epi32(_mm256_srli_epi64(uEven, 32), uOdd, 0xAA);
    }

    __attribute__((target("avx2"))) static __m256i Fold8(__m256i x)
    {
        return _mm256_min_epu32(x, _mm256_sub_epi32(x, _mm256_set1_epi32(int(2 * P))));
    }

    __attribute__((target("avx2"))) static void ForwardPassAvx2(uint32_t* a, size_t n, size_t len,
                                                                const uint32_t* w)
    {
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        for (size_t i = 0; i < n; i += 2 * len)
            for (size_t j = 0; j < len; j += 8) {
                __m256i* pu = reinterpret_cast<__m256i*>(a + i + j);
                __m256i* pv = reinterpret_cast<__m256i*>(a + i + j + len);
                __m256i u = _mm256_loadu_si256(pu), v = _mm256_loadu_si256(pv);
                __m256i root = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + len + j));
                _mm256_storeu_si256(pu, Fold8(_mm256_add_epi32(u, v)));
                _mm256_storeu_si256(pv,
                                    MulLazy8(_mm256_add_epi32(_mm256_sub_epi32(u, v), twoP), root));
            }
    }

    __attribute__((target("avx2"))) static void InversePassAvx2(uint32_t* a, size_t n, size_t len,
                                                                const uint32_t* w)
    {
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        for (size_t i = 0; i < n; i += 2 * len)
            for (size_t j = 0; j < len; j += 8) {
                __m256i* pu = reinterpret_cast<__m256i*>(a + i + j);
                __m256i* pv = reinterpret_cast<__m256i*>(a + i + j + len);
                __m256i root = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + len + j));
                __m256i u = _mm256_loadu_si256(pu), v = MulLazy8(_mm256_loadu_si256(pv), root);
                _mm256_storeu_si256(pu, Fold8(_mm256_add_epi32(u, v)));
                _mm256_storeu_si256(pv, Fold8(_mm256_add_epi32(_mm256_sub_epi32(u, v), twoP)));
            }
    }

    __attribute__((target("avx2"))) static void PointwiseAvx2(uint32_t* out, const uint32_t* b,
                                                              size_t n)
    {
        for (size_t i = 0; i < n; i += 8) {
            __m256i* po = reinterpret_cast<__m256i*>(out + i);
            __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
            _mm256_storeu_si256(po, MulLazy8(_mm256_loadu_si256(po), x));
        }
    }

    __attribute__((target("avx2"))) static void ScaleAvx2(uint32_t* out, size_t n, uint32_t scale)
    {
        const __m256i factor = _mm256_set1_epi32(int(scale)), p = _mm256_set1_epi32(int(P));
        for (size_t i = 0; i < n; i += 8) {
            __m256i* po = reinterpret_cast<__m256i*>(out + i);
            __m256i x = MulLazy8(_mm256_loadu_si256(po), factor);
            _mm256_storeu_si256(po, _mm256_min_epu32(x, _mm256_sub_epi32(x, p)));
        }
    }

    // out = out * scale / R elementwise, reduced to [0, P).
    static void Scale(uint32_t* out, size_t n, uint32_t scale, bool bVector)
    {
        if (n >= 8 && bVector)
            return ScaleAvx2(out, n, scale);
        for (size_t i = 0; i < n; ++i) {
            uint32_t x = MulLazy(out[i], scale);
            out[i] = x >= P ? x - P : x;
        }
    }

    static void ForwardPass(uint32_t* a, size_t n, size_t len, const uint32_t* w, bool bVector)
    {
        if (len >= 8 && bVector)
            return ForwardPassAvx2(a, n, len, w);
        for (size_t i = 0; i < n; i += 2 * len)
            for (size_t j = 0; j < len; ++j) {
                uint32_t u = a[i + j], v = a[i + j + len];
                a[i + j] = Fold(u + v);
                a[i + j + len] = MulLazy(u - v + 2 * P, w[len + j]);
            }
    }

    static void InversePass(uint32_t* a, size_t n, size_t len, const uint32_t* w, bool bVector)
    {
        if (len >= 8 && bVector)
            return InversePassAvx2(a, n, len, w);
        for (size_t i = 0; i < n; i += 2 * len)
            for (size_t j = 0; j < len; ++j) {
                uint32_t u = a[i + j], v = MulLazy(a[i + j + len], w[len + j]);
                a[i + j] = Fold(u + v);
                a[i + j + len] = Fold(u - v + 2 * P);
            }
    }

    // out = out * b / R elementwise.
    static void Pointwise(uint32_t* out, const uint32_t* b, size_t n, bool bVector)
    {
        if (n >= 8 && bVector)
            return PointwiseAvx2(out, b, n);
        for (size_t i = 0; i < n; ++i)
            out[i] = MulLazy(out[i], b[i]);
    }

    // Decimation in frequency: natural order in, bit-reversed order out. The short strides run
    // block by block while a block stays in the cache.
    static void Forward(uint32_t* a, size_t n, const uint32_t* w, bool bVector)
    {
        size_t nBlock = std::min(n, NTT_BLOCK);
        for (size_t len = n / 2; len >= nBlock; len /= 2)
            ForwardPass(a, n, len, w, bVector);
        for (size_t i = 0; i < n; i += nBlock)
            for (size_t len = nBlock / 2; len >= 1; len /= 2)
                ForwardPass(a + i, nBlock, len, w, bVector);
    }

    // Decimation in time with inverse roots: bit-reversed order in, natural order out, times n.
    static void Inverse(uint32_t* a, size_t n, const uint32_t* w, bool bVector)
    {
        size_t nBlock = std::min(n, NTT_BLOCK);
        for (size_t i = 0; i < n; i += nBlock)
            for (size_t len = 1; len < nBlock; len *= 2)
                InversePass(a + i, nBlock, len, w, bVector);
        for (size_t len = nBlock; len < n; len *= 2)
            InversePass(a, n, len, w, bVector);
    }

    // out[0 .. n) = cyclic convolution of a and b modulo P, residues in [0, P).
    static void Convolve(const uint32_t* a, size_t na, const uint32_t* b, size_t nb, size_t n,
                         uint32_t* out, bool bVector)
    {
        std::vector<uint32_t> w = Twiddles(n);
        std::transform(a, a + na, out, [](uint32_t x) { return x % P; });
        std::fill(out + na, out + n, 0u);
        Forward(out, n, w.data(), bVector);
        if (a == b && na == nb)
            Pointwise(out, out, n, bVector);
        else {
            std::vector<uint32_t> fb(n, 0);
            std::transform(b, b + nb, fb.begin(), [](uint32_t x) { return x % P; });
            Forward(fb.data(), n, w.data(), bVector);
            Pointwise(out, fb.data(), n, bVector);
        }
        w = InverseTwiddles(w, n);
        Inverse(out, n, w.data(), bVector);
        // The pointwise products carry a factor 1/R and the inverse transform a factor n.
        uint32_t scale = uint32_t(uint64_t(R2_MOD) * PowMod(n, P - 2, P) % P);
        Scale(out, n, scale, bVector);
    }
};

constexpr uint32_t INV_P0_MOD_P1 = PowMod(P0, P1 - 2, P1);
constexpr uint32_t INV_P0_MOD_P2 = PowMod(P0, P2 - 2, P2);
constexpr uint32_t INV_P1_MOD_P2 = PowMod(P1, P2 - 2, P2);

// __int128 is a GCC and Clang extension; __extension__ tells -Wpedantic so.
__extension__ using u128 = unsigned __int128;

// The coefficient whose residues are r0, r1, r2 (below P0 P1 P2 < 2^90).
u128 Garner(uint32_t r0, uint32_t r1, uint32_t r2)
{
    uint64_t v1 = (uint64_t(r1) + P1 - r0 % P1) * INV_P0_MOD_P1 % P1;
    uint64_t t = (uint64_t(r2) + P2 - r0 % P2) * INV_P0_MOD_P2 % P2;
    uint64_t v2 = (t + P2 - v1 % P2) * INV_P1_MOD_P2 % P2;
    return r0 + (u128)P0 * (v1 + uint64_t(P1) * v2);
}

// Splits acc into its lowest limb (returned) and the rest (left in acc).
template <uint64_t BASE>
uint32_t TakeLimb(u128& acc)
{
    if constexpr (BASE == (uint64_t(1) << 32)) {
        uint32_t lo = uint32_t(acc);
        acc >>= 32;
        return lo;
    } else {
        // Long division in 32-bit steps keeps every step a 64-bit division by a constant.
        uint64_t top = uint64_t(acc >> 64), mid = uint32_t(acc >> 32), low = uint32_t(acc);
        uint64_t q2 = top / BASE, r = top % BASE;
        uint64_t v = (r << 32) | mid;
        uint64_t q1 = v / BASE;
        v = ((v % BASE) << 32) | low;
        uint64_t q0 = v / BASE;
        acc = ((u128)q2 << 64) + ((u128)q1 << 32) + q0;
        return uint32_t(v % BASE);
    }
}
} // namespace

namespace
{
template <uint64_t BASE>
void NttMulWith(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb,
                bool bVector)
{
    size_t nr = na + nb;
    assert(nr <= NTT_MAX_LENGTH);
    size_t n = 1;
    while (n < nr - 1)
        n *= 2;
    std::vector<uint32_t> c0(n), c1(n), c2(n);
    Field<P0>::Convolve(a, na, b, nb, n, c0.data(), bVector);
    Field<P1>::Convolve(a, na, b, nb, n, c1.data(), bVector);
    Field<P2>::Convolve(a, na, b, nb, n, c2.data(), bVector);
    u128 acc = 0;
    for (size_t i = 0; i < nr; ++i) {
        if (i < nr - 1)
            acc += Garner(c0[i], c1[i], c2[i]);
        r[i] = TakeLimb<BASE>(acc);
    }
    assert(acc == 0);
}
} // namespace

template <uint64_t BASE>
void NttMul(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    NttMulWith<BASE>(r, a, na, b, nb, HasAvx2());
}

template <uint64_t BASE>
void NttMulPortable(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    NttMulWith<BASE>(r, a, na, b, nb, false);
}

template void NttMul<BINARY_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*, size_t);
template void NttMul<DECIMAL_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*, size_t);
template void NttMulPortable<BINARY_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*,
                                          size_t);
template void NttMulPortable<DECIMAL_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*,
                                           size_t);
} // namespace limb
