#include "tests/ui/support/FindControl.h"

#include "core/console/LineDispatcher.h"
#include "ui/settings/SettingDlg.h"
#include "ui/settings/SettingsHost.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSlider>
#include <QTest>

#include <string>

namespace
{
// Records what the settings window asks for, as one line per request, and keeps the settings
// it was told so that the window reads back what it changed.
class CFakeSettingsHost : public ISettingsHost
{
public:
    const CalcSettings& Settings() const override { return m_settings; }
    bool IsDegrees() const override { return true; }
    Radix OutputRadix() const override { return Radix::Hexadecimal; }
    int Precision() const override { return 10; }

    void SetAngleUnit(bool bDegrees) override { Log("angle", bDegrees); }
    void SetRadix(Radix radix) override { Log("radix", int(radix)); }
    void SetPrecision(int nDigits) override { Log("precision", nDigits); }
    void SetLanguage(Language language) override { Log("language", int(language)); }
    void SetSkin(Skin skin) override { Log("skin", int(skin)); }
    void SetOnTop(bool bOnTop) override { Log("onTop", m_settings.m_bOnTop = bOnTop); }
    void SetKeyboardSnap(bool bSnap) override { Log("snap", m_settings.m_bKeyboardSnap = bSnap); }
    void SetOpacity(int nPercent) override { Log("opacity", nPercent); }
    void SetTextColor(ColorRef cr) override { Log("text", int(cr)); }
    void SetBackColor(ColorRef cr) override { Log("back", int(cr)); }

    std::string m_strAsked;

private:
    void Log(const char* pszWhat, int nValue)
    {
        m_strAsked += std::string(pszWhat) + "=" + std::to_string(nValue) + ";";
    }

    CalcSettings m_settings;
};

// Every control asks the host for exactly the change it stands for, and shows the host's values.
TEST(SettingDlgHost, EachControlAsksForItsOwnChange)
{
    CFakeSettingsHost host;
    const FixedLanguage language(Language::Chinese);
    CSettingDlg dlg(host, language, nullptr);
    dlg.SetColorChooser([](QWidget*) { return MakeRgb(1, 2, 3); });
    EXPECT_TRUE(FindControl<QAbstractButton>(dlg, "hex")->isChecked());
    EXPECT_EQ(FindControl<QComboBox>(dlg, "precision")->currentText(), "10");

    const struct
    {
        const char* pszControl;
        const char* pszAsked;
    } clicks[] = {
        {"rad", "angle=0;"},         {"deg", "angle=1;"},           {"bin", "radix=2;"},
        {"dec", "radix=0;"},         {"onTop", "onTop=0;"},         {"onTop", "onTop=1;"},
        {"keyboardSnap", "snap=0;"}, {"textColor", "text=197121;"}, {"backColor", "back=197121;"},
    };
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.pszControl);
        host.m_strAsked.clear();
        FindControl<QAbstractButton>(dlg, click.pszControl)->click();
        EXPECT_EQ(host.m_strAsked, click.pszAsked);
    }

    host.m_strAsked.clear();
    QTest::keyClick(FindControl<QComboBox>(dlg, "precision"), Qt::Key_End);
    QTest::keyClick(FindControl<QComboBox>(dlg, "language"), Qt::Key_End);
    QTest::keyClick(FindControl<QComboBox>(dlg, "skin"), Qt::Key_Home);
    FindControl<QSlider>(dlg, "opacity")->setValue(40);
    EXPECT_EQ(host.m_strAsked, "precision=16;language=1;skin=0;opacity=40;");
}
} // namespace
