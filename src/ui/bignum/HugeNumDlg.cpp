#include "ui/bignum/HugeNumDlg.h"

#include "core/bignum/LongInput.h"
#include "core/bignum/LongTexts.h"
#include "ui/base/Accessibility.h"
#include "ui/base/ControlTable.h"
#include "ui/base/EditColors.h"
#include "ui/base/HoverButton.h"
#include "ui/base/QtText.h"
#include "ui/bignum/LongEdit.h"
#include "ui/bignum/LongResultView.h"
#include "ui/fonts/StandInFont.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <array>

namespace
{
// The window's title, first place and size (see AuxWindowLook).
constexpr AuxWindowLook LOOK{{"Long Number Calculator", "长数计算"}, -1, -1, 422, 578, true};

constexpr int MAX_OPERAND_LENGTH = 50'000;
constexpr int FONT_POINTS = 10;
// The time and the progress are brought up to date four times a second.
constexpr int TICK_MS = 250;
constexpr int PROGRESS_STEPS = 1000;
constexpr int OPERATOR_LABEL_SPACING = 4;

// The labels: right-aligned ones hold "Bits" and the counts. The counts and the time paint their
// own background; the others let the window's background show through.
constexpr ControlSpec FIRST_CAPTION{
    "firstCaption", ControlKind::Label, {6, 10, 57, 9}, {"Integer1/pi/e", "整数1/pi/e)"}};
constexpr ControlSpec FIRST_BITS{
    "firstBits", ControlKind::RightLabel, {126, 9, 22, 10}, {"Bits", "位数"}};
constexpr ControlSpec FIRST_COUNT{
    "firstCount", ControlKind::RightLabel, {152, 9, 51, 10}, NO_CAPTION};
constexpr ControlSpec SECOND_CAPTION{
    "secondCaption", ControlKind::Label, {6, 78, 47, 9}, {"Integer2/bits", "整数2/位数"}};
constexpr ControlSpec SECOND_BITS{
    "secondBits", ControlKind::RightLabel, {126, 78, 22, 10}, {"Bits", "位数"}};
constexpr ControlSpec SECOND_COUNT{
    "secondCount", ControlKind::RightLabel, {152, 78, 51, 10}, NO_CAPTION};
constexpr ControlSpec RESULT_CAPTION{
    "resultCaption", ControlKind::Label, {6, 186, 27, 9}, {"Result", "结果"}};
constexpr ControlSpec TAKE_TIME{
    "takeTime", ControlKind::RightLabel, {44, 186, 41, 10}, {"Take time", "用时"}};
constexpr ControlSpec TIME{"time", ControlKind::RightLabel, {87, 186, 35, 10}, NO_CAPTION};
constexpr ControlSpec RESULT_BITS{
    "resultBits", ControlKind::RightLabel, {127, 186, 21, 10}, {"Bits", "位数"}};
constexpr ControlSpec OPERATOR_GROUP{
    "operator", ControlKind::Group, {6, 148, 149, 26}, {"Operator", "运算类型"}};

// Everything ApplyLanguage relabels but the operators and Calculate.
constexpr std::array<ControlSpec, 8> CAPTIONED{FIRST_CAPTION, FIRST_BITS,     SECOND_CAPTION,
                                               SECOND_BITS,   RESULT_CAPTION, TAKE_TIME,
                                               RESULT_BITS,   OPERATOR_GROUP};

constexpr DialogRect FIRST_RECT{6, 21, 197, 49};
constexpr DialogRect SECOND_RECT{6, 90, 197, 49};
constexpr DialogRect CALCULATE_RECT{159, 152, 44, 22};
constexpr DialogRect RESULT_COUNT_RECT{152, 186, 51, 12};
constexpr DialogRect RESULT_RECT{6, 198, 197, 82};
// In the free band between the operators and the result row, as wide as the boxes.
constexpr DialogRect PROGRESS_RECT{6, 177, 197, 6};

// The operators' radio buttons in the order of their numbers 1 to 6.
struct OperatorButton
{
    LongOperator op;
    ControlSpec entry;
};

constexpr std::array<OperatorButton, 6> OPERATORS{{
    {LongOperator::Add, {"add", ControlKind::Radio, {11, 156, 23, 14}, {"Add", "加"}}},
    {LongOperator::Sub, {"sub", ControlKind::Radio, {34, 156, 23, 14}, {"Sub", "减"}}},
    {LongOperator::Mul, {"mul", ControlKind::Radio, {57, 156, 23, 14}, {"Mul", "乘"}}},
    {LongOperator::Div, {"div", ControlKind::Radio, {80, 156, 23, 14}, {"Div", "除"}}},
    {LongOperator::Mod, {"mod", ControlKind::Radio, {103, 156, 23, 14}, {"Mod", "余"}}},
    {LongOperator::Fac, {"fac", ControlKind::Radio, {126, 156, 27, 14}, {"Fac", "阶乘"}}},
}};

constexpr std::array<SpokenName, 5> NAMES{{
    {"first", {"Integer 1, pi or e", "整数1、pi 或 e"}},
    {"second", {"Integer 2 or digits", "整数2或位数"}},
    {"result", {"Result", "结果"}},
    {"resultCount", {"Digits of the result", "结果位数"}},
    {"progress", {"Progress", "进度"}},
}};

constexpr Text CALCULATE_CAPTION{"Calculate", "计   算"};
constexpr Text STOP_CAPTION{"Stop", "停   止"};
constexpr Text WORKING_TEXT{"Calculating... Stop ends it.", "正在计算……按“停止”可中止。"};

// A left-aligned caption grows to the right when the font draws it wider than its place; there
// is free room beside each.
void WidenToCaption(QLabel* pLabel)
{
    if (pLabel->alignment() & Qt::AlignLeft)
        pLabel->resize(std::max(pLabel->width(), pLabel->sizeHint().width()), pLabel->height());
}

QLabel* MakeLabel(QWidget& window, const ControlSpec& entry, Language language)
{
    return static_cast<QLabel*>(MakeControl(window, entry, language));
}

// A count or the time: a label with a background of its own.
QLabel* MakeCount(QWidget& window, const ControlSpec& entry, Language language)
{
    QLabel* pLabel = MakeLabel(window, entry, language);
    pLabel->setAutoFillBackground(true);
    return pLabel;
}

// The first box's characters are ASCII where it matters; other bytes stay as they are.
std::string UpperAscii(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char ch) { return ch >= 'a' && ch <= 'z' ? char(ch - 32) : ch; });
    return s;
}
} // namespace

CHugeNumDlg::CHugeNumDlg(const ILanguageSource& language, QWidget* pOwner)
    : CAuxWindow(LOOK, language, pOwner)
{
    setFont(CourierFont(FONT_POINTS));
    m_message = [this](const QString& strText, const QString& strCaption) {
        QMessageBox box(QMessageBox::NoIcon,
                        strCaption.isEmpty() ? QGuiApplication::applicationDisplayName()
                                             : strCaption,
                        strText, QMessageBox::Ok, this);
        box.exec();
    };
    CreateControls();
    m_pTicker = new QTimer(this);
    m_pTicker->setInterval(TICK_MS);
    connect(m_pTicker, &QTimer::timeout, this, &CHugeNumDlg::ShowProgress);
    connect(&m_worker, &CLongWorker::Finished, this, &CHugeNumDlg::OnCalculationEnded);
    ApplyLanguage();
}

CHugeNumDlg::~CHugeNumDlg()
{
    // The boxes live on while the base class takes them down, and the focus leaving them then
    // must not reach a window that is no longer whole.
    m_pFirst->disconnect(this);
    m_pSecond->disconnect(this);
}

void CHugeNumDlg::CreateControls()
{
    // Captions are set by name in ApplyLanguage; the creation order is the focus order.
    const Language language = CurrentLanguage();
    MakeLabel(*this, FIRST_CAPTION, language);
    MakeLabel(*this, FIRST_BITS, language);
    m_pFirstCount = MakeCount(*this, FIRST_COUNT, language);
    m_pFirst = Place(new CLongEdit(MAX_OPERAND_LENGTH, CLongEdit::Filter::FirstOperand, this),
                     "first", FIRST_RECT);
    MakeLabel(*this, SECOND_CAPTION, language);
    MakeLabel(*this, SECOND_BITS, language);
    m_pSecondCount = MakeCount(*this, SECOND_COUNT, language);
    m_pSecond = Place(new CLongEdit(MAX_OPERAND_LENGTH, CLongEdit::Filter::DigitsOnly, this),
                      "second", SECOND_RECT);
    CreateOperators();
    m_pCalculate = Place(new CHoverButton(this), "calculate", CALCULATE_RECT);
    m_pCalculate->setAutoDefault(true); // Enter on it presses it rather than hiding the window
    MakeLabel(*this, RESULT_CAPTION, language);
    MakeLabel(*this, TAKE_TIME, language);
    m_pTime = MakeCount(*this, TIME, language);
    MakeLabel(*this, RESULT_BITS, language);
    m_pResultCount = Place(new QLineEdit(this), "resultCount", RESULT_COUNT_RECT);
    m_pResultCount->setReadOnly(true);
    // Read-only, it wears the window's background like the counts beside it, in every skin.
    QPalette countPalette = m_pResultCount->palette();
    countPalette.setColor(QPalette::Base, Qt::transparent);
    m_pResultCount->setPalette(countPalette);
    m_pResultCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pResult = Place(new CLongResultView(LanguageSource(), this), "result", RESULT_RECT);
    m_pProgress = Place(new QProgressBar(this), "progress", PROGRESS_RECT);
    m_pProgress->setRange(0, PROGRESS_STEPS);
    m_pProgress->setTextVisible(false);
    m_pProgress->hide();

    connect(m_pFirst, &QPlainTextEdit::textChanged, this, &CHugeNumDlg::OnFirstChange);
    connect(m_pFirst, &CLongEdit::FocusLost, this, [this] {
        // Judged on the text as it was left, shown after the focus has settled: a message box
        // that opens inside the focus change would swallow the click that moved the focus.
        QMetaObject::invokeMethod(
            this,
            [this, strFirst = m_pFirst->toPlainText().toStdString()] {
                OnFirstKillFocus(strFirst);
            },
            Qt::QueuedConnection);
    });
    connect(m_pSecond, &QPlainTextEdit::textChanged, this, &CHugeNumDlg::OnSecondChange);
    connect(m_pCalculate, &QPushButton::clicked, this,
            [this] { IsCalculating() ? OnStop() : OnCalculate(); });
}

void CHugeNumDlg::CreateOperators()
{
    // The group lies beneath the radio buttons it frames, which stay the window's own children
    // like the other controls.
    MakeControl(*this, OPERATOR_GROUP, CurrentLanguage());
    m_pOperators = new QButtonGroup(this);
    for (const OperatorButton& op : OPERATORS) {
        auto* pButton = static_cast<QRadioButton*>(MakeControl(*this, op.entry, CurrentLanguage()));
        // The style's gap after the circle leaves a three-letter caption no room before the
        // next circle in its 46 pixels.
        pButton->setStyleSheet(
            QStringLiteral("QRadioButton { spacing: %1px; }").arg(OPERATOR_LABEL_SPACING));
        m_pOperators->addButton(pButton, int(op.op));
    }
    m_pOperators->button(int(LongOperator::Add))->setChecked(true);
    connect(m_pOperators, &QButtonGroup::idClicked, this, &CHugeNumDlg::OnOperator);
}

void CHugeNumDlg::SetBoxFont(const QFont& font)
{
    for (QWidget* pBox : std::initializer_list<QWidget*>{m_pFirst, m_pSecond, m_pResult})
        pBox->setFont(font);
}

void CHugeNumDlg::SetColors(ColorRef crText, ColorRef crBack)
{
    for (QWidget* pBox : std::initializer_list<QWidget*>{m_pFirst, m_pSecond, m_pResult})
        SetEditColors(*pBox, crText, crBack);
}

void CHugeNumDlg::SetResultColors(ColorRef crText, ColorRef crBack)
{
    SetEditColors(*m_pResult, crText, crBack);
}

void CHugeNumDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    if (m_pFirst == nullptr)
        return; // the base class relabels before the controls exist
    const Language language = CurrentLanguage();
    Relabel(*this, CAPTIONED, language);
    for (const ControlSpec& entry : CAPTIONED)
        if (entry.kind == ControlKind::Label)
            WidenToCaption(ControlNamed<QLabel>(*this, entry.pszName));
    for (const OperatorButton& op : OPERATORS)
        SetCaption(*m_pOperators->button(int(op.op)), QtText(op.entry.caption, language));
    NameControls(*this, NAMES, language);
    if (!m_pTime->accessibleName().isEmpty())
        m_pTime->setAccessibleName(EndText());
    if (m_bStopShown)
        m_pTime->setText(EndText());
    ShowWorkingState();
}

void CHugeNumDlg::ShowWorkingState()
{
    const Language language = CurrentLanguage();
    const bool bCalculating = IsCalculating();
    SetCaption(*m_pCalculate, QtText(bCalculating ? STOP_CAPTION : CALCULATE_CAPTION, language));
    QString strPlaceholder;
    if (bCalculating)
        strPlaceholder = QtText(WORKING_TEXT, language) + QLatin1Char('\n') +
                         QString::fromStdString(
                             FormatProgress(m_worker.Progress(), m_elapsed.elapsed(), language));
    m_pResult->SetPlaceholderText(strPlaceholder);
}

void CHugeNumDlg::ReadBoxes()
{
    m_strFirst = m_pFirst->toPlainText().toStdString();
    m_strSecond = m_pSecond->toPlainText().toStdString();
}

void CHugeNumDlg::OnFirstChange()
{
    m_pFirstCount->setText(QString::number(m_pFirst->toPlainText().size()));
    ClearResultOnEdit();
}

void CHugeNumDlg::OnSecondChange()
{
    m_pSecondCount->setText(QString::number(m_pSecond->toPlainText().size()));
    ClearResultOnEdit();
}

void CHugeNumDlg::ClearResultOnEdit()
{
    if (m_bWriting || !m_bResultShown)
        return;
    ClearResult();
    m_bResultShown = false;
}

void CHugeNumDlg::OnFirstKillFocus(const std::string& strFirst)
{
    if (!isVisible())
        return;
    if (const int nPosition = FirstIllegalPosition(strFirst); nPosition != 0)
        ShowMessage(FirstIllegalWarning(nPosition, CurrentLanguage()),
                    longmsg::CAPTION_WARNING.In(CurrentLanguage()));
}

void CHugeNumDlg::OnOperator(int nOperator)
{
    m_operator = LongOperator(nOperator);
    ClearResult();
}

void CHugeNumDlg::ClearResult()
{
    m_bStopShown = false;
    m_pTime->clear();
    m_pTime->setAccessibleName(QString());
    m_pResult->SetText({});
    m_pResultCount->clear();
}

void CHugeNumDlg::OnCalculate()
{
    ReadBoxes();
    m_strFirst = UpperAscii(m_strFirst);
    m_elapsed.start();
    m_worker.Start(m_operator, m_strFirst, m_strSecond, CurrentLanguage());
    EnableInputs(false);
    ClearResult();
    m_pProgress->setValue(0);
    m_pProgress->show();
    ShowProgress();
    m_pTicker->start();
}

// The calculation goes on in the background and its result is dropped; the boxes keep what
// they hold and the window is ready for the next one at once.
void CHugeNumDlg::OnStop()
{
    m_worker.Cancel();
    m_pTicker->stop();
    m_pProgress->hide();
    ClearResult();
    EnableInputs(true);
    ShowWorkingState();
    LongResult stopped;
    stopped.bCancelled = true;
    AnnounceEnd(stopped);
}

void CHugeNumDlg::OnCalculationEnded(LongResult& result)
{
    m_pTicker->stop();
    m_pProgress->hide();
    EnableInputs(true);
    ShowWorkingState();
    if (result.bCancelled) {
        ClearResult();
        AnnounceEnd(result);
        return;
    }
    if (!result.strMessage.empty()) {
        ClearResult();
        {
            const QScopedValueRollback<bool> writing(m_bWriting, true);
            WriteFirstBox();
        }
        AnnounceEnd(result);
        ShowMessage(result.strMessage, result.strCaption);
        return;
    }
    FinishCalculation(result);
    AnnounceEnd(result);
}

void CHugeNumDlg::AnnounceEnd(const LongResult& result)
{
    m_end.emplace();
    m_end->nDigits = result.nDigits;
    m_end->strMessage = result.strMessage;
    m_end->bCancelled = result.bCancelled;
    // Assistive technology hears the end where the time stands: the label is called by it.
    m_pTime->setAccessibleName(EndText());
    if (!result.bCancelled)
        return;
    m_pTime->setText(EndText());
    m_bStopShown = true;
    // Like a result, the stop goes with the next edit of either box.
    m_bResultShown = true;
}

QString CHugeNumDlg::EndText() const
{
    return m_end ? QString::fromStdString(FormatEnd(*m_end, CurrentLanguage())) : QString();
}

void CHugeNumDlg::FinishCalculation(LongResult& result)
{
    ShowElapsed();
    m_bResultShown = true;
    const QScopedValueRollback<bool> writing(m_bWriting, true);
    WriteFirstBox();
    m_pResult->SetText(std::move(result.strResult));
    m_pResultCount->setText(QString::number(result.nDigits));
}

// The first box shows its text upper-cased, as the calculation read it.
void CHugeNumDlg::WriteFirstBox()
{
    const QString strFirst = QString::fromStdString(m_strFirst);
    if (m_pFirst->toPlainText() != strFirst)
        m_pFirst->WriteText(strFirst);
}

void CHugeNumDlg::EnableInputs(bool bEnable)
{
    m_pFirst->setEnabled(bEnable);
    m_pSecond->setEnabled(bEnable);
    for (QAbstractButton* pButton : m_pOperators->buttons())
        pButton->setEnabled(bEnable);
}

void CHugeNumDlg::ShowElapsed()
{
    m_pTime->setText(QString::fromStdString(FormatElapsed(m_elapsed.elapsed() / 1000)));
}

void CHugeNumDlg::ShowProgress()
{
    ShowElapsed();
    m_pProgress->setValue(int(m_worker.Progress() * PROGRESS_STEPS));
    ShowWorkingState();
}

void CHugeNumDlg::ShowMessage(const std::string& strText, const std::string& strCaption)
{
    m_message(QString::fromStdString(strText), QString::fromStdString(strCaption));
}
