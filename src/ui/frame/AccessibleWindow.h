#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

class CCaptionButtons;

// What assistive technology reads of a window with a skinned frame: a window named by its
// title whose children are its controls and then the buttons its frame paints in the caption.
class CAccessibleWindow : public QAccessibleWidget
{
public:
    CAccessibleWindow(QWidget* pWindow, CCaptionButtons* pButtons);

    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    int ControlCount() const;
    // The caption buttons, or none while the frame is not attached to this window.
    QList<QObject*> CaptionButtons() const;

    QPointer<CCaptionButtons> m_pButtons;
};
