#pragma once

#include <QFont>

// A font given the way the console's fonts are described: face, cell height (ascent plus
// descent) and average character width in pixels, weight. The face falls back to a sans-serif
// one where it is not installed.
QFont MakeWindowsFont(const QString& strFace, int nCellHeight, int nAverageWidth,
                      QFont::Weight weight);

// The fixed-pitch face of the converter and long-number windows, in points.
QFont CourierFont(int nPoints);
