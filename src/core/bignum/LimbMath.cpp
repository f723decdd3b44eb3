#include "core/bignum/LimbMath.h"

#include "core/base/CpuFeatures.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongMemory.h"
#include "core/bignum/Ntt.h"

#include <algorithm>
#include <immintrin.h>
#include <utility>

namespace limb
{
namespace
{
// Products whose transforms are at least this long are taken from the two halves of the longer
// operand when those fit transforms of half the length: the same work in half the memory.
constexpr size_t SPLIT_TRANSFORM_LENGTH = size_t(1) << 16;

// Below this many limbs in the shorter operand schoolbook multiplication is fastest (measured on
// decimal limbs, whose schoolbook rows run four limbs at a time).
constexpr size_t KARATSUBA_THRESHOLD = 96;
// From this many limbs in the shorter operand the transform beats Karatsuba.
constexpr size_t NTT_THRESHOLD = 192;
// Schoolbook products of up to this many limbs keep their columns on the stack.
constexpr size_t STACK_COLUMNS = 512;

// Room for k more limbs in a: a long value grows by its few new limbs, not by doubling its
// memory as push_back would.
void Reserve(LimbVec& a, size_t k)
{
    if (a.capacity() < a.size() + k)
        a.reserve(a.size() + k);
}

// r[0 .. n) += a[0 .. na), na <= n; the carry travels up to limb n - 1 and no further.
template <uint64_t BASE>
void AddInto(uint32_t* r, size_t n, const uint32_t* a, size_t na)
{
    uint32_t carry = AddN<BASE>(r, r, a, na);
    AddSmallN<BASE>(r + na, r + na, n - na, carry);
}

// r[0 .. n) -= a[0 .. na) for r >= a.
template <uint64_t BASE>
void SubFrom(uint32_t* r, size_t n, const uint32_t* a, size_t na)
{
    uint32_t borrow = SubN<BASE>(r, r, a, na);
    SubSmallN<BASE>(r + na, r + na, n - na, borrow);
}

// na >= nb > (na + 1) / 2: the three half-size products of Karatsuba.
template <uint64_t BASE>
void Karatsuba(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    size_t h = (na + 1) / 2;
    MulInto<BASE>(r, a, h, b, h);
    MulInto<BASE>(r + 2 * h, a + h, na - h, b + h, nb - h);

    LimbVec sa(h + 1), sb(h + 1);
    uint32_t carry = AddN<BASE>(sa.data(), a, a + h, na - h);
    sa[h] = AddSmallN<BASE>(sa.data() + (na - h), a + (na - h), h - (na - h), carry);
    carry = AddN<BASE>(sb.data(), b, b + h, nb - h);
    sb[h] = AddSmallN<BASE>(sb.data() + (nb - h), b + (nb - h), h - (nb - h), carry);

    LimbVec mid(2 * h + 2);
    MulInto<BASE>(mid.data(), sa.data(), h + 1, sb.data(), h + 1);
    SubFrom<BASE>(mid.data(), mid.size(), r, 2 * h);
    SubFrom<BASE>(mid.data(), mid.size(), r + 2 * h, na + nb - 2 * h);
    AddInto<BASE>(r + h, na + nb - h, mid.data(), std::min(mid.size(), na + nb - h));
}

// na >= 2 nb: the product taken in slices of a that are as long as b.
template <uint64_t BASE>
void MulSliced(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    std::fill(r, r + na + nb, 0u);
    LimbVec part(2 * nb);
    for (size_t i = 0; i < na; i += nb) {
        CheckCancel();
        size_t n = std::min(nb, na - i);
        MulInto<BASE>(part.data(), a + i, n, b, nb);
        AddInto<BASE>(r + i, na + nb - i, part.data(), n + nb);
    }
}

// na >= nb >= NTT_THRESHOLD: true when the product is better taken by halves of a.
bool SplitsForMemory(size_t na, size_t nb)
{
    const size_t n = TransformLength(na + nb);
    return n >= SPLIT_TRANSFORM_LENGTH && TransformLength(na - na / 2 + nb) < n;
}

__attribute__((target("avx2"))) void AddRowAvx2(uint64_t* col, const uint32_t* a, size_t na,
                                                uint32_t m)
{
    const __m256i factor = _mm256_set1_epi64x(m);
    size_t j = 0;
    for (; j + 4 <= na; j += 4) {
        __m256i x = _mm256_cvtepu32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + j)));
        __m256i* pc = reinterpret_cast<__m256i*>(col + j);
        _mm256_storeu_si256(pc,
                            _mm256_add_epi64(_mm256_loadu_si256(pc), _mm256_mul_epu32(x, factor)));
    }
    for (; j < na; ++j)
        col[j] += uint64_t(m) * a[j];
}

// Two rows at once, each column loaded and stored once for both: col[j] += m0 a[j] + m1 a[j - 1]
// for j <= na, a zero outside [0, na).
__attribute__((target("avx2"))) void AddTwoRowsAvx2(uint64_t* col, const uint32_t* a, size_t na,
                                                    uint32_t m0, uint32_t m1)
{
    const __m256i factor0 = _mm256_set1_epi64x(m0), factor1 = _mm256_set1_epi64x(m1);
    col[0] += uint64_t(m0) * a[0];
    size_t j = 1;
    for (; j + 4 <= na; j += 4) {
        __m256i x0 =
            _mm256_cvtepu32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + j)));
        __m256i x1 =
            _mm256_cvtepu32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + j - 1)));
        __m256i* pc = reinterpret_cast<__m256i*>(col + j);
        __m256i sum =
            _mm256_add_epi64(_mm256_mul_epu32(x0, factor0), _mm256_mul_epu32(x1, factor1));
        _mm256_storeu_si256(pc, _mm256_add_epi64(_mm256_loadu_si256(pc), sum));
    }
    for (; j < na; ++j)
        col[j] += uint64_t(m0) * a[j] + uint64_t(m1) * a[j - 1];
    col[na] += uint64_t(m1) * a[na - 1];
}

// Columns k0 .. k1 of a decimal schoolbook product brought below 2^35 each, their excess carried
// one column up and into column k1, so that eighteen more rows of limb products fit them. Each
// column v is split as v - 10^9 q and q, q a little below v / 10^9: 4 h + h C / 2^32 for the high
// half h of v, as 2^32 / 10^9 = 4.294967296 and C is 0.294967296 2^32 rounded down. That leaves
// below 8 10^9 in the column and q below 2^35 for the next one.
__attribute__((target("avx2"))) void SettleColumnsAvx2(uint64_t* acc, size_t k0, size_t k1)
{
    const __m256i c = _mm256_set1_epi64x(1266874889), billion = _mm256_set1_epi64x(1000000000);
    const __m256i fourBillion = _mm256_set1_epi64x(4000000000);
    // Lane 0: what the last four columns carry into the next.
    __m256i carry = _mm256_setzero_si256();
    size_t k = k0;
    for (; k + 4 <= k1; k += 4) {
        __m256i* p = reinterpret_cast<__m256i*>(acc + k);
        __m256i v = _mm256_loadu_si256(p);
        __m256i h = _mm256_srli_epi64(v, 32);
        __m256i t = _mm256_srli_epi64(_mm256_mul_epu32(h, c), 32);
        __m256i rest = _mm256_sub_epi64(_mm256_sub_epi64(v, _mm256_mul_epu32(h, fourBillion)),
                                        _mm256_mul_epu32(t, billion));
        __m256i q = _mm256_add_epi64(_mm256_slli_epi64(h, 2), t);
        __m256i shifted = _mm256_permute4x64_epi64(q, _MM_SHUFFLE(2, 1, 0, 3));
        _mm256_storeu_si256(p, _mm256_add_epi64(rest, _mm256_blend_epi32(shifted, carry, 0x03)));
        carry = shifted;
    }
    uint64_t rest = uint64_t(_mm256_extract_epi64(carry, 0));
    for (; k < k1; ++k) {
        uint64_t v = acc[k] + rest;
        acc[k] = v % DECIMAL_BASE;
        rest = v / DECIMAL_BASE;
    }
    acc[k1] += rest;
}

// Columns k0 .. k1 of a decimal schoolbook product brought below 2^35 each, the carry out of
// them added into column k1.
void SettleColumns(uint64_t* acc, size_t k0, size_t k1, bool bVector)
{
    if (bVector)
        return SettleColumnsAvx2(acc, k0, k1);
    uint64_t carry = 0;
    for (size_t k = k0; k < k1; ++k) {
        uint64_t v = acc[k] + carry;
        acc[k] = v % DECIMAL_BASE;
        carry = v / DECIMAL_BASE;
    }
    acc[k1] += carry;
}

// col[j] += m * a[j] for j < na.
void AddRow(uint64_t* col, const uint32_t* a, size_t na, uint32_t m, bool bVector)
{
    if (bVector)
        return AddRowAvx2(col, a, na, m);
    for (size_t j = 0; j < na; ++j)
        col[j] += uint64_t(m) * a[j];
}
} // namespace

void Trim(LimbVec& a) { a.resize(Normalized(a.data(), a.size())); }

int Compare(const LimbVec& a, const LimbVec& b)
{
    return Compare(a.data(), a.size(), b.data(), b.size());
}

LimbVec ShiftUp(const LimbVec& a, size_t k)
{
    if (a.empty())
        return {};
    LimbVec r(a.size() + k, 0);
    std::copy(a.begin(), a.end(), r.begin() + k);
    return r;
}

LimbVec ShiftDown(const LimbVec& a, size_t k)
{
    if (k >= a.size())
        return {};
    return LimbVec(a.begin() + k, a.end());
}

template <uint64_t BASE>
LimbVec Add(const LimbVec& a, const LimbVec& b)
{
    const LimbVec& big = a.size() >= b.size() ? a : b;
    const LimbVec& small = a.size() >= b.size() ? b : a;
    LimbVec r(big.size() + 1);
    uint32_t carry = AddN<BASE>(r.data(), big.data(), small.data(), small.size());
    r[big.size()] = AddSmallN<BASE>(r.data() + small.size(), big.data() + small.size(),
                                    big.size() - small.size(), carry);
    Trim(r);
    return r;
}

template <uint64_t BASE>
void AddTo(LimbVec& a, const LimbVec& b)
{
    const size_t n = std::max(a.size(), b.size()) + 1;
    Reserve(a, n - a.size());
    a.resize(n);
    AddInto<BASE>(a.data(), n, b.data(), b.size());
    Trim(a);
}

template <uint64_t BASE>
bool SubAbs(LimbVec& a, const LimbVec& b)
{
    if (Compare(a, b) >= 0) {
        SubFrom<BASE>(a.data(), a.size(), b.data(), b.size());
        Trim(a);
        return false;
    }
    // Normalized, a below b is no longer than b.
    Reserve(a, b.size() - a.size());
    a.resize(b.size());
    SubN<BASE>(a.data(), b.data(), a.data(), b.size());
    Trim(a);
    return true;
}

template <uint64_t BASE>
LimbVec Sub(const LimbVec& a, const LimbVec& b)
{
    assert(Compare(a, b) >= 0);
    LimbVec r(a);
    SubFrom<BASE>(r.data(), r.size(), b.data(), b.size());
    Trim(r);
    return r;
}

template <uint64_t BASE>
void AddSmall(LimbVec& a, uint32_t c)
{
    if (c >= BASE) {
        a = Add<BASE>(a, LimbVec{uint32_t(c % BASE), uint32_t(c / BASE)});
        return;
    }
    Reserve(a, 1);
    a.push_back(0);
    AddSmallN<BASE>(a.data(), a.data(), a.size(), c);
    Trim(a);
}

template <uint64_t BASE>
void SubSmall(LimbVec& a, uint32_t c)
{
    if (c >= BASE) {
        LimbVec cv{uint32_t(c % BASE), uint32_t(c / BASE)};
        Trim(cv);
        a = Sub<BASE>(a, cv);
        return;
    }
    SubSmallN<BASE>(a.data(), a.data(), a.size(), c);
    Trim(a);
}

template <uint64_t BASE>
void MulSmall(LimbVec& a, uint32_t m)
{
    uint32_t carry = MulSmallN<BASE>(a.data(), a.data(), a.size(), m);
    if (carry != 0)
        Reserve(a, 2);
    for (; carry != 0; carry = uint32_t(carry / BASE))
        a.push_back(uint32_t(carry % BASE));
    Trim(a);
}

template <uint64_t BASE>
uint32_t DivSmall(LimbVec& a, uint32_t d)
{
    uint32_t r = DivSmallN<BASE>(a.data(), a.data(), a.size(), d);
    Trim(a);
    return r;
}

template <uint64_t BASE>
void MulByHalves(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    size_t h = na / 2;
    MulInto<BASE>(r, a, h, b, nb);
    // The product of the high half goes straight to its place; only the nb limbs of the low one
    // that it covers wait aside.
    LimbVec covered(r + h, r + h + nb);
    MulInto<BASE>(r + h, a + h, na - h, b, nb);
    AddInto<BASE>(r + h, na + nb - h, covered.data(), nb);
}

template <uint64_t BASE>
void MulSchoolbook(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    CreditWork(uint64_t(na) * nb);
    if constexpr (BASE == DECIMAL_BASE) {
        // Products of two decimal limbs are below 10^18, so eighteen of them and a settled column
        // fit in 64 bits; the carries are settled every eighteen rows, and exactly at the end.
        constexpr size_t ROWS_PER_CARRY = 18;
        if (na < nb) {
            std::swap(a, b);
            std::swap(na, nb);
        }
        // Small products, the most frequent ones, keep their columns on the stack.
        uint64_t stackColumns[STACK_COLUMNS];
        std::vector<uint64_t> heapColumns;
        uint64_t* acc = stackColumns;
        if (na + nb > STACK_COLUMNS) {
            heapColumns.resize(na + nb);
            acc = heapColumns.data();
        } else
            std::fill(acc, acc + na + nb, uint64_t(0));
        bool bVector = na >= 16 && HasAvx2();
        for (size_t i0 = 0; i0 < nb; i0 += ROWS_PER_CARRY) {
            size_t iEnd = std::min(nb, i0 + ROWS_PER_CARRY);
            size_t i = i0;
            if (bVector)
                for (; i + 2 <= iEnd; i += 2)
                    AddTwoRowsAvx2(acc + i, a, na, b[i], b[i + 1]);
            for (; i < iEnd; ++i)
                AddRow(acc + i, a, na, b[i], bVector);
            // Columns above iEnd + na - 1 hold no product yet; the carry into the first of them
            // stays small enough for the rows still to come.
            if (iEnd < nb)
                SettleColumns(acc, i0, iEnd + na - 1, bVector);
        }
        uint64_t carry = 0;
        for (size_t k = 0; k + 1 < na + nb; ++k) {
            uint64_t v = acc[k] + carry;
            r[k] = uint32_t(v % BASE);
            carry = v / BASE;
        }
        r[na + nb - 1] = uint32_t(acc[na + nb - 1] + carry);
    } else {
        std::fill(r, r + nb, 0u);
        for (size_t i = 0; i < na; ++i)
            r[i + nb] = AddMulSmallN<BASE>(r + i, b, nb, a[i]);
    }
}

template <uint64_t BASE>
void MulInto(uint32_t* r, const uint32_t* a, size_t na, const uint32_t* b, size_t nb)
{
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb == 0)
        std::fill(r, r + na, 0u);
    else if (nb < KARATSUBA_THRESHOLD)
        MulSchoolbook<BASE>(r, a, na, b, nb);
    else if (na + nb > NTT_MAX_LENGTH || (nb >= NTT_THRESHOLD && SplitsForMemory(na, nb)))
        MulByHalves<BASE>(r, a, na, b, nb);
    else if (nb >= NTT_THRESHOLD)
        NttMul<BASE>(r, a, na, b, nb);
    else if (na >= 2 * nb)
        MulSliced<BASE>(r, a, na, b, nb);
    else
        Karatsuba<BASE>(r, a, na, b, nb);
}

template <uint64_t BASE>
LimbVec Mul(const LimbVec& a, const LimbVec& b)
{
    if (a.empty() || b.empty())
        return {};
    LimbVec r;
    const size_t na = std::max(a.size(), b.size()), nb = std::min(a.size(), b.size());
    CLongMemory::BeforeProduct(na + nb);
    if (nb >= NTT_THRESHOLD && na + nb <= NTT_MAX_LENGTH && !SplitsForMemory(na, nb))
        r = NttProduct<BASE>(a.data(), a.size(), b.data(), b.size());
    else {
        r.resize(a.size() + b.size());
        MulInto<BASE>(r.data(), a.data(), a.size(), b.data(), b.size());
    }
    Trim(r);
    return r;
}

template <uint64_t BASE>
LimbVec CSharedFactor<BASE>::Times(const LimbVec& b)
{
    const size_t na = m_a.size(), nb = b.size();
    const size_t nLong = std::max(na, nb), nShort = std::min(na, nb);
    if (nShort < NTT_THRESHOLD || na + nb > NTT_MAX_LENGTH || SplitsForMemory(nLong, nShort) ||
        !NttKeepsFactor(TransformLength(na + nb)))
        return Mul<BASE>(m_a, b);
    if (!NttFactorServes(m_transformed, na + nb))
        m_transformed = NttTransformFactor<BASE>(m_a.data(), na, na + nb);
    LimbVec r = NttProduct<BASE>(m_transformed, na, b.data(), nb);
    Trim(r);
    return r;
}

// Follows the choices of MulInto; only schoolbook products and transforms credit work, so the
// units of the other ways are those of the products they are made of.
uint64_t MulUnits(size_t na, size_t nb)
{
    if (na < nb)
        std::swap(na, nb);
    if (nb == 0)
        return 0;
    if (nb < KARATSUBA_THRESHOLD)
        return uint64_t(na) * nb;
    if (na + nb > NTT_MAX_LENGTH || (nb >= NTT_THRESHOLD && SplitsForMemory(na, nb)))
        return MulUnits(na / 2, nb) + MulUnits(na - na / 2, nb);
    if (nb >= NTT_THRESHOLD)
        return NttUnits(na + nb);
    if (na >= 2 * nb)
        return na / nb * MulUnits(nb, nb) + MulUnits(na % nb, nb);
    size_t h = (na + 1) / 2;
    return MulUnits(h, h) + MulUnits(na - h, nb - h) + MulUnits(h + 1, h + 1);
}

#define PELMORIX_LIMB_INSTANTIATE(B)                                                               \
    template LimbVec Add<B>(const LimbVec&, const LimbVec&);                                       \
    template void AddTo<B>(LimbVec&, const LimbVec&);                                              \
    template bool SubAbs<B>(LimbVec&, const LimbVec&);                                             \
    template LimbVec Sub<B>(const LimbVec&, const LimbVec&);                                       \
    template void AddSmall<B>(LimbVec&, uint32_t);                                                 \
    template void SubSmall<B>(LimbVec&, uint32_t);                                                 \
    template void MulSmall<B>(LimbVec&, uint32_t);                                                 \
    template uint32_t DivSmall<B>(LimbVec&, uint32_t);                                             \
    template void MulSchoolbook<B>(uint32_t*, const uint32_t*, size_t, const uint32_t*, size_t);   \
    template void MulByHalves<B>(uint32_t*, const uint32_t*, size_t, const uint32_t*, size_t);     \
    template void MulInto<B>(uint32_t*, const uint32_t*, size_t, const uint32_t*, size_t);         \
    template LimbVec Mul<B>(const LimbVec&, const LimbVec&);

template class CSharedFactor<BINARY_BASE>;
template class CSharedFactor<DECIMAL_BASE>;

PELMORIX_LIMB_INSTANTIATE(BINARY_BASE)
PELMORIX_LIMB_INSTANTIATE(DECIMAL_BASE)
} // namespace limb
