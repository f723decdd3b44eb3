#include "ui/base/CaptionButton.h"

#include "core/base/Language.h"
#include "core/skin/FrameGeometry.h"
#include "ui/base/FrameSkin.h"

#include <QWidget>

namespace
{
constexpr Text CLOSE{"Close", "关闭"};
constexpr Text MAXIMISE{"Maximise", "最大化"};
constexpr Text RESTORE{"Restore", "还原"};
constexpr Text MINIMISE{"Minimise", "最小化"};
constexpr Text SYSTEM_MENU{"System menu", "系统菜单"};
} // namespace

CCaptionButton::CCaptionButton(CFrameSkin& frame, Kind kind)
    : QObject(&frame), m_frame(frame), m_kind(kind)
{}

QWidget* CCaptionButton::Window() const { return m_frame.Window(); }

QString CCaptionButton::Name() const
{
    Text name = SYSTEM_MENU;
    switch (m_kind) {
    case Kind::Close:
        name = CLOSE;
        break;
    case Kind::Maximise:
        name = m_frame.State() == WindowState::Maximised ? RESTORE : MAXIMISE;
        break;
    case Kind::Minimise:
        name = MINIMISE;
        break;
    case Kind::SystemMenu:
        break;
    }
    return QString::fromUtf8(name.In(m_frame.CurrentLanguage()));
}

QRect CCaptionButton::Rect() const
{
    const QWidget* pWindow = Window();
    if (pWindow == nullptr)
        return {};
    const FrameMetrics& metrics = m_frame.Metrics();
    if (m_kind == Kind::SystemMenu)
        return {metrics.nLeft, (metrics.nCaption - SMALL_ICON_SIZE) / 2, SMALL_ICON_SIZE,
                SMALL_ICON_SIZE};
    const FrameButton button = m_kind == Kind::Close      ? FrameButton::Close
                               : m_kind == Kind::Maximise ? FrameButton::Maximise
                                                          : FrameButton::Minimise;
    const ::Rect rc = ButtonRect(metrics, button, pWindow->width());
    return {rc.nLeft, rc.nTop, rc.Width(), rc.Height()};
}

void CCaptionButton::Press()
{
    QWidget* pWindow = Window();
    if (pWindow == nullptr)
        return;
    switch (m_kind) {
    case Kind::Close:
        pWindow->close();
        break;
    case Kind::Maximise:
        m_frame.ToggleMaximise();
        break;
    case Kind::Minimise:
        m_frame.Minimise();
        break;
    case Kind::SystemMenu:
        m_frame.OpenSystemMenu(pWindow->mapToGlobal(Rect().bottomLeft()));
        break;
    }
}
