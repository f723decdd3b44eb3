#pragma once

#include "core/skin/FrameGeometry.h"
#include "core/skin/FrameInput.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

class QEvent;
class QMouseEvent;

// The mouse on a framed window's frame: hot and pressed caption buttons, the sizing cursor, what
// clicks and double clicks do, and the moves and sizes that follow the mouse, from a press on the
// caption or an edge or from the icon menu with no button held. Where the window system takes a
// drag over, it gets it; elsewhere the window follows the mouse from here.
class CFrameMouse
{
public:
    // What the mouse asks of the frame.
    struct Host
    {
        std::function<void()> repaint;   // a caption button's look changed
        std::function<bool()> maximised; // a maximised window is not moved
        // A click's action other than a move or size: the system menu (at the global point),
        // close, minimise or toggle maximised.
        std::function<void(FrameAction, const QPoint&)> act;
    };

    // metrics and style are those of the frame, read at each event; they must outlive this.
    CFrameMouse(const FrameMetrics& metrics, const FrameStyle& style, Host host);

    // The window whose frame this is from now on; nullptr for none.
    void Attach(QWidget* pWindow);
    HitCode Hot() const { return m_input.Hot(); }
    HitCode Pressed() const { return m_input.Pressed(); }
    // Where pt of the window lies on the frame.
    HitCode HitAt(const QPoint& pt) const;

    // Takes the window's mouse events, and all its input during a drag from the icon menu; true
    // for those that belong to the frame.
    bool OnEvent(QEvent& event);
    // A left press on the window's client area moves it like one on the caption.
    void DragFromClient(const QMouseEvent& event);
    // Move (action Move, edge Caption) or Size (action Resize, edge BottomRight) from the menu.
    void BeginFromMenu(FrameAction action, HitCode edge);

private:
    struct Drag
    {
        FrameAction action = FrameAction::None;
        HitCode edge = HitCode::Nowhere;
        QPoint ptStart; // global mouse position at the press
        QRect rcStart;  // window geometry at the press
        bool bStarted = false;
        bool bFromMenu = false; // no button held: a click ends it
    };

    bool OnMouseMove(QMouseEvent& event);
    bool OnMousePress(QMouseEvent& event);
    bool OnMouseRelease(QMouseEvent& event);
    bool OnDoubleClick(QMouseEvent& event);
    void Respond(const FrameResponse& response, const QMouseEvent& event, HitCode code);
    void UpdateCursor();
    void BeginDrag(FrameAction action, HitCode edge, const QMouseEvent& event);
    bool StartSystemDrag();
    bool OnMenuDragEvent(QEvent& event);
    void EndMenuDrag(bool bKeep);
    void FollowDrag(const QMouseEvent& event);

    const FrameMetrics& m_metrics;
    const FrameStyle& m_style;
    const Host m_host;
    QPointer<QWidget> m_pWindow;
    CFrameInput m_input;
    Drag m_drag;
};
