#pragma once

#include <string>

// The prime factors of n in ascending order joined by "*"; "1" for 1 and
// "#定义域错误/field of definition wrong" for n < 1. Never throws.
std::string Factorise(long long n);
