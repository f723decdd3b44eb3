#include "core/skin/WindowState.h"

std::optional<Rect> CWindowState::Maximise(const Rect& rcWindow, const Rect& rcWorkArea)
{
    // A second maximise would remember the work area as the place to restore to.
    if (m_state != WindowState::Normal)
        return std::nullopt;
    m_rcBeforeMaximise = rcWindow;
    m_state = WindowState::Maximised;
    return rcWorkArea;
}

RestoreStep CWindowState::Restore()
{
    if (m_state == WindowState::Maximised) {
        m_state = WindowState::Normal;
        return {false, m_rcBeforeMaximise};
    }
    if (m_state == WindowState::Minimised) {
        m_state = m_stateBeforeMinimise;
        return {true, std::nullopt};
    }
    return {};
}

bool CWindowState::Minimise()
{
    if (m_state == WindowState::Minimised)
        return false;
    m_stateBeforeMinimise = m_state;
    m_state = WindowState::Minimised;
    return true;
}

std::optional<Rect> CWindowState::ToggleMaximise(const Rect& rcWindow, const Rect& rcWorkArea)
{
    if (m_state == WindowState::Maximised)
        return Restore().rcTarget;
    return Maximise(rcWindow, rcWorkArea);
}
