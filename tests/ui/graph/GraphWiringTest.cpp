#include "tests/ui/support/MainWindowFixture.h"
#include "ui/graph/GraphDlg.h"

namespace
{
class GraphWiringTest : public MainWindowFixture
{
protected:
    // Types the line with Enter and returns what the console wrote below it.
    QString Enter(const QString& strLine)
    {
        const int nBefore = int(Text().size());
        Type(strLine);
        Key(Qt::Key_Return);
        return Text().mid(nBefore + int(strLine.size()) + 1);
    }

    const CCurveTable& Curves() { return m_pDlg->Row().Graph().Curves(); }
};

TEST_F(GraphWiringTest, CurveErrorsComeBackIntoTheConsoleAndLeaveTheWindowHidden)
{
    SetLanguage(Language::English);
    EXPECT_EQ(Enter("fx 0,1"), "Error: [missing ',']\n");
    EXPECT_EQ(Enter("fx sin(x)"), "Error: [missing ',']\n");
    EXPECT_EQ(Enter("a=2"), "");
    EXPECT_EQ(Enter("fx1 a*x"), "Error: [syntax Error]\n");
    EXPECT_EQ(Enter("fx2 sqr(x-1)"), "Error: [Complex value]\n");
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::Graph));
    EXPECT_FALSE(m_pDlg->Row().Graph().isVisible());
    SetLanguage(Language::Chinese);
    EXPECT_EQ(Enter("fx 0,1"), QString::fromUtf8("错误: [丢失',']\n"));
}

TEST_F(GraphWiringTest, PlottedCurvesShowTheWindowAndLeaveTheConsolesVariablesAlone)
{
    EXPECT_EQ(Enter("x=5"), "");
    EXPECT_EQ(Enter("fx 0,360,sin(x)"), "");
    EXPECT_EQ(Enter("fx1 cos(2*x)"), "");
    EXPECT_TRUE(m_pDlg->Row().IsShown(AuxId::Graph));
    EXPECT_TRUE(m_pDlg->Row().Graph().isVisible());
    EXPECT_EQ(m_pDlg->focusWidget(), &Console());
    EXPECT_EQ(Curves().Slot(0).state, CurveState::Valid);
    EXPECT_EQ(Curves().Slot(1).state, CurveState::Valid);
    EXPECT_NEAR(Curves().Slot(1).samples[(CURVE_SAMPLES - 1) / 4], -1.0, 1e-6); // cos(2 * 90)
    EXPECT_EQ(Enter("x"), "5\n");

    // Escape in the graph window hides it and hands the focus back to the console.
    m_pDlg->Row().Graph().activateWindow();
    QTest::keyClick(&m_pDlg->Row().Graph(), Qt::Key_Escape);
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::Graph));
    EXPECT_TRUE(Console().hasFocus() || m_pDlg->focusWidget() == &Console());

    EXPECT_EQ(Enter("fxcls"), "");
    EXPECT_EQ(Curves().Slot(0).state, CurveState::Empty);
    EXPECT_EQ(Curves().Slot(1).state, CurveState::Empty);
}
} // namespace
