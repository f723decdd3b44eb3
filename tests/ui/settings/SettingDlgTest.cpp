#include "tests/ui/support/FindControl.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/SkinShown.h"

#include "core/base/Version.h"
#include "ui/base/HoverButton.h"
#include "ui/base/QtText.h"
#include "ui/graph/GraphDlg.h"
#include "ui/keyboard/KeyboardDlg.h"
#include "ui/settings/SettingDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

#include <cmath>
#include <optional>

namespace
{
class SettingDlgTest : public MainWindowFixture
{
protected:
    CSettingDlg& Setting() { return m_pDlg->Row().Setting(); }

    template <class Control>
    Control* Find(const char* pszName)
    {
        return FindControl<Control>(Setting(), pszName);
    }

    // Picks an entry the way the keyboard does on the closed list, which counts as the user's
    // choice.
    void Choose(const char* pszList, int nIndex)
    {
        QComboBox* pList = Find<QComboBox>(pszList);
        QTest::keyClick(pList, Qt::Key_Home);
        for (int i = 0; i < nIndex; ++i)
            QTest::keyClick(pList, Qt::Key_Down);
        ASSERT_EQ(pList->currentIndex(), nIndex);
    }

    void Click(const char* pszButton) { Find<QAbstractButton>(pszButton)->click(); }

    // Types the line with Enter and returns what the console wrote below it.
    QString Enter(const QString& strLine)
    {
        const int nBefore = int(Text().size());
        Type(strLine);
        Key(Qt::Key_Return);
        return Text().mid(nBefore + int(strLine.size()) + 1);
    }

    QStringList SkinEntries()
    {
        QComboBox* pList = Find<QComboBox>("skin");
        QStringList entries;
        for (int i = 0; i < pList->count(); ++i)
            entries << pList->itemText(i);
        return entries;
    }
};

struct LanguageCase
{
    Language language;
    Skin skin;
    const char* pszSetButton;
    const char* pszMainTitle;
    const char* pszDec;
    const char* pszRadixGroup;
    QStringList skins;
    QStringList titles; // graph, keyboard, help, settings, variable list, converter, long number
};

TEST_F(SettingDlgTest, LanguageListRelabelsEveryWindowAndBack)
{
    const LanguageCase english{Language::English,
                               Skin::Ocean,
                               "Set",
                               "Pelmorix V" PELMORIX_VERSION_TEXT,
                               "Dec",
                               "Radix",
                               {"ocean", "gold", "night", "follow the desktop"},
                               {"Graphics", "Keyboard", "Help", "Setting", "Var List",
                                "Unit Converter", "Long Number Calculator"}};
    LanguageCase englishGold = english;
    englishGold.skin = Skin::Gold;
    const LanguageCase cases[] = {
        english,
        {Language::Chinese,
         Skin::Ocean,
         "设 置",
         "Pelmorix计算器 V" PELMORIX_VERSION_TEXT,
         "十 进 制",
         "进 制",
         {"海洋", "金黄", "夜色", "跟随桌面"},
         {"图像", "键盘", "帮助", "设置", "变量表", "单位转换", "长数计算"}},
        englishGold,
    };
    ASSERT_EQ(m_pDlg->SettingsHost().Settings().m_nLanguage, Language::Chinese) << "first start";
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(int(c.language));
        // The lists hold Chinese and English, ocean, gold, night and following the desktop, in that
        // order.
        const int nSkinEntry = c.skin == Skin::Gold ? 1 : 0;
        const int nLanguageEntry = c.language == Language::English ? 1 : 0;
        Choose("skin", nSkinEntry);
        EXPECT_EQ(m_pDlg->SettingsHost().Settings().m_nSkin, c.skin);
        EXPECT_EQ(SkinShown(m_pDlg->Row().AuxWindow(AuxId::Graph)), c.skin);
        EXPECT_EQ(Setting().focusWidget(), Find<QComboBox>("skin"));
        Choose("language", nLanguageEntry);
        EXPECT_EQ(m_pDlg->SettingsHost().Settings().m_nLanguage, c.language);
        EXPECT_EQ(m_pDlg->Button(AuxId::Settings).text(), QString::fromUtf8(c.pszSetButton));
        EXPECT_EQ(m_pDlg->windowTitle(), QString::fromUtf8(c.pszMainTitle));
        for (std::size_t i = 0; i < AUX_COUNT; ++i)
            EXPECT_EQ(m_pDlg->Row().AuxWindow(AuxId(i)).windowTitle(), c.titles[qsizetype(i)]);
        EXPECT_EQ(Find<QRadioButton>("dec")->text(), QString::fromUtf8(c.pszDec));
        EXPECT_EQ(Find<QGroupBox>("radixGroup")->title(), QString::fromUtf8(c.pszRadixGroup));
        EXPECT_EQ(SkinEntries(), c.skins);
        EXPECT_EQ(Find<QComboBox>("skin")->currentIndex(), nSkinEntry);
        EXPECT_EQ(Find<QComboBox>("language")->currentIndex(), nLanguageEntry);
    }
    EXPECT_EQ(Enter("1/0"), "Error: [divisor can not be zero]\n");
}

TEST_F(SettingDlgTest, RadixButtonsReRenderOnlyAtTheNextEnter)
{
    Type("255");
    Click("hex");
    EXPECT_EQ(Text(), "255") << "a live run writes nothing";
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "255\n0xFF\n");
    Click("bin");
    EXPECT_EQ(Enter("5"), "0b 0000 0101\n");
    EXPECT_EQ(Enter("a=2+3i"), "") << "an assignment that succeeded writes nothing";
    Click("dec");
    EXPECT_EQ(Enter("a"), "2 + 3i\n");
}

TEST_F(SettingDlgTest, AngleButtonsReachTheConsoleAndTheCurves)
{
    EXPECT_EQ(Enter("fx 0,6,sin(x)"), "");
    const std::vector<double>& samples = m_pDlg->Row().Graph().Curves().Slot(0).samples;
    ASSERT_FALSE(samples.empty());
    EXPECT_NEAR(samples.back(), std::sin(6 * M_PI / 180), 1e-9);

    // The live run over the curve's line plots it again in radians.
    PutCaret(0, 0);
    Click("rad");
    EXPECT_NEAR(samples.back(), std::sin(6.0), 1e-9);
    Console().moveCursor(QTextCursor::End);
    EXPECT_EQ(Enter("sin(pi/2)"), "1\n");

    Click("deg");
    EXPECT_EQ(Enter("sin(90)"), "1\n");
    EXPECT_TRUE(m_pDlg->Row().Graph().Curves().Evaluator().IsDegrees());
}

TEST_F(SettingDlgTest, PrecisionListShowsThePrecisionInForce)
{
    QComboBox* pList = Find<QComboBox>("precision");
    EXPECT_EQ(pList->currentText().toInt(), Console().Eval().m_nPrecision);
    EXPECT_EQ(pList->count(), 9);
    Choose("precision", 8);
    EXPECT_EQ(Console().Eval().m_nPrecision, 16);
    EXPECT_EQ(Enter("1/3"), "0.3333333333333333\n");
    Choose("precision", 0);
    EXPECT_EQ(Enter("1/3"), "0.33333333\n");
}

TEST_F(SettingDlgTest, ChosenColourRepaintsTheConsoleAndSurvivesARestart)
{
    std::optional<ColorRef> chosen;
    Setting().SetColorChooser([&](QWidget*) { return chosen; });
    const auto consoleBack = [&] {
        return Console().viewport()->grab().toImage().pixelColor(2, 2);
    };
    const QColor white(255, 255, 255);
    ASSERT_EQ(consoleBack(), white);

    Click("backColor"); // cancelled
    EXPECT_EQ(consoleBack(), white);
    EXPECT_EQ(m_pDlg->SettingsHost().Settings().m_crBack, MakeRgb(255, 255, 255));

    chosen = MakeRgb(255, 255, 0);
    Click("backColor");
    EXPECT_EQ(m_pDlg->SettingsHost().Settings().m_crBack, MakeRgb(255, 255, 0));
    EXPECT_EQ(consoleBack(), QColor(255, 255, 0));
    QWidget* pSwatch = Find<QWidget>("backColor");
    const QImage swatch = pSwatch->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(swatch.rect().center()), QColor(255, 255, 0));

    chosen = MakeRgb(0, 0, 0);
    Click("textColor");
    EXPECT_EQ(Console().palette().color(QPalette::Text), QColor(0, 0, 0));

    Reopen();
    EXPECT_EQ(consoleBack(), QColor(255, 255, 0));
    const QImage reopened = Find<QWidget>("backColor")->grab().toImage();
    EXPECT_EQ(reopened.pixelColor(reopened.rect().center()), QColor(255, 255, 0));
    EXPECT_EQ(Console().palette().color(QPalette::Text), QColor(0, 0, 0));
}

TEST_F(SettingDlgTest, SliderSetsTheOpacityOfEveryOtherWindow)
{
    QSlider* pSlider = Find<QSlider>("opacity");
    EXPECT_EQ(pSlider->value(), 100);
    // The top end is position 0: the arrow key that points up moves towards it.
    QTest::keyClick(pSlider, Qt::Key_Up);
    EXPECT_EQ(pSlider->value(), 99);
    for (int nPercent : {0, 100}) {
        SCOPED_TRACE(nPercent);
        pSlider->setValue(nPercent);
        EXPECT_NEAR(m_pDlg->windowOpacity(), nPercent / 100.0, 0.005);
        for (std::size_t i = 0; i < AUX_COUNT; ++i) {
            const bool bSettings = AuxId(i) == AuxId::Settings;
            EXPECT_NEAR(m_pDlg->Row().AuxWindow(AuxId(i)).windowOpacity(),
                        bSettings ? 1.0 : nPercent / 100.0, 0.005)
                << i;
        }
    }
}

TEST_F(SettingDlgTest, OnTopKeepsTheMainWindowInPlaceAndShown)
{
    const QRect before = m_pDlg->geometry();
    const WId window = m_pDlg->winId();
    for (bool bOnTop : {false, true}) {
        SCOPED_TRACE(bOnTop);
        Click("onTop");
        EXPECT_EQ(m_pDlg->SettingsHost().Settings().m_bOnTop, bOnTop);
        EXPECT_EQ(m_pDlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint), bOnTop);
        EXPECT_EQ(m_pDlg->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), bOnTop);
        EXPECT_TRUE(m_pDlg->isVisible());
        EXPECT_EQ(m_pDlg->geometry(), before);
        EXPECT_EQ(m_pDlg->winId(), window);
    }
}

TEST_F(SettingDlgTest, KeyboardSnapPlacesTheKeyboardAtOnceWhenSwitched)
{
    CKeyboardDlg& keyboard = m_pDlg->Row().Keyboard();
    m_pDlg->SnapKeyboard(); // docked by the main window's shown frame
    const QPoint docked = keyboard.pos();
    Click("keyboardSnap");
    EXPECT_FALSE(m_pDlg->SettingsHost().Settings().m_bKeyboardSnap);
    keyboard.move(docked + QPoint(40, 40));
    m_pDlg->move(m_pDlg->pos() + QPoint(1, 0));
    EXPECT_EQ(keyboard.pos(), docked + QPoint(40, 40)) << "not docked while off";
    m_pDlg->move(m_pDlg->pos() - QPoint(1, 0));
    Click("keyboardSnap");
    EXPECT_TRUE(m_pDlg->SettingsHost().Settings().m_bKeyboardSnap);
    EXPECT_EQ(keyboard.pos(), docked);
}
} // namespace

namespace
{
// The slider stands inside the frame its group box draws under the title, in either face.
TEST_F(SettingDlgTest, SliderStartsInsideItsGroupFrame)
{
    for (Language language : {Language::Chinese, Language::English}) {
        SCOPED_TRACE(int(language));
        SetLanguage(language);
        const QGroupBox* pGroup = Find<QGroupBox>("opacityGroup");
        const QRect slider = Find<QSlider>("opacity")->geometry();
        const QRect group = pGroup->geometry();
        EXPECT_GE(slider.top(), group.top() + pGroup->contentsRect().top());
        // The bottom stays where the window's template puts it, 8 px above the group's.
        EXPECT_EQ(group.bottom() - slider.bottom(), 8);
        EXPECT_TRUE(group.contains(slider));
    }
}
// On a window system that refuses them, the three settings are disabled and say why, in the
// language of the moment; where it allows them again, they work.
TEST_F(SettingDlgTest, SettingsTheWindowSystemRefusesAreDisabledWithTheReason)
{
    Setting().ApplyDesktopFeatures(DesktopFeatures::OfPlatform("wayland"));
    for (Language language : {Language::English, Language::Chinese}) {
        SetLanguage(language);
        for (const char* pszName : {"onTop", "keyboardSnap", "opacity"}) {
            SCOPED_TRACE(pszName);
            QWidget* pControl = Find<QWidget>(pszName);
            EXPECT_FALSE(pControl->isEnabled());
            EXPECT_EQ(pControl->toolTip(), QtText(WAYLAND_REFUSES, language));
        }
    }
    Setting().ApplyDesktopFeatures(DesktopFeatures::OfPlatform("xcb"));
    for (const char* pszName : {"onTop", "keyboardSnap", "opacity"}) {
        SCOPED_TRACE(pszName);
        EXPECT_TRUE(Find<QWidget>(pszName)->isEnabled());
        EXPECT_TRUE(Find<QWidget>(pszName)->toolTip().isEmpty());
    }
}
} // namespace
