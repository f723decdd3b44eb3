#include "core/console/Factorise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{
using u64 = std::uint64_t;
// __int128 is a GCC and Clang extension; __extension__ tells -Wpedantic so.
__extension__ using u128 = unsigned __int128;

const std::string DOMAIN_TEXT = "#定义域错误/field of definition wrong";

// The plain algorithm the console's text is defined by: trial division by 2, then by the odd
// numbers below a bound taken from the double square root, with the bound shrinking as factors
// are divided out.
std::string ReferenceFactorise(long long n)
{
    if (n < 1)
        return DOMAIN_TEXT;
    if (n == 1)
        return "1";
    std::string t;
    while (n % 2 == 0) {
        t += "2*";
        n /= 2;
    }
    const auto bound = [](long long m) { return std::uint32_t(std::sqrt(double(m))) + 1; };
    std::uint32_t limit = bound(n);
    for (std::uint32_t d = 3; d < limit;) {
        if (n % d == 0) {
            t += std::to_string(d) + "*";
            n /= d;
            limit = bound(n);
        } else
            d += 2;
    }
    if (n != 1)
        t += std::to_string(n);
    while (!t.empty() && t.back() == '*')
        t.pop_back();
    return t;
}

bool IsPrimeByTrialDivision(u64 n)
{
    if (n < 2)
        return false;
    for (u64 d = 2; d * d <= n; ++d)
        if (n % d == 0)
            return false;
    return true;
}

u64 PowMod(u64 base, u64 exponent, u64 n)
{
    u64 result = 1 % n;
    for (base %= n; exponent; exponent >>= 1, base = u64(u128(base) * base % n))
        if (exponent & 1)
            result = u64(u128(result) * base % n);
    return result;
}

// Strong probable-prime test with seeded random bases; independent of the bases the factoriser
// uses, so a composite it calls prime would have to fool both.
bool IsProbablePrime(u64 n, std::mt19937_64& rng)
{
    if (n < (u64(1) << 32))
        return IsPrimeByTrialDivision(n);
    u64 d = n - 1;
    int nTwos = 0;
    for (; d % 2 == 0; d /= 2)
        ++nTwos;
    for (int round = 0; round < 24; ++round) {
        u64 x = PowMod(2 + rng() % (n - 3), d, n);
        if (x == 1 || x == n - 1)
            continue;
        for (int i = 1; i < nTwos && x != n - 1; ++i)
            x = u64(u128(x) * x % n);
        if (x != n - 1)
            return false;
    }
    return true;
}

u64 PrimeBelow(u64 n, std::mt19937_64& rng)
{
    while (!IsProbablePrime(--n, rng))
        ;
    return n;
}

std::string Joined(const std::vector<u64>& factors)
{
    std::string t;
    for (u64 f : factors)
        t += (t.empty() ? "" : "*") + std::to_string(f);
    return t;
}

std::vector<u64> Split(const std::string& strText)
{
    std::vector<u64> factors;
    std::size_t nStart = 0;
    for (std::size_t nStar; (nStar = strText.find('*', nStart)) != std::string::npos;
         nStart = nStar + 1)
        factors.push_back(std::stoull(strText.substr(nStart, nStar - nStart)));
    factors.push_back(std::stoull(strText.substr(nStart)));
    return factors;
}
} // namespace

TEST(Factorise, SmallNumbersAndDomain)
{
    const struct
    {
        long long n;
        const char* expected;
    } cases[] = {
        {12, "2*2*3"},
        {360, "2*2*2*3*3*5"},
        {8, "2*2*2"},
        {9, "3*3"},
        {49, "7*7"},
        {2, "2"},
        {97, "97"},
        {1, "1"},
        {1018081, "1009*1009"},
        {994009, "997*997"},
        {1009, "1009"},
        {0, "#定义域错误/field of definition wrong"},
        {-1, "#定义域错误/field of definition wrong"},
        {-12, "#定义域错误/field of definition wrong"},
        {std::numeric_limits<long long>::min(), "#定义域错误/field of definition wrong"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(Factorise(c.n), c.expected);
    }
}

TEST(Factorise, LargeNumbersOfKnownFactors)
{
    std::mt19937_64 rng(99);
    const u64 p = PrimeBelow(1000000000, rng), q = PrimeBelow(p, rng);
    const u64 r = 1000000007, s = 1000000009;    // the two primes after 10^9
    const u64 big = PrimeBelow(3037000500, rng); // largest prime whose square fits
    const u64 cube = PrimeBelow(2097152, rng);   // largest prime whose cube fits
    const std::vector<std::vector<u64>> cases = {
        std::vector<u64>(62, 2),
        {7, 7, 73, 127, 337, 92737, 649657}, // the largest 64-bit integer
        {999999999999999989},
        {p, q},
        {p, r},
        {r, s},
        {big, big},
        {cube, cube, cube},
        {r, r},
        {1009, 1009, 1013, 1013}, // squares of composites and fourth powers
        {1009, 1009, 1009, 1009},
        {10007, 10007, 10009, 10009, 3},
        {2, big},
        {3, 3, 101, r},
        {149491, 747451, 34233211}, // strong pseudoprime to bases 2..23
        {151, 751, 28351},          // strong pseudoprime to bases 2, 3, 5, 7
        {3, 11, 17},
        {7, 13, 19},
        {5, 29, 73}, // Carmichael numbers
    };
    for (const std::vector<u64>& factors : cases) {
        u128 product = 1;
        for (u64 f : factors) {
            product *= f;
            ASSERT_TRUE(IsProbablePrime(f, rng)) << f;
        }
        ASSERT_LE(product, u128(std::numeric_limits<long long>::max()));
        SCOPED_TRACE(std::to_string(u64(product)));
        std::vector<u64> sorted = factors;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(Factorise((long long)product), Joined(sorted));
    }
}

TEST(Factorise, CarmichaelNumbersOfChernickForm)
{
    // (6k+1)(12k+1)(18k+1) is a Carmichael number whenever all three are prime.
    int nFound = 0;
    for (u64 k = 150000; k > 1000 && nFound < 20; --k) {
        const u64 a = 6 * k + 1, b = 12 * k + 1, c = 18 * k + 1;
        if (!IsPrimeByTrialDivision(a) || !IsPrimeByTrialDivision(b) || !IsPrimeByTrialDivision(c))
            continue;
        SCOPED_TRACE(k);
        EXPECT_EQ(Factorise((long long)(a * b * c)), Joined({a, b, c}));
        ++nFound;
    }
    EXPECT_EQ(nFound, 20);
}

TEST(Factorise, AgreesWithTrialDivisionOnEverySmallNumber)
{
    for (long long n = -5; n <= 200000; ++n) {
        const std::string strExpected = ReferenceFactorise(n);
        const std::string strActual = Factorise(n);
        if (strActual != strExpected) {
            ADD_FAILURE() << "n = " << n << ": " << strActual << " instead of " << strExpected;
            return;
        }
    }
}

TEST(Factorise, AgreesWithTrialDivisionOnRandomNumbersUpToATrillion)
{
    std::mt19937_64 rng(20240917);
    for (int i = 0; i < 3000; ++i) {
        const long long n = (long long)(rng() % 1000000000000 + 1);
        SCOPED_TRACE(n);
        ASSERT_EQ(Factorise(n), ReferenceFactorise(n));
    }
}

TEST(Factorise, SplitsRandom63BitNumbersIntoPrimes)
{
    std::mt19937_64 rng(77);
    std::mt19937_64 bases(5);
    for (int i = 0; i < 3000; ++i) {
        const long long n = (long long)(rng() >> (1 + i % 20));
        SCOPED_TRACE(n);
        const std::vector<u64> factors = Split(Factorise(n));
        u128 product = 1;
        for (std::size_t k = 0; k < factors.size(); ++k) {
            ASSERT_TRUE(k == 0 || factors[k - 1] <= factors[k]);
            ASSERT_TRUE(IsProbablePrime(factors[k], bases)) << factors[k];
            product *= factors[k];
        }
        ASSERT_EQ(product, u128(n));
    }
}

TEST(Factorise, SplitsRandomProductsOfTwoLargePrimes)
{
    std::mt19937_64 rng(1234);
    for (int i = 0; i < 300; ++i) {
        const u64 p = PrimeBelow(1000000 + rng() % 3036000000, rng);
        const u64 q = PrimeBelow(
            1000000 + rng() % (std::numeric_limits<long long>::max() / p - 1000000), rng);
        SCOPED_TRACE(std::to_string(p) + " * " + std::to_string(q));
        EXPECT_EQ(Factorise((long long)(p * q)), Joined({std::min(p, q), std::max(p, q)}));
    }
}
