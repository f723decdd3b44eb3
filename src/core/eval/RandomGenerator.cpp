#include "core/eval/RandomGenerator.h"

std::uint32_t CRandomGenerator::SeedStep()
{
    m_nS1 = (m_nS1 * 1821u + 1u) % 65731u;
    m_nS2 = (m_nS2 * 1421u + 1u) % 65609u;
    return m_nS1 << 16 ^ m_nS2;
}

void CRandomGenerator::RandomSeed(std::uint32_t nSeed)
{
    m_nIndex = 0;
    m_nS1 = nSeed % 65731u;
    m_nS2 = nSeed % 65609u;
    for (int i = 0; i < 99; ++i)
        SeedStep();
    for (auto& nWord : m_x)
        nWord = SeedStep();
    for (int i = 0; i < 99; ++i)
        RandomNext();
}

std::uint32_t CRandomGenerator::RandomNext()
{
    m_nIndex = (m_nIndex + 1) % 55;
    m_x[m_nIndex] = m_x[(m_nIndex + 23) % 55] + m_x[(m_nIndex + 54) % 55];
    return m_x[m_nIndex];
}
