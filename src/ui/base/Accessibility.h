#pragma once

#include "core/base/Language.h"

#include <QString>

#include <span>

class QWidget;

// What assistive technology (a screen reader on the desktop's accessibility bus) calls a control
// of a window that its caption does not name, or names only in short: the control's object name
// and its name in both languages.
struct SpokenName
{
    const char* pszName;
    Text name;
};

// A caption as it is spoken: without the blanks that space out the characters of a Chinese
// caption ("设 置" is "设置", "计   算" is "计算"); blanks between Latin words stay.
QString SpokenCaption(const QString& strCaption);
// Gives each control of window listed in names its accessible name in language.
void NameControls(const QWidget& window, std::span<const SpokenName> names, Language language);
