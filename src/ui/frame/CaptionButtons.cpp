#include "ui/frame/CaptionButtons.h"

#include <QAccessible>

CCaptionButtons::CCaptionButtons(QObject* pParent, CCaptionButton::Source source)
    : QObject(pParent), m_source(std::move(source))
{}

void CCaptionButtons::Reset(QWidget* pWindow, const FrameStyle& style)
{
    for (CCaptionButton* pButton : m_buttons)
        delete pButton;
    m_buttons.clear();
    m_pWindow = pWindow;
    if (pWindow == nullptr)
        return;
    using Kind = CCaptionButton::Kind;
    auto add = [&](Kind kind) {
        m_buttons.push_back(new CCaptionButton(this, kind, pWindow, m_source));
    };
    add(Kind::Close);
    if (style.bMaximiseBox)
        add(Kind::Maximise);
    if (style.bMinimiseBox)
        add(Kind::Minimise);
    if (style.HasIcon())
        add(Kind::SystemMenu);
}

void CCaptionButtons::Rename() const
{
    for (CCaptionButton* pButton : m_buttons) {
        QAccessibleEvent event(pButton, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}
