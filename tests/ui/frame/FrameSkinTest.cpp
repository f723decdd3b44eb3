#include "tests/ui/support/MainWindowFixture.h"

#include "ui/base/HoverButton.h"
#include "ui/frame/AuxWindow.h"
#include "ui/frame/CaptionButton.h"

#include <QAccessible>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

namespace
{
using FrameSkinTest = MainWindowFixture;

// Points of a frame, in window pixels of a window nWidth wide.
QPoint CloseButton(int nWidth) { return {nWidth - 13, 11}; }
QPoint MaximiseButton(int nWidth) { return {nWidth - 29, 11}; }
QPoint MinimiseButton(int nWidth) { return {nWidth - 45, 11}; }
constexpr QPoint ICON{12, 11};
constexpr QPoint CAPTION{200, 12};

void Click(QWidget& window, const QPoint& pt)
{
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, pt);
}

// Blue skin: blue outweighs red in the caption; orange skin: the other way round.
bool CaptionIsBlue(QWidget& window)
{
    const QColor colour = window.grab().toImage().pixelColor(window.width() / 2, 11);
    return colour.blue() > colour.red();
}

TEST_F(FrameSkinTest, MaskCutsTheCaptionCornersAndFollowsTheSize)
{
    for (const QSize& size : {QSize(460, 252), QSize(700, 400)}) {
        SCOPED_TRACE(size.width());
        m_pDlg->resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->size() == size; }));
        const QRegion mask = m_pDlg->mask();
        const int w = size.width();
        const int h = size.height();
        for (const QPoint& pt : {QPoint(0, 0), QPoint(7, 0), QPoint(0, 5), QPoint(w - 1, 0),
                                 QPoint(w - 8, 0), QPoint(w - 1, 5)})
            EXPECT_FALSE(mask.contains(pt)) << pt.x() << "," << pt.y();
        for (const QPoint& pt : {QPoint(8, 0), QPoint(w / 2, 0), QPoint(0, 6), QPoint(w - 1, 6),
                                 QPoint(0, 22), QPoint(w - 1, h - 1), QPoint(w / 2, h / 2)})
            EXPECT_TRUE(mask.contains(pt)) << pt.x() << "," << pt.y();
        EXPECT_EQ(mask.boundingRect(), QRect(QPoint(0, 0), size));
    }
}

TEST_F(FrameSkinTest, CloseButtonHidesAnAuxiliaryWindowAndClearsItsFlag)
{
    QTest::mouseClick(&m_pDlg->Button(AuxId::UnitConverter), Qt::LeftButton);
    CAuxWindow& window = m_pDlg->Row().AuxWindow(AuxId::UnitConverter);
    ASSERT_TRUE(window.isVisible());
    ASSERT_TRUE(window.Frame().IsAttached());
    // The frame surrounds the converter's controls, which keep their room.
    EXPECT_EQ(window.contentsRect().size(), QSize(418, 168));
    EXPECT_TRUE(window.contentsRect().contains(window.findChild<QWidget*>("value2")->geometry()));
    Click(window, CloseButton(window.width()));
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::UnitConverter));
    EXPECT_TRUE(m_pDlg->isVisible());
}

TEST_F(FrameSkinTest, MaximiseButtonAndCaptionDoubleClickToggleTheMainWindow)
{
    const QRect rcNormal = m_pDlg->geometry();
    const QRect rcWork = m_pDlg->screen()->availableGeometry();
    ASSERT_NE(rcNormal, rcWork);

    Click(*m_pDlg, MaximiseButton(m_pDlg->width()));
    EXPECT_EQ(m_pDlg->geometry(), rcWork);
    EXPECT_EQ(m_pDlg->Frame().State(), WindowState::Maximised);
    Click(*m_pDlg, MaximiseButton(m_pDlg->width()));
    EXPECT_EQ(m_pDlg->geometry(), rcNormal);
    EXPECT_EQ(m_pDlg->Frame().State(), WindowState::Normal);

    QTest::mouseDClick(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier, CAPTION);
    QTest::mouseRelease(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier, CAPTION);
    EXPECT_EQ(m_pDlg->geometry(), rcWork);
    QTest::mouseDClick(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier, CAPTION);
    QTest::mouseRelease(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier, CAPTION);
    EXPECT_EQ(m_pDlg->geometry(), rcNormal);
}

// The offscreen platform cannot move windows itself, so the frame moves it from the mouse.
TEST_F(FrameSkinTest, DraggingTheCaptionMovesTheWindow)
{
    const QPoint ptStart = m_pDlg->pos();
    QTest::mousePress(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier, CAPTION);
    QTest::mouseMove(m_pDlg.get(), CAPTION + QPoint(40, 30));
    QTest::mouseRelease(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier, CAPTION + QPoint(40, 30));
    EXPECT_EQ(m_pDlg->pos(), ptStart + QPoint(40, 30));
    EXPECT_TRUE(m_pDlg->isVisible());
}

// A press on an auxiliary window's own background drags it as its caption would, through the
// frame, so that it also moves where the window system does not move windows.
TEST_F(FrameSkinTest, DraggingAnAuxiliaryWindowsBackgroundMovesIt)
{
    const struct
    {
        AuxId id;
        QPoint ptClient; // a point of the background, in client pixels
    } cases[] = {{AuxId::Graph, {1, 1}}, {AuxId::Keyboard, {1, 1}}, {AuxId::Help, {120, 40}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.id));
        QTest::mouseClick(&m_pDlg->Button(c.id), Qt::LeftButton);
        CAuxWindow& window = m_pDlg->Row().AuxWindow(c.id);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QPoint pt = window.contentsRect().topLeft() + c.ptClient;
        ASSERT_EQ(window.childAt(pt), nullptr);
        const QPoint ptStart = window.pos();
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, pt);
        QTest::mouseMove(&window, pt + QPoint(40, 30));
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, pt + QPoint(40, 30));
        EXPECT_EQ(window.pos(), ptStart + QPoint(40, 30));
    }
}

TEST_F(FrameSkinTest, SkinSwitchRepaintsShownAndHiddenWindows)
{
    m_pDlg->SettingsHost().SetSkin(Skin::Ocean);
    EXPECT_TRUE(CaptionIsBlue(*m_pDlg));
    m_pDlg->SettingsHost().SetSkin(Skin::Gold);
    EXPECT_FALSE(CaptionIsBlue(*m_pDlg));
    CAuxWindow& window = m_pDlg->Row().AuxWindow(AuxId::Graph);
    m_pDlg->SettingsHost().SetSkin(Skin::Ocean);
    QTest::mouseClick(&m_pDlg->Button(AuxId::Graph), Qt::LeftButton);
    ASSERT_TRUE(window.isVisible());
    EXPECT_TRUE(CaptionIsBlue(window));
    // Reloading never attaches twice: the frame's margins stay single.
    EXPECT_EQ(m_pDlg->contentsMargins(), QMargins(6, 22, 6, 6));
}
TEST(FrameSkin, AWindowWhoseSkinFailsToLoadLosesTheFrame)
{
    QWidget window;
    auto* pChild = new QWidget(&window);
    pChild->setGeometry(10, 10, 20, 20);
    window.resize(300, 200);
    const FixedLanguage language(Language::English);
    CFrameSkin skin(language);
    ASSERT_TRUE(skin.SetSkin(CSkinBitmaps::Load(Skin::Ocean)));
    skin.Attach(&window, FrameStyle{});
    EXPECT_EQ(pChild->pos(), QPoint(16, 32));
    EXPECT_FALSE(skin.SetSkin(CSkinBitmaps::Load(SkinSet{1, 2, 3, 4, 5, 6, 7, 8, 9})));
    EXPECT_FALSE(skin.IsLoaded());
    EXPECT_EQ(window.contentsMargins(), QMargins());
    EXPECT_EQ(pChild->pos(), QPoint(10, 10));
    EXPECT_TRUE(window.mask().isEmpty());
}
// Offscreen, like X11 without a window manager, nothing minimises a window: the frame goes back
// to the normal state, so the maximise button works at once.
TEST_F(FrameSkinTest, MinimiseThatNothingCarriesOutLeavesTheFrameNormal)
{
    Click(*m_pDlg, MinimiseButton(m_pDlg->width()));
    EXPECT_EQ(m_pDlg->Frame().State(), WindowState::Minimised);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->Frame().State() == WindowState::Normal; }));
    EXPECT_FALSE(m_pDlg->isMinimized());
    Click(*m_pDlg, MaximiseButton(m_pDlg->width()));
    EXPECT_EQ(m_pDlg->Frame().State(), WindowState::Maximised);
}

TEST_F(FrameSkinTest, IconMenuOffersMoveAndSizeInEitherLanguage)
{
    const struct
    {
        Language language;
        QStringList texts;
    } cases[] = {
        {Language::English, {"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "", "&Close"}},
        {Language::Chinese,
         {"还原(&R)", "移动(&M)", "大小(&S)", "最小化(&N)", "最大化(&X)", "", "关闭(&C)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.language));
        SetLanguage(c.language);
        Click(*m_pDlg, ICON);
        auto* pMenu = m_pDlg->findChild<QMenu*>("systemMenu");
        ASSERT_NE(pMenu, nullptr);
        QStringList texts;
        QStringList enabled;
        // The frame's own items come first; the window's own may follow.
        for (const QAction* pAction : pMenu->actions().mid(0, c.texts.size())) {
            texts << pAction->text();
            if (pAction->isEnabled() && !pAction->isSeparator())
                enabled << pAction->text();
        }
        pMenu->close();
        EXPECT_EQ(texts, c.texts);
        // A normal window can be moved and sized, not restored.
        EXPECT_EQ(enabled,
                  (QStringList{c.texts[1], c.texts[2], c.texts[3], c.texts[4], c.texts[6]}));
    }
}

// The icon is painted, found by a click and reported to assistive technology in the same place.
TEST_F(FrameSkinTest, IconIsPaintedWhereClicksAndReadersFindIt)
{
    const QColor mark(3, 250, 7);
    QPixmap icon(SMALL_ICON_SIZE, SMALL_ICON_SIZE);
    icon.fill(mark);
    m_pDlg->setWindowIcon(QIcon(icon));
    const QImage image = m_pDlg->grab().toImage();
    QRect rcPainted;
    for (int y = 0; y < m_pDlg->Frame().Metrics().nCaption; ++y)
        for (int x = 0; x < image.width() / 2; ++x)
            if (image.pixelColor(x, y) == mark)
                rcPainted |= QRect(x, y, 1, 1);
    ASSERT_EQ(rcPainted.size(), QSize(SMALL_ICON_SIZE, SMALL_ICON_SIZE));

    QAccessibleInterface* pReported = nullptr;
    for (CCaptionButton* pButton : m_pDlg->Frame().CaptionButtons())
        if (pButton->ButtonKind() == CCaptionButton::Kind::SystemMenu)
            pReported = QAccessible::queryAccessibleInterface(pButton);
    ASSERT_NE(pReported, nullptr);
    EXPECT_EQ(pReported->rect(), QRect(m_pDlg->mapToGlobal(rcPainted.topLeft()), rcPainted.size()));

    for (const QPoint& pt :
         {rcPainted.topLeft(), rcPainted.bottomRight(), rcPainted.bottomLeft() + QPoint(0, 1)}) {
        SCOPED_TRACE(pt.y());
        Click(*m_pDlg, pt);
        auto* pMenu = m_pDlg->findChild<QMenu*>("systemMenu");
        EXPECT_EQ(pMenu != nullptr && pMenu->isVisible(), rcPainted.contains(pt));
        if (pMenu != nullptr)
            pMenu->close();
    }
}

// Move from the menu: the window follows the mouse with no button held until a click puts it
// down; Escape puts it back. Size moves the lower right corner the same way.
TEST_F(FrameSkinTest, MoveAndSizeFromTheMenuFollowTheMouseUntilAClick)
{
    auto& frame = const_cast<CFrameSkin&>(m_pDlg->Frame());
    const QRect rcStart = m_pDlg->geometry().adjusted(0, 0, 100, 60);
    const struct
    {
        FrameCommand command;
        QPoint way;
        bool bEscape;
        QRect rcEnd;
    } cases[] = {
        {FrameCommand::Move, {30, 20}, false, rcStart.translated(30, 20)},
        {FrameCommand::Move, {30, 20}, true, rcStart},
        {FrameCommand::Size, {-30, -20}, false, rcStart.adjusted(0, 0, -30, -20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.command) * 2 + int(c.bEscape));
        m_pDlg->setGeometry(rcStart);
        frame.RunCommand(c.command);
        const QPoint ptGrip = QCursor::pos();
        EXPECT_TRUE(rcStart.contains(ptGrip));
        QTest::mouseMove(m_pDlg.get(), m_pDlg->mapFromGlobal(ptGrip + c.way));
        if (c.bEscape)
            QTest::keyClick(m_pDlg.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier,
                              m_pDlg->mapFromGlobal(ptGrip + c.way));
        EXPECT_EQ(m_pDlg->geometry(), c.rcEnd);
        // Put down, the window no longer follows.
        QTest::mouseMove(m_pDlg.get(), QPoint(100, 100));
        EXPECT_EQ(m_pDlg->geometry(), c.rcEnd);
    }
}
} // namespace
