#include "tests/ui/support/MainWindowFixture.h"

#include "ui/base/HoverButton.h"
#include "ui/base/QtColor.h"
#include "ui/bignum/HugeNumDlg.h"
#include "ui/bignum/LongResultView.h"

#include <QPlainTextEdit>
#include <QRadioButton>

namespace
{
using HugeNumInMainWindowTest = MainWindowFixture;
} // namespace

// The "LonN" button shows a working calculator whose three boxes wear the long-number font and
// follow the edit colours of the settings.
TEST_F(HugeNumInMainWindowTest, LonNButtonShowsTheCalculatorInTheMainWindowsFontAndColours)
{
    auto* pWindow = &m_pDlg->Row().HugeNum();
    ASSERT_NE(pWindow, nullptr);
    EXPECT_FALSE(pWindow->isVisible());
    auto* pFirst = pWindow->findChild<QPlainTextEdit*>(QStringLiteral("first"));
    auto* pSecond = pWindow->findChild<QPlainTextEdit*>(QStringLiteral("second"));
    auto* pResult = pWindow->findChild<CLongResultView*>(QStringLiteral("result"));
    auto* pSub = pWindow->findChild<QRadioButton*>(QStringLiteral("sub"));
    auto* pCalculate = pWindow->findChild<QPushButton*>(QStringLiteral("calculate"));
    ASSERT_TRUE(pFirst && pSecond && pResult && pSub && pCalculate);
    EXPECT_NE(qobject_cast<CHoverButton*>(pCalculate), nullptr);

    for (QWidget* pBox : std::initializer_list<QWidget*>{pFirst, pSecond, pResult}) {
        SCOPED_TRACE(pBox->objectName().toStdString());
        EXPECT_EQ(pBox->font(), m_pDlg->LongNumberFont());
    }
    const ColorRef crText = MakeRgb(200, 10, 30);
    const ColorRef crBack = MakeRgb(240, 250, 200);
    m_pDlg->SettingsHost().Settings().m_crText = crText;
    m_pDlg->SettingsHost().Settings().m_crBack = crBack;
    m_pDlg->RedrawEditBoxes();
    for (QWidget* pBox : std::initializer_list<QWidget*>{pFirst, pSecond, pResult}) {
        SCOPED_TRACE(pBox->objectName().toStdString());
        EXPECT_EQ(pBox->palette().color(QPalette::Active, QPalette::Text), ToQColor(crText));
        EXPECT_EQ(pBox->palette().color(QPalette::Active, QPalette::Base), ToQColor(crBack));
    }

    SetLanguage(Language::Chinese);
    EXPECT_EQ(pCalculate->text().toStdString(), "计   算");
    QTest::mouseClick(&m_pDlg->Button(AuxId::LongNumber), Qt::LeftButton);
    ASSERT_TRUE(pWindow->isVisible());
    QTest::keyClicks(pFirst, QStringLiteral("5"));
    QTest::keyClicks(pSecond, QStringLiteral("12"));
    QTest::mouseClick(pSub, Qt::LeftButton);
    QTest::mouseClick(pCalculate, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pWindow->IsCalculating(); }));
    EXPECT_EQ(pResult->Text(), "-7");

    // Closing the main window while a calculation runs ends it without waiting for the result.
    pFirst->clear();
    QTest::keyClicks(pFirst, QStringLiteral("pi"));
    pSecond->clear();
    QTest::keyClicks(pSecond, QStringLiteral("50000000"));
    QTest::mouseClick(pCalculate, Qt::LeftButton);
    EXPECT_TRUE(pWindow->IsCalculating());
    m_pDlg->close();
    m_pDlg.reset();
}
