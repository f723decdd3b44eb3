#pragma once

#include "core/app/CalcSettings.h"

#include <QPushButton>

// A push button whose whole face is the colour it holds; the settings window's colour choices.
class CColorSwatch : public QPushButton
{
    Q_OBJECT
public:
    explicit CColorSwatch(QWidget* pParent = nullptr);

    // Takes the colour and repaints at once.
    void SetColor(ColorRef cr);
    ColorRef Color() const { return m_crColor; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    ColorRef m_crColor = 0;
};
