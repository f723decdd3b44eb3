#include "windows/AuxWindow.h"

#include "skin/Opacity.h"

#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

CAuxWindow::CAuxWindow(const AuxWindowLook& look, QWidget* pOwner)
    : QWidget(pOwner, Qt::Tool), m_look(look)
{
    if (look.nX >= 0 && look.nY >= 0)
        move(look.nX, look.nY);
    resize(look.nWidth, look.nHeight);
    if (look.bTransparent) {
        m_transparency.EnableLayered(this);
        m_transparency.SetOpacity(this, OPACITY_OPAQUE_PERCENT);
    }
    ApplyLanguage();
}

void CAuxWindow::SetLanguage(int nLanguage)
{
    m_nLanguage = nLanguage;
    m_frame.SetLanguage(nLanguage);
    ApplyLanguage();
}

void CAuxWindow::SetSkin(int nSkin, bool bAttach)
{
    m_nSkin = nSkin;
    m_frame.LoadSkin(nSkin);
    if (bAttach) {
        m_frame.Attach(this, FrameStyle{m_look.bResizable, false, false});
        const QMargins frame = m_frame.Margins();
        resize(size().grownBy(frame));
    }
    update();
}

void CAuxWindow::DragWindow(const QMouseEvent& event)
{
    if (m_frame.IsAttached())
        m_frame.DragFromClient(event);
    else if (windowHandle() != nullptr)
        windowHandle()->startSystemMove();
}

void CAuxWindow::SetOpacity(int nPercent) { m_transparency.SetOpacity(this, nPercent); }

void CAuxWindow::ApplyLanguage()
{
    setWindowTitle(QString::fromUtf8(m_look.title.In(m_nLanguage)));
}

void CAuxWindow::hideEvent(QHideEvent* pEvent)
{
    // A spontaneous hide comes from the window system (the owner was minimised); the window
    // returns with its owner, so it still counts as shown.
    if (!pEvent->spontaneous())
        emit Hidden();
    QWidget::hideEvent(pEvent);
}

void CAuxWindow::keyPressEvent(QKeyEvent* pEvent)
{
    switch (pEvent->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        hide();
        return;
    default:
        QWidget::keyPressEvent(pEvent);
    }
}
