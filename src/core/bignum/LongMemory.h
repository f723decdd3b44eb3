#pragma once

#include <cstddef>

// How a long calculation holds its memory. While one runs, the memory it frees stays with the
// allocator and is reused without the system's page faults; the pages of the holes this leaves
// between the values that live on go back to the system before the calculation's longest
// products, which would otherwise find no hole large enough and grow the heap beside them.
class CLongMemory
{
public:
    // One for each calculation, alive while it runs; at the end it gives back what it freed.
    CLongMemory();
    ~CLongMemory();
    CLongMemory(const CLongMemory&) = delete;
    CLongMemory& operator=(const CLongMemory&) = delete;

    // Called before a product of nLimbs limbs (both factors together). When it is long and
    // clearly longer than the running calculations' last product that did so, the free pages of
    // the heap go back to the system first.
    static void BeforeProduct(size_t nLimbs);
};
