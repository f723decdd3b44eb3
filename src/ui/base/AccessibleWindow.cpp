#include "ui/base/AccessibleWindow.h"

#include "ui/base/CaptionButton.h"
#include "ui/base/FrameSkin.h"

CAccessibleWindow::CAccessibleWindow(QWidget* pWindow, CFrameSkin* pFrame)
    : QAccessibleWidget(pWindow, QAccessible::Window), m_pFrame(pFrame)
{}

int CAccessibleWindow::ControlCount() const { return QAccessibleWidget::childCount(); }

QList<QObject*> CAccessibleWindow::CaptionButtons() const
{
    QList<QObject*> buttons;
    if (m_pFrame == nullptr || m_pFrame->Window() != widget())
        return buttons;
    for (CCaptionButton* pButton : m_pFrame->CaptionButtons())
        buttons.append(pButton);
    return buttons;
}

int CAccessibleWindow::childCount() const { return ControlCount() + int(CaptionButtons().size()); }

QAccessibleInterface* CAccessibleWindow::child(int nIndex) const
{
    const int nControls = ControlCount();
    if (nIndex < nControls)
        return QAccessibleWidget::child(nIndex);
    const QList<QObject*> buttons = CaptionButtons();
    if (nIndex - nControls >= buttons.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(buttons.at(nIndex - nControls));
}

int CAccessibleWindow::indexOfChild(const QAccessibleInterface* pChild) const
{
    if (pChild == nullptr)
        return -1;
    const int nIndex = int(CaptionButtons().indexOf(pChild->object()));
    if (nIndex >= 0)
        return ControlCount() + nIndex;
    return QAccessibleWidget::indexOfChild(pChild);
}

QAccessibleInterface* CAccessibleWindow::childAt(int x, int y) const
{
    for (QObject* pButton : CaptionButtons()) {
        QAccessibleInterface* pChild = QAccessible::queryAccessibleInterface(pButton);
        if (pChild != nullptr && pChild->rect().contains(x, y))
            return pChild;
    }
    return QAccessibleWidget::childAt(x, y);
}
