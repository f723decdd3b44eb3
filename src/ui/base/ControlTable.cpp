#include "ui/base/ControlTable.h"

#include "ui/base/Accessibility.h"
#include "ui/base/HoverButton.h"
#include "ui/base/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

namespace
{
// A drop-down list's place in a template gives its dropped height; closed, it is this high.
constexpr int CLOSED_LIST_HEIGHT = 12;

QLabel* MakeLabel(ControlKind kind, QWidget* pParent)
{
    auto* pLabel = new QLabel(pParent);
    if (kind == ControlKind::CentredLabel)
        pLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    else if (kind == ControlKind::RightLabel)
        pLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return pLabel;
}

QWidget* MakeStandard(ControlKind kind, QWidget* pParent)
{
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::CentredLabel:
    case ControlKind::RightLabel:
        return MakeLabel(kind, pParent);
    case ControlKind::Group:
        return new QGroupBox(pParent);
    case ControlKind::Radio:
        return new QRadioButton(pParent);
    case ControlKind::Check:
        return new QCheckBox(pParent);
    case ControlKind::Button:
        return new CHoverButton(pParent);
    case ControlKind::Edit:
        return new QLineEdit(pParent);
    case ControlKind::List:
        return new QComboBox(pParent);
    case ControlKind::Slider:
        return new QSlider(Qt::Vertical, pParent);
    case ControlKind::Other:
        break;
    }
    return nullptr;
}
} // namespace

QWidget* MakeControl(QWidget& window, const ControlSpec& entry, Language language,
                     const OtherControlMaker& makeOther)
{
    QWidget* pControl = entry.kind == ControlKind::Other ? makeOther(entry, &window)
                                                         : MakeStandard(entry.kind, &window);
    DialogRect rect = entry.rect;
    if (entry.kind == ControlKind::List)
        rect.cy = CLOSED_LIST_HEIGHT;
    Place(pControl, entry.pszName, rect);
    if (entry.caption.en != nullptr)
        SetCaption(*pControl, QtText(entry.caption, language));
    return pControl;
}

void MakeControls(QWidget& window, std::span<const ControlSpec> table, Language language,
                  const OtherControlMaker& makeOther)
{
    for (const ControlSpec& entry : table)
        MakeControl(window, entry, language, makeOther);
}

void Relabel(const QWidget& window, std::span<const ControlSpec> table, Language language)
{
    for (const ControlSpec& entry : table) {
        QWidget* pControl = ControlNamed<QWidget>(window, entry.pszName);
        if (entry.caption.en != nullptr && pControl != nullptr)
            SetCaption(*pControl, QtText(entry.caption, language));
    }
}

void SetCaption(QWidget& control, const QString& strCaption)
{
    // A caption spaced out for the eye is read without its blanks.
    const QString strSpoken = SpokenCaption(strCaption);
    control.setAccessibleName(strSpoken == strCaption ? QString() : strSpoken);
    if (auto* pLabel = qobject_cast<QLabel*>(&control))
        pLabel->setText(strCaption);
    else if (auto* pButton = qobject_cast<QAbstractButton*>(&control))
        pButton->setText(strCaption);
    else if (auto* pGroup = qobject_cast<QGroupBox*>(&control))
        pGroup->setTitle(strCaption);
}
