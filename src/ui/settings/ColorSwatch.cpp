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
    painter.fillRect(face, ToQColor(m_crColor));
}
