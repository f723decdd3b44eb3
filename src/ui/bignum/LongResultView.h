#pragma once

#include "core/base/Language.h"
#include "ui/base/SaveAs.h"

#include <QAbstractScrollArea>
#include <QClipboard>

#include <cstddef>
#include <memory>
#include <string>

// The read-only result box of the long-number calculator. A result may run to many millions of
// characters, so the box keeps the very bytes it is given (taken over, never copied), breaks them
// into rows of as many characters as the width holds and lays out only the rows in view. The
// clipboard shares those bytes too and spells them out only when something asks for them. It selects with the mouse (double click: all)
// and copies; Enter and Escape go on to the window. Colours: Text and Base of its palette.
class CLongResultView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // The context menu speaks the language of language's source.
    explicit CLongResultView(const ILanguageSource& language, QWidget* pParent = nullptr);

    // ASCII text, taken over with its memory; the text shown before is given back to the system
    // unless the clipboard still holds part of it. The selection goes and the view returns to the
    // top.
    void SetText(std::string&& strText);
    const std::string& Text() const { return *m_pText; }
    // Shown greyed while the text is empty.
    void SetPlaceholderText(const QString& strText);
    QString PlaceholderText() const { return m_strPlaceholder; }

    QString SelectedText() const;
    void SelectAll();
    void Copy() const;
    // Asks for a file and writes the whole result to it as plain text, with a line break at the
    // end, however long it is and whatever the box shows of it.
    void SaveResultAs();
    void SetSaveDialogs(SaveDialogs dialogs) { m_dialogs = std::move(dialogs); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;

private:
    size_t Columns() const;
    size_t RowCount() const;
    int RowsInView() const;
    QString RowText(size_t nRow) const;
    // Character index nearest to a point of the viewport; rows above or below the view count.
    size_t IndexAt(QPoint point) const;
    void PaintRow(QPainter& painter, size_t nRow, int y) const;
    void Relayout();
    void SelectTo(size_t nIndex, bool bKeepAnchor);
    // Puts the selection, if any, on the clipboard or the X11 selection.
    void PutSelection(QClipboard::Mode mode) const;

    // Shared with what the box has put on the clipboard; never null.
    std::shared_ptr<const std::string> m_pText;
    QString m_strPlaceholder;
    size_t m_nAnchor = 0;
    size_t m_nCaret = 0;
    size_t m_nTopIndex = 0; // first character of the top row, kept across width changes
    qreal m_cellWidth = 1;  // the widest character a result can hold, in pixels
    const ILanguageSource& m_language;
    SaveDialogs m_dialogs = SaveDialogs::System();
};
