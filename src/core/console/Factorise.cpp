#include "core/console/Factorise.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

// The text is that of trial division by 2 and the odd numbers up to the square root: the prime
// factors in ascending order. It is computed faster: trial division by the primes below 1000,
// then a deterministic Miller-Rabin test and Pollard-Brent rho for what remains.
namespace
{
using u64 = std::uint64_t;
// __int128 is a GCC and Clang extension; __extension__ tells -Wpedantic so.
__extension__ using u128 = unsigned __int128;

constexpr const char* DOMAIN_TEXT = "#定义域错误/field of definition wrong";

constexpr u64 TRIAL_LIMIT = 1000;         // trial division covers the primes below this
constexpr u64 FIRST_UNTRIED_PRIME = 1009; // a cofactor below its square is prime
constexpr int RHO_BATCH = 128;            // rho steps per gcd

// Strong-probable-prime bases that decide primality for every n below 3.3e24.
constexpr u64 MILLER_RABIN_BASES[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};

// An odd prime p with its inverse modulo 2^64: n is a multiple of p exactly when
// n * inverse <= maxQuotient, and the product is then n / p.
struct SmallPrime
{
    u64 p;
    u64 inverse;
    u64 maxQuotient;
};

constexpr u64 InverseModWord(u64 n)
{
    u64 inverse = n; // right to 3 bits for odd n; each step doubles that
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - n * inverse;
    return inverse;
}

consteval bool IsSmallPrime(u64 n)
{
    for (u64 d = 2; d * d <= n; ++d)
        if (n % d == 0)
            return false;
    return n >= 2;
}

consteval std::size_t CountOddPrimes()
{
    std::size_t nCount = 0;
    for (u64 n = 3; n < TRIAL_LIMIT; n += 2)
        nCount += IsSmallPrime(n);
    return nCount;
}

consteval auto MakeSmallPrimes()
{
    std::array<SmallPrime, CountOddPrimes()> primes{};
    std::size_t i = 0;
    for (u64 n = 3; n < TRIAL_LIMIT; n += 2)
        if (IsSmallPrime(n))
            primes[i++] = {n, InverseModWord(n), ~u64(0) / n};
    return primes;
}

constexpr auto SMALL_PRIMES = MakeSmallPrimes();
static_assert(SMALL_PRIMES.back().p < FIRST_UNTRIED_PRIME && IsSmallPrime(FIRST_UNTRIED_PRIME));

// Arithmetic modulo an odd n in Montgomery form (x stands for x * 2^64 mod n).
class Montgomery
{
public:
    explicit Montgomery(u64 n)
        : m_n(n), m_nInverse(InverseModWord(n)), m_one((0 - n) % n),
          m_r2(u64(u128(m_one) * m_one % n))
    {}

    u64 Modulus() const { return m_n; }
    u64 One() const { return m_one; }
    u64 ToForm(u64 x) const { return Multiply(x % m_n, m_r2); }
    u64 Multiply(u64 a, u64 b) const { return Reduce(u128(a) * b); }
    u64 Add(u64 a, u64 b) const { return a >= m_n - b ? a - (m_n - b) : a + b; }

    u64 Power(u64 base, u64 exponent) const
    {
        u64 result = m_one;
        for (; exponent; exponent >>= 1, base = Multiply(base, base))
            if (exponent & 1)
                result = Multiply(result, base);
        return result;
    }

private:
    // t / 2^64 mod n for t < n * 2^64.
    u64 Reduce(u128 t) const
    {
        const u64 m = u64(t) * m_nInverse;
        const u64 high = u64(t >> 64);
        const u64 subtrahend = u64(u128(m) * m_n >> 64);
        return high >= subtrahend ? high - subtrahend : high - subtrahend + m_n;
    }

    u64 m_n;
    u64 m_nInverse;
    u64 m_one;
    u64 m_r2;
};

bool PassesStrongTest(const Montgomery& mont, u64 base, u64 d, int nTwos)
{
    const u64 minusOne = mont.Modulus() - mont.One();
    u64 x = mont.Power(mont.ToForm(base), d);
    if (x == mont.One() || x == minusOne)
        return true;
    for (int i = 1; i < nTwos; ++i) {
        x = mont.Multiply(x, x);
        if (x == minusOne)
            return true;
    }
    return false;
}

// n odd and above every base.
bool IsPrime(u64 n)
{
    const Montgomery mont(n);
    const int nTwos = std::countr_zero(n - 1);
    const u64 d = (n - 1) >> nTwos;
    return std::all_of(std::begin(MILLER_RABIN_BASES), std::end(MILLER_RABIN_BASES),
                       [&](u64 base) { return PassesStrongTest(mont, base, d, nTwos); });
}

// Moves the factors below TRIAL_LIMIT from n into factors.
void DivideOutSmallPrimes(u64& n, std::vector<u64>& factors)
{
    const int nTwos = std::countr_zero(n);
    factors.insert(factors.end(), std::size_t(nTwos), 2);
    n >>= nTwos;
    for (const SmallPrime& prime : SMALL_PRIMES) {
        if (prime.p * prime.p > n)
            break;
        for (u64 q = n * prime.inverse; q <= prime.maxQuotient; q = n * prime.inverse) {
            factors.push_back(prime.p);
            n = q;
        }
    }
}

u64 Distance(u64 a, u64 b) { return a > b ? a - b : b - a; }

// Brent's cycle search on y -> y^2 + c; returns a divisor of n, which is n itself when this c
// fails. Products of distances are taken in batches so that one gcd serves RHO_BATCH steps.
u64 BrentDivisor(const Montgomery& mont, u64 c)
{
    const u64 n = mont.Modulus();
    const auto step = [&](u64 y) { return mont.Add(mont.Multiply(y, y), c); };
    u64 y = mont.ToForm(2), x = y, saved = y, product = mont.One(), g = 1;
    for (u64 r = 1; g == 1; r *= 2) {
        x = y;
        for (u64 i = 0; i < r; ++i)
            y = step(y);
        for (u64 k = 0; k < r && g == 1; k += RHO_BATCH) {
            saved = y;
            for (u64 i = 0; i < std::min<u64>(RHO_BATCH, r - k); ++i) {
                y = step(y);
                product = mont.Multiply(product, Distance(x, y));
            }
            g = std::gcd(product, n);
        }
    }
    if (g != n)
        return g;
    // The batch overshot: walk it again one step at a time.
    do {
        saved = step(saved);
        g = std::gcd(Distance(x, saved), n);
    } while (g == 1);
    return g;
}

// n odd, composite, without factors below TRIAL_LIMIT.
u64 FindDivisor(u64 n)
{
    const Montgomery mont(n);
    for (u64 c = 1;; ++c) {
        const u64 d = BrentDivisor(mont, mont.ToForm(c));
        if (d != n)
            return d;
    }
}

// The square root of n when n is a perfect square, else 0; n below 2^63.
u64 ExactSquareRoot(u64 n)
{
    const u64 root = u64(std::sqrt(double(n)));
    for (u64 candidate : {root - 1, root, root + 1})
        if (candidate * candidate == n)
            return candidate;
    return 0;
}

// n odd, without factors below TRIAL_LIMIT.
void CollectLargeFactors(u64 n, std::vector<u64>& factors)
{
    if (n == 1)
        return;
    if (n < FIRST_UNTRIED_PRIME * FIRST_UNTRIED_PRIME || IsPrime(n)) {
        factors.push_back(n);
        return;
    }
    // Rho needs as long for the square of a prime as for a product of two; the root is at hand.
    const u64 root = ExactSquareRoot(n);
    const u64 d = root ? root : FindDivisor(n);
    CollectLargeFactors(d, factors);
    CollectLargeFactors(n / d, factors);
}

std::string Join(const std::vector<u64>& factors)
{
    std::string strText;
    for (u64 factor : factors) {
        if (!strText.empty())
            strText += '*';
        strText += std::to_string(factor);
    }
    return strText;
}
} // namespace

std::string Factorise(long long n)
{
    if (n < 1)
        return DOMAIN_TEXT;
    if (n == 1)
        return "1";
    std::vector<u64> factors;
    u64 m = u64(n);
    DivideOutSmallPrimes(m, factors);
    CollectLargeFactors(m, factors);
    std::sort(factors.begin(), factors.end());
    return Join(factors);
}
