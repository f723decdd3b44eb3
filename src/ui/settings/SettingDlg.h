#pragma once

#include "core/app/CalcSettings.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/DesktopFeatures.h"

#include <functional>
#include <optional>

enum class Radix;
class CColorSwatch;
class ISettingsHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSlider;

// The settings window: precision, language, skin, angle unit, radix, opacity, topmost state,
// keyboard snapping and the two edit-box colours. Every change goes to the host, which applies
// it at once; there is nothing to confirm. The window itself stays opaque. Controls carry object names ("precision", "language", "skin", "deg", "rad", "dec",
// "hex", "bin", "opacity", "onTop", "keyboardSnap", "textColor", "backColor").
class CSettingDlg : public CAuxWindow
{
    Q_OBJECT
public:
    // The colour the user picks, or nothing when the chooser is cancelled.
    using ColorChooser = std::function<std::optional<ColorRef>(QWidget* pParent)>;

    CSettingDlg(ISettingsHost& host, const ILanguageSource& language, QWidget* pOwner);

    // Replaces the system colour chooser.
    void SetColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

    // Relabels every control, refills the skin list in this language and selects the entries
    // of the current language and skin.
    void ApplyLanguage() override;
    // Disables, with the reason as their tooltip, the settings that the window system does not
    // carry out (always on top, keyboard docking, transparency on Wayland).
    void ApplyDesktopFeatures(const DesktopFeatures& features);
    // The text and background colours of the settings, after they changed elsewhere.
    void ShowColors();

private:
    void CreateControls();
    void ConnectControls();
    void ShowStartStates();
    void ShowRefusedSettings();

    void OnAngle(bool bDegrees);
    void OnRadix(Radix radix);
    void OnPrecision(int nIndex);
    void OnLanguage(int nIndex);
    void OnSkin(int nIndex);
    void OnOnTop();
    void OnKeyboardSnap();
    void OnOpacity();
    void OnColor(CColorSwatch* pSwatch, void (ISettingsHost::*pSetColor)(ColorRef));

    ISettingsHost& m_host;
    DesktopFeatures m_features = DesktopFeatures::Current();
    ColorChooser m_chooseColor;
    QComboBox* m_pPrecision = nullptr;
    QComboBox* m_pLanguage = nullptr;
    QComboBox* m_pSkin = nullptr;
    QSlider* m_pOpacity = nullptr;
    CColorSwatch* m_pTextColor = nullptr;
    CColorSwatch* m_pBackColor = nullptr;
};
