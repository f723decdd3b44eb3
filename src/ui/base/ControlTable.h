#pragma once

#include "core/base/Language.h"
#include "ui/base/DialogRect.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <span>

// What a control of a window's table is made as.
enum class ControlKind
{
    Label,        // left-aligned; paints no background, so the window's background shows
    CentredLabel, // centred at the top of its place
    RightLabel,   // right-aligned, vertically centred
    Group,        // a group box; a table lists it before the controls it frames
    Radio,
    Check,
    Button, // a hover button
    Edit,   // a one-line edit box
    List,   // a drop-down list, as high as a closed list whatever its place says
    Slider, // a vertical slider
    Other,  // made by the window's own maker (a swatch, a list box, a text view)
};

// One control of a window's template: object name, kind, place in dialog units and caption in
// both languages (NO_CAPTION for a control without one).
struct ControlSpec
{
    const char* pszName;
    ControlKind kind;
    DialogRect rect;
    Text caption;
};

inline constexpr Text NO_CAPTION{nullptr, nullptr};

// Makes the control of entry in window, named, placed and captioned in the language; for
// ControlKind::Other, makeOther makes it (it need not place or name it).
using OtherControlMaker = std::function<QWidget*(const ControlSpec& entry, QWidget* pParent)>;
QWidget* MakeControl(QWidget& window, const ControlSpec& entry, Language language,
                     const OtherControlMaker& makeOther = {});
// The controls of a table in its order, which is also the focus order.
void MakeControls(QWidget& window, std::span<const ControlSpec> table, Language language,
                  const OtherControlMaker& makeOther = {});

// Gives every control of the table that has a caption its caption in the language.
void Relabel(const QWidget& window, std::span<const ControlSpec> table, Language language);
// A label's text, a button's caption or a group box's title; assistive technology reads it
// without the blanks that space out a Chinese caption.
void SetCaption(QWidget& control, const QString& strCaption);

// The control of window named pszName; nullptr when it has no such control of that type.
template <class Control>
Control* ControlNamed(const QWidget& window, const char* pszName)
{
    return window.findChild<Control*>(QString::fromLatin1(pszName), Qt::FindDirectChildrenOnly);
}
