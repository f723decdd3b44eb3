#include "tests/ui/support/MainWindowFixture.h"

#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace
{
constexpr AuxWindowLook SMALL{{"Small", "小"}, 320, 10, 100, 80, false};
constexpr QPoint SMALL_OFFSET(320, 10);

class AuxWindowPlacementTest : public ::testing::Test
{
protected:
    void SetUp() override { m_owner.resize(300, 200); }

    static QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    void PlaceOwner(const QPoint& at)
    {
        m_owner.move(at);
        m_owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_owner));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_owner.pos() == at; }));
    }

    QPoint ClientOrigin() const { return m_owner.mapToGlobal(QPoint(0, 0)); }

    const FixedLanguage m_language{Language::English};
    QWidget m_owner;
};

TEST_F(AuxWindowPlacementTest, FirstShowFollowsTheOwnersClientAreaThenStays)
{
    const QPoint corner = Available().topLeft();
    for (const QPoint& at : {corner + QPoint(20, 30), corner + QPoint(150, 100)}) {
        SCOPED_TRACE(at.x());
        PlaceOwner(at);
        CAuxWindow window(SMALL, m_language, &m_owner);
        window.show();
        const QPoint first = ClientOrigin() + SMALL_OFFSET;
        EXPECT_EQ(window.pos(), first);

        // Later shows leave it where it is, wherever the owner has gone since.
        window.hide();
        m_owner.move(at + QPoint(40, 40));
        window.show();
        EXPECT_EQ(window.pos(), first);
        // So does a move of its own.
        window.move(first + QPoint(7, 9));
        window.hide();
        window.show();
        EXPECT_EQ(window.pos(), first + QPoint(7, 9));
    }
}

TEST_F(AuxWindowPlacementTest, PulledBackOntoTheScreenBesideAnOwnerAtTheScreensEdge)
{
    const QRect screen = Available();
    PlaceOwner(QPoint(screen.right() + 1 - m_owner.width(), screen.top() + 30));
    CAuxWindow window(SMALL, m_language, &m_owner);
    window.show();
    // Right of the owner there is no room; pulled back, it lies just below the owner.
    EXPECT_EQ(window.pos(), QPoint(screen.right() + 1 - window.frameGeometry().width(),
                                   m_owner.frameGeometry().bottom() + 1));
    EXPECT_TRUE(screen.contains(window.frameGeometry()));
    EXPECT_FALSE(window.frameGeometry().intersects(m_owner.frameGeometry()));
}

// A window larger than the screen's usable area fits on it, and each of its controls, in the
// corners and the middle, comes into view when it takes the focus.
TEST_F(AuxWindowPlacementTest, AWindowLargerThanTheScreenKeepsEveryControlReachable)
{
    const QRect screen = Available();
    PlaceOwner(screen.topLeft() + QPoint(10, 10));
    const int cx = screen.width() + 200;
    const int cy = screen.height() + 150;
    const AuxWindowLook huge{{"Huge", "大"}, 0, 0, cx, cy, false};
    CAuxWindow window(huge, m_language, &m_owner);
    QList<QWidget*> controls;
    for (const QPoint& at : {QPoint(0, 0), QPoint(cx - 80, 0), QPoint(0, cy - 24),
                             QPoint(cx - 80, cy - 24), QPoint(cx / 2, cy / 2)}) {
        QWidget* pControl = controls.size() % 2 == 0
                                ? static_cast<QWidget*>(new QPushButton("OK", &window))
                                : new QLineEdit(&window);
        pControl->setGeometry(QRect(at, QSize(80, 24)));
        controls << pControl;
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(screen.contains(window.frameGeometry()));
    for (QWidget* pControl : controls) {
        SCOPED_TRACE(pControl->metaObject()->className());
        pControl->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pControl->hasFocus(); }));
        // Wholly shown, inside the client area and clear of the scroll bars.
        EXPECT_EQ(pControl->visibleRegion(), QRegion(pControl->rect()));
        const QRect shown(pControl->mapTo(&window, QPoint(0, 0)), pControl->size());
        EXPECT_TRUE(window.contentsRect().contains(shown));
    }
}

using AuxWindowsOfTheMainWindowTest = MainWindowFixture;

TEST_F(AuxWindowsOfTheMainWindowTest, NoWindowOpensOverTheButtonRowOrOffTheScreen)
{
    // In the screen's lower right corner the main window leaves room for the tallest window
    // beside its buttons, even on a small screen.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner = screen.bottomRight() + QPoint(1, 1) -
                          QPoint(m_pDlg->frameGeometry().width(), m_pDlg->frameGeometry().height());
    m_pDlg->move(corner);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->pos() == corner; }));
    QRect row;
    for (AuxId id : AUX_SKIN_ORDER) {
        CHoverButton& button = m_pDlg->Button(id);
        row |= QRect(button.mapToGlobal(QPoint(0, 0)), button.size());
    }
    for (AuxId id : AUX_SKIN_ORDER) {
        CAuxWindow& window = m_pDlg->Row().AuxWindow(id);
        SCOPED_TRACE(window.windowTitle().toStdString());
        const QPoint before = window.pos();
        QTest::mouseClick(&m_pDlg->Button(id), Qt::LeftButton);
        ASSERT_TRUE(window.isVisible());
        if (id == AuxId::Keyboard) {
            // Docked by snapping before it was first shown, it stays docked.
            EXPECT_EQ(window.pos(), before);
            continue;
        }
        EXPECT_FALSE(window.frameGeometry().intersects(row));
        EXPECT_TRUE(screen.contains(window.frameGeometry()));
    }
}
} // namespace
