#include "core/skin/FrameInput.h"

FrameResponse CFrameInput::MouseMove(HitCode code)
{
    const bool bChanged = code != m_hot;
    m_hot = code;
    m_pressed = HitCode::Nowhere;
    return {bChanged, FrameAction::None};
}

FrameResponse CFrameInput::MouseLeave()
{
    const bool bChanged = m_hot != HitCode::Nowhere || m_pressed != HitCode::Nowhere;
    m_bFramePress = false;
    m_hot = HitCode::Nowhere;
    m_pressed = HitCode::Nowhere;
    return {bChanged, FrameAction::None};
}

FrameResponse CFrameInput::ButtonDown(HitCode code, bool bMaximised, bool bResizable)
{
    m_hot = code;
    m_pressed = code;
    m_bFramePress = true;
    FrameResponse response{true, FrameAction::None};
    if (IsResizeCode(code) && bResizable)
        response.action = FrameAction::Resize;
    else if (code == HitCode::Caption && !bMaximised)
        response.action = FrameAction::Move;
    else if (code == HitCode::SysMenu)
        response.action = FrameAction::SystemMenu;
    return response;
}

FrameResponse CFrameInput::ButtonUp(HitCode code)
{
    FrameResponse response{true, FrameAction::None};
    if (m_bFramePress) {
        if (code == HitCode::Close)
            response.action = FrameAction::Close;
        else if (code == HitCode::MinButton)
            response.action = FrameAction::Minimise;
        else if (code == HitCode::MaxButton)
            response.action = FrameAction::ToggleMaximise;
    }
    m_bFramePress = false;
    m_hot = HitCode::Nowhere;
    m_pressed = HitCode::Nowhere;
    return response;
}

FrameResponse CFrameInput::DoubleClick(HitCode code, bool bMaximised, bool bResizable)
{
    if (code == HitCode::Caption && bResizable)
        return {false, FrameAction::ToggleMaximise};
    return ButtonDown(code, bMaximised, bResizable);
}
