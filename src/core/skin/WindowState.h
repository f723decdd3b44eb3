#pragma once

#include "core/skin/FrameGeometry.h"

#include <optional>

enum class WindowState
{
    Normal = 0,
    Maximised = 1,
    Minimised = 2,
};

// What restoring asks of the window: to come back from minimised, and where to go.
struct RestoreStep
{
    bool bShowNormal = false;     // the window comes back from the taskbar
    std::optional<Rect> rcTarget; // the remembered rectangle, when leaving maximised
    bool operator==(const RestoreStep&) const = default;
};

// The window state of a skinned window. Maximising fills the work area and remembers the window
// rectangle; minimising remembers the state to return to. Rectangles are screen pixels.
class CWindowState
{
public:
    WindowState State() const { return m_state; }

    // The rectangle to put the window in, or nothing when it is already maximised.
    std::optional<Rect> Maximise(const Rect& rcWindow, const Rect& rcWorkArea);
    // From maximised back to the remembered rectangle; from minimised back to the remembered
    // state. Nothing happens in the normal state.
    RestoreStep Restore();
    // False when the window is already minimised.
    bool Minimise();
    // Maximises a normal window, restores a maximised one.
    std::optional<Rect> ToggleMaximise(const Rect& rcWindow, const Rect& rcWorkArea);

private:
    WindowState m_state = WindowState::Normal;
    WindowState m_stateBeforeMinimise = WindowState::Normal;
    Rect m_rcBeforeMaximise{0, 0, 0, 0};
};
