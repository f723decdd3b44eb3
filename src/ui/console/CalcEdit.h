#pragma once

#include "core/base/ColorRef.h"
#include "core/console/ConsoleHost.h"
#include "core/console/LineDispatcher.h"
#include "core/eval/EvalContext.h"

#include <QPlainTextEdit>

class CConsoleHighlighter;
class CNameCompleter;
class CRandomGenerator;
class QTimer;

// The console: a plain multi-line text without wrapping in which every line is a statement.
// Enter at the end of a line evaluates it and writes the result below; the arrow keys and F12
// re-run the caret's line without writing; Insert inserts the last result. It owns the
// console's evaluator context and the dispatcher that works on its text.
class CCalcEdit : public QPlainTextEdit, public IConsoleText
{
    Q_OBJECT
public:
    // A paste or drop makes no line longer than this many characters: the dispatcher reads the
    // first 2047 of a line, and laying out a longer one makes every key slow. What is cut stays
    // on the clipboard, and a notice at the caret says so.
    static constexpr int PASTE_LINE_LIMIT = 32767;
    // The text document keeps every removed text for undoing it, and never gives it back while
    // undo is on. Once about this many characters are held so, the undo history is given up
    // and the memory returned.
    static constexpr qint64 UNDO_TEXT_BUDGET = 2 * 1024 * 1024;
    // A longer line shows no value while it is typed: the dispatcher reads no more of a line,
    // and evaluating it must not make a key wait.
    static constexpr int PREVIEW_LINE_LIMIT = 2047;

    // angle: the unit the console's evaluator reads; its owner keeps it.
    CCalcEdit(const ILanguageSource& language, CRandomGenerator& random, const AngleUnit& angle,
              QWidget* pParent = nullptr);

    // An Enter run on the line above the caret, or a live run on the caret's own line.
    void DispatchLine(bool bEnterRun);
    void SetCurveHost(ICurveHost* pHost) { m_dispatcher.SetCurveHost(pHost); }
    void SetRadix(Radix radix) { m_dispatcher.SetRadix(radix); }
    Radix OutputRadix() const { return m_dispatcher.OutputRadix(); }
    void SetColors(ColorRef crText, ColorRef crBack);
    // Replaces the selection the way other windows put text in: no key goes down, so a pending
    // Enter still completes when the caret ends at the end of its line. The edit can be undone;
    // ReplaceSelection does the same but cannot be undone and empties the undo history.
    void InsertText(const QString& strText);
    // Puts ch in the way other windows type: a key event over the selection, undoable, handled
    // as typing while the console records no key going down. '\n' breaks the line.
    void TypeCharacter(char ch);
    // Replaces the selection with a function's text ("sin()"), as ReplaceSelection does, and
    // leaves the caret before its last character, between the parentheses.
    void InsertFunction(std::string_view strText);
    // Breaks the line at the caret and runs the line above as Enter would. An Enter still
    // pending in the console that the break completes runs the line only once.
    void FinishLine();
    // The same for the caret's whole line, wherever the caret stands in it.
    void FinishWholeLine();
    // Activates the console's window and gives the console the keyboard, from whichever
    // window holds it.
    void TakeFocus();
    // A key of the program's (Ctrl+1 ...) takes the keyboard to another window while its Ctrl is
    // down: the console lets that Ctrl go instead of counting it held until it goes down and up
    // in the console again.
    void ReleaseCtrl() { m_bCtrlDown = false; }

    // The console's help for assistive technology, its description while no value is shown.
    void SetHelpDescription(const QString& strHelp);
    // The assistance while typing, each on at first: the list of names, the colours, and the
    // value of the caret's line shown beside it.
    void SetCompleting(bool bComplete);
    void SetColouring(bool bColour);
    void SetPreviewing(bool bPreview);
    bool IsCompleting() const { return m_bCompleting; }
    bool IsPreviewing() const { return m_bPreviewing; }
    // The value shown beside the caret's line; empty when none is.
    const QString& Preview() const { return m_strPreview; }
    CNameCompleter& Completer() { return *m_pCompleter; }
    CConsoleHighlighter& Highlighter() { return *m_pHighlighter; }

    CEvalContext& Eval() { return m_eval; }
    int LastKey() const { return m_dispatcher.LastKey(); }
    const std::string& LastResult() const { return m_dispatcher.LastResult(); }
    bool IsShiftDown() const { return m_bShiftDown; }
    bool IsCtrlDown() const { return m_bCtrlDown; }

    int CaretLine() const override;
    std::string LineText(int nLine) const override;
    void ReplaceSelection(std::string_view strText) override;
    void ClearText() override;

signals:
    // An Enter run has processed a line (and written what it gives).
    void EnterRunDone();
    // Ctrl+S or the context menu asks to save the console's text as a file.
    void SaveRequested();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;
    void insertFromMimeData(const QMimeData* pSource) override;
    void dropEvent(QDropEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    bool focusNextPrevChild(bool bNext) override;

private:
    void OnTextChanged();
    void OnContentsChange(int nPosition, int nRemoved, int nAdded);
    void PassKeyOn(QKeyEvent* pEvent);
    void WriteResult(const QString& strText);
    bool FitPastedLines(QString& strText) const;
    void CompactText();
    bool HandleListKey(QKeyEvent* pEvent);
    void FollowTyping(const QKeyEvent& event);
    void UpdateBrackets();
    void SchedulePreview();
    void UpdatePreview();

    // Set while an Enter run may write its result, which assistive technology is told of.
    bool m_bDispatching = false;
    // Set while the Enter key edits the text; its change notifications are taken as one.
    bool m_bBreakingLine = false;
    bool m_bChangedWhileBreaking = false;
    bool m_bShiftDown = false;
    bool m_bCtrlDown = false;
    // What the document's text store holds beyond the text itself is estimated from the
    // characters put in since it was last rebuilt.
    qint64 m_nStoredAtCompaction = 0;
    qint64 m_nAddedSinceCompaction = 0;
    bool m_bCompactionDue = false;
    bool m_bCompacting = false;
    bool m_bMovingWithin = false;
    const ILanguageSource& m_language;
    CEvalContext m_eval;
    CLineDispatcher m_dispatcher;
    CConsoleHighlighter* m_pHighlighter = nullptr;
    CNameCompleter* m_pCompleter = nullptr;
    QTimer* m_pPreviewTimer = nullptr;
    bool m_bCompleting = true;
    bool m_bPreviewing = true;
    QString m_strPreview;
    int m_nPreviewBlock = -1;
    QString m_strHelp;
    ColorRef m_crBack = MakeRgb(255, 255, 255);
};
