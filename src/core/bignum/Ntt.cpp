#include "core/bignum/Ntt.h"

#include "core/base/CpuFeatures.h"
#include "core/bignum/LimbKernels.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongPool.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <immintrin.h>
#include <memory>
#include <mutex>
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
// Elementwise steps and long strides go in chunks of this many residues, between which the
// cancellation flag is looked at and which may run on different threads.
constexpr size_t NTT_GRAIN = size_t(1) << 15;
// Transforms from this length on give their two halves to two threads.
constexpr size_t NTT_PARALLEL = size_t(1) << 14;
// Transforms up to this length take their forward roots from tables kept for the whole run;
// longer ones, where making the roots is a smaller part of the work, make their own and free them
// after. The tables take 3 x 4 bytes per point: longer ones save more work (2^16 points: a tenth
// of pi to 10^5 digits) but raise the peak memory of mid-size work by as much.
constexpr size_t ROOT_CACHE_LENGTH = size_t(1) << 12;
// Transforms from this length on whose products end within their third quarter take only the
// first three quarters of their points (see LoadForward).
constexpr size_t THREE_QUARTERS_LENGTH = 64;
// Output limbs of the joined residues per chunk.
constexpr size_t JOIN_GRAIN = size_t(1) << 16;
// Work units of one residue in one stride of a transform, and of the steps that go once over all
// residues, against one limb product of schoolbook multiplication (measured with AVX2).
constexpr uint64_t UNITS_PER_STRIDE = 3;
constexpr uint64_t UNITS_PER_PASS = 12;

template <class First, class Second>
void Both(size_t n, const First& first, const Second& second)
{
    if (n >= NTT_PARALLEL)
        return CLongPool::Invoke(first, second);
    first();
    second();
}

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
        uint32_t* pTop = w.data() + nTop;
        CLongPool::For(nTop, NTT_GRAIN, [=](size_t j0, size_t j1) { Powers(root, j0, j1, pTop); });
        uint32_t* pW = w.data();
        for (size_t len = nTop / 2; len >= 1; len /= 2)
            CLongPool::For(len, NTT_GRAIN, [=](size_t j0, size_t j1) {
                for (size_t j = j0; j < j1; ++j)
                    pW[len + j] = pW[2 * len + 2 * j];
            });
        return w;
    }

    // The roots of all transforms up to ROOT_CACHE_LENGTH, laid out as Twiddles leaves them: the
    // entries of one level do not depend on the transform length, so the levels are made once
    // each, when a transform first needs them.
    struct RootCache
    {
        std::mutex mutex;
        std::atomic<size_t> nReady{0}; // entries [1, nReady) are made
        // In static storage, whose pages count only once they are written, and which leaves the
        // heap free to give back what the products free.
        uint32_t forward[ROOT_CACHE_LENGTH];
    };

    static RootCache& Roots()
    {
        static RootCache cache;
        return cache;
    }

    // Makes the roots of transforms up to length n <= ROOT_CACHE_LENGTH.
    static void MakeRoots(size_t n)
    {
        RootCache& cache = Roots();
        if (cache.nReady.load(std::memory_order_acquire) >= n)
            return;
        std::lock_guard lock(cache.mutex);
        size_t nReady = cache.nReady.load(std::memory_order_relaxed);
        if (nReady >= n)
            return;
        if (nReady == 0) {
            cache.forward[0] = 0;
            cache.forward[1] = R_MOD;
            nReady = 2;
        }
        const uint32_t g = Generator();
        uint32_t* pForward = cache.forward;
        // Level len holds the powers of a root of order 2 len.
        for (size_t len = nReady; len < n; len *= 2) {
            uint32_t root = ToMont(PowMod(g, (P - 1) / (2 * len), P));
            Powers(root, 0, len, pForward + len);
            nReady = 2 * len;
        }
        cache.nReady.store(nReady, std::memory_order_release);
    }

    // x^e in Montgomery form.
    static uint32_t Power(uint32_t x, uint64_t e)
    {
        uint32_t r = R_MOD;
        for (; e != 0; e >>= 1, x = Mul(x, x))
            if (e & 1)
                r = Mul(r, x);
        return r;
    }

    // out[j] = root^j for j in [j0, j1), in eight interleaved chains so that the multiplications
    // need not wait on each other, and that go eight at a time with vector instructions.
    static void Powers(uint32_t root, size_t j0, size_t j1, uint32_t* out)
    {
        out[j0] = Power(root, j0);
        for (size_t j = j0 + 1; j < j1 && j < j0 + 8; ++j)
            out[j] = Mul(out[j - 1], root);
        uint32_t root8 = Power(root, 8);
        size_t j = j0 + 8;
        if (HasAvx2())
            j = PowersAvx2(root8, j, j1, out);
        for (; j < j1; ++j)
            out[j] = Mul(out[j - 8], root8);
    }

    // The chains of Powers from j on, eight entries at a time while they fill eight; returns
    // where it stopped.
    __attribute__((target("avx2"))) static size_t PowersAvx2(uint32_t root8, size_t j, size_t j1,
                                                             uint32_t* out)
    {
        const __m256i factor = _mm256_set1_epi32(int(root8)), p = _mm256_set1_epi32(int(P));
        for (; j + 8 <= j1; j += 8) {
            __m256i x =
                MulLazy8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(out + j - 8)), factor);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + j),
                                _mm256_min_epu32(x, _mm256_sub_epi32(x, p)));
        }
        return j;
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

    // u, v = u + v, (u - v) root.
    __attribute__((target("avx2"))) static void ForwardButterfly8(__m256i& u, __m256i& v,
                                                                  __m256i root)
    {
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        __m256i d = _mm256_add_epi32(_mm256_sub_epi32(u, v), twoP);
        u = Fold8(_mm256_add_epi32(u, v));
        v = MulLazy8(d, root);
    }

    // u, v = u - v r, u + v r: the inverse butterfly whose root is -r.
    __attribute__((target("avx2"))) static void InverseButterfly8(__m256i& u, __m256i& v, __m256i r)
    {
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        __m256i t = MulLazy8(v, r);
        v = Fold8(_mm256_add_epi32(u, t));
        u = Fold8(_mm256_add_epi32(_mm256_sub_epi32(u, t), twoP));
    }

    // The inverse transforms read the forward roots: for a root w of order 2 len, w^-j is
    // -w^(len - j), the negative of entry 2 len - j, and w^0 is -(-1). The butterflies take these
    // negated inverse roots, which for j .. j + 7 are the forward ones in reverse.
    static uint32_t NegatedInverseRoot(const uint32_t* w, size_t len, size_t j)
    {
        return j == 0 ? P - R_MOD : w[2 * len - j];
    }

    __attribute__((target("avx2"))) static __m256i NegatedInverseRoots8(const uint32_t* w,
                                                                        size_t len, size_t j)
    {
        if (j != 0)
            return _mm256_permutevar8x32_epi32(
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 2 * len - j - 7)),
                _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
        // Entry 2 len is past the level: lane 0 takes -1 instead.
        __m256i r = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 2 * len - 8)),
            _mm256_setr_epi32(0, 7, 6, 5, 4, 3, 2, 1));
        return _mm256_blend_epi32(r, _mm256_set1_epi32(int(P - R_MOD)), 0x01);
    }

    __attribute__((target("avx2"))) static void ForwardSpanAvx2(uint32_t* a, size_t len, size_t j0,
                                                                size_t j1, const uint32_t* w)
    {
        for (size_t j = j0; j < j1; j += 8) {
            __m256i* pu = reinterpret_cast<__m256i*>(a + j);
            __m256i* pv = reinterpret_cast<__m256i*>(a + j + len);
            __m256i u = _mm256_loadu_si256(pu), v = _mm256_loadu_si256(pv);
            ForwardButterfly8(u, v,
                              _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + len + j)));
            _mm256_storeu_si256(pu, u);
            _mm256_storeu_si256(pv, v);
        }
    }

    __attribute__((target("avx2"))) static void InverseSpanAvx2(uint32_t* a, size_t len, size_t j0,
                                                                size_t j1, const uint32_t* w)
    {
        for (size_t j = j0; j < j1; j += 8) {
            __m256i* pu = reinterpret_cast<__m256i*>(a + j);
            __m256i* pv = reinterpret_cast<__m256i*>(a + j + len);
            __m256i u = _mm256_loadu_si256(pu), v = _mm256_loadu_si256(pv);
            InverseButterfly8(u, v, NegatedInverseRoots8(w, len, j));
            _mm256_storeu_si256(pu, u);
            _mm256_storeu_si256(pv, v);
        }
    }

    // The tail below keeps sixteen residues in two registers u, v whose lanes pair up in the
    // butterflies of the stride at hand. Between strides the lanes are regrouped by these steps.

    // u, v = a[0..4) a[8..12), a[4..8) a[12..16): the pairs of stride 4.
    __attribute__((target("avx2"))) static void LoadTail16(const uint32_t* a, __m256i& u,
                                                           __m256i& v)
    {
        const __m256i* pa = reinterpret_cast<const __m256i*>(a);
        __m256i x = _mm256_loadu_si256(pa), y = _mm256_loadu_si256(pa + 1);
        u = _mm256_permute2x128_si256(x, y, 0x20);
        v = _mm256_permute2x128_si256(x, y, 0x31);
    }

    // The inverse of LoadTail16.
    __attribute__((target("avx2"))) static void StoreTail16(uint32_t* a, __m256i u, __m256i v)
    {
        __m256i* pa = reinterpret_cast<__m256i*>(a);
        _mm256_storeu_si256(pa, _mm256_permute2x128_si256(u, v, 0x20));
        _mm256_storeu_si256(pa + 1, _mm256_permute2x128_si256(u, v, 0x31));
    }

    // Trades the odd 64-bit halves of u with the even ones of v, per 128-bit lane: between the
    // pairs of stride 4 and those of stride 2, either way.
    __attribute__((target("avx2"))) static void Swap64(__m256i& u, __m256i& v)
    {
        __m256i lo = _mm256_unpacklo_epi64(u, v), hi = _mm256_unpackhi_epi64(u, v);
        u = lo;
        v = hi;
    }

    // From the pairs of stride 2 to those of stride 1: the even lanes, the odd lanes.
    __attribute__((target("avx2"))) static void SplitOddEven32(__m256i& u, __m256i& v)
    {
        __m256 fu = _mm256_castsi256_ps(u), fv = _mm256_castsi256_ps(v);
        u = _mm256_castps_si256(_mm256_shuffle_ps(fu, fv, _MM_SHUFFLE(2, 0, 2, 0)));
        v = _mm256_castps_si256(_mm256_shuffle_ps(fu, fv, _MM_SHUFFLE(3, 1, 3, 1)));
    }

    // From the pairs of stride 1 back to those of stride 2 (as Swap64 leaves them).
    __attribute__((target("avx2"))) static void Interleave32(__m256i& u, __m256i& v)
    {
        __m256i lo = _mm256_unpacklo_epi32(u, v), hi = _mm256_unpackhi_epi32(u, v);
        u = lo;
        v = hi;
    }

    // The butterflies of stride 1, whose root is one in both directions: u, v = u + v, u - v.
    __attribute__((target("avx2"))) static void UnitButterfly8(__m256i& u, __m256i& v)
    {
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        __m256i s = Fold8(_mm256_add_epi32(u, v));
        v = Fold8(_mm256_add_epi32(_mm256_sub_epi32(u, v), twoP));
        u = s;
    }

    // The roots of stride 4 and of stride 2, laid out as the pairs of those strides are.
    __attribute__((target("avx2"))) static __m256i TailRoots4(const uint32_t* w)
    {
        return _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4)));
    }

    __attribute__((target("avx2"))) static __m256i TailRoots2(const uint32_t* w)
    {
        return _mm256_set_epi32(int(w[3]), int(w[2]), int(w[3]), int(w[2]), int(w[3]), int(w[2]),
                                int(w[3]), int(w[2]));
    }

    // The strides 4, 2 and 1 of a forward transform, sixteen residues at a time.
    __attribute__((target("avx2"))) static void ForwardTailAvx2(uint32_t* a, size_t n,
                                                                const uint32_t* w)
    {
        const __m256i w4 = TailRoots4(w), w2 = TailRoots2(w);
        for (size_t i = 0; i < n; i += 16) {
            __m256i u, v;
            LoadTail16(a + i, u, v);
            ForwardButterfly8(u, v, w4);
            Swap64(u, v);
            ForwardButterfly8(u, v, w2);
            SplitOddEven32(u, v);
            UnitButterfly8(u, v);
            Interleave32(u, v);
            Swap64(u, v);
            StoreTail16(a + i, u, v);
        }
    }

    // The strides 1, 2 and 4 of an inverse transform, the same steps in reverse.
    __attribute__((target("avx2"))) static void InverseTailAvx2(uint32_t* a, size_t n,
                                                                const uint32_t* w)
    {
        const int m1 = int(P - R_MOD);
        const __m256i w4 = _mm256_setr_epi32(m1, int(w[7]), int(w[6]), int(w[5]), m1, int(w[7]),
                                             int(w[6]), int(w[5]));
        const __m256i w2 =
            _mm256_setr_epi32(m1, int(w[3]), m1, int(w[3]), m1, int(w[3]), m1, int(w[3]));
        for (size_t i = 0; i < n; i += 16) {
            __m256i u, v;
            LoadTail16(a + i, u, v);
            Swap64(u, v);
            SplitOddEven32(u, v);
            UnitButterfly8(u, v);
            Interleave32(u, v);
            InverseButterfly8(u, v, w2);
            Swap64(u, v);
            InverseButterfly8(u, v, w4);
            StoreTail16(a + i, u, v);
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

    // The butterflies j in [j0, j1) of stride len, on a[j] and a[j + len].
    static void ForwardSpan(uint32_t* a, size_t len, size_t j0, size_t j1, const uint32_t* w,
                            bool bVector)
    {
        if (len >= 8 && bVector)
            return ForwardSpanAvx2(a, len, j0, j1, w);
        for (size_t j = j0; j < j1; ++j) {
            uint32_t u = a[j], v = a[j + len];
            a[j] = Fold(u + v);
            a[j + len] = MulLazy(u - v + 2 * P, w[len + j]);
        }
    }

    static void InverseSpan(uint32_t* a, size_t len, size_t j0, size_t j1, const uint32_t* w,
                            bool bVector)
    {
        if (len >= 8 && bVector)
            return InverseSpanAvx2(a, len, j0, j1, w);
        for (size_t j = j0; j < j1; ++j) {
            uint32_t u = a[j], t = MulLazy(a[j + len], NegatedInverseRoot(w, len, j));
            a[j] = Fold(u - t + 2 * P);
            a[j + len] = Fold(u + t);
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

    // A transform short enough for the cache, one stride after the other.
    // Two strides of a block at once, each residue loaded and stored once for both: len and
    // len / 2 of the 2 len residues at a, len >= 16.
    __attribute__((target("avx2"))) static void ForwardPairAvx2(uint32_t* a, size_t len,
                                                                const uint32_t* w)
    {
        const size_t k = len / 2;
        for (size_t j = 0; j < k; j += 8) {
            __m256i* p0 = reinterpret_cast<__m256i*>(a + j);
            __m256i* p1 = reinterpret_cast<__m256i*>(a + j + k);
            __m256i* p2 = reinterpret_cast<__m256i*>(a + j + len);
            __m256i* p3 = reinterpret_cast<__m256i*>(a + j + len + k);
            __m256i x0 = _mm256_loadu_si256(p0), x1 = _mm256_loadu_si256(p1);
            __m256i x2 = _mm256_loadu_si256(p2), x3 = _mm256_loadu_si256(p3);
            ForwardButterfly8(x0, x2,
                              _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + len + j)));
            ForwardButterfly8(
                x1, x3, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + len + k + j)));
            __m256i root = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + k + j));
            ForwardButterfly8(x0, x1, root);
            ForwardButterfly8(x2, x3, root);
            _mm256_storeu_si256(p0, x0);
            _mm256_storeu_si256(p1, x1);
            _mm256_storeu_si256(p2, x2);
            _mm256_storeu_si256(p3, x3);
        }
    }

    // The strides len and 2 len of the 4 len residues at a, len >= 8.
    __attribute__((target("avx2"))) static void InversePairAvx2(uint32_t* a, size_t len,
                                                                const uint32_t* w)
    {
        for (size_t j = 0; j < len; j += 8) {
            __m256i* p0 = reinterpret_cast<__m256i*>(a + j);
            __m256i* p1 = reinterpret_cast<__m256i*>(a + j + len);
            __m256i* p2 = reinterpret_cast<__m256i*>(a + j + 2 * len);
            __m256i* p3 = reinterpret_cast<__m256i*>(a + j + 3 * len);
            __m256i x0 = _mm256_loadu_si256(p0), x1 = _mm256_loadu_si256(p1);
            __m256i x2 = _mm256_loadu_si256(p2), x3 = _mm256_loadu_si256(p3);
            __m256i root = NegatedInverseRoots8(w, len, j);
            InverseButterfly8(x0, x1, root);
            InverseButterfly8(x2, x3, root);
            InverseButterfly8(x0, x2, NegatedInverseRoots8(w, 2 * len, j));
            InverseButterfly8(x1, x3, NegatedInverseRoots8(w, 2 * len, j + len));
            _mm256_storeu_si256(p0, x0);
            _mm256_storeu_si256(p1, x1);
            _mm256_storeu_si256(p2, x2);
            _mm256_storeu_si256(p3, x3);
        }
    }

    static void ForwardBlock(uint32_t* a, size_t n, const uint32_t* w, bool bVector)
    {
        bool bTail = bVector && n >= 16;
        size_t len = n / 2;
        if (bTail)
            for (; len >= 16; len /= 4)
                for (size_t i = 0; i < n; i += 2 * len)
                    ForwardPairAvx2(a + i, len, w);
        for (; len >= (bTail ? 8 : 1); len /= 2)
            for (size_t i = 0; i < n; i += 2 * len)
                ForwardSpan(a + i, len, 0, len, w, bVector);
        if (bTail)
            ForwardTailAvx2(a, n, w);
    }

    static void InverseBlock(uint32_t* a, size_t n, const uint32_t* w, bool bVector)
    {
        bool bTail = bVector && n >= 16;
        size_t len = 1;
        if (bTail) {
            InverseTailAvx2(a, n, w);
            for (len = 8; 4 * len <= n; len *= 4)
                for (size_t i = 0; i < n; i += 4 * len)
                    InversePairAvx2(a + i, len, w);
        }
        for (; len < n; len *= 2)
            for (size_t i = 0; i < n; i += 2 * len)
                InverseSpan(a + i, len, 0, len, w, bVector);
    }

    // Decimation in frequency: natural order in, bit-reversed order out. After the first stride
    // the two halves are transforms of their own, which may run on two threads.
    static void Forward(uint32_t* a, size_t n, const uint32_t* w, bool bVector)
    {
        if (n <= NTT_BLOCK)
            return ForwardBlock(a, n, w, bVector);
        size_t h = n / 2;
        CLongPool::For(h, NTT_GRAIN,
                       [=](size_t j0, size_t j1) { ForwardSpan(a, h, j0, j1, w, bVector); });
        Both(
            n, [=] { Forward(a, h, w, bVector); }, [=] { Forward(a + h, h, w, bVector); });
    }

    // Decimation in time with the inverse roots: bit-reversed order in, natural order out, times
    // n. w holds the forward roots, as for Forward.
    static void Inverse(uint32_t* a, size_t n, const uint32_t* w, bool bVector)
    {
        if (n <= NTT_BLOCK)
            return InverseBlock(a, n, w, bVector);
        size_t h = n / 2;
        Both(
            n, [=] { Inverse(a, h, w, bVector); }, [=] { Inverse(a + h, h, w, bVector); });
        CLongPool::For(h, NTT_GRAIN,
                       [=](size_t j0, size_t j1) { InverseSpan(a, h, j0, j1, w, bVector); });
    }

    // out[0 .. n) = a within [0, 2P), which the transforms take, zero past na. Limbs below base
    // need no division when base is at most 4P, as for decimal limbs.
    static void Load(uint32_t* out, const uint32_t* a, size_t na, size_t n, uint64_t base)
    {
        CLongPool::For(n, NTT_GRAIN, [=](size_t i0, size_t i1) {
            size_t iEnd = std::min(i1, std::max(i0, na));
            if (base <= 2 * uint64_t(P))
                std::copy(a + i0, a + iEnd, out + i0);
            else if (base <= 4 * uint64_t(P))
                std::transform(a + i0, a + iEnd, out + i0,
                               [](uint32_t x) { return std::min(x, x - 2 * P); });
            else
                std::transform(a + i0, a + iEnd, out + i0, [](uint32_t x) { return x % P; });
            std::fill(out + iEnd, out + i1, 0u);
        });
    }

    // The first stride of a forward transform of length 2 h whose upper half is zero: the lower
    // half stays, the upper one is the lower one times the roots.
    __attribute__((target("avx2"))) static void ForwardLowerHalfAvx2(uint32_t* a, size_t h,
                                                                     size_t j0, size_t j1,
                                                                     const uint32_t* w)
    {
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        for (size_t j = j0; j < j1; j += 8) {
            __m256i u = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + j));
            __m256i root = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + h + j));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(a + j + h),
                                MulLazy8(_mm256_add_epi32(u, twoP), root));
        }
    }

    static void ForwardLowerHalf(uint32_t* a, size_t h, size_t j0, size_t j1, const uint32_t* w,
                                 bool bVector)
    {
        if (h >= 8 && bVector)
            return ForwardLowerHalfAvx2(a, h, j0, j1, w);
        for (size_t j = j0; j < j1; ++j)
            a[j + h] = MulLazy(a[j] + 2 * P, w[h + j]);
    }

    // A transform of length n = 4 q whose input ends within its third quarter is taken on the
    // first three quarters of its points only: the lower half, the transform of a mod x^2q - 1,
    // and the first quarter of the upper half, the transform of length q of t_j + t_(j + q) for
    // t_j = (a_j - a_(j + 2q)) w^j. Since a_(j + 2q) is zero for j >= q, that sum is
    // (a_j - a_(j + 2q)) w^j + a_(j + q) w^(j + q), which this pass leaves at j + 2 q, and the
    // lower half a_j + a_(j + 2q) at j, for j in [j0, j1), j1 <= q. With bUpperZero, a has
    // nothing past its lower half, which is then not read there.
    __attribute__((target("avx2"))) static void FoldThreeQuartersAvx2(uint32_t* a, size_t q,
                                                                      size_t j0, size_t j1,
                                                                      const uint32_t* w,
                                                                      bool bUpperZero)
    {
        const size_t h = 2 * q;
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        for (size_t j = j0; j < j1; j += 8) {
            __m256i* pu = reinterpret_cast<__m256i*>(a + j);
            __m256i* pv = reinterpret_cast<__m256i*>(a + j + h);
            __m256i u = _mm256_loadu_si256(pu);
            __m256i v = bUpperZero ? _mm256_setzero_si256() : _mm256_loadu_si256(pv);
            __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + j + q));
            __m256i d = _mm256_add_epi32(_mm256_sub_epi32(u, v), twoP);
            __m256i t0 =
                MulLazy8(d, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + h + j)));
            __m256i t1 =
                MulLazy8(x, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + h + q + j)));
            _mm256_storeu_si256(pu, Fold8(_mm256_add_epi32(u, v)));
            _mm256_storeu_si256(pv, Fold8(_mm256_add_epi32(t0, t1)));
        }
    }

    static void FoldThreeQuarters(uint32_t* a, size_t q, size_t j0, size_t j1, const uint32_t* w,
                                  bool bUpperZero, bool bVector)
    {
        if (q >= 8 && bVector)
            return FoldThreeQuartersAvx2(a, q, j0, j1, w, bUpperZero);
        const size_t h = 2 * q;
        for (size_t j = j0; j < j1; ++j) {
            uint32_t u = a[j], v = bUpperZero ? 0 : a[j + h];
            a[j + h] = Fold(MulLazy(u - v + 2 * P, w[h + j]) + MulLazy(a[j + q], w[h + q + j]));
            a[j] = Fold(u + v);
        }
    }

    // The inverse of the three quarters, once the lower half holds S = 2q s for s the product
    // mod x^2q - 1 and the quarter above it B = q (t_j + t_(j + q)), t as above for the product
    // c. The last quarter of c is zero, so for j < q: c_(j + q) = s_(j + q), 2 q t_(j + q) =
    // S_(j + q) w^(j + q), y = 2 q t_j = 2 B_j - S_(j + q) w^(j + q), and from
    // c_j +- c_(j + 2q) = s_j, t_j w^-j: n c_j = S_j + y w^-j, n c_(j + 2q) = S_j - y w^-j,
    // n c_(j + q) = 2 S_(j + q). Leaves n c, for j in [j0, j1), j1 <= q.
    __attribute__((target("avx2"))) static void UnfoldThreeQuartersAvx2(uint32_t* a, size_t q,
                                                                        size_t j0, size_t j1,
                                                                        const uint32_t* w)
    {
        const size_t h = 2 * q;
        const __m256i twoP = _mm256_set1_epi32(int(2 * P));
        for (size_t j = j0; j < j1; j += 8) {
            __m256i* ps = reinterpret_cast<__m256i*>(a + j);
            __m256i* psq = reinterpret_cast<__m256i*>(a + j + q);
            __m256i* pb = reinterpret_cast<__m256i*>(a + j + h);
            __m256i s = _mm256_loadu_si256(ps), sq = _mm256_loadu_si256(psq);
            __m256i b = _mm256_loadu_si256(pb);
            __m256i m =
                MulLazy8(sq, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + h + q + j)));
            __m256i y =
                Fold8(_mm256_add_epi32(_mm256_sub_epi32(Fold8(_mm256_add_epi32(b, b)), m), twoP));
            // z = -y w^-j
            __m256i z = MulLazy8(y, NegatedInverseRoots8(w, h, j));
            _mm256_storeu_si256(ps, Fold8(_mm256_add_epi32(_mm256_sub_epi32(s, z), twoP)));
            _mm256_storeu_si256(pb, Fold8(_mm256_add_epi32(s, z)));
            _mm256_storeu_si256(psq, Fold8(_mm256_add_epi32(sq, sq)));
        }
    }

    static void UnfoldThreeQuarters(uint32_t* a, size_t q, size_t j0, size_t j1, const uint32_t* w,
                                    bool bVector)
    {
        if (q >= 8 && bVector)
            return UnfoldThreeQuartersAvx2(a, q, j0, j1, w);
        const size_t h = 2 * q;
        for (size_t j = j0; j < j1; ++j) {
            uint32_t s = a[j], sq = a[j + q];
            uint32_t y = Fold(Fold(a[j + h] + a[j + h]) - MulLazy(sq, w[h + q + j]) + 2 * P);
            uint32_t z = MulLazy(y, NegatedInverseRoot(w, h, j)); // -y w^-j
            a[j] = Fold(s - z + 2 * P);
            a[j + h] = Fold(s + z);
            a[j + q] = Fold(sq + sq);
        }
    }

    // out[0 .. m) = the forward transform of a, zero past na, on m = n or 3 n / 4 points (see
    // TransformPoints). When a fills no more than the lower half of all n, the upper half is never
    // zeroed and the first stride does half its work.
    static void LoadForward(uint32_t* out, const uint32_t* a, size_t na, size_t n, size_t m,
                            uint64_t base, const uint32_t* w, bool bVector)
    {
        const size_t h = n / 2;
        if (m < n) {
            const size_t q = n / 4;
            const bool bUpperZero = na <= h;
            Load(out, a, na, bUpperZero ? h : m, base);
            CLongPool::For(q, NTT_GRAIN, [=](size_t j0, size_t j1) {
                FoldThreeQuarters(out, q, j0, j1, w, bUpperZero, bVector);
            });
            return Both(
                n, [=] { Forward(out, h, w, bVector); }, [=] { Forward(out + h, q, w, bVector); });
        }
        if (n < 32 || na > h) {
            Load(out, a, na, n, base);
            return Forward(out, n, w, bVector);
        }
        Load(out, a, na, h, base);
        CLongPool::For(h, NTT_GRAIN,
                       [=](size_t j0, size_t j1) { ForwardLowerHalf(out, h, j0, j1, w, bVector); });
        Both(
            n, [=] { Forward(out, h, w, bVector); }, [=] { Forward(out + h, h, w, bVector); });
    }

    // out[0 .. n) = cyclic convolution of a and b modulo P, residues in [0, P); the limbs of a and
    // b are below base.
    static void Convolve(const uint32_t* a, size_t na, const uint32_t* b, size_t nb, size_t n,
                         size_t m, uint32_t* out, uint64_t base, bool bVector)
    {
        std::vector<uint32_t> w;
        const uint32_t* pRoots = nullptr;
        if (n <= ROOT_CACHE_LENGTH) {
            MakeRoots(n);
            pRoots = Roots().forward;
        } else {
            w = Twiddles(n);
            pRoots = w.data();
        }
        LoadForward(out, a, na, n, m, base, pRoots, bVector);
        if (a == b && na == nb)
            CLongPool::For(m, NTT_GRAIN, [=](size_t i0, size_t i1) {
                Pointwise(out + i0, out + i0, i1 - i0, bVector);
            });
        else {
            std::unique_ptr<uint32_t[]> fb = std::make_unique_for_overwrite<uint32_t[]>(m);
            const uint32_t* pB = fb.get();
            LoadForward(fb.get(), b, nb, n, m, base, pRoots, bVector);
            CLongPool::For(m, NTT_GRAIN, [=](size_t i0, size_t i1) {
                Pointwise(out + i0, pB + i0, i1 - i0, bVector);
            });
        }
        InverseScaled(out, n, m, pRoots, bVector);
    }

    // The inverse transform of the pointwise products in out, whose factors 1/R and n are taken
    // out, residues in [0, P).
    static void InverseScaled(uint32_t* out, size_t n, size_t m, const uint32_t* w, bool bVector)
    {
        if (m < n) {
            const size_t h = n / 2, q = n / 4;
            Both(
                n, [=] { Inverse(out, h, w, bVector); }, [=] { Inverse(out + h, q, w, bVector); });
            CLongPool::For(q, NTT_GRAIN, [=](size_t j0, size_t j1) {
                UnfoldThreeQuarters(out, q, j0, j1, w, bVector);
            });
        } else
            Inverse(out, n, w, bVector);
        uint32_t scale = uint32_t(uint64_t(R2_MOD) * PowMod(n, P - 2, P) % P);
        CLongPool::For(m, NTT_GRAIN,
                       [=](size_t i0, size_t i1) { Scale(out + i0, i1 - i0, scale, bVector); });
    }

    // out[0 .. m) = the forward transform of a on m points, n <= ROOT_CACHE_LENGTH.
    static void TransformFactor(const uint32_t* a, size_t na, size_t n, size_t m, uint32_t* out,
                                uint64_t base, bool bVector)
    {
        MakeRoots(n);
        LoadForward(out, a, na, n, m, base, Roots().forward, bVector);
    }

    // Convolve with a's transform fa from TransformFactor.
    static void ConvolveWith(const uint32_t* fa, const uint32_t* b, size_t nb, size_t n, size_t m,
                             uint32_t* out, uint64_t base, bool bVector)
    {
        MakeRoots(n);
        LoadForward(out, b, nb, n, m, base, Roots().forward, bVector);
        CLongPool::For(m, NTT_GRAIN, [=](size_t i0, size_t i1) {
            Pointwise(out + i0, fa + i0, i1 - i0, bVector);
        });
        InverseScaled(out, n, m, Roots().forward, bVector);
    }
};

constexpr uint32_t INV_P0_MOD_P1 = PowMod(P0, P1 - 2, P1);
constexpr uint32_t INV_P0_MOD_P2 = PowMod(P0, P2 - 2, P2);
constexpr uint32_t INV_P1_MOD_P2 = PowMod(P1, P2 - 2, P2);

// The mixed-radix digits of the coefficient whose residues are r0, r1, r2 (below P0 P1 P2):
// it is r0 + P0 v1 + P0 P1 v2 with v1 < P1 and v2 < P2.
inline void Garner(uint32_t r0, uint32_t r1, uint32_t r2, uint64_t& v1, uint64_t& v2)
{
    v1 = (uint64_t(r1) + P1 - r0 % P1) * INV_P0_MOD_P1 % P1;
    uint64_t t = (uint64_t(r2) + P2 - r0 % P2) * INV_P0_MOD_P2 % P2;
    v2 = (t + P2 - v1 % P2) * INV_P1_MOD_P2 % P2;
}

// P0 P1 = P01_LOW + P01_HIGH BASE, so that a coefficient adds r0 + P0 v1 + P01_LOW v2 to its own
// limb and P01_HIGH v2 to the next; both sums and the carries stay below 2^62.
template <uint64_t BASE>
constexpr uint64_t P01_LOW = uint64_t(P0) * P1 % BASE;
template <uint64_t BASE>
constexpr uint64_t P01_HIGH = uint64_t(P0) * P1 / BASE;
static_assert(P0 < DECIMAL_BASE && P01_HIGH<DECIMAL_BASE> < DECIMAL_BASE);

// x - m where that does not wrap, else x.
__attribute__((target("avx2"))) __m256i Below(__m256i x, __m256i m)
{
    return _mm256_min_epu32(x, _mm256_sub_epi32(x, m));
}

// Garner for eight coefficients at once, the digits v1 and v2 written over the residues r1 and
// r2. The constants are the inverses in Montgomery form, so that one product gives x * inverse.
__attribute__((target("avx2"))) void GarnerAvx2(const uint32_t* c0, uint32_t* c1, uint32_t* c2,
                                                size_t n)
{
    const __m256i p1 = _mm256_set1_epi32(int(P1)), p2 = _mm256_set1_epi32(int(P2));
    const __m256i twoP2 = _mm256_set1_epi32(int(2 * P2));
    const __m256i k01 = _mm256_set1_epi32(int(Field<P1>::ToMont(INV_P0_MOD_P1)));
    const __m256i k02 = _mm256_set1_epi32(int(Field<P2>::ToMont(INV_P0_MOD_P2)));
    const __m256i k12 = _mm256_set1_epi32(int(Field<P2>::ToMont(INV_P1_MOD_P2)));
    for (size_t i = 0; i + 8 <= n; i += 8) {
        __m256i r0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c0 + i));
        __m256i* p1Out = reinterpret_cast<__m256i*>(c1 + i);
        __m256i* p2Out = reinterpret_cast<__m256i*>(c2 + i);
        __m256i d1 =
            _mm256_sub_epi32(_mm256_add_epi32(_mm256_loadu_si256(p1Out), p1), Below(r0, p1));
        __m256i v1 = Below(Field<P1>::MulLazy8(d1, k01), p1);
        __m256i r0m2 = Below(Below(r0, twoP2), p2);
        __m256i d2 = _mm256_sub_epi32(_mm256_add_epi32(_mm256_loadu_si256(p2Out), p2), r0m2);
        __m256i t = Below(Field<P2>::MulLazy8(d2, k02), p2);
        __m256i d3 = _mm256_sub_epi32(_mm256_add_epi32(t, p2), Below(v1, p2));
        _mm256_storeu_si256(p1Out, v1);
        _mm256_storeu_si256(p2Out, Below(Field<P2>::MulLazy8(d3, k12), p2));
    }
}

// r[i0 .. i1) from the coefficients there (the last one, nr - 1, is zero); returns the carry into
// limb i1 instead of adding it on. Overwrites c1 and c2 in the range.
template <uint64_t BASE>
uint64_t JoinRange(uint32_t* r, const uint32_t* c0, uint32_t* c1, uint32_t* c2, size_t i0,
                   size_t i1, size_t nr, bool bVector)
{
    size_t nCoefficients = std::min(i1, nr - 1) - std::min(i0, nr - 1), nDone = 0;
    if (bVector) {
        GarnerAvx2(c0 + i0, c1 + i0, c2 + i0, nCoefficients);
        nDone = nCoefficients / 8 * 8;
    }
    for (size_t i = i0 + nDone; i < i0 + nCoefficients; ++i) {
        uint64_t v1, v2;
        Garner(c0[i], c1[i], c2[i], v1, v2);
        c1[i] = uint32_t(v1);
        c2[i] = uint32_t(v2);
    }
    uint64_t carry = 0;
    size_t i = i0;
    for (; i < i0 + nCoefficients; ++i) {
        uint64_t x = carry + c0[i] + uint64_t(P0) * c1[i] + P01_LOW<BASE> * c2[i];
        r[i] = uint32_t(x % BASE);
        carry = x / BASE + P01_HIGH<BASE> * c2[i];
    }
    for (; i < i1; ++i) {
        r[i] = uint32_t(carry % BASE);
        carry /= BASE;
    }
    return carry;
}

// The three cyclic convolutions of a product, one per prime.
struct Residues
{
    size_t nr = 0;
    std::unique_ptr<uint32_t[]> c0, c1, c2;
};

// A product that takes seconds credits its work a quarter at a time: three of them here.
Residues Convolutions(const uint32_t* a, size_t na, const uint32_t* b, size_t nb, uint64_t base,
                      bool bVector)
{
    Residues res;
    res.nr = na + nb;
    assert(res.nr <= NTT_MAX_LENGTH);
    const size_t n = TransformLength(res.nr), m = TransformPoints(res.nr);
    const uint64_t nQuarter = NttUnits(res.nr) / 4;
    res.c0 = std::make_unique_for_overwrite<uint32_t[]>(m);
    Field<P0>::Convolve(a, na, b, nb, n, m, res.c0.get(), base, bVector);
    CreditWork(nQuarter);
    res.c1 = std::make_unique_for_overwrite<uint32_t[]>(m);
    Field<P1>::Convolve(a, na, b, nb, n, m, res.c1.get(), base, bVector);
    CreditWork(nQuarter);
    res.c2 = std::make_unique_for_overwrite<uint32_t[]>(m);
    Field<P2>::Convolve(a, na, b, nb, n, m, res.c2.get(), base, bVector);
    CreditWork(nQuarter);
    return res;
}

// r[0 .. nr) from the residues, and the last quarter of the work.
template <uint64_t BASE>
void Join(uint32_t* r, Residues& res, bool bVector)
{
    const size_t nr = res.nr;
    // Chunks of the output are joined apart; each one's carry then goes into those above it.
    std::vector<uint64_t> carries((nr + JOIN_GRAIN - 1) / JOIN_GRAIN);
    CLongPool::For(nr, JOIN_GRAIN, [&](size_t i0, size_t i1) {
        carries[i0 / JOIN_GRAIN] =
            JoinRange<BASE>(r, res.c0.get(), res.c1.get(), res.c2.get(), i0, i1, nr, bVector);
    });
    for (size_t k = 0; k + 1 < carries.size(); ++k)
        for (size_t i = (k + 1) * JOIN_GRAIN; carries[k] != 0; ++i) {
            assert(i < nr);
            uint64_t x = carries[k] + r[i];
            r[i] = uint32_t(x % BASE);
            carries[k] = x / BASE;
        }
    assert(carries.back() == 0);
    CreditWork(NttUnits(nr) - 3 * (NttUnits(nr) / 4));
}
} // namespace

size_t TransformLength(size_t nr)
{
    size_t n = 1;
    while (n < nr - 1)
        n *= 2;
    return n;
}

size_t TransformPoints(size_t nr)
{
    const size_t n = TransformLength(nr);
    return n >= THREE_QUARTERS_LENGTH && nr - 1 <= n / 4 * 3 ? n / 4 * 3 : n;
}

uint64_t NttUnits(size_t nr)
{
    size_t n = TransformLength(nr);
    size_t nStrides = 0;
    for (size_t k = n; k > 1; k /= 2)
        ++nStrides;
    // Three primes, each with three transforms and the passes around them.
    return 3 * TransformPoints(nr) * (3 * nStrides * UNITS_PER_STRIDE + UNITS_PER_PASS);
}

template <uint64_t BASE>
void NttMul(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    const bool bVector = HasAvx2();
    Residues res = Convolutions(a, na, b, nb, BASE, bVector);
    Join<BASE>(r, res, bVector);
}

template <uint64_t BASE>
std::vector<uint32_t> NttProduct(const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    const bool bVector = HasAvx2();
    Residues res = Convolutions(a, na, b, nb, BASE, bVector);
    // The product's limbs are taken only now that the transforms have given back theirs.
    std::vector<uint32_t> r(res.nr);
    Join<BASE>(r.data(), res, bVector);
    return r;
}

bool NttKeepsFactor(size_t n) { return n <= ROOT_CACHE_LENGTH; }

bool NttFactorServes(const NttFactor& factor, size_t nr)
{
    return factor.n == TransformLength(nr) && factor.m >= TransformPoints(nr);
}

template <uint64_t BASE>
NttFactor NttTransformFactor(const uint32_t* a, size_t na, size_t nr)
{
    const size_t n = TransformLength(nr), m = TransformPoints(nr);
    assert(NttKeepsFactor(n));
    const bool bVector = HasAvx2();
    NttFactor factor;
    factor.n = n;
    factor.m = m;
    for (auto& transform : factor.transforms)
        transform = std::make_unique_for_overwrite<uint32_t[]>(m);
    Field<P0>::TransformFactor(a, na, n, m, factor.transforms[0].get(), BASE, bVector);
    Field<P1>::TransformFactor(a, na, n, m, factor.transforms[1].get(), BASE, bVector);
    Field<P2>::TransformFactor(a, na, n, m, factor.transforms[2].get(), BASE, bVector);
    return factor;
}

template <uint64_t BASE>
std::vector<uint32_t> NttProduct(const NttFactor& a, size_t na, const uint32_t* b, size_t nb)
{
    const bool bVector = HasAvx2();
    Residues res;
    res.nr = na + nb;
    // A factor transformed on more points than this product takes serves it by the first m: the
    // three quarters are the first points of the whole transform.
    const size_t n = a.n, m = TransformPoints(res.nr);
    assert(NttFactorServes(a, res.nr) && NttKeepsFactor(n));
    const uint64_t nQuarter = NttUnits(res.nr) / 4;
    res.c0 = std::make_unique_for_overwrite<uint32_t[]>(m);
    Field<P0>::ConvolveWith(a.transforms[0].get(), b, nb, n, m, res.c0.get(), BASE, bVector);
    CreditWork(nQuarter);
    res.c1 = std::make_unique_for_overwrite<uint32_t[]>(m);
    Field<P1>::ConvolveWith(a.transforms[1].get(), b, nb, n, m, res.c1.get(), BASE, bVector);
    CreditWork(nQuarter);
    res.c2 = std::make_unique_for_overwrite<uint32_t[]>(m);
    Field<P2>::ConvolveWith(a.transforms[2].get(), b, nb, n, m, res.c2.get(), BASE, bVector);
    CreditWork(nQuarter);
    std::vector<uint32_t> r(res.nr);
    Join<BASE>(r.data(), res, bVector);
    return r;
}

template <uint64_t BASE>
std::vector<uint32_t> NttWrappedProduct(const uint32_t* a, size_t na, const uint32_t* b, size_t nb,
                                        size_t n)
{
    assert(n >= 4 && n <= NTT_MAX_LENGTH && (n & (n - 1)) == 0 && na <= n && nb <= n);
    const bool bVector = HasAvx2();
    // The coefficients of the cyclic convolution, two zero ones above them, and limbs enough for
    // the carries out of the top: n limbs and three more, the three folded back onto the bottom.
    Residues res;
    res.nr = n + 3;
    const uint64_t nQuarter = NttUnits(n + 1) / 4;
    auto convolve = [&](std::unique_ptr<uint32_t[]>& c, auto field) {
        c = std::make_unique_for_overwrite<uint32_t[]>(n + 2);
        decltype(field)::Convolve(a, na, b, nb, n, n, c.get(), BASE, bVector);
        c[n] = c[n + 1] = 0;
        CreditWork(nQuarter);
    };
    convolve(res.c0, Field<P0>());
    convolve(res.c1, Field<P1>());
    convolve(res.c2, Field<P2>());
    std::vector<uint32_t> r(n + 3);
    Join<BASE>(r.data(), res, bVector);
    res = Residues();
    // BASE^n is 1 modulo BASE^n - 1.
    uint32_t carry = AddN<BASE>(r.data(), r.data(), r.data() + n, 3);
    carry = AddSmallN<BASE>(r.data() + 3, r.data() + 3, n - 3, carry);
    while (carry != 0)
        carry = AddSmallN<BASE>(r.data(), r.data(), n, carry);
    r.resize(n);
    return r;
}

template <uint64_t BASE>
void NttMulPortable(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    Residues res = Convolutions(a, na, b, nb, BASE, false);
    Join<BASE>(r, res, false);
}

template void NttMul<BINARY_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*, size_t);
template void NttMul<DECIMAL_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*, size_t);
template std::vector<uint32_t> NttProduct<BINARY_BASE>(const uint32_t*, size_t, const uint32_t*,
                                                       size_t);
template std::vector<uint32_t> NttProduct<DECIMAL_BASE>(const uint32_t*, size_t, const uint32_t*,
                                                        size_t);
template std::vector<uint32_t> NttWrappedProduct<BINARY_BASE>(const uint32_t*, size_t,
                                                              const uint32_t*, size_t, size_t);
template std::vector<uint32_t> NttWrappedProduct<DECIMAL_BASE>(const uint32_t*, size_t,
                                                               const uint32_t*, size_t, size_t);
template void NttMulPortable<BINARY_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*,
                                          size_t);
template void NttMulPortable<DECIMAL_BASE>(uint32_t*, const uint32_t*, size_t, const uint32_t*,
                                           size_t);
template NttFactor NttTransformFactor<BINARY_BASE>(const uint32_t*, size_t, size_t);
template NttFactor NttTransformFactor<DECIMAL_BASE>(const uint32_t*, size_t, size_t);
template std::vector<uint32_t> NttProduct<BINARY_BASE>(const NttFactor&, size_t, const uint32_t*,
                                                       size_t);
template std::vector<uint32_t> NttProduct<DECIMAL_BASE>(const NttFactor&, size_t, const uint32_t*,
                                                        size_t);
} // namespace limb
