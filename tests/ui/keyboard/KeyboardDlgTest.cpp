#include "tests/ui/support/MainWindowFixture.h"
#include "ui/base/HoverButton.h"
#include "ui/graph/GraphDlg.h"
#include "ui/keyboard/KeyboardDlg.h"

#include <QApplication>

#include <vector>

namespace
{
class KeyboardDlgTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        QTest::mouseClick(&m_pDlg->Button(AuxId::Keyboard), Qt::LeftButton);
        ASSERT_TRUE(m_pDlg->Row().Keyboard().isVisible());
    }

    CHoverButton* KeyButton(const char* strCaption)
    {
        for (CHoverButton* pButton : m_pDlg->Row().Keyboard().findChildren<CHoverButton*>())
            if (pButton->text() == QLatin1String(strCaption))
                return pButton;
        return nullptr;
    }

    // Starts from strText with the characters from nAnchor to nCaret selected, after a key that
    // leaves no Enter pending.
    void Start(const QString& strText, int nAnchor, int nCaret)
    {
        Console().setPlainText(strText);
        Key(Qt::Key_End);
        QTextCursor cursor = Console().textCursor();
        cursor.setPosition(nAnchor);
        cursor.setPosition(nCaret, QTextCursor::KeepAnchor);
        Console().setTextCursor(cursor);
    }

    // Clicks the button while it holds the keyboard focus, as a click with the mouse leaves it;
    // true when the console has the focus afterwards.
    bool Click(CHoverButton* pButton)
    {
        m_pDlg->Row().Keyboard().activateWindow();
        pButton->setFocus();
        // The click is tried whether or not the focus has arrived in time.
        static_cast<void>(
            QTest::qWaitFor([pButton] { return QApplication::focusWidget() == pButton; }, 1000));
        QTest::mouseClick(pButton, Qt::LeftButton);
        return QTest::qWaitFor([this] { return QApplication::focusWidget() == &Console(); }, 1000);
    }
};

// A step is a keyboard button's caption, or "Enter" pressed on the real keyboard.
struct KeyboardCase
{
    const char* strName;
    QString strStart;
    int nAnchor;
    int nCaret;
    std::vector<const char*> steps;
    QString strExpected;
    int nExpectedCaret;
};

TEST_F(KeyboardDlgTest, ButtonsEditAndRunTheConsoleLikeTheKeysTheyStandFor)
{
    SetLanguage(Language::English);
    const std::vector<KeyboardCase> cases{
        {"digits and operators type; x is the times sign",
         "",
         0,
         0,
         {"1", "2", "x", "3", "+", "4", "5", "6", "7", "8", "9", "0", "-", ".", "/", "(", ")"},
         "12*3+4567890-./()",
         17},
        {"a digit types over the selection", "abc", 0, 3, {"5"}, "5", 1},
        {"sin over a selection leaves the caret inside", "abc", 0, 3, {"sin"}, "sin()", 4},
        {"functions nest", "", 0, 0, {"sqrn", "n!", "sum", "e"}, "sqrn(!(sum(e)))", 12},
        {"fx and pi leave the caret after them", "", 0, 0, {"fx", "pi"}, "fx pi", 5},
        {"Ans runs the whole line from its middle", "1+2", 1, 1, {"Ans"}, "1+2\n3\n", 6},
        {"Ans on a typed line", "", 0, 0, {"2", "x", "3", "Ans"}, "2*3\n6\n", 6},
        {"fxcls finishes its line silently", "", 0, 0, {"fxcls"}, "fxcls\n", 6},
        {"cls empties the console", "1+2\n3\n", 6, 6, {"cls"}, "", 0},
        {"an Enter pending from inside a line is run once",
         "1+2",
         0,
         0,
         {"Enter", "Ans"},
         "\n1+2\n3\n",
         7},
    };
    for (const KeyboardCase& test : cases) {
        SCOPED_TRACE(test.strName);
        Start(test.strStart, test.nAnchor, test.nCaret);
        for (const char* strStep : test.steps) {
            if (QLatin1String(strStep) == QLatin1String("Enter")) {
                Key(Qt::Key_Return);
                continue;
            }
            CHoverButton* pButton = KeyButton(strStep);
            ASSERT_NE(pButton, nullptr) << strStep;
            EXPECT_TRUE(Click(pButton)) << strStep;
        }
        EXPECT_EQ(Text().toStdString(), test.strExpected.toStdString());
        EXPECT_EQ(Console().textCursor().position(), test.nExpectedCaret);
        EXPECT_FALSE(Console().textCursor().hasSelection());
    }
}

// A curve line built with the mouse and the letter x typed on the real keyboard is plotted by
// "Ans"; "fxcls" clears it again.
TEST_F(KeyboardDlgTest, AnsPlotsACurveBuiltByMouse)
{
    for (const char* strCaption : {"fx", "0", ",", "6", ",", "sin"})
        QTest::mouseClick(KeyButton(strCaption), Qt::LeftButton);
    EXPECT_EQ(Text(), "fx 0,6,sin()");
    Type("x");
    EXPECT_EQ(Text(), "fx 0,6,sin(x)");
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::Graph));

    QTest::mouseClick(KeyButton("Ans"), Qt::LeftButton);
    EXPECT_EQ(Text(), "fx 0,6,sin(x)\n");
    EXPECT_TRUE(m_pDlg->Row().IsShown(AuxId::Graph));
    EXPECT_EQ(m_pDlg->Row().Graph().Curves().Slot(0).state, CurveState::Valid);

    QTest::mouseClick(KeyButton("fxcls"), Qt::LeftButton);
    EXPECT_EQ(m_pDlg->Row().Graph().Curves().Slot(0).state, CurveState::Empty);
}
} // namespace
