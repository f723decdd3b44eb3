#pragma once

#include <array>
#include <cstdint>

// The additive lagged generator behind rnd(): 55 words, seeded through two small linear
// congruential generators. One exists per program and is shared by every evaluator context.
class CRandomGenerator
{
public:
    CRandomGenerator() { RandomSeed(0); }

    void RandomSeed(std::uint32_t nSeed);
    std::uint32_t RandomNext();

private:
    std::uint32_t SeedStep();

    std::array<std::uint32_t, 55> m_x{};
    std::uint32_t m_nIndex = 0;
    std::uint32_t m_nS1 = 0;
    std::uint32_t m_nS2 = 0;
};
