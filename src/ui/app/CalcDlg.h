#pragma once

#include "ui/app/AuxWindowId.h"
#include "ui/app/CalcSettingsHost.h"
#include "ui/app/QtTranslation.h"
#include "ui/app/WindowRow.h"
#include "ui/frame/FrameSkin.h"
#include "ui/base/WndTransparency.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <memory>

class CAssistSwitches;
class CClientScroller;
class CCalcEdit;
class CConsoleKeeper;
class CDesktopColorScheme;
class CHoverButton;
class CRandomGenerator;
class ISettingsStore;
class QLabel;

// The main window: the console, the logo and the row of seven buttons that show and hide the
// auxiliary windows (CWindowRow), over the settings of the run (CCalcSettingsHost). It applies
// language, skin, opacity, topmost state and keyboard docking to every window.
class CCalcDlg : public QWidget
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

    CCalcSettingsHost& SettingsHost() { return m_host; }
    CWindowRow& Row() { return *m_pRow; }
    CCalcEdit& Console() { return *m_pConsole; }
    CConsoleKeeper& Keeper() { return *m_pKeeper; }
    CHoverButton& Button(AuxId id) { return *m_buttons[Index(id)]; }
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
    void FollowSettings();
    void SetFonts();
    void PlaceAtStart();
    // The controls' parent and the area they are laid out in: the client area, or the
    // scrolling view's when the window is larger than the screen.
    QWidget& ControlsParent();
    QRect ControlsArea();
    void LayoutControls();
    void LabelRowButtons();
    bool PreTranslateKey(const QKeyEvent& event);
    void OfferNightConsole();

    CRandomGenerator& m_random;
    ISettingsStore& m_store;
    CCalcSettingsHost m_host;
    bool m_bSkinFirst = true;
    CFrameSkin m_skin;
    CDesktopColorScheme* m_pDesktopScheme = nullptr;
    std::array<CHoverButton*, AUX_COUNT> m_buttons{};
    CCalcEdit* m_pConsole = nullptr;
    std::unique_ptr<CWindowRow> m_pRow;
    CConsoleKeeper* m_pKeeper = nullptr;
    CAssistSwitches* m_pAssist = nullptr;
    QLabel* m_pLogo = nullptr;
    CClientScroller* m_pScroller = nullptr; // holds the controls on a screen that is too small
    // A row button that the keyboard (Tab) gave the focus keeps it when the window repaints.
    QWidget* m_pKeyFocus = nullptr;
    CQtTranslation m_qtTranslation;
    QFont m_fontLongNumber;
    CWndTransparency m_transparency;
};
