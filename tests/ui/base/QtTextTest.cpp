#include "ui/base/QtText.h"

#include <gtest/gtest.h>

// A cut keeps whole surrogate pairs: one that would leave the high half at the end drops it too.
TEST(QtText, CutLineNeverSplitsASurrogatePair)
{
    const QString strPair = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600, two UTF-16 units
    const struct
    {
        const char* pszName;
        QString strLine;
        qsizetype nLength;
        QString strExpected;
    } cases[] = {
        {"plain text", QStringLiteral("abcd"), 2, QStringLiteral("ab")},
        {"nothing", QStringLiteral("abcd"), 0, QString()},
        {"after a whole pair", QLatin1Char('a') + strPair + QLatin1Char('b'), 3,
         QLatin1Char('a') + strPair},
        {"inside a pair", QLatin1Char('a') + strPair + QLatin1Char('b'), 2, QStringLiteral("a")},
        {"inside the first pair", strPair + strPair, 1, QString()},
        {"between two pairs", strPair + strPair, 2, strPair},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszName);
        QString strLine = test.strLine;
        CutLine(strLine, test.nLength);
        EXPECT_EQ(strLine, test.strExpected);
    }
}
