#pragma once

#include "ui/frame/AuxWindow.h"

class QPlainTextEdit;

// The help window: the logo, the product, author and contact lines, and the read-only help text
// in the interface language, which can be selected and copied. Dragging anywhere but in the text
// moves the window. Object names: "logo", "product", "author", "contact", "text".
class CHelpDlg : public CAuxWindow
{
    Q_OBJECT
public:
    CHelpDlg(const ILanguageSource& language, QWidget* pOwner);

    // Replaces the top lines and the text, which starts again at its top.
    void ApplyLanguage() override;

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;

private:
    void CreateControls();

    QPlainTextEdit* m_pText = nullptr;
};
