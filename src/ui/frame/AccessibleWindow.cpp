#include "ui/frame/AccessibleWindow.h"

#include "ui/frame/CaptionButtons.h"

CAccessibleWindow::CAccessibleWindow(QWidget* pWindow, CCaptionButtons* pButtons)
    : QAccessibleWidget(pWindow, QAccessible::Window), m_pButtons(pButtons)
{}

int CAccessibleWindow::ControlCount() const { return QAccessibleWidget::childCount(); }

QList<QObject*> CAccessibleWindow::CaptionButtons() const
{
    QList<QObject*> buttons;
    if (m_pButtons == nullptr || m_pButtons->Window() != widget())
        return buttons;
    for (CCaptionButton* pButton : m_pButtons->Buttons())
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
