#include "core/bignum/LongInput.h"

#include "core/base/CharClass.h"
#include "core/bignum/LongTexts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace
{
// The time left is told once this share is done and this much time has passed: before, the
// rate of the first steps says little about the rest.
constexpr double ESTIMATE_FROM_FRACTION = 0.01;
constexpr long long ESTIMATE_FROM_MS = 2000;

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

std::string FormatProgress(double dFraction, long long nElapsedMs, Language language)
{
    const int nPercent = int(std::floor(std::clamp(dFraction, 0.0, 1.0) * 100));
    char buffer[128];
    if (dFraction < ESTIMATE_FROM_FRACTION || nElapsedMs < ESTIMATE_FROM_MS || dFraction >= 1) {
        std::snprintf(buffer, sizeof buffer, longmsg::PROGRESS.In(language), nPercent);
        return buffer;
    }
    const double dLeftMs = double(nElapsedMs) * (1 - dFraction) / dFraction;
    const std::string strLeft = FormatElapsed((long long)std::ceil(dLeftMs / 1000));
    std::snprintf(buffer, sizeof buffer, longmsg::PROGRESS_LEFT.In(language), nPercent,
                  strLeft.c_str());
    return buffer;
}

std::string FormatEnd(const LongResult& result, Language language)
{
    if (result.bCancelled)
        return longmsg::ENDED_STOPPED.In(language);
    if (!result.strMessage.empty())
        return {};
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, longmsg::ENDED_DONE.In(language), result.nDigits);
    return buffer;
}
