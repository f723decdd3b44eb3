#pragma once

#include <QAccessibleWidget>
#include <QComboBox>

// What assistive technology reads of a drop-down list. Qt's own interface on Linux names a list
// by its current entry ("12", "English"), which leaves the listener guessing what is chosen; this
// one names it by the label the window gives it ("Precision") and reports the entry as its value.
// A list the window gives no name keeps Qt's behaviour. The opened list is its one child.
class CAccessibleComboBox : public QAccessibleWidget
{
public:
    explicit CAccessibleComboBox(QComboBox* pList);

    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QStringList actionNames() const override;
    QString localizedActionDescription(const QString& strAction) const override;
    void doAction(const QString& strAction) override;
    QStringList keyBindingsForAction(const QString& strAction) const override;

private:
    QComboBox* List() const;
};
