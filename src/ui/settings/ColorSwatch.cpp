#include "ui/settings/ColorSwatch.h"

#include "ui/base/QtColor.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

CColorSwatch::CColorSwatch(QWidget* pParent) : QPushButton(pParent) {}

void CColorSwatch::SetColor(ColorRef cr)
{
    m_crColor = cr;
    repaint();
}

void CColorSwatch::paintEvent(QPaintEvent*)
{
    // The button keeps its frame, pressed look and focus mark; the colour fills the face inside.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QColor colour = ToQColor(m_crColor);
    painter.fillRect(face, colour);
    // The colour covers the style's focus mark inside the frame: a dotted one stands out on it.
    if (hasFocus()) {
        const QColor mark = colour.lightness() < 128 ? Qt::white : Qt::black;
        painter.setPen(QPen(mark, 1, Qt::DotLine));
        painter.drawRect(face.adjusted(2, 2, -3, -3));
    }
}
