#include "tests/ui/support/FindControl.h"
#include "ui/bignum/HugeNumDlg.h"

#include "core/bignum/LongCalculation.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "ui/bignum/LongResultView.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace
{
// Pi with its first 99 fraction digits, from published tables.
constexpr const char* PI_99 = "3."
                              "14159265358979323846264338327950288419716939937510582097494459230781"
                              "6406286208998628034825342117067";

// A count that takes minutes, so it is still running whenever a test looks.
constexpr const char* ENDLESS_PI_COUNT = "50000000";

const char* const OPERATOR_NAMES[] = {"", "add", "sub", "mul", "div", "mod", "fac"};

struct Message
{
    std::string strText;
    std::string strCaption;
};

class HugeNumDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDlg = std::make_unique<CHugeNumDlg>(m_language, nullptr);
        SetLanguage(Language::English);
        m_pDlg->SetMessageFunction([this](const QString& strText, const QString& strCaption) {
            m_messages.push_back({strText.toStdString(), strCaption.toStdString()});
        });
        m_pDlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pDlg.get()));
        m_pFirst = Find<QPlainTextEdit>("first");
        m_pSecond = Find<QPlainTextEdit>("second");
        m_pResult = Find<CLongResultView>("result");
        m_pResultCount = Find<QLineEdit>("resultCount");
        m_pTime = Find<QLabel>("time");
        m_pCalculate = Find<QPushButton>("calculate");
    }

    void SetLanguage(Language language)
    {
        m_language.Set(language);
        m_pDlg->ApplyLanguage();
    }

    template <class Control>
    Control* Find(const char* pszName)
    {
        return FindControl<Control>(*m_pDlg, pszName);
    }

    QRadioButton* Operator(LongOperator op) { return Find<QRadioButton>(OPERATOR_NAMES[int(op)]); }

    // Empties both boxes, types the operands and clicks the operator.
    void Enter(const QString& strFirst, const QString& strSecond, LongOperator op)
    {
        m_pFirst->clear();
        m_pSecond->clear();
        QTest::keyClicks(m_pFirst, strFirst);
        QTest::keyClicks(m_pSecond, strSecond);
        QTest::mouseClick(Operator(op), Qt::LeftButton);
    }

    void Paste(QPlainTextEdit* pBox, const QString& strText)
    {
        QGuiApplication::clipboard()->setText(strText);
        QTest::keyClick(pBox, Qt::Key_V, Qt::ControlModifier);
    }

    void ClickCalculate() { QTest::mouseClick(m_pCalculate, Qt::LeftButton); }

    // Calculates and waits for the result; false when it never came.
    bool Calculate()
    {
        ClickCalculate();
        return QTest::qWaitFor([this] { return !m_pDlg->IsCalculating(); }, 120000);
    }

    std::string Text(const QPlainTextEdit* pBox) const { return pBox->toPlainText().toStdString(); }
    std::string Result() const { return m_pResult->Text(); }
    std::string Count() const { return m_pResultCount->text().toStdString(); }
    std::string Label(const char* pszName) { return Find<QLabel>(pszName)->text().toStdString(); }

    // How many of the two boxes and six operators take input.
    int EnabledInputs()
    {
        int nEnabled = int(m_pFirst->isEnabled()) + int(m_pSecond->isEnabled());
        for (int nOperator = int(LongOperator::Add); nOperator <= int(LongOperator::Fac);
             ++nOperator)
            nEnabled += int(Operator(LongOperator(nOperator))->isEnabled());
        return nEnabled;
    }

    FixedLanguage m_language{Language::Chinese};
    std::unique_ptr<CHugeNumDlg> m_pDlg;
    std::vector<Message> m_messages;
    QPlainTextEdit* m_pFirst = nullptr;
    QPlainTextEdit* m_pSecond = nullptr;
    CLongResultView* m_pResult = nullptr;
    QLineEdit* m_pResultCount = nullptr;
    QLabel* m_pTime = nullptr;
    QPushButton* m_pCalculate = nullptr;
};
} // namespace

TEST_F(HugeNumDlgTest, OperatorsShowTheResultWithItsLengthAndTime)
{
    const struct
    {
        const char* pFirst;
        const char* pSecond;
        LongOperator op;
        const char* pResult;
    } cases[] = {
        {"5", "12", LongOperator::Sub, "-7"},
        {"0", "0", LongOperator::Add, "0"},
        {"7", "7", LongOperator::Sub, "0"},
        {"100", "7", LongOperator::Div, "14"},
        {"3", "5", LongOperator::Div, "0"},
        {"6", "3", LongOperator::Mod, "0"},
        {"18446744073709551616", "4294967296", LongOperator::Div, "4294967296"},
        {"10", "", LongOperator::Fac, "3628800"},
        {"", "", LongOperator::Fac, "1"},
    };
    const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pFirst) + " op " + std::to_string(int(c.op)) + " " + c.pSecond);
        Enter(QString::fromLatin1(c.pFirst), QString::fromLatin1(c.pSecond), c.op);
        ASSERT_TRUE(Calculate());
        EXPECT_EQ(Result(), c.pResult);
        EXPECT_EQ(Count(), std::to_string(std::string(c.pResult).size()));
        EXPECT_TRUE(time.match(m_pTime->text()).hasMatch()) << m_pTime->text().toStdString();
        EXPECT_TRUE(m_messages.empty());
    }
}

TEST_F(HugeNumDlgTest, PiAndEComeCutToTheCountWithTheFirstBoxUpperCased)
{
    const struct
    {
        const char* pFirst;
        const char* pSecond;
        std::string strResult;
        const char* pCount;
        const char* pFirstAfter;
    } cases[] = {
        {"pi", "100", std::string(PI_99), "100", "PI"},
        {"Pi", "5", std::string(PI_99).substr(0, 6), "5", "PI"},
        {"e", "1", "2.", "1", "E"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pFirst) + " " + c.pSecond);
        Enter(QString::fromLatin1(c.pFirst), QString::fromLatin1(c.pSecond), LongOperator::Div);
        ASSERT_TRUE(Calculate());
        EXPECT_EQ(Result(), c.strResult);
        EXPECT_EQ(Count(), c.pCount);
        // Writing the upper-cased text back does not count as an edit that clears the result.
        EXPECT_EQ(Text(m_pFirst), c.pFirstAfter);
        EXPECT_EQ(Result(), c.strResult);
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(HugeNumDlgTest, ZeroDivisorShowsTheMessageAndNoResult)
{
    const struct
    {
        Language language;
        LongOperator op;
        const char* pText;
        const char* pCaption;
    } cases[] = {
        {Language::English, LongOperator::Div, "Divisor can not be zero", "Error"},
        {Language::English, LongOperator::Mod, "Divor can not be zero", "Error"},
        {Language::Chinese, LongOperator::Div, "除数不能为零", "错误"},
        {Language::Chinese, LongOperator::Mod, "除数不能为零", "错误"},
    };
    for (const auto& c : cases) {
        for (const char* pDivisor : {"0", "", "000"}) {
            SCOPED_TRACE(std::string(c.pText) + " divisor '" + pDivisor + "'");
            SetLanguage(c.language);
            m_messages.clear();
            Enter(QStringLiteral("1234"), QString::fromLatin1(pDivisor), c.op);
            ASSERT_TRUE(Calculate());
            ASSERT_EQ(m_messages.size(), 1u);
            EXPECT_EQ(m_messages[0].strText, c.pText);
            EXPECT_EQ(m_messages[0].strCaption, c.pCaption);
            EXPECT_EQ(Result(), "");
            EXPECT_EQ(Count(), "");
            EXPECT_TRUE(EnabledInputs() == 8);
        }
    }

    // pi without a count runs the operator; the box still shows what the calculation read.
    m_messages.clear();
    Enter(QStringLiteral("pi"), {}, LongOperator::Div);
    ASSERT_TRUE(Calculate());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strCaption, "错误");
    EXPECT_EQ(Text(m_pFirst), "PI");
    EXPECT_EQ(Result(), "");
}

TEST_F(HugeNumDlgTest, FirstBoxKeepsADigitStringOrPiOrE)
{
    const struct
    {
        const char* pTyped;
        const char* pKept;
    } cases[] = {
        {"x", ""},   {"a12", "12"}, {"pi5", "pi"}, {"px", "p"}, {"p3", "p"},      {"pI", "pI"},
        {"e1", "e"}, {"E", "E"},    {"12a", "12"}, {"3p", "3"}, {"0042", "0042"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pTyped);
        m_pFirst->clear();
        QTest::keyClicks(m_pFirst, QString::fromLatin1(c.pTyped));
        EXPECT_EQ(Text(m_pFirst), c.pKept);
        EXPECT_EQ(Label("firstCount"), std::to_string(std::string(c.pKept).size()));
    }
}

TEST_F(HugeNumDlgTest, PastingIntoTheFirstBoxGoesThroughTheSameFilterWithinTheLimit)
{
    const struct
    {
        std::string strPasted;
        std::string strKept;
    } cases[] = {
        {"ab12cd", "ab12"}, // the filter looks at the ends only
        {"pix", "pi"},
        {std::string(50000, 'q'), ""}, // one character at a time would recurse 50,000 deep
        {std::string(60000, '7'), std::string(50000, '7')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strPasted.substr(0, 10));
        m_pFirst->clear();
        Paste(m_pFirst, QString::fromStdString(c.strPasted));
        EXPECT_EQ(Text(m_pFirst), c.strKept);
    }
    // Typing into a full box adds nothing.
    QTest::keyClick(m_pFirst, Qt::Key_5);
    EXPECT_EQ(Text(m_pFirst).size(), 50000u);
}

TEST_F(HugeNumDlgTest, SecondBoxRefusesTypedNonDigits)
{
    QTest::keyClicks(m_pSecond, QStringLiteral("1a2-b3 "));
    EXPECT_EQ(Text(m_pSecond), "123");
    EXPECT_EQ(Label("secondCount"), "3");
}

TEST_F(HugeNumDlgTest, OperandsThatAreNotDigitsAreRefusedNamingBoxAndPosition)
{
    const struct
    {
        const char* pFirst;
        const char* pSecond;
        LongOperator op;
        std::string strMessage;
        std::string strResult;
    } cases[] = {
        {"ab12", "3", LongOperator::Add, "Ingeter 1 bit 1 has illegal character", ""},
        {"12", "4x5", LongOperator::Mul, "Ingeter 2 bit 2 has illegal character", ""},
        {"pi", "-5", LongOperator::Add, "Ingeter 2 bit 1 has illegal character", ""},
        {"pi", "", LongOperator::Add, "Ingeter 1 bit 1 has illegal character", ""},
        {"1 2", "3\n", LongOperator::Add, "", "15"}, // white space does not count
        {"pi", "99999999999", LongOperator::Add, std::to_string(LONG_MAX_CONSTANT_DIGITS), ""},
        {"99999999999", "", LongOperator::Fac, std::to_string(LONG_MAX_FACTORIAL), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pFirst) + " / " + c.pSecond);
        m_messages.clear();
        Enter({}, {}, c.op);
        Paste(m_pFirst, QString::fromLatin1(c.pFirst));
        Paste(m_pSecond, QString::fromLatin1(c.pSecond));
        ASSERT_TRUE(Calculate());
        EXPECT_EQ(Result(), c.strResult);
        if (c.strMessage.empty()) {
            EXPECT_TRUE(m_messages.empty());
            continue;
        }
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_NE(m_messages[0].strText.find(c.strMessage), std::string::npos)
            << m_messages[0].strText;
    }
}

TEST_F(HugeNumDlgTest, LeavingTheFirstBoxWarnsOfItsFirstIllegalCharacter)
{
    m_pDlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_pDlg.get()));
    const struct
    {
        Language language;
        const char* pDigits; // typed, then the letter goes in after the first digit
        const char* pLetter;
        const char* pText;
        const char* pCaption;
    } cases[] = {
        {Language::English, "12", "a", "Ingeter 1 bit 2 has illegal character", "Warning"},
        {Language::Chinese, "34", "z", "整数1第 2 位有非法字符", "提示"},
        {Language::English, "pi", "", nullptr, nullptr},
        {Language::English, "e", "", nullptr, nullptr},
        {Language::English, "90", "", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pDigits);
        SetLanguage(c.language);
        m_pFirst->clear();
        m_pFirst->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_pFirst->hasFocus(); }));
        QTest::keyClicks(m_pFirst, QString::fromLatin1(c.pDigits));
        QTest::keyClick(m_pFirst, Qt::Key_Home);
        QTest::keyClick(m_pFirst, Qt::Key_Right);
        QTest::keyClicks(m_pFirst, QString::fromLatin1(c.pLetter));
        m_messages.clear();
        m_pSecond->setFocus();
        if (c.pText == nullptr) {
            // A warning is queued when the focus leaves; a call queued after it runs later.
            ASSERT_TRUE(QTest::qWaitFor([this] { return m_pSecond->hasFocus(); }));
            bool bFlushed = false;
            QMetaObject::invokeMethod(
                m_pDlg.get(), [&bFlushed] { bFlushed = true; }, Qt::QueuedConnection);
            ASSERT_TRUE(QTest::qWaitFor([&bFlushed] { return bFlushed; }));
            EXPECT_TRUE(m_messages.empty());
            continue;
        }
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_messages.empty(); }));
        EXPECT_EQ(m_messages[0].strText, c.pText);
        EXPECT_EQ(m_messages[0].strCaption, c.pCaption);
        EXPECT_EQ(Text(m_pFirst).size(), 3u); // the warning changes nothing
    }
}

TEST_F(HugeNumDlgTest, EditingEitherBoxOrPickingAnOperatorClearsTheResult)
{
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"type in the first box", [this] { QTest::keyClick(m_pFirst, Qt::Key_1); }},
        {"type in the second box", [this] { QTest::keyClick(m_pSecond, Qt::Key_1); }},
        {"pick another operator",
         [this] { QTest::mouseClick(Operator(LongOperator::Mul), Qt::LeftButton); }},
        {"pick the same operator",
         [this] { QTest::mouseClick(Operator(LongOperator::Add), Qt::LeftButton); }},
    };
    for (const auto& [pAction, action] : actions) {
        SCOPED_TRACE(pAction);
        Enter(QStringLiteral("5"), QStringLiteral("12"), LongOperator::Add);
        ASSERT_TRUE(Calculate());
        ASSERT_EQ(Result(), "17");
        action();
        EXPECT_EQ(Result(), "");
        EXPECT_EQ(Count(), "");
        EXPECT_EQ(m_pTime->text().toStdString(), "");
    }
}

TEST_F(HugeNumDlgTest, InputsAreDisabledWhileCalculatingAndEnabledAfter)
{
    Enter(QStringLiteral("pi"), QStringLiteral("300000"), LongOperator::Add);
    const QString strCalculate = m_pCalculate->text();
    ClickCalculate();
    EXPECT_TRUE(m_pDlg->IsCalculating());
    EXPECT_TRUE(EnabledInputs() == 0);
    EXPECT_TRUE(m_pCalculate->isEnabled());
    EXPECT_NE(m_pCalculate->text(), strCalculate); // it offers to stop
    EXPECT_FALSE(m_pResult->PlaceholderText().isEmpty());
    EXPECT_EQ(m_pTime->text().toStdString(), "00:00:00");

    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_pDlg->IsCalculating(); }, 120000));
    EXPECT_TRUE(EnabledInputs() == 8);
    EXPECT_EQ(m_pCalculate->text(), strCalculate);
    EXPECT_TRUE(m_pResult->PlaceholderText().isEmpty());
    EXPECT_EQ(Count(), "300000");
    EXPECT_EQ(Result().substr(0, 20), std::string(PI_99).substr(0, 20));
}

TEST_F(HugeNumDlgTest, StopLeavesTheInputsAnEmptyResultAndAWindowReadyAtOnce)
{
    Enter(QStringLiteral("pi"), QString::fromLatin1(ENDLESS_PI_COUNT), LongOperator::Sub);
    ClickCalculate();
    ASSERT_TRUE(m_pDlg->IsCalculating());
    ClickCalculate(); // now Stop
    EXPECT_FALSE(m_pDlg->IsCalculating());
    EXPECT_TRUE(EnabledInputs() == 8);
    EXPECT_EQ(Text(m_pFirst), "pi");
    EXPECT_EQ(Text(m_pSecond), ENDLESS_PI_COUNT);
    EXPECT_EQ(Result(), "");
    EXPECT_EQ(m_pTime->text().toStdString(), "Stopped");

    // The next calculation runs while the stopped one is still winding down.
    Enter(QStringLiteral("5"), QStringLiteral("12"), LongOperator::Sub);
    ASSERT_TRUE(Calculate());
    EXPECT_EQ(Result(), "-7");
    EXPECT_EQ(Count(), "2");
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_pDlg->WorkerThreadCount() == 0; }, 120000));
    EXPECT_EQ(Result(), "-7"); // the stopped one's result never shows
    EXPECT_TRUE(m_messages.empty());

    // Destroying the window while it calculates cancels the worker without waiting for it.
    Enter(QStringLiteral("pi"), QString::fromLatin1(ENDLESS_PI_COUNT), LongOperator::Add);
    ClickCalculate();
    ASSERT_EQ(m_pDlg->WorkerThreadCount(), 1);
    QPointer<QPlainTextEdit> pFirst = m_pFirst;
    m_pDlg.reset();
    EXPECT_TRUE(pFirst.isNull());
}

TEST_F(HugeNumDlgTest, BarAndResultBoxShowTheProgressAndTheEndIsSaidInBothLanguages)
{
    auto* pBar = Find<QProgressBar>("progress");
    const struct
    {
        Language language;
        const char* pProgress; // in the result box while calculating
        const char* pStopped;
        const char* pDone;
    } cases[] = {
        {Language::English, "% done", "Stopped", "Done: 100 digits"},
        {Language::Chinese, "已完成 ", "已停止", "完成：100 位"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pStopped);
        SetLanguage(c.language);
        Enter(QStringLiteral("pi"), QString::fromLatin1(ENDLESS_PI_COUNT), LongOperator::Add);
        EXPECT_FALSE(pBar->isVisible());
        ClickCalculate();
        EXPECT_TRUE(pBar->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([pBar] { return pBar->value() > 0; }, 60000));
        EXPECT_LT(pBar->value(), pBar->maximum());
        EXPECT_TRUE(m_pResult->PlaceholderText().contains(QString::fromUtf8(c.pProgress)))
            << m_pResult->PlaceholderText().toStdString();

        ClickCalculate(); // Stop
        EXPECT_FALSE(pBar->isVisible());
        EXPECT_EQ(m_pTime->text().toStdString(), c.pStopped);
        EXPECT_EQ(m_pDlg->EndText().toStdString(), c.pStopped);
        // The stop goes with the next edit, like a result.
        QTest::keyClick(m_pSecond, Qt::Key_Backspace);
        EXPECT_EQ(m_pTime->text().toStdString(), "");

        Enter(QStringLiteral("pi"), QStringLiteral("100"), LongOperator::Add);
        ASSERT_TRUE(Calculate());
        EXPECT_FALSE(pBar->isVisible());
        EXPECT_EQ(m_pDlg->EndText().toStdString(), c.pDone);
    }
    // A stop already said follows a change of language.
    Enter(QStringLiteral("pi"), QString::fromLatin1(ENDLESS_PI_COUNT), LongOperator::Add);
    ClickCalculate();
    ClickCalculate();
    SetLanguage(Language::English);
    EXPECT_EQ(m_pTime->text().toStdString(), "Stopped");
}

TEST_F(HugeNumDlgTest, CaptionsFollowTheLanguage)
{
    const struct
    {
        Language language;
        std::vector<std::pair<const char*, const char*>> captions; // object name, caption
        const char* pTitle;
        const char* pOperator;
        const char* pCalculate;
    } cases[] = {
        {Language::English,
         {{"firstCaption", "Integer1/pi/e"},
          {"secondCaption", "Integer2/bits"},
          {"resultCaption", "Result"},
          {"firstBits", "Bits"},
          {"secondBits", "Bits"},
          {"resultBits", "Bits"},
          {"takeTime", "Take time"}},
         "Long Number Calculator",
         "Operator",
         "Calculate"},
        {Language::Chinese,
         {{"firstCaption", "整数1/pi/e)"},
          {"secondCaption", "整数2/位数"},
          {"resultCaption", "结果"},
          {"firstBits", "位数"},
          {"secondBits", "位数"},
          {"resultBits", "位数"},
          {"takeTime", "用时"}},
         "长数计算",
         "运算类型",
         "计   算"},
    };
    const char* const radios[2][6] = {{"Add", "Sub", "Mul", "Div", "Mod", "Fac"},
                                      {"加", "减", "乘", "除", "余", "阶乘"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.language));
        SetLanguage(c.language);
        for (const auto& [pName, pCaption] : c.captions)
            EXPECT_EQ(Label(pName), pCaption) << pName;
        EXPECT_EQ(m_pDlg->windowTitle().toStdString(), c.pTitle);
        EXPECT_EQ(Find<QGroupBox>("operator")->title().toStdString(), c.pOperator);
        EXPECT_EQ(m_pCalculate->text().toStdString(), c.pCalculate);
        for (int nOperator = int(LongOperator::Add); nOperator <= int(LongOperator::Fac);
             ++nOperator)
            EXPECT_EQ(Operator(LongOperator(nOperator))->text().toStdString(),
                      radios[c.language == Language::English ? 0 : 1][nOperator - 1]);
    }
}

TEST_F(HugeNumDlgTest, EnterOrEscapeInABoxHidesTheWindowAndEnterOnCalculatePressesIt)
{
    QSignalSpy hidden(m_pDlg.get(), &CAuxWindow::Hidden);
    const std::pair<QWidget*, Qt::Key> keys[] = {{m_pFirst, Qt::Key_Return},
                                                 {m_pSecond, Qt::Key_Enter},
                                                 {m_pFirst, Qt::Key_Escape},
                                                 {m_pResult, Qt::Key_Return}};
    for (const auto& [pBox, key] : keys) {
        SCOPED_TRACE(pBox->objectName().toStdString());
        m_pDlg->show();
        Enter(QStringLiteral("12"), QStringLiteral("34"), LongOperator::Add);
        const int nHidden = int(hidden.count());
        QTest::keyClick(pBox, key);
        EXPECT_FALSE(m_pDlg->isVisible());
        EXPECT_EQ(hidden.count(), nHidden + 1);
        EXPECT_EQ(Text(m_pFirst), "12");
        EXPECT_EQ(Text(m_pSecond), "34");
    }
    m_pDlg->show();
    QTest::keyClick(m_pCalculate, Qt::Key_Return);
    EXPECT_TRUE(m_pDlg->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_pDlg->IsCalculating(); }));
    EXPECT_EQ(Result(), "46");
}

TEST_F(HugeNumDlgTest, ResultBoxSelectsAndCopiesWithoutLosingDigits)
{
    Enter(QStringLiteral("pi"), QStringLiteral("5000"), LongOperator::Add);
    ASSERT_TRUE(Calculate());
    ASSERT_EQ(Result().size(), 5001u);
    m_pResult->setFocus();
    QTest::keyClick(m_pResult, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_pResult, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), Result());

    // A drag along the top row selects the result's beginning.
    QWidget* pViewport = m_pResult->viewport();
    QTest::mousePress(pViewport, Qt::LeftButton, {}, QPoint(2, 5));
    QTest::mouseMove(pViewport, QPoint(pViewport->width() / 2, 5));
    QTest::mouseRelease(pViewport, Qt::LeftButton, {}, QPoint(pViewport->width() / 2, 5));
    const std::string strSelected = m_pResult->SelectedText().toStdString();
    EXPECT_GT(strSelected.size(), 3u);
    EXPECT_EQ(strSelected, Result().substr(0, strSelected.size()));

    QTest::mouseDClick(pViewport, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(m_pResult->SelectedText().toStdString(), Result());
}

// The clipboard shares the result box's digits rather than copying them: they must stay when
// the box lets go of them.
TEST_F(HugeNumDlgTest, CopiedDigitsOutliveTheResultTheyCameFrom)
{
    Enter(QStringLiteral("pi"), QStringLiteral("5000"), LongOperator::Add);
    ASSERT_TRUE(Calculate());
    const std::string strPi = Result();
    m_pResult->setFocus();
    QTest::keyClick(m_pResult, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_pResult, Qt::Key_C, Qt::ControlModifier);
    Enter(QStringLiteral("e"), QStringLiteral("5000"), LongOperator::Add);
    ASSERT_TRUE(Result().empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), strPi);
    ASSERT_TRUE(Calculate());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), strPi);
}

TEST_F(HugeNumDlgTest, SavedResultIsTheWholeResultAsTheCommandLinePrintsIt)
{
    Enter(QStringLiteral("pi"), QStringLiteral("1000000"), LongOperator::Add);
    ASSERT_TRUE(Calculate());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString strPath = dir.filePath("pi.txt");
    QStringList reports;
    m_pResult->SetSaveDialogs({[&](QWidget*, const QString&, const QString&, const QStringList&,
                                   int*) { return strPath; },
                               [&](QWidget*, const QString& strText) { reports << strText; }});
    m_pResult->SaveResultAs();
    QProcess cli;
    cli.start(PELMORIX_CLI_PATH, {"long", "pi", "1000000"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    const QByteArray expected = cli.readAllStandardOutput();
    ASSERT_EQ(expected.size(), 1000002);
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == expected);
    EXPECT_TRUE(reports.isEmpty());
}
