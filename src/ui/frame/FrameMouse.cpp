#include "ui/frame/FrameMouse.h"

#include "ui/base/DesktopFeatures.h"
#include "ui/base/QtGeometry.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace
{
constexpr int MOVE_THRESHOLD = 3; // pixels the mouse moves before a caption drag starts

Qt::CursorShape SizingCursor(HitCode code)
{
    switch (code) {
    case HitCode::Left:
    case HitCode::Right:
        return Qt::SizeHorCursor;
    case HitCode::Top:
    case HitCode::Bottom:
        return Qt::SizeVerCursor;
    case HitCode::TopLeft:
    case HitCode::BottomRight:
        return Qt::SizeFDiagCursor;
    default:
        return Qt::SizeBDiagCursor;
    }
}

Qt::Edges EdgesOf(HitCode code)
{
    Qt::Edges edges;
    if (code == HitCode::Left || code == HitCode::TopLeft || code == HitCode::BottomLeft)
        edges |= Qt::LeftEdge;
    if (code == HitCode::Right || code == HitCode::TopRight || code == HitCode::BottomRight)
        edges |= Qt::RightEdge;
    if (code == HitCode::Top || code == HitCode::TopLeft || code == HitCode::TopRight)
        edges |= Qt::TopEdge;
    if (code == HitCode::Bottom || code == HitCode::BottomLeft || code == HitCode::BottomRight)
        edges |= Qt::BottomEdge;
    return edges;
}

bool OnFrame(HitCode code) { return code != HitCode::Client && code != HitCode::Nowhere; }

// The mouse's own report tells where the window really is: its global position less its position
// in the window. Where Qt believes otherwise (see CFrameState::Settle), it is told.
void SyncPlace(QWidget& window, const QMouseEvent& event)
{
    const QPoint ptOrigin = (event.globalPosition() - event.position()).toPoint();
    const QPoint offset = ptOrigin - window.mapToGlobal(QPoint(0, 0));
    if (offset.manhattanLength() > 1)
        window.move(window.pos() + offset);
}
} // namespace

CFrameMouse::CFrameMouse(const FrameMetrics& metrics, const FrameStyle& style, Host host)
    : m_metrics(metrics), m_style(style), m_host(std::move(host))
{}

void CFrameMouse::Attach(QWidget* pWindow)
{
    m_pWindow = pWindow;
    m_drag = {};
}

HitCode CFrameMouse::HitAt(const QPoint& pt) const
{
    if (m_pWindow == nullptr || !m_pWindow->rect().contains(pt))
        return HitCode::Nowhere;
    return HitTest(m_metrics, m_style, m_pWindow->width(), m_pWindow->height(), pt.x(), pt.y());
}

bool CFrameMouse::OnEvent(QEvent& event)
{
    if (m_pWindow == nullptr)
        return false;
    if (m_drag.bFromMenu && OnMenuDragEvent(event))
        return true;
    switch (event.type()) {
    case QEvent::MouseMove:
        return OnMouseMove(static_cast<QMouseEvent&>(event));
    case QEvent::MouseButtonPress:
        return OnMousePress(static_cast<QMouseEvent&>(event));
    case QEvent::MouseButtonRelease:
        return OnMouseRelease(static_cast<QMouseEvent&>(event));
    case QEvent::MouseButtonDblClick:
        return OnDoubleClick(static_cast<QMouseEvent&>(event));
    case QEvent::ContextMenu:
        // The window's own menu belongs to its client area.
        return OnFrame(HitAt(static_cast<QContextMenuEvent&>(event).pos()));
    case QEvent::Leave:
        if (m_input.MouseLeave().bRepaint)
            m_host.repaint();
        UpdateCursor();
        return false;
    default:
        return false;
    }
}

bool CFrameMouse::OnMouseMove(QMouseEvent& event)
{
    if (m_drag.action != FrameAction::None) {
        FollowDrag(event);
        return true;
    }
    const HitCode code = HitAt(event.position().toPoint());
    if (m_input.MouseMove(code).bRepaint)
        m_host.repaint();
    UpdateCursor();
    return OnFrame(code);
}

bool CFrameMouse::OnMousePress(QMouseEvent& event)
{
    const HitCode code = HitAt(event.position().toPoint());
    if (!OnFrame(code))
        return false;
    if (event.button() == Qt::LeftButton)
        Respond(m_input.ButtonDown(code, m_host.maximised(), m_style.bResizable), event, code);
    return true;
}

bool CFrameMouse::OnMouseRelease(QMouseEvent& event)
{
    const HitCode code = HitAt(event.position().toPoint());
    if (event.button() != Qt::LeftButton)
        return OnFrame(code);
    m_drag = {};
    // A release that ends a press on the client area belongs to the window.
    if (!m_input.IsFramePress())
        return false;
    Respond(m_input.ButtonUp(code), event, code);
    UpdateCursor();
    return true;
}

bool CFrameMouse::OnDoubleClick(QMouseEvent& event)
{
    const HitCode code = HitAt(event.position().toPoint());
    if (!OnFrame(code))
        return false;
    if (event.button() == Qt::LeftButton)
        Respond(m_input.DoubleClick(code, m_host.maximised(), m_style.bResizable), event, code);
    return true;
}

void CFrameMouse::Respond(const FrameResponse& response, const QMouseEvent& event, HitCode code)
{
    if (response.bRepaint)
        m_host.repaint();
    if (response.action == FrameAction::Move || response.action == FrameAction::Resize)
        BeginDrag(response.action, code, event);
    else if (response.action != FrameAction::None)
        m_host.act(response.action, event.globalPosition().toPoint());
}

void CFrameMouse::UpdateCursor()
{
    const HitCode hot = m_input.Hot();
    if (m_style.bResizable && IsResizeCode(hot))
        m_pWindow->setCursor(SizingCursor(hot));
    else if (m_pWindow->testAttribute(Qt::WA_SetCursor))
        m_pWindow->unsetCursor();
}

void CFrameMouse::DragFromClient(const QMouseEvent& event)
{
    if (m_pWindow == nullptr || event.button() != Qt::LeftButton)
        return;
    if (!m_host.maximised())
        BeginDrag(FrameAction::Move, HitCode::Caption, event);
}

// A move waits until the mouse has really moved, so that a double click stays a double click;
// sizing starts at once.
void CFrameMouse::BeginDrag(FrameAction action, HitCode edge, const QMouseEvent& event)
{
    SyncPlace(*m_pWindow, event);
    m_drag = {action, edge, event.globalPosition().toPoint(), m_pWindow->geometry(), false, false};
    if (action == FrameAction::Resize)
        FollowDrag(event);
}

// Where the program can place its windows, a move follows the mouse from here: the window
// system would start it from where the mouse is now, not from the press, leaving the window
// behind by the way the mouse moved before the move began, and a window manager may hold the
// window at other windows' edges. Sizing starts at the press and goes to the window system.
bool CFrameMouse::StartSystemDrag()
{
    QWindow* pHandle = m_pWindow->windowHandle();
    if (pHandle == nullptr)
        return false;
    if (m_drag.action == FrameAction::Move)
        return !DesktopFeatures::Current().bPlace && pHandle->startSystemMove();
    return pHandle->startSystemResize(EdgesOf(m_drag.edge));
}

// The mouse goes to the caption's middle or to the lower right corner, and the window follows it
// with no button held, until a click puts it down; Escape puts it back. The window system takes
// it over where the program cannot place its windows.
void CFrameMouse::BeginFromMenu(FrameAction action, HitCode edge)
{
    if (m_pWindow == nullptr)
        return;
    const QRect rc = m_pWindow->geometry();
    const QPoint ptGrip =
        action == FrameAction::Move
            ? QPoint(rc.center().x(), rc.top() + m_metrics.nCaption / 2)
            : rc.bottomRight() - QPoint(m_metrics.nRight / 2, m_metrics.nBottom / 2);
    QCursor::setPos(m_pWindow->screen(), ptGrip);
    m_drag = {action, edge, ptGrip, rc, true, true};
    if (!DesktopFeatures::Current().bPlace && StartSystemDrag()) {
        m_drag = {};
        return;
    }
    m_pWindow->grabMouse();
    m_pWindow->grabKeyboard();
}

void CFrameMouse::EndMenuDrag(bool bKeep)
{
    if (!bKeep)
        m_pWindow->setGeometry(m_drag.rcStart);
    m_drag = {};
    m_pWindow->releaseMouse();
    m_pWindow->releaseKeyboard();
}

bool CFrameMouse::OnMenuDragEvent(QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseMove:
        FollowDrag(static_cast<QMouseEvent&>(event));
        return true;
    case QEvent::MouseButtonPress:
        EndMenuDrag(true);
        return true;
    case QEvent::KeyPress: {
        const int nKey = static_cast<QKeyEvent&>(event).key();
        if (nKey == Qt::Key_Escape || nKey == Qt::Key_Return || nKey == Qt::Key_Enter)
            EndMenuDrag(nKey != Qt::Key_Escape);
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

void CFrameMouse::FollowDrag(const QMouseEvent& event)
{
    if (!m_drag.bFromMenu && !(event.buttons() & Qt::LeftButton)) {
        m_drag = {};
        return;
    }
    const QPoint delta = event.globalPosition().toPoint() - m_drag.ptStart;
    if (!m_drag.bStarted) {
        if (m_drag.action == FrameAction::Move && delta.manhattanLength() < MOVE_THRESHOLD)
            return;
        m_drag.bStarted = true;
        if (StartSystemDrag()) {
            // The window system now owns the mouse until the button comes up.
            m_drag = {};
            if (m_input.MouseLeave().bRepaint)
                m_host.repaint();
            return;
        }
    }
    if (m_drag.action == FrameAction::Move) {
        m_pWindow->move(m_drag.rcStart.topLeft() + delta);
        return;
    }
    const Rect rc = ResizedRect(m_drag.edge, ToRect(m_drag.rcStart), delta.x(), delta.y(),
                                ToSize(m_pWindow->minimumSize()), ToSize(m_pWindow->maximumSize()));
    m_pWindow->setGeometry(ToQRect(rc));
}
