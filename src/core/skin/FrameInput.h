#pragma once

#include "core/skin/FrameGeometry.h"

// What the window does after a mouse event on its frame.
enum class FrameAction
{
    None,
    Move,       // the window follows the mouse
    Resize,     // the edge or corner under the mouse follows it
    SystemMenu, // the system menu opens at the mouse
    Close,
    Minimise,
    ToggleMaximise,
};

struct FrameResponse
{
    bool bRepaint = false; // the frame shows a changed button state
    FrameAction action = FrameAction::None;
    bool operator==(const FrameResponse&) const = default;
};

// The mouse on a frame: which code is hot (under the mouse) and which is pressed, when the frame
// must be repainted and what each event sets off. Codes come from HitTest.
class CFrameInput
{
public:
    // Stores the hot code and clears the pressed one; repaints only when the hot code changed.
    FrameResponse MouseMove(HitCode code);
    // The mouse left the window, or the window system took the mouse over: nothing is hot or
    // pressed any more, and no press awaits its release.
    FrameResponse MouseLeave();
    // The left button goes down on the frame. Edges and corners size a resizable window, the
    // caption moves a window that is not maximised and the icon opens the system menu.
    FrameResponse ButtonDown(HitCode code, bool bMaximised, bool bResizable);
    // The left button comes up: a button of the caption acts when the press was on the frame.
    FrameResponse ButtonUp(HitCode code);
    // A double click on the caption of a resizable window toggles maximised; anywhere else it
    // counts as a press.
    FrameResponse DoubleClick(HitCode code, bool bMaximised, bool bResizable);

    HitCode Hot() const { return m_hot; }
    HitCode Pressed() const { return m_pressed; }
    bool IsFramePress() const { return m_bFramePress; }

private:
    HitCode m_hot = HitCode::Nowhere;
    HitCode m_pressed = HitCode::Nowhere;
    bool m_bFramePress = false; // a press on the frame awaits its release
};
