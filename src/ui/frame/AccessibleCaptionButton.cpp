#include "ui/frame/AccessibleCaptionButton.h"

#include "ui/frame/CaptionButton.h"

#include <QWidget>

CAccessibleCaptionButton::CAccessibleCaptionButton(CCaptionButton* pButton) : m_pButton(pButton) {}

bool CAccessibleCaptionButton::isValid() const
{
    return m_pButton != nullptr && m_pButton->Window() != nullptr;
}

QObject* CAccessibleCaptionButton::object() const { return m_pButton; }

QWindow* CAccessibleCaptionButton::window() const
{
    return isValid() ? m_pButton->Window()->windowHandle() : nullptr;
}

QAccessibleInterface* CAccessibleCaptionButton::parent() const
{
    return isValid() ? QAccessible::queryAccessibleInterface(m_pButton->Window()) : nullptr;
}

QString CAccessibleCaptionButton::text(QAccessible::Text type) const
{
    if (type != QAccessible::Name || !isValid())
        return {};
    return m_pButton->Name();
}

QRect CAccessibleCaptionButton::rect() const
{
    if (!isValid())
        return {};
    const QRect rc = m_pButton->Rect();
    return {m_pButton->Window()->mapToGlobal(rc.topLeft()), rc.size()};
}

QAccessible::Role CAccessibleCaptionButton::role() const
{
    if (m_pButton != nullptr && m_pButton->ButtonKind() == CCaptionButton::Kind::SystemMenu)
        return QAccessible::ButtonMenu;
    return QAccessible::PushButton;
}

QAccessible::State CAccessibleCaptionButton::state() const
{
    QAccessible::State state;
    if (!isValid() || !m_pButton->Window()->isVisible()) {
        state.invisible = true;
        state.offscreen = true;
    }
    if (role() == QAccessible::ButtonMenu)
        state.hasPopup = true;
    return state;
}

void* CAccessibleCaptionButton::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList CAccessibleCaptionButton::actionNames() const
{
    if (!isValid())
        return {};
    return {role() == QAccessible::ButtonMenu ? showMenuAction() : pressAction()};
}

// The press comes back through the event loop: closing a window, or opening its menu, inside
// the request of an assistive technology would answer that request only afterwards.
void CAccessibleCaptionButton::doAction(const QString& strAction)
{
    if (!actionNames().contains(strAction))
        return;
    QMetaObject::invokeMethod(
        m_pButton,
        [pButton = m_pButton] {
            if (pButton != nullptr)
                pButton->Press();
        },
        Qt::QueuedConnection);
}
