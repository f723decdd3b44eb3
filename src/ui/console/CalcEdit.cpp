#include "ui/console/CalcEdit.h"

#include "core/keep/KeepTexts.h"
#include "core/console/ConsoleSyntax.h"
#include "ui/base/EditColors.h"
#include "ui/base/QtColor.h"
#include "ui/base/QtText.h"
#include "ui/console/ConsoleHighlighter.h"
#include "ui/console/NameCompleter.h"
#include "ui/console/VirtualKey.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>

namespace
{
// One console line per text block: soft line breaks and carriage returns become line breaks.
QString AsConsoleText(QString strText)
{
    strText.remove(QLatin1Char('\r'));
    strText.replace(QChar::LineSeparator, QLatin1Char('\n'));
    strText.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return strText;
}

constexpr Text PASTE_CUT_NOTICE = {
    "Pasted lines are cut at 32767 characters (only the first 2047 of a line are read); the "
    "clipboard still holds the whole text.",
    "粘贴的行在 32767 个字符处截断（每行只读取前 2047 个字符）；剪贴板中仍保留完整文本。"};

// A key that continues a name, or starts one.
bool TypesName(const QKeyEvent& event)
{
    const QString strText = event.text();
    return strText.size() == 1 && (strText.at(0).isLetterOrNumber() || strText.at(0) == u'!') &&
           strText.at(0).unicode() < 128;
}

// What a background is mixed with to mark a bracket: a tenth to a quarter of the mark colour.
QColor Tint(ColorRef crMark, ColorRef crBack, double dShare)
{
    const auto mix = [&](int a, int b) { return int(a * dShare + b * (1 - dShare)); };
    return QColor(mix(RedOf(crMark), RedOf(crBack)), mix(GreenOf(crMark), GreenOf(crBack)),
                  mix(BlueOf(crMark), BlueOf(crBack)));
}
} // namespace

CCalcEdit::CCalcEdit(const ILanguageSource& language, CRandomGenerator& random,
                     const AngleUnit& angle, QWidget* pParent)
    : QPlainTextEdit(pParent), m_language(language), m_eval(language, random, angle),
      m_dispatcher(m_eval, *this, language)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, this, &CCalcEdit::OnTextChanged);
    connect(document(), &QTextDocument::contentsChange, this, &CCalcEdit::OnContentsChange);
    m_nStoredAtCompaction = document()->characterCount();
    // After OnContentsChange, which tells it whether the whole text was replaced.
    m_pHighlighter = new CConsoleHighlighter(document(), m_eval);
    m_pCompleter = new CNameCompleter(*this, m_eval, language);
    m_pPreviewTimer = new QTimer(this);
    m_pPreviewTimer->setSingleShot(true);
    m_pPreviewTimer->setInterval(0);
    connect(m_pPreviewTimer, &QTimer::timeout, this, &CCalcEdit::UpdatePreview);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        UpdateBrackets();
        SchedulePreview();
    });
    connect(this, &QPlainTextEdit::textChanged, this, &CCalcEdit::SchedulePreview);
}

void CCalcEdit::DispatchLine(bool bEnterRun)
{
    // The dispatcher reports evaluation errors in the console itself; anything else (memory)
    // must not leave an event handler.
    try {
        const QScopedValueRollback<bool> dispatching(m_bDispatching, bEnterRun);
        m_dispatcher.DispatchLine(bEnterRun);
    } catch (const std::exception& error) {
        qWarning("console line not processed: %s", error.what());
    }
    if (bEnterRun)
        emit EnterRunDone();
}

void CCalcEdit::SetColors(ColorRef crText, ColorRef crBack)
{
    SetEditColors(*this, crText, crBack);
    m_crBack = crBack;
    m_pHighlighter->SetColors(crText, crBack);
    UpdateBrackets();
    viewport()->update();
}

void CCalcEdit::SetHelpDescription(const QString& strHelp)
{
    m_strHelp = strHelp;
    setAccessibleDescription(m_strPreview.isEmpty() ? m_strHelp : m_strPreview);
}

void CCalcEdit::SetCompleting(bool bComplete)
{
    m_bCompleting = bComplete;
    if (!bComplete)
        m_pCompleter->Close();
}

void CCalcEdit::SetColouring(bool bColour)
{
    m_pHighlighter->SetColouring(bColour);
    UpdateBrackets();
}

void CCalcEdit::SetPreviewing(bool bPreview)
{
    m_bPreviewing = bPreview;
    UpdatePreview();
}

void CCalcEdit::TakeFocus()
{
    window()->activateWindow();
    setFocus();
}

void CCalcEdit::InsertText(const QString& strText)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(AsConsoleText(strText));
    // This may run inside the text control's own change notification, where its cursor has
    // already followed the insertion; it is replaced only when it has not.
    if (textCursor() != cursor)
        setTextCursor(cursor);
    ensureCursorVisible();
}

void CCalcEdit::TypeCharacter(char ch)
{
    const bool bLineFeed = ch == '\n';
    const QChar typed = QLatin1Char(bLineFeed ? '\r' : ch);
    QKeyEvent event(QEvent::KeyPress, bLineFeed ? Qt::Key_Return : int(typed.toUpper().unicode()),
                    Qt::NoModifier, QString(typed));
    QPlainTextEdit::keyPressEvent(&event);
}

void CCalcEdit::InsertFunction(std::string_view strText)
{
    ReplaceSelection(strText);
    // Inserting can complete an Enter left pending in the console, whose line may empty it.
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::max(0, cursor.selectionStart() - 1));
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CCalcEdit::FinishLine()
{
    // After Enter was pressed inside a statement, a line break that leaves the caret at the end
    // of its line completes that Enter and the console runs the line itself; running it again
    // would evaluate the result line and write it a second time.
    const bool bEnterPending = m_dispatcher.LastKey() == VK_RETURN;
    TypeCharacter('\n');
    if (!bEnterPending || m_dispatcher.LastKey() == VK_RETURN)
        DispatchLine(true);
}

void CCalcEdit::FinishWholeLine()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::EndOfBlock);
    setTextCursor(cursor);
    ensureCursorVisible();
    FinishLine();
}

int CCalcEdit::CaretLine() const
{
    return document()->findBlock(textCursor().selectionStart()).blockNumber();
}

std::string CCalcEdit::LineText(int nLine) const
{
    const QTextBlock block = document()->findBlockByNumber(nLine);
    return block.isValid() ? block.text().toStdString() : std::string();
}

// Results and keys that put text in cannot be undone, and they end what could be undone before.
void CCalcEdit::ReplaceSelection(std::string_view strText)
{
    const QString strInserted = QString::fromUtf8(strText.data(), qsizetype(strText.size()));
    document()->setUndoRedoEnabled(false);
    if (m_bDispatching)
        WriteResult(AsConsoleText(strInserted));
    else
        InsertText(strInserted);
    document()->setUndoRedoEnabled(true);
}

// While a screen reader listens, the text control reports every edit to it as inserted text,
// which the reader speaks. A result (or error) that an Enter run writes goes in as an edit of
// its own, so that it is reported once, as the line alone; its line break follows.
void CCalcEdit::WriteResult(const QString& strText)
{
    const qsizetype nBreak = strText.indexOf(QLatin1Char('\n'));
    InsertText(strText.left(nBreak));
    m_pHighlighter->MarkWritten(textCursor().block());
    if (nBreak >= 0)
        InsertText(strText.mid(nBreak));
}

void CCalcEdit::ClearText()
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    if (textCursor() != cursor)
        setTextCursor(cursor);
}

// A line completed with Enter is processed once the caret stands at the end of its (new) line;
// Enter inside a statement only splits it and leaves the Enter pending.
void CCalcEdit::OnTextChanged()
{
    if (m_bCompacting)
        return;
    if (m_bBreakingLine) {
        m_bChangedWhileBreaking = true;
        return;
    }
    if (m_dispatcher.LastKey() != VK_RETURN)
        return;
    if (!textCursor().atBlockEnd())
        return;
    m_dispatcher.SetLastKey(0);
    DispatchLine(true);
}

// While the list of names is open, Up and Down choose in it and Escape closes it; Enter closes
// it and runs the line as ever. True when the key has been used up.
bool CCalcEdit::HandleListKey(QKeyEvent* pEvent)
{
    if (!m_pCompleter->IsOpen())
        return false;
    switch (pEvent->key()) {
    case Qt::Key_Escape:
        m_pCompleter->Close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_pCompleter->Choose(pEvent->key() == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_pCompleter->Close();
        return false;
    default:
        return false;
    }
}

// The list follows the name being typed; any other key closes it.
void CCalcEdit::FollowTyping(const QKeyEvent& event)
{
    const bool bEdits = event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete;
    if (m_bCompleting && (TypesName(event) || (bEdits && m_pCompleter->IsOpen())))
        m_pCompleter->Refresh();
    else if (event.key() != Qt::Key_Shift && event.key() != Qt::Key_Control)
        m_pCompleter->Close();
}

bool CCalcEdit::focusNextPrevChild(bool bNext)
{
    // Tab puts the chosen name in while the list is open, instead of leaving the console.
    if (m_pCompleter->IsOpen()) {
        if (bNext)
            m_pCompleter->Accept();
        else
            m_pCompleter->Close();
        return true;
    }
    return QPlainTextEdit::focusNextPrevChild(bNext);
}

void CCalcEdit::keyPressEvent(QKeyEvent* pEvent)
{
    if (HandleListKey(pEvent)) {
        pEvent->accept();
        return;
    }
    const int nKey = VirtualKeyOf(*pEvent);
    m_dispatcher.SetLastKey(nKey);
    if (nKey == VK_SHIFT)
        m_bShiftDown = true;
    if (nKey == VK_CONTROL)
        m_bCtrlDown = true;
    if (nKey == VK_INSERT && !m_bShiftDown && !m_bCtrlDown)
        ReplaceSelection(m_dispatcher.LastResult());
    if (nKey == VK_UP || nKey == VK_DOWN || nKey == VK_F12)
        DispatchLine(false);
    if (pEvent->matches(QKeySequence::Save)) {
        emit SaveRequested();
        return;
    }
    PassKeyOn(pEvent);
    FollowTyping(*pEvent);
}

void CCalcEdit::keyReleaseEvent(QKeyEvent* pEvent)
{
    // An auto-repeating key sends no release until it is really let go.
    if (!pEvent->isAutoRepeat()) {
        const int nKey = VirtualKeyOf(*pEvent);
        if (nKey == VK_SHIFT)
            m_bShiftDown = false;
        if (nKey == VK_CONTROL)
            m_bCtrlDown = false;
        // A key that chose in the list of names re-runs nothing.
        if ((nKey == VK_UP || nKey == VK_DOWN) && !m_pCompleter->IsOpen())
            DispatchLine(false);
    }
    QPlainTextEdit::keyReleaseEvent(pEvent);
}

void CCalcEdit::PassKeyOn(QKeyEvent* pEvent)
{
    if (pEvent->key() != Qt::Key_Return && pEvent->key() != Qt::Key_Enter) {
        QPlainTextEdit::keyPressEvent(pEvent);
        return;
    }
    // Enter always breaks the line, whatever modifier is held: a soft line break would put two
    // console lines into one.
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                    pEvent->isAutoRepeat(), ushort(pEvent->count()));
    // The text control may report a change before it breaks the line (it adjusts the format of
    // an empty block first), while the caret still stands at the end of the old line: the Enter
    // is taken as completed only once the key has done all its editing.
    m_bBreakingLine = true;
    m_bChangedWhileBreaking = false;
    QPlainTextEdit::keyPressEvent(&plain);
    m_bBreakingLine = false;
    pEvent->setAccepted(plain.isAccepted());
    if (m_bChangedWhileBreaking)
        OnTextChanged();
}

void CCalcEdit::resizeEvent(QResizeEvent* pEvent)
{
    // The text control keeps its top line through a resize. A console that showed its last line
    // keeps showing it instead, so that growing and shrinking again (maximise and restore) leaves
    // the view where it was.
    const QScrollBar* pScroll = verticalScrollBar();
    const bool bAtEnd = pScroll->value() == pScroll->maximum();
    QPlainTextEdit::resizeEvent(pEvent);
    if (bAtEnd)
        verticalScrollBar()->setValue(pScroll->maximum());
}

void CCalcEdit::contextMenuEvent(QContextMenuEvent* pEvent)
{
    const std::unique_ptr<QMenu> pMenu(createStandardContextMenu());
    pMenu->addSeparator();
    QAction* pSave = pMenu->addAction(QtText(keepmsg::SAVE_CONSOLE, m_language.CurrentLanguage()),
                                      this, &CCalcEdit::SaveRequested);
    pSave->setObjectName(QStringLiteral("saveConsole"));
    pSave->setShortcut(QKeySequence::Save);
    pMenu->exec(pEvent->globalPos());
}

// Every text put in is appended to the document's store, and what is removed stays there. The
// store is rebuilt from the text, after the edit under way, once it holds too much beside it.
void CCalcEdit::OnContentsChange(int nPosition, int /*nRemoved*/, int nAdded)
{
    if (m_pHighlighter != nullptr)
        m_pHighlighter->SetGuessing(m_bCompacting ||
                                    (nPosition == 0 && nAdded >= document()->characterCount() - 1));
    m_nAddedSinceCompaction += nAdded;
    const qint64 nHeld =
        m_nStoredAtCompaction + m_nAddedSinceCompaction - document()->characterCount();
    if (nHeld > UNDO_TEXT_BUDGET && !m_bCompactionDue && !m_bCompacting) {
        m_bCompactionDue = true;
        QTimer::singleShot(0, this, &CCalcEdit::CompactText);
    }
}

// The same text in a fresh store, with the selection and the view where they were; only the
// undo history is lost.
void CCalcEdit::CompactText()
{
    const QTextCursor cursor = textCursor();
    const int nAnchor = cursor.anchor(), nPosition = cursor.position();
    const int nLeft = horizontalScrollBar()->value(), nTop = verticalScrollBar()->value();
    std::vector<int> states;
    states.reserve(std::size_t(document()->blockCount()));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        states.push_back(block.userState());
    m_bCompacting = true;
    document()->setPlainText(document()->toRawText());
    // The written marks stay where they were, not as guessed from the text.
    QTextBlock block = document()->begin();
    for (std::size_t i = 0; i < states.size() && block.isValid(); ++i, block = block.next())
        if (block.userState() != states[i]) {
            block.setUserState(states[i]);
            m_pHighlighter->rehighlightBlock(block);
        }
    QTextCursor restored(document());
    restored.setPosition(nAnchor);
    restored.setPosition(nPosition, QTextCursor::KeepAnchor);
    setTextCursor(restored);
    horizontalScrollBar()->setValue(nLeft);
    verticalScrollBar()->setValue(nTop);
    m_bCompacting = false;
    m_bCompactionDue = false;
    m_nStoredAtCompaction = document()->characterCount();
    m_nAddedSinceCompaction = 0;
}

// Cuts the lines of strText so that, put in for the selection, it makes no line longer than
// PASTE_LINE_LIMIT; true when something was cut.
bool CCalcEdit::FitPastedLines(QString& strText) const
{
    const QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    const qsizetype nBefore = cursor.selectionStart() - first.position();
    const qsizetype nAfter = last.position() + last.length() - 1 - cursor.selectionEnd();
    QStringList lines = strText.split(QLatin1Char('\n'));
    bool bCut = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype nRoom =
            PASTE_LINE_LIMIT - (i == 0 ? nBefore : 0) - (i == lines.size() - 1 ? nAfter : 0);
        if (lines[i].size() > std::max<qsizetype>(nRoom, 0)) {
            CutLine(lines[i], std::max<qsizetype>(nRoom, 0));
            bCut = true;
        }
    }
    if (bCut)
        strText = lines.join(QLatin1Char('\n'));
    return bCut;
}

// Text dragged within the console has already been removed where it was when it is put in
// again, so it goes in whole.
void CCalcEdit::dropEvent(QDropEvent* pEvent)
{
    m_bMovingWithin = pEvent->source() == this || pEvent->source() == viewport();
    QPlainTextEdit::dropEvent(pEvent);
    m_bMovingWithin = false;
}

void CCalcEdit::insertFromMimeData(const QMimeData* pSource)
{
    if (pSource == nullptr || !pSource->hasText())
        return;
    QString strText = AsConsoleText(pSource->text());
    const bool bCut = !m_bMovingWithin && FitPastedLines(strText);
    InsertText(strText);
    if (bCut) {
        const QPoint at = viewport()->mapToGlobal(cursorRect().bottomLeft());
        QToolTip::showText(at, QtText(PASTE_CUT_NOTICE, m_language.CurrentLanguage()), this);
    }
}

// The bracket at the caret and its partner are marked; a bracket without one is marked alone, in
// the error colour.
void CCalcEdit::UpdateBrackets()
{
    QList<QTextEdit::ExtraSelection> selections;
    const QTextCursor caret = textCursor();
    const QTextBlock block = caret.block();
    const BracketPair pair =
        caret.hasSelection() || CConsoleHighlighter::IsWritten(block)
            ? BracketPair()
            : BracketAtCaret(Utf16View(block.text()), std::size_t(caret.positionInBlock()));
    if (pair.nBracket != NO_BRACKET) {
        const ConsolePalette& palette = m_pHighlighter->Palette();
        const ColorRef crBack = m_crBack;
        const bool bMatched = pair.nPartner != NO_BRACKET;
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        format.setBackground(bMatched ? Tint(palette.Of(TokenKind::Variable), crBack, 0.25)
                                      : Tint(palette.Of(TokenKind::Error), crBack, 0.25));
        if (!bMatched) {
            format.setForeground(ToQColor(palette.Of(TokenKind::Error)));
            format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        }
        for (std::size_t nColumn : {pair.nBracket, pair.nPartner}) {
            if (nColumn == NO_BRACKET)
                continue;
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(block);
            selection.cursor.setPosition(block.position() + int(nColumn));
            selection.cursor.setPosition(block.position() + int(nColumn) + 1,
                                         QTextCursor::KeepAnchor);
            selection.format = format;
            selections.append(selection);
        }
    }
    setExtraSelections(selections);
}

void CCalcEdit::SchedulePreview()
{
    if (m_bPreviewing && !m_pPreviewTimer->isActive())
        m_pPreviewTimer->start();
}

// The value of the caret's line as an Enter run would write it, evaluated without effects.
void CCalcEdit::UpdatePreview()
{
    QString strPreview;
    int nBlock = -1;
    const QTextCursor caret = textCursor();
    const QTextBlock block = caret.block();
    if (m_bPreviewing && !caret.hasSelection() && !CConsoleHighlighter::IsWritten(block) &&
        block.length() - 1 <= PREVIEW_LINE_LIMIT) {
        try {
            if (const std::optional<std::string> strValue =
                    m_dispatcher.PreviewLine(block.text().toStdString())) {
                strPreview = QString::fromStdString(*strValue);
                nBlock = block.blockNumber();
            }
        } catch (const std::exception& error) {
            qWarning("no value shown: %s", error.what());
        }
    }
    if (strPreview == m_strPreview && nBlock == m_nPreviewBlock)
        return;
    m_strPreview = strPreview;
    m_nPreviewBlock = nBlock;
    setAccessibleDescription(m_strPreview.isEmpty() ? m_strHelp : m_strPreview);
    viewport()->update();
}

// The value is drawn after the end of its line, outside the text.
void CCalcEdit::paintEvent(QPaintEvent* pEvent)
{
    QPlainTextEdit::paintEvent(pEvent);
    const QTextBlock block = document()->findBlockByNumber(m_nPreviewBlock);
    if (m_strPreview.isEmpty() || !block.isValid() || block.layout()->lineCount() == 0)
        return;
    const QRectF geometry = blockBoundingGeometry(block).translated(contentOffset());
    const QTextLine line = block.layout()->lineAt(0);
    const QFontMetricsF metrics(font());
    const QPointF at(geometry.left() + line.naturalTextRect().right() +
                         metrics.horizontalAdvance(u' ') * 2,
                     geometry.top() + line.y() + line.ascent());
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(ToQColor(m_pHighlighter->Palette().preview));
    painter.drawText(at, QStringLiteral("= ") + m_strPreview);
}
