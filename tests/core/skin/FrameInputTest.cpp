#include "core/skin/FrameInput.h"
#include "core/skin/WindowState.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
enum class Event
{
    Move,
    Leave,
    Down,
    Up,
    DoubleClick,
};

struct Step
{
    Event event;
    HitCode code;
    FrameResponse response;
    HitCode hot;
    HitCode pressed;
};

constexpr FrameResponse QUIET{false, FrameAction::None};
constexpr FrameResponse REPAINT{true, FrameAction::None};

void RunSteps(CFrameInput& input, const std::vector<Step>& steps, bool bMaximised, bool bResizable)
{
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        const Step& s = steps[i];
        FrameResponse response;
        switch (s.event) {
        case Event::Move:
            response = input.MouseMove(s.code);
            break;
        case Event::Leave:
            response = input.MouseLeave();
            break;
        case Event::Down:
            response = input.ButtonDown(s.code, bMaximised, bResizable);
            break;
        case Event::Up:
            response = input.ButtonUp(s.code);
            break;
        case Event::DoubleClick:
            response = input.DoubleClick(s.code, bMaximised, bResizable);
            break;
        }
        EXPECT_EQ(response.bRepaint, s.response.bRepaint);
        EXPECT_EQ(response.action, s.response.action);
        EXPECT_EQ(input.Hot(), s.hot);
        EXPECT_EQ(input.Pressed(), s.pressed);
    }
}

TEST(FrameInput, HoverRepaintsOnlyWhenTheHotCodeChanges)
{
    CFrameInput input;
    RunSteps(input,
             {
                 {Event::Move, HitCode::Caption, REPAINT, HitCode::Caption, HitCode::Nowhere},
                 {Event::Move, HitCode::Caption, QUIET, HitCode::Caption, HitCode::Nowhere},
                 {Event::Move, HitCode::Close, REPAINT, HitCode::Close, HitCode::Nowhere},
                 {Event::Down, HitCode::Close, REPAINT, HitCode::Close, HitCode::Close},
                 // Moving inside the pressed button clears the pressed code without a repaint.
                 {Event::Move, HitCode::Close, QUIET, HitCode::Close, HitCode::Nowhere},
                 {Event::Move, HitCode::Caption, REPAINT, HitCode::Caption, HitCode::Nowhere},
                 {Event::Leave, HitCode::Nowhere, REPAINT, HitCode::Nowhere, HitCode::Nowhere},
                 {Event::Leave, HitCode::Nowhere, QUIET, HitCode::Nowhere, HitCode::Nowhere},
             },
             false, true);
}

TEST(FrameInput, ButtonsActWhenReleasedOverThemAfterAPressOnTheFrame)
{
    const struct
    {
        HitCode down;
        HitCode up;
        FrameAction action;
    } cases[] = {
        {HitCode::Close, HitCode::Close, FrameAction::Close},
        {HitCode::MinButton, HitCode::MinButton, FrameAction::Minimise},
        {HitCode::MaxButton, HitCode::MaxButton, FrameAction::ToggleMaximise},
        {HitCode::Caption, HitCode::Close, FrameAction::Close},
        {HitCode::Close, HitCode::Caption, FrameAction::None},
        {HitCode::Client, HitCode::Client, FrameAction::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.down) * 100 + int(c.up));
        CFrameInput input;
        input.ButtonDown(c.down, false, true);
        const FrameResponse response = input.ButtonUp(c.up);
        EXPECT_EQ(response, (FrameResponse{true, c.action}));
        EXPECT_EQ(input.Hot(), HitCode::Nowhere);
        EXPECT_EQ(input.Pressed(), HitCode::Nowhere);
    }
    // A release without a press on the frame (the press went to the client area, or the window
    // system took the mouse over in between) does nothing.
    CFrameInput input;
    EXPECT_EQ(input.ButtonUp(HitCode::Close), (FrameResponse{true, FrameAction::None}));
    input.ButtonDown(HitCode::Close, false, true);
    input.MouseLeave();
    EXPECT_EQ(input.ButtonUp(HitCode::Close), (FrameResponse{true, FrameAction::None}));
}

TEST(FrameInput, PressesMoveSizeOrOpenTheMenu)
{
    const struct
    {
        HitCode code;
        bool bMaximised;
        bool bResizable;
        FrameAction action;
    } cases[] = {
        {HitCode::Caption, false, false, FrameAction::Move},
        {HitCode::Caption, true, true, FrameAction::None},
        {HitCode::Left, false, true, FrameAction::Resize},
        {HitCode::BottomRight, true, true, FrameAction::Resize},
        {HitCode::TopLeft, false, false, FrameAction::None},
        {HitCode::Bottom, false, false, FrameAction::None},
        {HitCode::SysMenu, false, false, FrameAction::SystemMenu},
        {HitCode::Close, false, true, FrameAction::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.code));
        CFrameInput input;
        EXPECT_EQ(input.ButtonDown(c.code, c.bMaximised, c.bResizable),
                  (FrameResponse{true, c.action}));
        EXPECT_EQ(input.Pressed(), c.code);
    }
}

TEST(FrameInput, DoubleClickTogglesOnlyOnTheCaptionOfAResizableWindow)
{
    CFrameInput input;
    EXPECT_EQ(input.DoubleClick(HitCode::Caption, false, true).action, FrameAction::ToggleMaximise);
    EXPECT_EQ(input.DoubleClick(HitCode::Caption, true, true).action, FrameAction::ToggleMaximise);
    EXPECT_EQ(input.DoubleClick(HitCode::Caption, false, false).action, FrameAction::Move);
    // Elsewhere the second click is a press like the first, so a button acts twice.
    EXPECT_EQ(input.DoubleClick(HitCode::MaxButton, false, true), REPAINT);
    EXPECT_EQ(input.ButtonUp(HitCode::MaxButton).action, FrameAction::ToggleMaximise);
}

TEST(WindowState, MaximiseRestoreAndMinimiseRememberWhereToReturn)
{
    const Rect rcWindow{100, 50, 560, 302};
    const Rect rcWork{0, 0, 1280, 1000};
    CWindowState state;
    EXPECT_EQ(state.Restore(), RestoreStep{});
    EXPECT_EQ(state.ToggleMaximise(rcWindow, rcWork), rcWork);
    EXPECT_EQ(state.State(), WindowState::Maximised);
    // Maximising again must not forget the rectangle to return to.
    EXPECT_EQ(state.Maximise(rcWork, rcWork), std::nullopt);
    EXPECT_TRUE(state.Minimise());
    EXPECT_FALSE(state.Minimise());
    EXPECT_EQ(state.State(), WindowState::Minimised);
    EXPECT_EQ(state.Restore(), (RestoreStep{true, std::nullopt}));
    EXPECT_EQ(state.State(), WindowState::Maximised);
    EXPECT_EQ(state.ToggleMaximise(rcWork, rcWork), rcWindow);
    EXPECT_EQ(state.State(), WindowState::Normal);
    EXPECT_TRUE(state.Minimise());
    EXPECT_EQ(state.Restore(), (RestoreStep{true, std::nullopt}));
    EXPECT_EQ(state.State(), WindowState::Normal);
}
} // namespace
