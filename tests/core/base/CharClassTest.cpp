#include "core/base/CharClass.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace
{
// The C library's classes in its own "C" locale, for ASCII only: every other unit has none.
void ExpectLikeTheCLocale(char32_t ch, unsigned nUnit, const char* pszType)
{
    const bool bAscii = nUnit < 128;
    const int c = int(nUnit);
    SCOPED_TRACE(std::string(pszType) + " " + std::to_string(nUnit));
    EXPECT_EQ(IsBlank(ch), bAscii && std::isspace(c) != 0);
    EXPECT_EQ(IsDigit(ch), bAscii && std::isdigit(c) != 0);
    EXPECT_EQ(IsAlpha(ch), bAscii && std::isalpha(c) != 0);
    EXPECT_EQ(IsHexDigit(ch), bAscii && std::isxdigit(c) != 0);
}
} // namespace

// Every byte (a signed char above 127 included) and every UTF-16 unit: a unit whose low byte is
// ASCII, as U+010A is "\n" and U+0130 is "0", belongs to no class.
TEST(CharClass, AsciiOnlyForEveryByteAndUtf16Unit)
{
    for (unsigned n = 0; n < 256; ++n)
        ExpectLikeTheCLocale(static_cast<char>(n), n, "char");
    for (unsigned n = 0; n < 0x10000; ++n)
        ExpectLikeTheCLocale(static_cast<char16_t>(n), n, "char16_t");
}
