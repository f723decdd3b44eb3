#pragma once

#include <QFont>

// The plain bold sans-serif face that stands for the system font of the keyboard and the
// variable list, in points.
inline QFont SystemFont(int nPoints)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(nPoints);
    font.setBold(true);
    return font;
}
