#pragma once

#include <QFont>
#include <QStringList>

// The faces the windows were laid out with stand in as free faces of the same metrics:
// Liberation Sans for "Arial", Liberation Mono for "Courier" and "Courier New", a plain sans
// for "System"; Chinese text comes from WenQuanYi Zen Hei. Each list falls back to the
// original face and then to the style hint's default where a face is not installed. Any other
// face is asked for as named.
QStringList StandInFamilies(const QString& strFace);

// A font given the way the console's fonts are described: face, cell height (ascent plus
// descent) and average character width in pixels, weight.
QFont MakeStandInFont(const QString& strFace, int nCellHeight, int nAverageWidth,
                      QFont::Weight weight);

// A face of the windows' templates at a size in points.
QFont StandInPointFont(const QString& strFace, int nPoints);

// The fixed-pitch face of the converter and long-number windows, in points.
QFont CourierFont(int nPoints);
