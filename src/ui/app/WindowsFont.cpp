#include "app/WindowsFont.h"

#include <QFontMetrics>

#include <algorithm>

QFont MakeWindowsFont(const QString& strFace, int nCellHeight, int nAverageWidth,
                      QFont::Weight weight)
{
    constexpr int MAX_STRETCH = 400;
    QFont font(strFace);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(weight);
    font.setPixelSize(nCellHeight);
    // The pixel size is the em; shrink it so that the whole cell has the height asked for.
    const int nCell = QFontMetrics(font).height();
    if (nCell > nCellHeight)
        font.setPixelSize(std::max(1, nCellHeight * nCellHeight / nCell));
    const int nAverage = QFontMetrics(font).averageCharWidth();
    if (nAverage > 0)
        font.setStretch(std::clamp(nAverageWidth * 100 / nAverage, 1, MAX_STRETCH));
    return font;
}

QFont CourierFont(int nPoints)
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(nPoints);
    return font;
}
