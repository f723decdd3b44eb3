#pragma once

#include <QPlainTextEdit>

// An operand box of the long-number calculator: several lines, wrapped anywhere, holding at
// most a given number of characters. Enter and Escape go on to the window, Tab moves the focus.
// The second operand's box refuses typed characters other than digits; pasted text is not
// filtered. The first operand's box takes away, after each change, the characters before the
// caret that its typing filter rejects, so a paste of letters vanishes whole.
class CLongEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    enum class Filter
    {
        FirstOperand,
        DigitsOnly,
    };

    CLongEdit(int nMaxLength, Filter filter, QWidget* pParent);

    // Puts in the window's own text, which the typing filter leaves as it is.
    void WriteText(const QString& strText);

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
    void RemoveRejectedTyping();

    const int m_nMaxLength;
    const Filter m_filter;
    bool m_bWriting = false; // the window is writing its own text
};
