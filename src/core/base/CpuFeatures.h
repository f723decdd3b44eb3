#pragma once

// True when the processor runs AVX2 instructions, asked once. Code with an AVX2 path keeps a plain
// one that gives the same results.
inline bool HasAvx2()
{
    static const bool bAvx2 = __builtin_cpu_supports("avx2");
    return bAvx2;
}
