#include "core/bignum/LongCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace
{
constexpr std::uint64_t ENDLESS = UINT64_MAX;
constexpr std::uint64_t MB = 1 << 20;

// Standard input as a generator writes it: strHead, strFill repeated over nFill bytes, strTail;
// nServed counts the bytes the command took.
struct Feed
{
    std::string strHead;
    std::string strFill;
    std::uint64_t nFill = 0;
    std::string strTail;
    std::uint64_t nServed = 0;
    std::string strBlock; // strFill repeated, to copy from

    // The next bytes from nServed on, as many as lie in one piece; empty at the end.
    std::string_view Next()
    {
        std::uint64_t n = nServed;
        if (n < strHead.size())
            return std::string_view(strHead).substr(n);
        n -= strHead.size();
        if (n < nFill) {
            if (strBlock.empty())
                for (std::size_t i = 0; i < (1 << 16) / strFill.size() + 1; ++i)
                    strBlock += strFill;
            const std::size_t nOffset = n % strFill.size();
            const std::uint64_t nLeft = nFill - n;
            return std::string_view(strBlock).substr(
                nOffset, std::min<std::uint64_t>(nLeft, strBlock.size() - nOffset));
        }
        n -= nFill;
        return n < strTail.size() ? std::string_view(strTail).substr(n) : std::string_view();
    }
};

ssize_t ReadFeed(void* pCookie, char* pBuffer, size_t nSize)
{
    Feed& feed = *static_cast<Feed*>(pCookie);
    size_t nDone = 0;
    for (std::string_view piece = feed.Next(); nDone < nSize && !piece.empty();
         piece = feed.Next()) {
        const size_t n = std::min(piece.size(), nSize - nDone);
        std::memcpy(pBuffer + nDone, piece.data(), n);
        nDone += n;
        feed.nServed += n;
    }
    return ssize_t(nDone);
}

// An operand is read only as long as more of it can change the answer. An illegal character
// settles it at once, unless more can still make a divisor non-zero or spell "pi" or "e"; white
// space never ends it before INT_MAX characters, and then the message says what it held.
TEST(LongCommandInput, OperandIsReadUntilTheAnswerIsSettled)
{
    const struct
    {
        std::vector<std::string> args;
        const char* pszHead;
        const char* pszFill;
        std::uint64_t nFill;
        const char* pszTail;
        int nStatus;
        const char* pszOut;
        const char* pszErr;
        bool bStopsEarly;
    } cases[] = {
        {{"add", "-", "1"},
         "x",
         " ",
         ENDLESS,
         "",
         1,
         "",
         "Ingeter 1 bit 1 has illegal character\n",
         true},
        {{"div", "7", "-"},
         "5x",
         "7",
         ENDLESS,
         "",
         1,
         "",
         "Ingeter 2 bit 2 has illegal character\n",
         true},
        {{"div", "7", "-"},
         "0x",
         " ",
         10 * MB,
         "5",
         1,
         "",
         "Ingeter 2 bit 2 has illegal character\n",
         false},
        {{"mod", "7", "-"}, "0x", " ", 10 * MB, "", 1, "", "Divor can not be zero\n", false},
        {{"add", "-", "5"}, "P", " ", 10 * MB, "i", 0, "3.1415\n", "", false},
        {{"fac", "-"},
         "",
         " \n",
         ENDLESS,
         "",
         1,
         "",
         "Integer 1 has no digits in its first 2147483647 characters\n",
         false},
    };
    // Reading takes one thread however many a calculation may use: the run with more threads
    // leaves out the 2 GiB of blanks.
    const char* pszThreads = std::getenv("PELMORIX_THREADS");
    const bool bOneThread = pszThreads == nullptr || std::string(pszThreads) == "1";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.pszHead);
        if (!bOneThread && c.nFill == ENDLESS && !c.bStopsEarly)
            continue;
        Feed feed{c.pszHead, c.pszFill, c.nFill, c.pszTail, 0, {}};
        std::FILE* pIn = fopencookie(&feed, "r", {ReadFeed, nullptr, nullptr, nullptr});
        ASSERT_NE(pIn, nullptr);
        std::string strOut, strErr;
        CTextOut out(strOut), err(strErr);
        EXPECT_EQ(RunLongCommand(c.args, pIn, out, err, Language::English), c.nStatus);
        std::fclose(pIn);
        EXPECT_EQ(strOut, c.pszOut);
        EXPECT_EQ(strErr, c.pszErr);
        if (c.bStopsEarly) {
            EXPECT_LT(feed.nServed, MB);
        }
    }
}
} // namespace
