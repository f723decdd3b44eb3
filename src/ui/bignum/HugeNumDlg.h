#pragma once

#include "core/base/ColorRef.h"
#include "ui/base/AuxWindow.h"
#include "ui/bignum/LongWorker.h"

#include <QElapsedTimer>

#include <functional>
#include <string>

class CHoverButton;
class CLongEdit;
class CLongResultView;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;

// The long-number calculator: two operand boxes, an operator, Calculate, and the result with its
// digit count and the time it took. The computation runs on a worker thread, so the window stays
// responsive; meanwhile the inputs are disabled, the time counts up and Calculate becomes Stop.
// Object names of the controls: "first", "second", "result", "resultCount", "firstCount",
// "secondCount", "time", "calculate", the operators "add" ... "fac" and the group "operator".
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
    // Replaces the message box (with an OK button, owned by this window) that shows messages.
    void SetMessageFunction(MessageFunction message) { m_message = std::move(message); }

    bool IsCalculating() const { return m_worker.IsRunning(); }
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
    void OnCalculationEnded(const LongResult& result);
    void FinishCalculation(const LongResult& result);
    void ClearResult();
    void ClearResultOnEdit();
    void RemoveRejectedTyping();
    void ReadBoxes();
    void WriteFirstBox();
    void EnableInputs(bool bEnable);
    void ShowElapsed();
    void ShowWorkingState();
    void ShowMessage(const std::string& strText, const std::string& strCaption);

    int m_nOperator = LONG_ADD;
    std::string m_strFirst;
    std::string m_strSecond;
    bool m_bResultShown = false;
    bool m_bWriting = false; // the window itself is writing a box
    QElapsedTimer m_elapsed;
    MessageFunction m_message;
    CLongWorker m_worker;

    QLabel* m_pFirstCount = nullptr;
    QLabel* m_pSecondCount = nullptr;
    QLabel* m_pTime = nullptr;
    CLongEdit* m_pFirst = nullptr;
    CLongEdit* m_pSecond = nullptr;
    QButtonGroup* m_pOperators = nullptr;
    CHoverButton* m_pCalculate = nullptr;
    QLineEdit* m_pResultCount = nullptr;
    CLongResultView* m_pResult = nullptr;
    QTimer* m_pTicker = nullptr;
};
