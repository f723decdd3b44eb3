#include "core/bignum/BigNum.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace
{
// __int128 is a GCC and Clang extension; __extension__ tells -Wpedantic so.
__extension__ using u128 = unsigned __int128;

BigNum FromU128(u128 v)
{
    BigNum r;
    r.SetValue(uint64_t(v >> 64));
    r = r.MulSmall(1 << 16).MulSmall(1 << 16).MulSmall(1 << 16).MulSmall(1 << 16);
    BigNum low;
    low.SetValue(uint64_t(v));
    return r.Add(low);
}

u128 ToU128(const BigNum& b)
{
    EXPECT_LE(b.length, 4);
    u128 v = 0;
    for (int i = b.length; i-- > 0;)
        v = (v << 32) | b.limbs[i];
    return v;
}

std::string U128Text(u128 v)
{
    std::string s;
    for (; v != 0; v /= 10)
        s.insert(s.begin(), char('0' + int(v % 10)));
    return s;
}

BigNum FromDecimal(const std::string& s)
{
    BigNum b;
    b.FromText(s, 10);
    return b;
}

// Operands of 1 to 4 limbs with runs of zero and all-one limbs, where carries and borrows travel.
u128 RandomOperand(std::mt19937_64& rng)
{
    static const uint32_t SPECIAL[] = {0, 1, 0xFFFFFFFF, 0x80000000};
    int nLimbs = int(rng() % 4) + 1;
    u128 v = 0;
    for (int i = 0; i < nLimbs; ++i) {
        uint32_t limb = rng() % 3 == 0 ? SPECIAL[rng() % 4] : uint32_t(rng());
        v = (v << 32) | limb;
    }
    return v;
}
} // namespace

TEST(BigNum, AgreesWithInt128OnSmallOperands)
{
    std::mt19937_64 rng(20240601);
    for (int i = 0; i < 4000; ++i) {
        // Halved operands keep every sum inside 128 bits.
        u128 a = RandomOperand(rng) >> (1 + rng() % 64),
             bm = RandomOperand(rng) >> (1 + rng() % 64);
        SCOPED_TRACE("a=" + U128Text(a) + " b=" + U128Text(bm));
        BigNum x = FromU128(a), y = FromU128(bm);
        EXPECT_EQ(ToU128(x.Add(y)), a + bm);
        EXPECT_EQ(x.Compare(y), a > bm ? 1 : a < bm ? -1 : 0);
        BigNum d = x.Sub(y);
        EXPECT_EQ(ToU128(d), a >= bm ? a - bm : bm - a);
        EXPECT_EQ(d.sign, a >= bm ? 1 : 0);
        if (a >> 64 == 0 && bm >> 64 == 0) {
            EXPECT_EQ(ToU128(x.Mul(y)), a * bm);
        }
        if (bm != 0) {
            EXPECT_EQ(ToU128(x.Div(y)), a / bm);
            EXPECT_EQ(ToU128(x.Mod(y)), a % bm);
        }
        uint32_t s = uint32_t(rng() % 0x7FFFFFFF) + 1;
        EXPECT_EQ(ToU128(x.DivSmall(int32_t(s))), a / s);
        EXPECT_EQ(u128(x.ModSmall(int32_t(s))), a % s);
        if (a >> 96 == 0) {
            EXPECT_EQ(ToU128(x.MulSmall(int32_t(s))), a * s);
        }
        EXPECT_EQ(ToU128(x.AddSmall(int32_t(s))), a + s);
        EXPECT_EQ(x.ToText(10), U128Text(a));
        EXPECT_EQ(ToU128(FromDecimal(U128Text(a))), a);
    }
}

TEST(BigNum, EdgeCases)
{
    struct Case
    {
        const char* a;
        const char* op;
        const char* b;
        const char* expected;
        int nSign;
    };
    const Case cases[] = {
        {"4294967295", "+", "1", "4294967296", 1},
        {"18446744073709551616", "-", "1", "18446744073709551615", 1},
        {"340282366920938463463374607431768211455", "+", "1",
         "340282366920938463463374607431768211456", 1},
        {"123456789", "-", "123456789", "", 1},
        {"5", "-", "12", "7", 0},
        {"0", "+", "0", "", 1},
        {"100", "/", "7", "14", 1},
        {"100", "%", "7", "2", 1},
        {"6", "/", "7", "", 1},
        {"7", "/", "7", "1", 1},
        {"7", "%", "7", "", 1},
        {"6", "%", "7", "6", 1},
        {"18446744073709551616", "/", "4294967296", "4294967296", 1},
        {"79228162514264337593543950336", "/", "18446744073709551617", "4294967295", 1},
        {"0", "*", "123456789012345678901234567890", "", 1},
        {"99999999999999999999", "*", "99999999999999999999",
         "9999999999999999999800000000000000000001", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + c.op + c.b);
        BigNum a = FromDecimal(c.a), b = FromDecimal(c.b), r;
        switch (c.op[0]) {
        case '+':
            r = a.Add(b);
            break;
        case '-':
            r = a.Sub(b);
            break;
        case '*':
            r = a.Mul(b);
            break;
        case '/':
            r = a.Div(b);
            break;
        default:
            r = a.Mod(b);
            break;
        }
        EXPECT_EQ(r.ToText(10), c.expected);
        EXPECT_EQ(r.sign, c.nSign);
        EXPECT_EQ(r.limbs.size(), size_t(r.length));
        EXPECT_TRUE(r.length == 1 || r.limbs.back() != 0) << "not normalized";
    }
}

TEST(BigNum, TextConversionCarriesIntoNewLimb)
{
    BigNum b = FromDecimal("4294967296");
    ASSERT_EQ(b.length, 2);
    EXPECT_EQ(b.limbs[0], 0u);
    EXPECT_EQ(b.limbs[1], 1u);
    EXPECT_EQ(FromDecimal("0000").ToText(10), "");
    EXPECT_EQ(FromDecimal("").ToText(10), "");
    EXPECT_EQ(FromDecimal("000123").ToText(10), "123");
    EXPECT_EQ(FromDecimal("255").ToText(16), "??");
    EXPECT_EQ(FromDecimal("10").ToText(2), "1010");
}

TEST(BigNum, SetValueKeepsSignAndSplitsLimbs)
{
    BigNum b = FromDecimal("5").Sub(FromDecimal("9"));
    b.SetValue(0x100000002ULL);
    EXPECT_EQ(b.sign, 0);
    ASSERT_EQ(b.length, 2);
    EXPECT_EQ(b.limbs[0], 2u);
    EXPECT_EQ(b.limbs[1], 1u);
    b.SetValue(7);
    EXPECT_EQ(b.length, 1);
    EXPECT_EQ(b.ToText(10), "7");
}

TEST(BigNum, CompareDecidesByLengthFirst)
{
    BigNum small = FromDecimal("4294967295"), big = FromDecimal("4294967296");
    EXPECT_EQ(big.Compare(small), 1);
    EXPECT_EQ(small.Compare(big), -1);
    EXPECT_EQ(big.Compare(FromDecimal("4294967296")), 0);
}

TEST(BigNum, SignsFollowTheOperands)
{
    BigNum neg = FromDecimal("5").Sub(FromDecimal("12")), pos = FromDecimal("3");
    EXPECT_EQ(neg.Mul(pos).sign, 0);
    EXPECT_EQ(neg.Mul(neg).sign, 1);
    EXPECT_EQ(neg.Div(pos).sign, 0);
    EXPECT_EQ(neg.Mod(pos).sign, 1);
    EXPECT_EQ(neg.Mod(pos).ToText(10), "1");
    EXPECT_EQ(neg.Add(pos).ToText(10), "10");
    EXPECT_EQ(neg.Add(pos).sign, 1);
}
