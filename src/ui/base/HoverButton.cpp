#include "ui/base/HoverButton.h"

#include "core/skin/HoverColors.h"
#include "ui/base/QtGeometry.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPainter>

namespace
{
constexpr int DARK_LIGHTNESS = 128;

QColor ToColor(const HoverRgb& rgb) { return QColor(rgb.nRed, rgb.nGreen, rgb.nBlue); }
} // namespace

CHoverButton::CHoverButton(QWidget* pParent)
    : QPushButton(pParent), m_nSavedDoubleClick(QApplication::doubleClickInterval())
{
    // The face covers every pixel, so the window behind never needs repainting for it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_Hover);
}

CHoverButton::~CHoverButton() { EndHover(); }

void CHoverButton::enterEvent(QEnterEvent* pEvent)
{
    // A disabled button takes no mouse input, so the pointer over it is no hover.
    if (isEnabled()) {
        m_bHover = true;
        QApplication::setDoubleClickInterval(HOVER_DOUBLE_CLICK_MS);
        update();
    }
    QPushButton::enterEvent(pEvent);
}

void CHoverButton::leaveEvent(QEvent* pEvent)
{
    EndHover();
    update();
    QPushButton::leaveEvent(pEvent);
}

void CHoverButton::EndHover()
{
    if (!m_bHover)
        return;
    m_bHover = false;
    QApplication::setDoubleClickInterval(m_nSavedDoubleClick);
}

void CHoverButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Rect item{0, 0, width(), height()};
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    m_bFocused = hasFocus();
    m_bActive = m_bFocused || isDown() || isDefault();
    const Rect face = HoverShrink(item);
    DrawFace(painter, face);
    if (m_bHover || m_bFocused)
        DrawEdgeFrame(painter, face);
    DrawCaption(painter, face);
}

void CHoverButton::DrawFace(QPainter& painter, const Rect& face)
{
    // A dark skin gives its windows a dark palette, and the face follows it.
    const bool bDark = palette().color(QPalette::Button).lightness() < DARK_LIGHTNESS;
    for (const HoverFaceRow& row : HoverFaceRows(face)) {
        const QColor colour = ToColor(HoverFaceColor(m_bHover, m_bActive, row.nIndex, bDark));
        painter.fillRect(QRect(row.nLeft, row.nY, row.nRight - row.nLeft, 1), colour);
    }
}

void CHoverButton::DrawEdgeFrame(QPainter& painter, const Rect& face)
{
    const bool bFocusPens = m_bFocused && !m_bHover;
    for (const HoverEdgeLine& line : HoverEdgeLines(face, bFocusPens)) {
        painter.setPen(QPen(ToColor(line.colour), line.nWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(ToQPoint(line.from), ToQPoint(line.to));
    }
    // The focus mark stays while the pointer is over the button too.
    if (m_bFocused) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(ToQRect(face).adjusted(0, 0, -1, -1));
    }
}

void CHoverButton::DrawCaption(QPainter& painter, const Rect& face)
{
    constexpr int MAX_CAPTION = 260;
    constexpr int FLAGS = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    const QString strCaption = text().left(MAX_CAPTION);
    const QSize size = fontMetrics().size(Qt::TextSingleLine, strCaption);
    const Point origin = HoverCaptionOrigin(face, size.width(), size.height(), isDown());
    const QRect textRect(ToQPoint(origin), size);
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
    } else {
        // The embossed disabled look: a light copy one pixel down and right, the text in shadow.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(textRect.translated(1, 1), FLAGS, strCaption);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
    }
    painter.drawText(textRect, FLAGS, strCaption);
}
