#include "ui/app/CalcSettingsHost.h"

#include "core/app/SettingsRecord.h"
#include "ui/console/CalcEdit.h"

CCalcSettingsHost::CCalcSettingsHost(ISettingsStore& store) : m_store(store)
{
    // The start values of the settings the record does not keep, then the record's.
    m_settings.m_bOnTop = true;
    m_settings.m_bKeyboardSnap = true;
    LoadSettings(m_settings, m_store);
}

void CCalcSettingsHost::SaveSettings() { ::SaveSettings(m_settings, m_store); }

void CCalcSettingsHost::ChooseLanguage(Language language)
{
    SetLanguage(language);
    SaveSettings();
}

Radix CCalcSettingsHost::OutputRadix() const { return m_pConsole->OutputRadix(); }

int CCalcSettingsHost::Precision() const { return m_pConsole->Eval().m_nPrecision; }

void CCalcSettingsHost::SetAngleUnit(bool bDegrees)
{
    m_angle.m_bDegrees = bDegrees;
    m_pConsole->DispatchLine(false);
}

void CCalcSettingsHost::SetRadix(Radix radix)
{
    m_pConsole->SetRadix(radix);
    m_pConsole->DispatchLine(false);
}

void CCalcSettingsHost::SetPrecision(int nDigits) { m_pConsole->Eval().m_nPrecision = nDigits; }

void CCalcSettingsHost::SetLanguage(Language language)
{
    m_settings.m_nLanguage = language;
    emit LanguageChanged();
}

void CCalcSettingsHost::SetSkin(Skin skin)
{
    m_settings.m_nSkin = skin;
    emit SkinChanged();
}

void CCalcSettingsHost::SetOnTop(bool bOnTop)
{
    m_settings.m_bOnTop = bOnTop;
    emit OnTopChanged();
}

void CCalcSettingsHost::SetKeyboardSnap(bool bSnap)
{
    m_settings.m_bKeyboardSnap = bSnap;
    emit KeyboardSnapChanged();
}

void CCalcSettingsHost::SetOpacity(int nPercent)
{
    m_settings.m_nOpacity = nPercent;
    emit OpacityChanged();
}

void CCalcSettingsHost::SetTextColor(ColorRef cr)
{
    m_settings.m_crText = cr;
    emit ColorsChanged();
}

void CCalcSettingsHost::SetBackColor(ColorRef cr)
{
    m_settings.m_crBack = cr;
    emit ColorsChanged();
}
