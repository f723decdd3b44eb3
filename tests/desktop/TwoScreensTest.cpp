#include "tests/ui/support/MainWindowFixture.h"

#include "ui/app/AuxWindowId.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"

#include <QGuiApplication>
#include <QScreen>

namespace
{
using TwoScreens = MainWindowFixture;

// With the main window on either screen, every auxiliary window opens on that screen, the docked
// keyboard included, and comes back there when the window it was on is shown again.
TEST_F(TwoScreens, WindowsOpenAndStayOnTheMainWindowsScreen)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    for (QScreen* pScreen : {screens[1], screens[0]}) {
        SCOPED_TRACE(pScreen->name().toStdString());
        Reopen();
        const QRect area = pScreen->availableGeometry();
        // At the screen's right edge, where the windows' template places lie on the other screen
        // or beyond.
        m_pDlg->move(area.right() + 1 - m_pDlg->width(), area.center().y() - m_pDlg->height() / 2);
        ASSERT_TRUE(QTest::qWaitFor([&] { return area.contains(m_pDlg->frameGeometry()); }));
        for (AuxId id : AUX_SKIN_ORDER) {
            CAuxWindow& window = m_pDlg->Row().AuxWindow(id);
            SCOPED_TRACE(window.windowTitle().toStdString());
            QTest::mouseClick(&m_pDlg->Button(id), Qt::LeftButton);
            ASSERT_TRUE(window.isVisible());
            EXPECT_TRUE(area.contains(window.frameGeometry()));
        }
    }
}
} // namespace
