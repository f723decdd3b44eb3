#include "ui/bignum/LongEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

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
} // namespace

CLongEdit::CLongEdit(int nMaxLength, bool bDigitsOnly, QWidget* pParent)
    : QPlainTextEdit(pParent), m_nMaxLength(nMaxLength), m_bDigitsOnly(bDigitsOnly)
{
    // Breaking anywhere lays a long digit string out in linear time.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

int CLongEdit::Room() const
{
    const QTextCursor cursor = textCursor();
    const int nLength = document()->characterCount() - 1;
    return m_nMaxLength - (nLength - (cursor.selectionEnd() - cursor.selectionStart()));
}

bool CLongEdit::IsRefused(const QString& strTyped) const
{
    return (m_bDigitsOnly && !IsDigits(strTyped)) || strTyped.size() > Room();
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
