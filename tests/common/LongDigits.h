#pragma once

#include <cstddef>
#include <random>
#include <string>

// n random decimal digits, the first one not zero.
inline std::string RandomDigits(std::mt19937_64& rng, size_t n)
{
    std::string s(n, '0');
    for (char& ch : s)
        ch = char('0' + rng() % 10);
    if (n > 0)
        s[0] = char('1' + rng() % 9);
    return s;
}

// The product of two digit texts by long multiplication, one digit at a time.
inline std::string ReferenceProduct(const std::string& a, const std::string& b)
{
    std::string r(a.size() + b.size(), '0');
    for (size_t i = a.size(); i-- > 0;) {
        int carry = 0;
        for (size_t j = b.size(); j-- > 0;) {
            int t = (a[i] - '0') * (b[j] - '0') + (r[i + j + 1] - '0') + carry;
            r[i + j + 1] = char('0' + t % 10);
            carry = t / 10;
        }
        r[i] = char(r[i] + carry);
    }
    size_t nStart = r.find_first_not_of('0');
    return nStart == std::string::npos ? "0" : r.substr(nStart);
}

// The sum of two digit texts, one digit at a time.
inline std::string ReferenceSum(const std::string& a, const std::string& b)
{
    std::string r;
    int carry = 0;
    for (size_t i = 0; i < a.size() || i < b.size() || carry != 0; ++i) {
        int t = carry + (i < a.size() ? a[a.size() - 1 - i] - '0' : 0) +
                (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
        r.insert(r.begin(), char('0' + t % 10));
        carry = t / 10;
    }
    size_t nStart = r.find_first_not_of('0');
    return nStart == std::string::npos ? "0" : r.substr(nStart);
}
