#include "ui/bignum/LongEdit.h"

#include "core/bignum/LongInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>

#include <algorithm>
#include <string>

namespace
{
bool IsDigits(const QString& strText)
{
    return std::all_of(strText.begin(), strText.end(),
                       [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
}

// A key that types its text; shortcuts and control keys carry control characters or modifiers.
bool IsTyping(const QKeyEvent& event)
{
    constexpr Qt::KeyboardModifiers SHORTCUT_MODIFIERS =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString strText = event.text();
    return !strText.isEmpty() && strText.front().isPrint() &&
           !(event.modifiers() & SHORTCUT_MODIFIERS);
}

// How many UTF-16 units of strText stay before nCaret once the first box's filter has taken
// away characters before the caret, one at a time, until the text passes. A paste of letters
// thus vanishes whole, in one pass rather than one change notification per character.
int KeptBeforeCaret(const QString& strText, int nCaret)
{
    const std::string strHead = strText.left(nCaret).toStdString();
    std::string s = strHead + strText.mid(nCaret).toStdString();
    size_t nByteCaret = strHead.size();
    int nKeep = nCaret;
    while (nKeep > 0 && IsFirstTextRejected(s)) {
        const bool bPair = nKeep >= 2 && strText.at(nKeep - 1).isLowSurrogate() &&
                           strText.at(nKeep - 2).isHighSurrogate();
        nKeep -= bPair ? 2 : 1;
        size_t nBytes = 1;
        while (nBytes < nByteCaret &&
               (static_cast<unsigned char>(s[nByteCaret - nBytes]) & 0xC0) == 0x80)
            ++nBytes;
        s.erase(nByteCaret - nBytes, nBytes);
        nByteCaret -= nBytes;
    }
    return nKeep;
}
} // namespace

CLongEdit::CLongEdit(int nMaxLength, Filter filter, QWidget* pParent)
    : QPlainTextEdit(pParent), m_nMaxLength(nMaxLength), m_filter(filter)
{
    // Breaking anywhere lays a long digit string out in linear time.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    // Connected before the window's own handler, which thus sees the text already filtered.
    if (m_filter == Filter::FirstOperand)
        connect(this, &QPlainTextEdit::textChanged, this, [this] {
            if (!m_bWriting)
                RemoveRejectedTyping();
        });
}

void CLongEdit::WriteText(const QString& strText)
{
    const QScopedValueRollback<bool> writing(m_bWriting, true);
    setPlainText(strText);
}

void CLongEdit::RemoveRejectedTyping()
{
    QTextCursor cursor = textCursor();
    const int nCaret = cursor.position();
    const int nKeep = KeptBeforeCaret(toPlainText(), nCaret);
    if (nKeep == nCaret)
        return;
    // The removal raises the change notification again, which then finds the text passing.
    cursor.setPosition(nKeep);
    cursor.setPosition(nCaret, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

int CLongEdit::Room() const
{
    const QTextCursor cursor = textCursor();
    const int nLength = document()->characterCount() - 1;
    return m_nMaxLength - (nLength - (cursor.selectionEnd() - cursor.selectionStart()));
}

bool CLongEdit::IsRefused(const QString& strTyped) const
{
    return (m_filter == Filter::DigitsOnly && !IsDigits(strTyped)) || strTyped.size() > Room();
}

void CLongEdit::keyPressEvent(QKeyEvent* pEvent)
{
    switch (pEvent->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        pEvent->ignore();
        return;
    default:
        break;
    }
    if (IsTyping(*pEvent) && IsRefused(pEvent->text())) {
        QApplication::beep();
        pEvent->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(pEvent);
}

void CLongEdit::focusOutEvent(QFocusEvent* pEvent)
{
    if (pEvent->reason() != Qt::PopupFocusReason)
        emit FocusLost();
    QPlainTextEdit::focusOutEvent(pEvent);
}

void CLongEdit::insertFromMimeData(const QMimeData* pSource)
{
    if (!pSource->hasText())
        return;
    QMimeData limited;
    limited.setText(pSource->text().left(std::max(0, Room())));
    QPlainTextEdit::insertFromMimeData(&limited);
}
