#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

class CCaptionButton;

// What assistive technology reads of a caption button of a skinned frame: a push button (the
// system menu's icon a menu button) named for what it does, placed where it is painted, with a
// press action that does what a click does.
class CAccessibleCaptionButton : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit CAccessibleCaptionButton(CCaptionButton* pButton);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& strAction) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<CCaptionButton> m_pButton;
};
