#pragma once

#include "core/base/ColorRef.h"
#include "core/console/ConsoleHost.h"
#include "ui/app/AuxWindowId.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QRect>

#include <array>
#include <functional>
#include <memory>

class CAuxWindow;
class CCalcEdit;
class CCalcSettingsHost;
class CGraphDlg;
class CHelpDlg;
class CHugeNumDlg;
class CKeyboardDlg;
class CRandomGenerator;
class CSettingDlg;
class CSkinBitmaps;
class CUnitConvDlg;
class CVarListDlg;
class QWidget;

// The seven auxiliary windows of the main window's button row. The row makes them hidden, owns
// them and shows and hides them, with a shown flag for each that follows every way a window
// hides. From any of the program's windows, Ctrl+1 ... Ctrl+7 show or hide them in the row's
// order and F1 shows the help; a window shown so takes the keyboard, and gives it back to the
// console when hidden. It places them: clear of the button row and of each other at their first
// show, the keyboard docked beside the main window. The graph draws the console's curves.
class CWindowRow : public QObject, public ICurveHost
{
    Q_OBJECT
public:
    // owner is the main window, the windows' owner; keepClear gives its button row in screen
    // pixels, which no window covers when it is placed.
    CWindowRow(QWidget& owner, CCalcEdit& console, CCalcSettingsHost& host,
               CRandomGenerator& random, std::function<QRect()> keepClear);
    ~CWindowRow() override;

    CAuxWindow& AuxWindow(AuxId id);
    CGraphDlg& Graph() { return *m_pGraph; }
    CKeyboardDlg& Keyboard() { return *m_pKeyboard; }
    CHelpDlg& Help() { return *m_pHelp; }
    CSettingDlg& Setting() { return *m_pSetting; }
    CVarListDlg& VarList() { return *m_pVarList; }
    CUnitConvDlg& UnitConv() { return *m_pUnitConv; }
    CHugeNumDlg& HugeNum() { return *m_pHugeNum; }

    bool IsShown(AuxId id) const { return m_bShown[Index(id)]; }
    // Shows the window if it is hidden, hides it if it is shown.
    void ToggleWindow(AuxId id);
    // The key that shows or hides the window of the row's button nRow (0 to 6): Ctrl+1 ...
    static QKeySequence WindowKey(std::size_t nRow);
    static constexpr QKeyCombination HELP_KEY{Qt::Key_F1};

    // Relabels every window in the current language and repaints it.
    void ApplyLanguage();
    // bAttach is true only the first time: each window's frame then attaches.
    void SetSkin(const std::shared_ptr<const CSkinBitmaps>& pSkin, bool bAttach);
    // Every window but the settings window.
    void SetOpacity(int nPercent);
    // The long-number boxes and the variable list in the console's colours; bNight gives the
    // long-number result the night skin's pair.
    void SetEditColors(ColorRef crText, ColorRef crBack, bool bNight);
    // Puts the keyboard beside the main window, whose caption is nCaption pixels high, on the
    // screen that holds most of it; without a free side it stays where it is.
    void DockKeyboard(int nCaption);

    // An error of the plot leaves at once, for the console to write; the window is then not
    // shown.
    void DrawCurve(std::string_view strText, int nSlot, bool bShow) override;
    void ClearCurves() override;

private:
    void CreateWindows(CRandomGenerator& random);
    template <class Window>
    Window* Adopt(AuxId id, Window* pWindow);
    // The frames of the shown auxiliary windows but id's, and the docked keyboard's place.
    QList<QRect> OtherWindows(AuxId id);
    void CreateWindowKeys();
    void OnWindowKey(AuxId id, bool bToggle);
    void FocusWindow(AuxId id);

    QWidget& m_owner;
    CCalcEdit& m_console;
    CCalcSettingsHost& m_host;
    std::function<QRect()> m_keepClear;
    std::array<bool, AUX_COUNT> m_bShown{};
    CGraphDlg* m_pGraph = nullptr;
    CKeyboardDlg* m_pKeyboard = nullptr;
    CHelpDlg* m_pHelp = nullptr;
    CSettingDlg* m_pSetting = nullptr;
    CVarListDlg* m_pVarList = nullptr;
    CUnitConvDlg* m_pUnitConv = nullptr;
    CHugeNumDlg* m_pHugeNum = nullptr;
};
