#pragma once

#include "core/app/CalcSettings.h"
#include "core/base/Language.h"
#include "core/eval/AngleUnit.h"
#include "ui/settings/SettingsHost.h"

#include <QObject>

class CCalcEdit;
class ISettingsStore;

// The settings of a run: the record kept between runs (read from the store when made, written
// back by SaveSettings), the angle unit of the console and the graph, and the console's radix
// and precision. Each choice of the settings window is stored here and announced; the main
// window applies it at once to every window it concerns.
class CCalcSettingsHost : public QObject, public ISettingsHost, public ILanguageSource
{
    Q_OBJECT
public:
    explicit CCalcSettingsHost(ISettingsStore& store);

    // The console whose radix and precision are chosen here, given once before any choice.
    void SetConsole(CCalcEdit& console) { m_pConsole = &console; }
    void SaveSettings();
    // The language given on the command line: applied as the settings window applies it, and
    // written to the store at once.
    void ChooseLanguage(Language language);

    CalcSettings& Settings() { return m_settings; }
    const CalcSettings& Settings() const override { return m_settings; }
    const AngleUnit& Angle() const { return m_angle; }
    // The interface language every window and the console read when they produce a text.
    Language CurrentLanguage() const override { return m_settings.m_nLanguage; }
    bool IsDegrees() const override { return m_angle.m_bDegrees; }
    Radix OutputRadix() const override;
    int Precision() const override;

    void SetAngleUnit(bool bDegrees) override;
    void SetRadix(Radix radix) override;
    void SetPrecision(int nDigits) override;
    void SetLanguage(Language language) override;
    void SetSkin(Skin skin) override;
    void SetOnTop(bool bOnTop) override;
    void SetKeyboardSnap(bool bSnap) override;
    void SetOpacity(int nPercent) override;
    void SetTextColor(ColorRef cr) override;
    void SetBackColor(ColorRef cr) override;

signals:
    void LanguageChanged();
    void SkinChanged();
    void OnTopChanged();
    void KeyboardSnapChanged();
    void OpacityChanged();
    void ColorsChanged();

private:
    ISettingsStore& m_store;
    CalcSettings m_settings;
    AngleUnit m_angle;
    CCalcEdit* m_pConsole = nullptr;
};
