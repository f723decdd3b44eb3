#include "ui/frame/CaptionButton.h"

#include "ui/base/QtText.h"

namespace
{
constexpr Text CLOSE{"Close", "关闭"};
constexpr Text MAXIMISE{"Maximise", "最大化"};
constexpr Text RESTORE{"Restore", "还原"};
constexpr Text MINIMISE{"Minimise", "最小化"};
constexpr Text SYSTEM_MENU{"System menu", "系统菜单"};
} // namespace

CCaptionButton::CCaptionButton(QObject* pParent, Kind kind, QWidget* pWindow, const Source& source)
    : QObject(pParent), m_kind(kind), m_pWindow(pWindow), m_source(source)
{}

QString CCaptionButton::Name() const
{
    Text name = SYSTEM_MENU;
    switch (m_kind) {
    case Kind::Close:
        name = CLOSE;
        break;
    case Kind::Maximise:
        name = m_source.maximised() ? RESTORE : MAXIMISE;
        break;
    case Kind::Minimise:
        name = MINIMISE;
        break;
    case Kind::SystemMenu:
        break;
    }
    return QtText(name, m_source.language());
}

QRect CCaptionButton::Rect() const
{
    if (m_pWindow == nullptr)
        return {};
    return m_source.place(m_kind);
}

void CCaptionButton::Press()
{
    if (m_pWindow != nullptr)
        m_source.press(m_kind);
}
