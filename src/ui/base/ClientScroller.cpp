#include "ui/base/ClientScroller.h"

#include <QApplication>
#include <QEvent>

CClientScroller::CClientScroller(QWidget& window) : m_window(window)
{
    const QRect client = window.contentsRect();
    auto* pControls = new QWidget;
    pControls->resize(client.size());
    for (QWidget* pControl : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (pControl->isWindow())
            continue;
        const bool bHidden = pControl->isHidden();
        const QPoint at = pControl->pos() - client.topLeft();
        pControl->setParent(pControls);
        pControl->move(at);
        pControl->setHidden(bHidden);
    }
    // Only now a child of the window, so that it did not move into itself.
    setParent(&window);
    setObjectName(QStringLiteral("scroller"));
    setFrameShape(QFrame::NoFrame);
    setWidget(pControls);
    // The frame paints the client area's background; the controls stand on it as before.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    pControls->setAutoFillBackground(false);
    setGeometry(client);
    show();
    window.installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* pNow) {
        if (pNow != nullptr && widget()->isAncestorOf(pNow))
            BringIntoView(*pNow);
    });
}

// The whole control, not only its caret as ensureWidgetVisible would. A control larger than the
// view that shows in part (the main window's console, given the focus back whenever the window
// is activated) stays where the user scrolled it.
void CClientScroller::BringIntoView(const QWidget& control)
{
    const QRect rc(control.mapTo(widget(), QPoint(0, 0)), control.size());
    const QRect shown(-widget()->pos(), viewport()->size());
    const bool bFits = rc.width() <= shown.width() && rc.height() <= shown.height();
    if (shown.contains(rc) || (!bFits && shown.intersects(rc)))
        return;
    ensureVisible(rc.center().x(), rc.center().y(), rc.width() / 2 + 1, rc.height() / 2 + 1);
}

bool CClientScroller::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // The frame moves the client area's corner; the view follows its place and size.
    const QEvent::Type type = pEvent->type();
    if (pWatched == &m_window && (type == QEvent::Resize || type == QEvent::ContentsRectChange))
        setGeometry(m_window.contentsRect());
    return QScrollArea::eventFilter(pWatched, pEvent);
}
