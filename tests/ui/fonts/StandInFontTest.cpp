#include "ui/fonts/StandInFont.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace
{
// The layouts were made for the metrics of these faces; the stand-ins must be installed.
TEST(StandInFont, StandInsAreInstalledWithTheMetricsTheLayoutsExpect)
{
    const struct
    {
        const char* pFace;
        const char* pResolved;
        const char* pSample;
        int nSampleWidth; // in pixels at 10 points on a 96 dpi screen
    } cases[] = {
        {"Arial", "Liberation Sans", "1e+010", 44},
        {"Courier", "Liberation Mono", "Add", 24},
        {"Courier New", "Liberation Mono", "Mod", 24},
        {"System", "DejaVu Sans", nullptr, 0}, // no metrics to match: a plain sans
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pFace);
        const QFont font = StandInPointFont(QString::fromLatin1(c.pFace), 10);
        EXPECT_EQ(QFontInfo(font).family().toStdString(), c.pResolved);
        if (c.pSample != nullptr && QFontInfo(font).pixelSize() == 13) {
            EXPECT_NEAR(QFontMetrics(font).horizontalAdvance(QString::fromLatin1(c.pSample)),
                        c.nSampleWidth, 1);
        }
        EXPECT_EQ(font.families().last().toStdString(), "WenQuanYi Zen Hei");
    }
}
} // namespace
