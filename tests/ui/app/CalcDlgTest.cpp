#include "tests/ui/support/ChildTest.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/SkinShown.h"

#include "core/app/KeyboardSnap.h"
#include "core/base/Version.h"
#include "core/skin/DesktopSkin.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"
#include "ui/base/QtColor.h"
#include "ui/base/QtGeometry.h"
#include "ui/settings/SettingDlg.h"
#include "ui/varlist/VarListDlg.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>
#include <QWindow>

#include <vector>

namespace
{
using CalcDlgTest = MainWindowFixture;

struct WindowCase
{
    AuxId id;
    const char* pButtonEn;
    const char* pButtonZh;
    const char* pTitleEn;
    const char* pTitleZh;
};

constexpr WindowCase WINDOWS[] = {
    {AuxId::Settings, "Set", "设 置", "Setting", "设置"},
    {AuxId::Help, "Help", "帮 助", "Help", "帮助"},
    {AuxId::UnitConverter, "ConV", "转 换", "Unit Converter", "单位转换"},
    {AuxId::Graph, "Grap", "图 像", "Graphics", "图像"},
    {AuxId::VariableList, "VarL", "变 量", "Var List", "变量表"},
    {AuxId::LongNumber, "LonN", "长 数", "Long Number Calculator", "长数计算"},
    {AuxId::Keyboard, "KeyB", "键 盘", "Keyboard", "键盘"},
};

TEST_F(CalcDlgTest, StartsCentredAtItsMinimumWidthAndOnTop)
{
    EXPECT_EQ(m_pDlg->size(), QSize(CCalcDlg::MIN_WIDTH, CCalcDlg::START_HEIGHT));
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    // Centred as far as the window system's frame, unknown before the first show, allows.
    const QSize frame = m_pDlg->frameGeometry().size() - m_pDlg->geometry().size();
    const int nSlack = 1 + frame.width() + frame.height();
    EXPECT_LE((m_pDlg->geometry().center() - work.center()).manhattanLength(), nSlack);
    EXPECT_TRUE(m_pDlg->windowFlags() & Qt::WindowStaysOnTopHint);
    for (const WindowCase& w : WINDOWS) {
        SCOPED_TRACE(w.pTitleEn);
        EXPECT_FALSE(m_pDlg->Row().AuxWindow(w.id).isVisible());
        EXPECT_FALSE(m_pDlg->Row().IsShown(w.id));
    }
}

TEST_F(CalcDlgTest, ControlsFollowTheSizeWithoutOverlapping)
{
    for (const QSize& size : {QSize(600, 300), QSize(900, 520)}) {
        SCOPED_TRACE(size.width());
        m_pDlg->resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->size() == size; }));
        const QRect client = m_pDlg->contentsRect();
        const QRect console = Console().geometry();
        const QRect logo = m_pDlg->findChild<QLabel*>()->geometry();
        // The console takes all but fixed margins, so it grows with the window.
        EXPECT_EQ(client.width() - console.width(), 17);
        EXPECT_EQ(client.height() - console.height(), 40);
        std::vector<QRect> row{logo};
        for (const WindowCase& w : WINDOWS)
            row.push_back(m_pDlg->Button(w.id).geometry());
        for (std::size_t i = 0; i < row.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(client.contains(row[i]));
            EXPECT_FALSE(row[i].intersects(console));
            EXPECT_TRUE(i == 0 || !row[i].intersects(logo));
            if (i > 0) {
                EXPECT_LT(row[i - 1].left(), row[i].left()) << "left to right";
            }
        }
    }
    m_pDlg->resize(100, 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->width() == CCalcDlg::MIN_WIDTH; }));
    EXPECT_EQ(m_pDlg->height(), CCalcDlg::MIN_HEIGHT);
}

// However the window system sizes the window (without a manager that keeps to the size hints,
// or through a frameless window's own sizing), it holds its minimum and its controls their
// places.
TEST_F(CalcDlgTest, MinimumSizeHoldsWhateverTheWindowSystemDoes)
{
    for (const QSize& forced : {QSize(300, 100), QSize(600, 100), QSize(300, 400)}) {
        SCOPED_TRACE(forced.width() * 1000 + forced.height());
        m_pDlg->resize(700, 500);
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->size() == QSize(700, 500); }));
        m_pDlg->windowHandle()->resize(forced);
        const QSize held = forced.expandedTo(QSize(CCalcDlg::MIN_WIDTH, CCalcDlg::MIN_HEIGHT));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->size() == held; }));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->windowHandle()->size() == held; }));
        // The controls follow the held size, measured from the client area inside the frame.
        const QRect client = m_pDlg->contentsRect();
        EXPECT_EQ(client.size(), held.shrunkBy(m_pDlg->contentsMargins()));
        EXPECT_EQ(m_pDlg->Button(AuxId::Keyboard).geometry().right(), client.right() - 10);
        EXPECT_EQ(m_pDlg->findChild<QLabel*>()->geometry().top(), client.bottom() - 27);
    }
}

TEST_F(CalcDlgTest, LanguageRelabelsEveryButtonAndTitleAtOnce)
{
    for (Language language : {Language::English, Language::Chinese}) {
        SCOPED_TRACE(int(language));
        SetLanguage(language);
        const bool bEnglish = language == Language::English;
        EXPECT_EQ(m_pDlg->windowTitle(), bEnglish ? "Pelmorix V" PELMORIX_VERSION_TEXT
                                                  : "Pelmorix计算器 V" PELMORIX_VERSION_TEXT);
        for (const WindowCase& w : WINDOWS) {
            SCOPED_TRACE(w.pTitleEn);
            EXPECT_EQ(m_pDlg->Button(w.id).text(), bEnglish ? w.pButtonEn : w.pButtonZh);
            EXPECT_EQ(m_pDlg->Row().AuxWindow(w.id).windowTitle(),
                      bEnglish ? w.pTitleEn : w.pTitleZh);
        }
    }
}

TEST_F(CalcDlgTest, EveryButtonShowsAndHidesItsWindow)
{
    for (const WindowCase& w : WINDOWS) {
        SCOPED_TRACE(w.pTitleEn);
        CAuxWindow& window = m_pDlg->Row().AuxWindow(w.id);
        QTest::mouseClick(&m_pDlg->Button(w.id), Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(m_pDlg->Row().IsShown(w.id));
        QTest::mouseClick(&m_pDlg->Button(w.id), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(m_pDlg->Row().IsShown(w.id));
    }
}

TEST_F(CalcDlgTest, HidingAWindowAnyWayClearsItsFlagSoOneClickShowsItAgain)
{
    const struct
    {
        const char* pName;
        void (*pHide)(CAuxWindow&);
    } ways[] = {
        {"close box", [](CAuxWindow& w) { w.close(); }},
        {"Escape", [](CAuxWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"Enter", [](CAuxWindow& w) { QTest::keyClick(&w, Qt::Key_Return); }},
        {"keypad Enter",
         [](CAuxWindow& w) { QTest::keyClick(&w, Qt::Key_Enter, Qt::KeypadModifier); }},
    };
    for (const auto& way : ways) {
        for (const WindowCase& w : WINDOWS) {
            SCOPED_TRACE(std::string(way.pName) + " on " + w.pTitleEn);
            CAuxWindow& window = m_pDlg->Row().AuxWindow(w.id);
            QTest::mouseClick(&m_pDlg->Button(w.id), Qt::LeftButton);
            ASSERT_TRUE(window.isVisible());
            way.pHide(window);
            EXPECT_FALSE(window.isVisible());
            EXPECT_FALSE(m_pDlg->Row().IsShown(w.id));
            QTest::mouseClick(&m_pDlg->Button(w.id), Qt::LeftButton);
            EXPECT_TRUE(window.isVisible());
            window.hide();
        }
    }
}

TEST_F(CalcDlgTest, KeyboardFollowsTheMainWindowOnlyWhileSnapping)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto expected = [&] {
        // Every place tried lies beside the main window, where its button row plays no part.
        const Point at = KeyboardSnapPosition(ToRect(m_pDlg->frameGeometry()), ToRect(screen),
                                              m_pDlg->Frame().Metrics().nCaption, Rect{})
                             .value();
        return ToQPoint(at);
    };
    CAuxWindow& keyboard = m_pDlg->Row().AuxWindow(AuxId::Keyboard);
    // Docked while still hidden, as far as the frame the window system added at the first show
    // allows.
    EXPECT_LE((keyboard.pos() - expected()).manhattanLength(), 4);
    EXPECT_EQ(keyboard.size(), QSize(KEYBOARD_SNAP_WIDTH, KEYBOARD_SNAP_HEIGHT));

    for (const QPoint& to : {QPoint(0, 0), QPoint(screen.width() - 470, 20),
                             QPoint(screen.width() - 470, screen.height() - 260)}) {
        SCOPED_TRACE(to.x() * 10000 + to.y());
        m_pDlg->move(to);
        ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard.pos() == expected(); }));
    }

    const QPoint docked = keyboard.pos();
    m_pDlg->SettingsHost().Settings().m_bKeyboardSnap = false;
    m_pDlg->move(30, 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->pos() == QPoint(30, 40); }));
    EXPECT_EQ(keyboard.pos(), docked);
    m_pDlg->SnapKeyboard(); // switching snapping places the keyboard once
    EXPECT_EQ(keyboard.pos(), expected());
}

TEST_F(CalcDlgTest, OpacityReachesEveryWindowButTheSettings)
{
    for (int nPercent : {50, 0, 100}) {
        SCOPED_TRACE(nPercent);
        m_pDlg->SettingsHost().Settings().m_nOpacity = nPercent;
        m_pDlg->ApplyOpacity();
        const int nAlpha = nPercent * 255 / 100;
        EXPECT_EQ(m_pDlg->Transparency().Alpha(), nAlpha);
        EXPECT_NEAR(m_pDlg->windowOpacity(), nAlpha / 255.0, 0.005);
        for (const WindowCase& w : WINDOWS) {
            SCOPED_TRACE(w.pTitleEn);
            const bool bSettings = w.id == AuxId::Settings;
            EXPECT_EQ(m_pDlg->Row().AuxWindow(w.id).Transparency().Alpha(),
                      bSettings ? 255 : nAlpha);
            EXPECT_NEAR(m_pDlg->Row().AuxWindow(w.id).windowOpacity(),
                        bSettings ? 1.0 : nAlpha / 255.0, 0.005);
        }
    }
}

// Every frame, shown or hidden, paints the chosen skin's bitmaps.
TEST_F(CalcDlgTest, SkinReachesEveryWindow)
{
    QTest::mouseClick(&m_pDlg->Button(AuxId::Help), Qt::LeftButton);
    for (Skin skin : {Skin::Ocean, Skin::Gold, Skin::Night}) {
        SCOPED_TRACE(DescribeSkin(skin).name.en);
        m_pDlg->SettingsHost().SetSkin(skin);
        EXPECT_EQ(SkinShown(*m_pDlg), skin);
        for (const WindowCase& w : WINDOWS) {
            SCOPED_TRACE(w.pTitleEn);
            EXPECT_EQ(SkinShown(m_pDlg->Row().AuxWindow(w.id)), skin);
        }
    }
}

TEST_F(CalcDlgTest, SettingsSurviveARestart)
{
    EXPECT_EQ(m_pDlg->Button(AuxId::Settings).text(), "设 置") << "first start: Chinese";
    EXPECT_EQ(Console().palette().color(QPalette::Text), QColor(20, 20, 245));
    CalcSettings& settings = m_pDlg->SettingsHost().Settings();
    settings.m_nLanguage = Language::English;
    settings.m_nSkin = Skin::Ocean;
    settings.m_crText = MakeRgb(0, 0, 0);
    settings.m_crBack = MakeRgb(255, 255, 0);
    settings.m_nOpacity = 40;
    settings.m_bKeyboardSnap = false;
    Reopen();
    const CalcSettings& loaded = m_pDlg->SettingsHost().Settings();
    EXPECT_EQ(loaded.m_nLanguage, Language::English);
    EXPECT_EQ(loaded.m_nSkin, Skin::Ocean);
    EXPECT_EQ(loaded.m_crText, MakeRgb(0, 0, 0));
    EXPECT_EQ(loaded.m_crBack, MakeRgb(255, 255, 0));
    EXPECT_EQ(loaded.m_nOpacity, 100) << "opacity starts opaque at every start";
    EXPECT_TRUE(loaded.m_bKeyboardSnap);
    EXPECT_EQ(m_pDlg->Button(AuxId::Settings).text(), "Set");
    EXPECT_EQ(m_pDlg->windowTitle(), "Pelmorix V" PELMORIX_VERSION_TEXT);
    EXPECT_EQ(Console().palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(SkinShown(m_pDlg->Row().AuxWindow(AuxId::Help)), Skin::Ocean);
}

TEST_F(CalcDlgTest, ComesForwardRestoredWhenAskedTo)
{
    m_pDlg->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->isMinimized(); }));
    m_pDlg->ShowAndActivate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_pDlg->isMinimized() && m_pDlg->isVisible(); }));
}

TEST_F(CalcDlgTest, RepaintingGivesTheFocusBackToTheConsole)
{
    m_pDlg->Button(AuxId::Help).setFocus();
    ASSERT_EQ(m_pDlg->focusWidget(), &m_pDlg->Button(AuxId::Help));
    m_pDlg->repaint();
    EXPECT_EQ(m_pDlg->focusWidget(), &Console());
}

// Runs in a child process only, on a screen smaller than the window's minimum size: the window
// stays on the screen, and each row button that takes the keyboard scrolls wholly into view
// inside the frame; the console, larger than the view, leaves the view where it is.
TEST_F(CalcDlgTest, OnASmallScreenEveryButtonScrollsIntoView)
{
    if (qEnvironmentVariableIsEmpty("PELMORIX_SMALL_SCREEN"))
        GTEST_SKIP() << "runs as the child of CalcDlgSmallScreen.ControlsStayReachable";
    EXPECT_TRUE(m_pDlg->screen()->availableGeometry().contains(m_pDlg->frameGeometry()));
    m_pDlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_pDlg.get()));
    const auto* pView = m_pDlg->findChild<QScrollArea*>("scroller");
    ASSERT_NE(pView, nullptr);
    const QRect shown(pView->viewport()->mapTo(m_pDlg.get(), QPoint()), pView->viewport()->size());
    for (const WindowCase& w : WINDOWS) {
        SCOPED_TRACE(w.pTitleEn);
        CHoverButton& button = m_pDlg->Button(w.id);
        button.setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(shown.contains(QRect(button.mapTo(m_pDlg.get(), QPoint()), button.size())));
    }
    const int nScrolled = pView->horizontalScrollBar()->value();
    EXPECT_GT(nScrolled, 0);
    Console().setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_EQ(pView->horizontalScrollBar()->value(), nScrolled);
}

TEST(CalcDlgSmallScreen, ControlsStayReachable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile config(dir.filePath("screens.json"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 320, "height": 200,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
    env.insert("PELMORIX_SMALL_SCREEN", "1");
    EXPECT_TRUE(ChildPasses("CalcDlgTest.OnASmallScreenEveryButtonScrollsIntoView", env, 30000));
}

// Chooses the night skin and answers the question about the console, if one is asked; false
// when none is.
bool ChooseNightAndAnswer(CCalcDlg& dlg, QMessageBox::StandardButton answer)
{
    dlg.SettingsHost().SetSkin(Skin::Gold);
    dlg.SettingsHost().SetSkin(Skin::Night);
    auto* pBox = dlg.findChild<QMessageBox*>("nightConsoleQuestion");
    if (pBox == nullptr || !pBox->isVisible())
        return false;
    pBox->button(answer)->click();
    return true;
}

// The night skin offers the dark console pair once, across restarts; only yes takes it, for the
// console and the other edit boxes, and the record keeps it.
class NightConsoleTest : public MainWindowFixture
{
protected:
    void AnswerOnce(QMessageBox::StandardButton answer)
    {
        const QColor back =
            answer == QMessageBox::Yes ? ToQColor(NIGHT_CONSOLE_BACK) : QColor(Qt::white);
        EXPECT_TRUE(ChooseNightAndAnswer(*m_pDlg, answer));
        EXPECT_EQ(Console().palette().color(QPalette::Base), back);
        EXPECT_EQ(
            m_pDlg->Row().VarList().findChild<QWidget*>("list")->palette().color(QPalette::Base),
            back);
        auto* pSwatch = m_pDlg->Row().Setting().findChild<QWidget*>("backColor");
        EXPECT_EQ(pSwatch->grab().toImage().pixelColor(pSwatch->rect().center()), back)
            << "the settings window shows the colours in force";
        EXPECT_FALSE(ChooseNightAndAnswer(*m_pDlg, QMessageBox::Yes)) << "asked once";
        Reopen();
        EXPECT_FALSE(ChooseNightAndAnswer(*m_pDlg, QMessageBox::Yes)) << "asked once for good";
        EXPECT_EQ(Console().palette().color(QPalette::Base), back);
    }
};

TEST_F(NightConsoleTest, NoKeepsTheConsoleColours) { AnswerOnce(QMessageBox::No); }

TEST_F(NightConsoleTest, YesGivesTheConsoleLightTextOnDark) { AnswerOnce(QMessageBox::Yes); }
} // namespace
