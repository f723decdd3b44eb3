#include "core/console/Factorise.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
// 18-digit primes: the slowest case for plain trial division.
const std::vector<long long> PRIMES_18 = {
    999999999999999989, 999999999999999877, 999999999999999863,
    100000000000000003, 100000000000000013, 500000000000000021,
};

// Products of two primes near 10^9: the slowest case for rho.
const std::vector<long long> SEMIPRIMES_18 = {
    999999937LL * 999999929, 999999937LL * 999999893, 999999929LL * 999999883,
    999999797LL * 999999761, 999999757LL * 999999751,
};

// The largest products of two primes that fit: 19 digits, the worst case for rho.
const std::vector<long long> SEMIPRIMES_19 = {
    3037000493LL * 3037000453,
    3037000493LL * 3037000493,
};

void Run(benchmark::State& state, const std::vector<long long>& numbers)
{
    const long long n = numbers[std::size_t(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(Factorise(n));
    state.SetLabel(Factorise(n));
}

void BM_FactorisePrime18(benchmark::State& state) { Run(state, PRIMES_18); }
void BM_FactoriseSemiprime18(benchmark::State& state) { Run(state, SEMIPRIMES_18); }
void BM_FactoriseSemiprime19(benchmark::State& state) { Run(state, SEMIPRIMES_19); }
} // namespace

BENCHMARK(BM_FactorisePrime18)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FactoriseSemiprime18)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FactoriseSemiprime19)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
