#include "ui/base/Resources.h"

#include <QImage>

#include <gtest/gtest.h>

// The compiled-in bitmaps are the sizes the windows lay them out for; the icon is the installed
// set's 128-pixel drawing.
TEST(Resources, BitmapsHaveTheirLayoutSizes)
{
    InitPelmorixResources();
    const struct
    {
        const char* pszPath;
        QSize size;
    } cases[] = {
        {res::ICON, {128, 128}},
        {res::LOGO, {100, 25}},
        {res::HELP_LOGO, {100, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszPath);
        EXPECT_EQ(QImage(QString::fromLatin1(c.pszPath)).size(), c.size);
    }
}
