#include "ui/frame/FrameState.h"

#include "ui/base/QtGeometry.h"

#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace
{
// How long a window manager may take to minimise a window before the frame looks whether it did.
constexpr int MINIMISE_CHECK_MS = 750;
} // namespace

void CFrameState::Attach(QWidget* pWindow)
{
    m_pWindow = pWindow;
    if (pWindow != nullptr)
        m_ptPlaced = pWindow->pos();
}

void CFrameState::Minimise()
{
    if (m_pWindow != nullptr && m_state.Minimise())
        m_pWindow->showMinimized();
}

void CFrameState::ToggleMaximise()
{
    if (State() == WindowState::Maximised)
        Restore();
    else
        Maximise();
}

void CFrameState::Maximise()
{
    if (m_pWindow == nullptr)
        return;
    QScreen* pScreen = m_pWindow->screen();
    const QRect rcWork = pScreen != nullptr ? pScreen->availableGeometry() : m_pWindow->geometry();
    if (const auto rc = m_state.Maximise(ToRect(m_pWindow->geometry()), ToRect(rcWork)))
        m_pWindow->setGeometry(ToQRect(*rc));
    m_changed();
}

void CFrameState::Restore()
{
    if (m_pWindow == nullptr)
        return;
    const RestoreStep step = m_state.Restore();
    if (step.bShowNormal)
        m_pWindow->showNormal();
    if (step.rcTarget)
        m_pWindow->setGeometry(ToQRect(*step.rcTarget));
    m_changed();
}

void CFrameState::OnWindowStateChange()
{
    // The window system may minimise or bring back the window on its own (a taskbar click).
    const bool bMinimised = m_pWindow->isMinimized();
    if (bMinimised && State() != WindowState::Minimised)
        m_state.Minimise();
    else if (!bMinimised && State() == WindowState::Minimised)
        m_state.Restore();
    if (bMinimised)
        QTimer::singleShot(MINIMISE_CHECK_MS, &m_context, [this] { CheckMinimised(); });
    m_changed();
}

// Without a window manager nothing takes a minimised window off the screen, and Qt still calls
// it minimised. A window that is still shown was not minimised: the frame, and Qt, go back to
// the state before, so that maximising and the caption's double click work at once.
void CFrameState::CheckMinimised()
{
    if (m_pWindow == nullptr || State() != WindowState::Minimised)
        return;
    const QWindow* pHandle = m_pWindow->windowHandle();
    if (pHandle == nullptr || !pHandle->isExposed())
        return;
    m_state.Restore();
    m_pWindow->setWindowState(m_pWindow->windowState() & ~Qt::WindowMinimized);
    m_changed();
}

void CFrameState::OnMove(bool bSpontaneous)
{
    // While the window is being shown again, the window system's word on its place is not yet to
    // be trusted (see Settle).
    if (!bSpontaneous || !m_bSettling)
        m_ptPlaced = m_pWindow->pos();
}

void CFrameState::OnPaint()
{
    if (m_bSettling)
        Settle();
}

// Under a reparenting window manager, Qt's xcb platform may take a wrong place for a window that
// is shown again: a configure event from before the manager framed the window is read after it,
// when the new frame still stands at the screen's origin, and the manager, which puts the frame
// where the window was, reports no move. Qt then believes the window is at (0, 0): its popups
// open there and a move by the window manager starts from there. The window has not really moved,
// so once it is on the screen it is put where it was; a move to where it already stands costs the
// window manager nothing, and Qt learns the true place from the request itself.
void CFrameState::Settle()
{
    m_bSettling = false;
    if (m_pWindow->pos() != m_ptPlaced)
        QTimer::singleShot(0, &m_context, [this, ptPlaced = m_ptPlaced] {
            if (m_pWindow != nullptr && m_pWindow->isVisible())
                m_pWindow->move(ptPlaced);
        });
}
