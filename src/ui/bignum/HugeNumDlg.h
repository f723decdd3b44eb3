#pragma once

#include "core/base/ColorRef.h"
#include "ui/frame/AuxWindow.h"
#include "ui/bignum/LongWorker.h"

#include <QElapsedTimer>

#include <functional>
#include <optional>
#include <string>

class CHoverButton;
class CLongEdit;
class CLongResultView;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QTimer;

// The long-number calculator: two operand boxes, an operator, Calculate, and the result with its
// digit count and the time it took. The computation runs on a worker thread, so the window stays
// responsive; meanwhile the inputs are disabled, the time counts up, a thin bar between the
// operators and the result shows the share done, the result box tells the share and the time
// left, and Calculate becomes Stop; a stopped calculation says so where the time stands.
// Object names of the controls: "first", "second", "result", "resultCount", "firstCount",
// "secondCount", "time", "progress", "calculate", the operators "add" ... "fac" and the group
// "operator".
class CHugeNumDlg : public CAuxWindow
{
    Q_OBJECT
public:
    // Shows a message to the user; an empty caption stands for the application's title.
    using MessageFunction = std::function<void(const QString& strText, const QString& strCaption)>;

    CHugeNumDlg(const ILanguageSource& language, QWidget* pOwner);
    ~CHugeNumDlg() override;

    // The font of the two operand boxes and the result box.
    void SetBoxFont(const QFont& font);
    // The colours of the same three boxes.
    void SetColors(ColorRef crText, ColorRef crBack);
    // The result box alone, after SetColors: a dark skin gives it its own dark pair.
    void SetResultColors(ColorRef crText, ColorRef crBack);
    // Replaces the message box (with an OK button, owned by this window) that shows messages.
    void SetMessageFunction(MessageFunction message) { m_message = std::move(message); }

    bool IsCalculating() const { return m_worker.IsRunning(); }
    // What the window says about the end of the last calculation, in the current language: done
    // with the digit count, or stopped; empty before the first end and after a message.
    QString EndText() const;
    // Worker threads not yet ended, stopped ones still finishing in the background included.
    int WorkerThreadCount() const { return m_worker.ThreadCount(); }

    void ApplyLanguage() override;

private:
    void CreateControls();
    void CreateOperators();
    void OnFirstChange();
    // strFirst: the first box's text when it lost the focus.
    void OnFirstKillFocus(const std::string& strFirst);
    void OnSecondChange();
    void OnOperator(int nOperator);
    void OnCalculate();
    void OnStop();
    void OnCalculationEnded(LongResult& result);
    // Moves the result's text into the result box.
    void FinishCalculation(LongResult& result);
    // Keeps what the end of a calculation says and shows a stop where the time stands.
    void AnnounceEnd(const LongResult& result);
    void ClearResult();
    void ClearResultOnEdit();
    void ReadBoxes();
    void WriteFirstBox();
    void EnableInputs(bool bEnable);
    void ShowElapsed();
    // The elapsed time, the bar and the share and time left in the result box.
    void ShowProgress();
    void ShowWorkingState();
    void ShowMessage(const std::string& strText, const std::string& strCaption);

    LongOperator m_operator = LongOperator::Add;
    std::string m_strFirst;
    std::string m_strSecond;
    bool m_bResultShown = false;
    bool m_bWriting = false; // the window itself is writing a box
    // How the last calculation ended, without its result text; none before the first end.
    std::optional<LongResult> m_end;
    bool m_bStopShown = false; // the time label says that the calculation was stopped
    QElapsedTimer m_elapsed;
    MessageFunction m_message;
    CLongWorker m_worker;

    QLabel* m_pFirstCount = nullptr;
    QLabel* m_pSecondCount = nullptr;
    QLabel* m_pTime = nullptr;
    QProgressBar* m_pProgress = nullptr;
    CLongEdit* m_pFirst = nullptr;
    CLongEdit* m_pSecond = nullptr;
    QButtonGroup* m_pOperators = nullptr;
    CHoverButton* m_pCalculate = nullptr;
    QLineEdit* m_pResultCount = nullptr;
    CLongResultView* m_pResult = nullptr;
    QTimer* m_pTicker = nullptr;
};
