#include "ui/frame/FrameAccessibility.h"

#include "ui/base/AccessibleComboBox.h"
#include "ui/frame/AccessibleCaptionButton.h"
#include "ui/frame/AccessibleWindow.h"
#include "ui/frame/CaptionButton.h"
#include "ui/frame/CaptionButtons.h"

#include <QAccessible>
#include <QWidget>

namespace
{
QAccessibleInterface* FrameAccessibleFactory(const QString& strClass, QObject* pObject)
{
    if (strClass == QLatin1String("CCaptionButton"))
        return new CAccessibleCaptionButton(static_cast<CCaptionButton*>(pObject));
    if (strClass == QLatin1String("QComboBox"))
        return new CAccessibleComboBox(static_cast<QComboBox*>(pObject));
    auto* pWidget = qobject_cast<QWidget*>(pObject);
    if (pWidget == nullptr || !pWidget->isWindow())
        return nullptr;
    // A frame keeps its window's caption buttons in a child of the window from the frame's
    // making on, so the window is known as framed before the frame attaches.
    auto* pButtons = pWidget->findChild<CCaptionButtons*>(QString(), Qt::FindDirectChildrenOnly);
    return pButtons != nullptr ? new CAccessibleWindow(pWidget, pButtons) : nullptr;
}
} // namespace

void InstallFrameAccessibility() { QAccessible::installFactory(FrameAccessibleFactory); }
