#include "tests/ui/support/MainWindowFixture.h"

#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"

#include <QApplication>

namespace
{
using WindowKeysTest = MainWindowFixture;

// The row's order, which is the order of the keys Ctrl+1 ... Ctrl+7.
constexpr AuxId ROW[] = {AuxId::Settings,     AuxId::Help,       AuxId::UnitConverter, AuxId::Graph,
                         AuxId::VariableList, AuxId::LongNumber, AuxId::Keyboard};

bool HasKeyboard(const QWidget& window)
{
    return QApplication::focusWidget() != nullptr &&
           QApplication::focusWidget()->window() == &window;
}

// Each key shows its window with the keyboard in it, from the console, and hides it again from
// inside the window, giving the keyboard back to the console.
TEST_F(WindowKeysTest, CtrlDigitsShowAndHideTheRowsWindows)
{
    m_pDlg->activateWindow();
    for (int nRow = 0; nRow < 7; ++nRow) {
        const AuxId id = ROW[nRow];
        CAuxWindow& window = m_pDlg->Row().AuxWindow(id);
        SCOPED_TRACE(window.windowTitle().toStdString());
        const auto key = Qt::Key(Qt::Key_1 + nRow);
        Console().setFocus();
        QTest::keyPress(&Console(), Qt::Key_Control);
        QTest::keyClick(&Console(), key, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible() && HasKeyboard(window); }));
        EXPECT_TRUE(m_pDlg->Row().IsShown(id));
        EXPECT_FALSE(Console().IsCtrlDown()); // its Ctrl comes up in the other window
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible() && Console().hasFocus(); }));
        EXPECT_FALSE(m_pDlg->Row().IsShown(id));
    }
}

TEST_F(WindowKeysTest, F1ShowsHelpAndEscapeGivesTheKeyboardBack)
{
    m_pDlg->activateWindow();
    CAuxWindow& help = m_pDlg->Row().AuxWindow(AuxId::Help);
    for (int nTimes = 0; nTimes < 2; ++nTimes) { // F1 shows, and never hides
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return help.isVisible() && HasKeyboard(help); }));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !help.isVisible() && Console().hasFocus(); }));
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::Help));
}

// Tab takes the keyboard from the console along the row, and a repaint leaves it there.
TEST_F(WindowKeysTest, TabReachesTheButtonRow)
{
    m_pDlg->activateWindow();
    Console().setFocus();
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &m_pDlg->Button(AuxId::Settings));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &m_pDlg->Button(AuxId::Help));
    m_pDlg->repaint();
    EXPECT_EQ(QApplication::focusWidget(), &m_pDlg->Button(AuxId::Help));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(m_pDlg->Row().AuxWindow(AuxId::Help).isVisible());
}
} // namespace
