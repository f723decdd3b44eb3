#pragma once

#include <QPlainTextEdit>

// An operand box of the long-number calculator: several lines, wrapped anywhere, holding at
// most a given number of characters. Enter and Escape go on to the window, Tab moves the focus.
// A digits-only box refuses other typed characters; pasted text is not filtered.
class CLongEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    CLongEdit(int nMaxLength, bool bDigitsOnly, QWidget* pParent);

signals:
    // The focus went elsewhere (not to a popup menu of the box).
    void FocusLost();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void insertFromMimeData(const QMimeData* pSource) override;

private:
    // Characters that may still come in place of the selection.
    int Room() const;
    bool IsRefused(const QString& strTyped) const;

    const int m_nMaxLength;
    const bool m_bDigitsOnly;
};
