#pragma once

#include "core/skin/WindowState.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

// The state of a framed window (normal, maximised, minimised) carried out on the window, with
// the ways around what desktops get wrong about a frameless window: a minimise that nothing
// carries out, and a window that Qt believes elsewhere after it is shown again.
class CFrameState
{
public:
    // changed runs after each change the frame shows (the maximise button and its name). The
    // checks that wait run in context and end with it.
    CFrameState(QObject& context, std::function<void()> changed)
        : m_context(context), m_changed(std::move(changed))
    {}

    // The window whose state this is from now on; nullptr for none.
    void Attach(QWidget* pWindow);
    WindowState State() const { return m_state.State(); }

    void Minimise();
    void ToggleMaximise();
    void Maximise();
    void Restore();

    // What the window tells the frame.
    void OnWindowStateChange();
    void OnShow() { m_bSettling = true; }
    void OnMove(bool bSpontaneous);
    void OnPaint();

private:
    void CheckMinimised();
    void Settle();

    QObject& m_context;
    const std::function<void()> m_changed;
    QPointer<QWidget> m_pWindow;
    CWindowState m_state;
    QPoint m_ptPlaced;        // where the program or the user last put the window
    bool m_bSettling = false; // shown, but not yet painted
};
