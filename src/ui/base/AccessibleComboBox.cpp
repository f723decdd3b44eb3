#include "ui/base/AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QKeySequence>
#include <QLineEdit>

CAccessibleComboBox::CAccessibleComboBox(QComboBox* pList)
    : QAccessibleWidget(pList, QAccessible::ComboBox)
{}

QComboBox* CAccessibleComboBox::List() const { return static_cast<QComboBox*>(widget()); }

QString CAccessibleComboBox::text(QAccessible::Text kind) const
{
    QComboBox* pList = List();
    const QString strEntry = pList->isEditable() ? pList->lineEdit()->text() : pList->currentText();
    switch (kind) {
    case QAccessible::Name:
        return pList->accessibleName().isEmpty() ? strEntry : pList->accessibleName();
    case QAccessible::Value:
        return strEntry;
    case QAccessible::Accelerator:
        return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(kind);
    }
}

int CAccessibleComboBox::childCount() const { return List()->isEditable() ? 2 : 1; }

QAccessibleInterface* CAccessibleComboBox::child(int nIndex) const
{
    if (nIndex == 0)
        return QAccessible::queryAccessibleInterface(List()->view());
    if (nIndex == 1 && List()->isEditable())
        return QAccessible::queryAccessibleInterface(List()->lineEdit());
    return nullptr;
}

int CAccessibleComboBox::indexOfChild(const QAccessibleInterface* pChild) const
{
    if (pChild == nullptr)
        return -1;
    if (pChild->object() == List()->view())
        return 0;
    if (List()->isEditable() && pChild->object() == List()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface* CAccessibleComboBox::childAt(int x, int y) const
{
    if (List()->isEditable() && List()->lineEdit()->rect().contains(x, y))
        return child(1);
    return nullptr;
}

QStringList CAccessibleComboBox::actionNames() const { return {showMenuAction(), pressAction()}; }

QString CAccessibleComboBox::localizedActionDescription(const QString& strAction) const
{
    if (strAction == showMenuAction() || strAction == pressAction())
        return QComboBox::tr("Open the combo box selection popup");
    return {};
}

void CAccessibleComboBox::doAction(const QString& strAction)
{
    if (strAction != showMenuAction() && strAction != pressAction())
        return;
    if (List()->view()->isVisible())
        List()->hidePopup();
    else
        List()->showPopup();
}

QStringList CAccessibleComboBox::keyBindingsForAction(const QString& /*strAction*/) const
{
    return {};
}
