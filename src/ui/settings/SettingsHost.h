#pragma once

#include "core/app/CalcSettings.h"

enum class Radix;

// What the settings window asks of the window that owns the settings: the values it shows, and
// one operation for each choice the user makes. The host stores the choice and applies it at
// once to every window it concerns.
class ISettingsHost
{
public:
    virtual ~ISettingsHost() = default;

    virtual const CalcSettings& Settings() const = 0;
    virtual bool IsDegrees() const = 0;
    virtual Radix OutputRadix() const = 0;
    // Significant digits of decimal results.
    virtual int Precision() const = 0;

    // The console's and the graph's unit; the console's caret line runs again live.
    virtual void SetAngleUnit(bool bDegrees) = 0;
    // Results of later Enter runs; the console's caret line runs again live.
    virtual void SetRadix(Radix radix) = 0;
    virtual void SetPrecision(int nDigits) = 0;
    virtual void SetLanguage(Language language) = 0;
    virtual void SetSkin(Skin skin) = 0;
    virtual void SetOnTop(bool bOnTop) = 0;
    // Places the keyboard once, whichever way it is switched.
    virtual void SetKeyboardSnap(bool bSnap) = 0;
    // nPercent 0..100, for every window but the settings window.
    virtual void SetOpacity(int nPercent) = 0;
    // The colours of the console, the variable list and the long-number boxes.
    virtual void SetTextColor(ColorRef cr) = 0;
    virtual void SetBackColor(ColorRef cr) = 0;
};
