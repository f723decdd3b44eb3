#pragma once

#include "core/app/CalcSettings.h"
#include "core/console/ConsoleHost.h"
#include "core/eval/AngleUnit.h"
#include "ui/app/AuxWindowId.h"
#include "ui/app/QtTranslation.h"
#include "ui/frame/FrameSkin.h"
#include "ui/base/WndTransparency.h"
#include "ui/settings/SettingsHost.h"

#include <QFont>
#include <QWidget>

#include <array>

class CAssistSwitches;
class CAuxWindow;
class CCalcEdit;
class CConsoleKeeper;
class CDesktopColorScheme;
class CGraphDlg;
class CHelpDlg;
class CHoverButton;
class CHugeNumDlg;
class CKeyboardDlg;
class CSettingDlg;
class CUnitConvDlg;
class CVarListDlg;
class CRandomGenerator;
class ISettingsStore;
class QLabel;
class QKeySequence;

// The main window: the console, the logo and the row of seven buttons that show and hide the
// auxiliary windows. It owns those windows and the settings, and applies language, skin,
// opacity, topmost state and keyboard docking to every window. From any of the program's
// windows, Ctrl+1 ... Ctrl+7 show or hide the seven windows in the row's order and F1 shows the
// help; a window shown so takes the keyboard, and gives it back to the console when hidden.
class CCalcDlg : public QWidget, public ICurveHost, public ILanguageSource, public ISettingsHost
{
    Q_OBJECT
public:
    // The start size is asked for first and then held to the minimum, so the window starts
    // 460 x 252 pixels large, centred on the screen.
    static constexpr int START_WIDTH = 400;
    static constexpr int START_HEIGHT = 252;
    static constexpr int MIN_WIDTH = 460;
    static constexpr int MIN_HEIGHT = 150;

    // The settings are read from store now and written back to it when the window closes. The
    // console is kept between runs in strDataFolder; an empty folder keeps nothing.
    CCalcDlg(CRandomGenerator& random, ISettingsStore& store, const QString& strDataFolder = {},
             QWidget* pParent = nullptr);
    ~CCalcDlg() override;

    void ApplyLanguage();
    // The skin of the settings, on this window's frame and every auxiliary window's; following
    // the desktop, the skin its colour scheme asks for, now and whenever it changes.
    void ApplySkin();
    void ApplyOpacity();
    void ApplyOnTop();
    void SnapKeyboard();
    void RedrawEditBoxes();
    // Shows the window in its normal state, restoring it when minimised, and brings it forward.
    void ShowAndActivate();

    void DrawCurve(std::string_view strText, int nSlot, bool bShow) override;
    void ClearCurves() override;
    // The interface language every window and the console read when they produce a text.
    Language CurrentLanguage() const override { return m_settings.m_nLanguage; }

    CalcSettings& Settings() { return m_settings; }
    const CalcSettings& Settings() const override { return m_settings; }
    bool IsDegrees() const override { return m_angle.m_bDegrees; }
    Radix OutputRadix() const override;
    int Precision() const override;

    void SetAngleUnit(bool bDegrees) override;
    void SetRadix(Radix radix) override;
    void SetPrecision(int nDigits) override;
    void SetLanguage(Language language) override;
    // The language given on the command line: applied as the settings window applies it, and
    // written to the store at once.
    void ChooseLanguage(Language language);
    void SetSkin(Skin skin) override;
    void SetOnTop(bool bOnTop) override;
    void SetKeyboardSnap(bool bSnap) override;
    void SetOpacity(int nPercent) override;
    void SetTextColor(ColorRef cr) override;
    void SetBackColor(ColorRef cr) override;

    CCalcEdit& Console() { return *m_pConsole; }
    CAuxWindow& AuxWindow(AuxId id);
    CGraphDlg& Graph() { return *m_pGraph; }
    CKeyboardDlg& Keyboard() { return *m_pKeyboard; }
    CHelpDlg& Help() { return *m_pHelp; }
    CSettingDlg& Setting() { return *m_pSetting; }
    CVarListDlg& VarList() { return *m_pVarList; }
    CUnitConvDlg& UnitConv() { return *m_pUnitConv; }
    CHugeNumDlg& HugeNum() { return *m_pHugeNum; }
    CConsoleKeeper& Keeper() { return *m_pKeeper; }
    // The drawn skin the windows wear now.
    Skin ShownSkin() const { return m_shownSkin; }
    CHoverButton& Button(AuxId id) { return *m_buttons[Index(id)]; }
    // The key that shows or hides the window of the row's button nRow (0 to 6): Ctrl+1 ...
    static QKeySequence WindowKey(std::size_t nRow);
    bool IsShown(AuxId id) const { return m_bShown[Index(id)]; }
    const CWndTransparency& Transparency() const { return m_transparency; }
    const CFrameSkin& Frame() const { return m_skin; }
    // Arial 18 x 7 for the long-number window's three edit boxes.
    const QFont& LongNumberFont() const { return m_fontLongNumber; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;

private:
    void CreateControls();
    void CreateAuxWindows();
    template <class Window>
    Window* Adopt(AuxId id, Window* pWindow);
    void SetStartValues();
    void SetFonts();
    void PlaceAtStart();
    void LayoutControls();
    void ToggleWindow(AuxId id);
    // The frames of the shown auxiliary windows but id's, and the docked keyboard's place.
    QList<QRect> OtherWindows(AuxId id);
    void CreateWindowKeys();
    void OnWindowKey(AuxId id, bool bToggle);
    void FocusWindow(AuxId id);
    void LabelRowButtons();
    void LoadSettings();
    void SaveSettings();
    bool PreTranslateKey(const QKeyEvent& event);
    void OfferNightConsole();

    CRandomGenerator& m_random;
    ISettingsStore& m_store;
    CalcSettings m_settings;
    AngleUnit m_angle;
    bool m_bSkinFirst = true;
    Skin m_shownSkin = DEFAULT_SKIN;
    CFrameSkin m_skin;
    CDesktopColorScheme* m_pDesktopScheme = nullptr;
    int m_cxScreen = 0;
    int m_cyScreen = 0;
    std::array<bool, AUX_COUNT> m_bShown{};
    CGraphDlg* m_pGraph = nullptr;
    CKeyboardDlg* m_pKeyboard = nullptr;
    CHelpDlg* m_pHelp = nullptr;
    CSettingDlg* m_pSetting = nullptr;
    CVarListDlg* m_pVarList = nullptr;
    CUnitConvDlg* m_pUnitConv = nullptr;
    CHugeNumDlg* m_pHugeNum = nullptr;
    std::array<CHoverButton*, AUX_COUNT> m_buttons{};
    CCalcEdit* m_pConsole = nullptr;
    CConsoleKeeper* m_pKeeper = nullptr;
    CAssistSwitches* m_pAssist = nullptr;
    QLabel* m_pLogo = nullptr;
    // A row button that the keyboard (Tab) gave the focus keeps it when the window repaints.
    QWidget* m_pKeyFocus = nullptr;
    CQtTranslation m_qtTranslation;
    QFont m_fontConsole;
    QFont m_fontLongNumber;
    CWndTransparency m_transparency;
};
