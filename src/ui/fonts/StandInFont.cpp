#include "ui/fonts/StandInFont.h"

#include <QFontMetrics>

#include <algorithm>

namespace
{
const QString CJK_FACE = QStringLiteral("WenQuanYi Zen Hei");

struct FaceSubstitute
{
    const char* pFace;
    QFont::StyleHint hint;
    const char* pFamilies[3];
};

constexpr FaceSubstitute SUBSTITUTES[] = {
    {"Arial", QFont::SansSerif, {"Liberation Sans", "Arimo", "Arial"}},
    {"Courier", QFont::TypeWriter, {"Liberation Mono", "Cousine", "Courier New"}},
    {"Courier New", QFont::TypeWriter, {"Liberation Mono", "Cousine", "Courier New"}},
    {"System", QFont::SansSerif, {"DejaVu Sans", "Liberation Sans", "Arial"}},
};

const FaceSubstitute* FindSubstitute(const QString& strFace)
{
    for (const FaceSubstitute& substitute : SUBSTITUTES) {
        if (strFace.compare(QLatin1String(substitute.pFace), Qt::CaseInsensitive) == 0)
            return &substitute;
    }
    return nullptr;
}

QFont FontOfFace(const QString& strFace)
{
    QFont font;
    font.setFamilies(StandInFamilies(strFace));
    const FaceSubstitute* pSubstitute = FindSubstitute(strFace);
    font.setStyleHint(pSubstitute != nullptr ? pSubstitute->hint : QFont::SansSerif);
    return font;
}
} // namespace

QStringList StandInFamilies(const QString& strFace)
{
    QStringList families;
    if (const FaceSubstitute* pSubstitute = FindSubstitute(strFace)) {
        for (const char* pFamily : pSubstitute->pFamilies)
            families.append(QString::fromLatin1(pFamily));
    } else {
        families.append(strFace);
    }
    families.append(CJK_FACE);
    return families;
}

QFont MakeStandInFont(const QString& strFace, int nCellHeight, int nAverageWidth,
                      QFont::Weight weight)
{
    constexpr int MAX_STRETCH = 400;
    QFont font = FontOfFace(strFace);
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

QFont StandInPointFont(const QString& strFace, int nPoints)
{
    QFont font = FontOfFace(strFace);
    font.setPointSize(nPoints);
    return font;
}

QFont CourierFont(int nPoints) { return StandInPointFont(QStringLiteral("Courier"), nPoints); }
