#pragma once

#include "core/base/Language.h"

#include <QList>
#include <QObject>

#include <array>

class CCalcEdit;
class ISettingsStore;
class QAction;

// The three switches of the console's assistance, as check items for the main window's icon
// menu: complete names, colour the console, show the result while typing. Each is on at first
// and kept in the settings under its name, beside the other console settings.
class CAssistSwitches : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* COMPLETE_SETTING = "CompleteNames";
    static constexpr const char* COLOUR_SETTING = "ColourConsole";
    static constexpr const char* PREVIEW_SETTING = "PreviewResult";

    // Reads the switches and applies them to console; pParent owns the items.
    CAssistSwitches(CCalcEdit& console, ISettingsStore& store, const ILanguageSource& language,
                    QObject* pParent);

    // The three check items and a separator after them.
    QList<QAction*> MenuItems() const;
    // Brings the items' texts (in the current language) and check marks in line.
    void UpdateMenuItems();

private:
    void Apply(std::size_t nIndex, bool bOn);

    CCalcEdit& m_console;
    ISettingsStore& m_store;
    const ILanguageSource& m_language;
    std::array<QAction*, 3> m_actions{};
    QAction* m_pSeparator = nullptr;
};
