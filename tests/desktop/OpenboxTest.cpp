#include "tests/desktop/DesktopSession.h"
#include "tests/ui/support/MainWindowFixture.h"

#include "ui/app/AuxWindowId.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"
#include "ui/settings/SettingDlg.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace
{
// The main window and its windows under openbox, a reparenting window manager, driven by real
// input through the X server.
class OpenboxDesktop : public MainWindowFixture
{
protected:
    CAuxWindow& Window(AuxId id) { return m_pDlg->Row().AuxWindow(id); }

    // Clicks the window's button in the row; the main window is never hidden, so Qt's idea of
    // its place is the true one.
    void ClickButton(AuxId id)
    {
        CHoverButton& button = m_pDlg->Button(id);
        xinput::Click(button.mapToGlobal(button.rect().center()));
    }

    void Show(AuxId id)
    {
        ClickButton(id);
        CAuxWindow& window = Window(id);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        Settle(window);
    }

    // Until the X server and Qt agree on the window's place, or a second has passed.
    static void Settle(QWidget& window)
    {
        static_cast<void>(QTest::qWaitFor(
            [&] { return xinput::Geometry(window.winId()) == window.frameGeometry(); }, 1000));
    }

    // Focus through the window manager, then Escape, which hides the window.
    void ActivateAndEscape(AuxId id)
    {
        CAuxWindow& window = Window(id);
        xinput::Activate(window.winId());
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isActiveWindow(); }));
        xinput::Key("Escape");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
    }

    // Every window of the row is on the 1920 x 1080 screen, clear of the main window and of
    // each other.
    void ExpectAllWindowsApart();
};

// Shown again after the window manager gave it the focus and Escape hid it, a window is where it
// was, and Qt knows it: a drop-down list opens at its box. Qt's mistake depends on timing, so the
// round is made a few times.
TEST_F(OpenboxDesktop, WindowShownAgainKeepsItsPlaceAndItsListsOpenAtTheirBox)
{
    const AuxId ids[] = {AuxId::Settings, AuxId::Help, AuxId::Keyboard};
    for (int nRound = 0; nRound < 4; ++nRound) {
        SCOPED_TRACE(nRound);
        QRect before[std::size(ids)];
        for (std::size_t i = 0; i < std::size(ids); ++i) {
            if (!Window(ids[i]).isVisible())
                Show(ids[i]);
            before[i] = xinput::Geometry(Window(ids[i]).winId());
        }
        for (AuxId id : ids)
            ActivateAndEscape(id);
        Show(AuxId::Settings);
        CAuxWindow& settings = Window(AuxId::Settings);
        const QRect rcTrue = xinput::Geometry(settings.winId());
        EXPECT_EQ(rcTrue, before[0]);
        EXPECT_EQ(settings.frameGeometry(), rcTrue);

        auto* pList = settings.findChild<QComboBox*>("precision");
        ASSERT_NE(pList, nullptr);
        const QRect rcBox(rcTrue.topLeft() + pList->mapTo(&settings, QPoint(0, 0)), pList->size());
        xinput::Click(rcBox.center());
        QWidget* pPopup = pList->view()->window();
        ASSERT_TRUE(QTest::qWaitFor([&] { return pPopup->isVisible(); }));
        const QRect rcPopup = xinput::Geometry(pPopup->winId());
        xinput::Key("Escape");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pPopup->isVisible(); }));
        EXPECT_LE(std::abs(rcPopup.left() - rcBox.left()), 4)
            << rcPopup.left() << " " << rcBox.left();
        // Fusion lays the list over its box, with the chosen entry on it.
        EXPECT_TRUE(rcPopup.adjusted(0, -4, 0, 4).intersects(rcBox));
    }
}

// Every window, shown again after Escape hid it, follows a drag of its caption (its background for
// the keyboard) by exactly the mouse's way, as Qt and the X server both see it.
TEST_F(OpenboxDesktop, DraggingEveryWindowMovesItByTheMousesWay)
{
    for (AuxId id : AUX_SKIN_ORDER) {
        CAuxWindow& window = Window(id);
        SCOPED_TRACE(window.windowTitle().toStdString());
        Show(id);
        ActivateAndEscape(id);
        Show(id);
        const QRect rcStart = xinput::Geometry(window.winId());
        EXPECT_EQ(window.frameGeometry(), rcStart);
        // Up and left where there is room, else down and right.
        const QPoint way(rcStart.left() > 300 ? -110 : 110, rcStart.top() > 300 ? -197 : 197);
        xinput::Drag(rcStart.topLeft() + QPoint(60, 10), way);
        const QRect rcEnd = rcStart.translated(way);
        EXPECT_TRUE(QTest::qWaitFor([&] { return xinput::Geometry(window.winId()) == rcEnd; }))
            << "at " << xinput::Geometry(window.winId()).x() << ","
            << xinput::Geometry(window.winId()).y();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.frameGeometry() == rcEnd; }));
        window.hide(); // out of the next one's way
    }
}

// At 1920 x 1080 the seven windows, opened in the row's order, cover neither the main window nor
// each other, and stay on the screen; so do windows first opened one at a time, each hidden
// before the next, and then shown together.
TEST_F(OpenboxDesktop, FirstOpensOfAllSevenWindowsCoverNothing)
{
    for (const RowButton& row : ROW_BUTTONS)
        Show(row.window);
    ExpectAllWindowsApart();
}

TEST_F(OpenboxDesktop, WindowsOpenedOneAtATimeCoverNothingWhenShownTogether)
{
    for (const RowButton& row : ROW_BUTTONS) {
        Show(row.window);
        ActivateAndEscape(row.window);
    }
    for (const RowButton& row : ROW_BUTTONS)
        Show(row.window);
    ExpectAllWindowsApart();
}

void OpenboxDesktop::ExpectAllWindowsApart()
{
    std::vector<QRect> open{xinput::Geometry(m_pDlg->winId())};
    for (const RowButton& row : ROW_BUTTONS) {
        const QRect rc = xinput::Geometry(Window(row.window).winId());
        SCOPED_TRACE(row.caption.en);
        EXPECT_TRUE(QRect(0, 0, 1920, 1080).contains(rc));
        for (const QRect& other : open)
            EXPECT_FALSE(rc.intersects(other));
        open.push_back(rc);
    }
}
} // namespace
