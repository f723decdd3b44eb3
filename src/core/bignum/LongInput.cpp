#include "core/bignum/LongInput.h"

#include "core/bignum/LongTexts.h"

#include <cctype>
#include <cstdio>

namespace
{
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

char UpperAt(std::string_view strText, size_t i)
{
    return i < strText.size() ? char(std::toupper(static_cast<unsigned char>(strText[i]))) : '\0';
}
} // namespace

bool IsFirstTextRejected(std::string_view strText)
{
    size_t n = strText.size();
    if (n == 0)
        return false;
    char c0 = UpperAt(strText, 0), c1 = UpperAt(strText, 1);
    bool bLastIsDigit = IsDigit(strText.back());
    const bool rules[] = {
        c0 == 'P' && c1 == 'I' && n > 2,  c0 == 'E' && n > 1,
        n >= 3 && !bLastIsDigit,          c0 != 'P' && c0 != 'E' && !bLastIsDigit,
        n == 2 && c0 == 'P' && c1 != 'I',
    };
    for (bool bRule : rules)
        if (bRule)
            return true;
    return false;
}

int FirstIllegalPosition(std::string_view strText)
{
    int nPosition = 0;
    for (size_t i = 0; i < strText.size(); ++i) {
        if ((static_cast<unsigned char>(strText[i]) & 0xC0) != 0x80)
            ++nPosition;
        char c = UpperAt(strText, i);
        bool bAllowed = IsDigit(c) || (i == 0 && (c == 'P' || c == 'E')) ||
                        (i == 1 && c == 'I' && UpperAt(strText, 0) == 'P');
        if (!bAllowed)
            return nPosition;
    }
    return 0;
}

std::string FirstIllegalWarning(int nPosition, Language language)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, longmsg::ILLEGAL_FIRST.In(language), nPosition);
    return buffer;
}

std::string FormatElapsed(long long nSeconds)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", int(nSeconds / 3600 % 24),
                  int(nSeconds / 60 % 60), int(nSeconds % 60));
    return buffer;
}
