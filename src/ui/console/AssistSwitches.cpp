#include "ui/console/AssistSwitches.h"

#include "core/app/SettingsStore.h"
#include "ui/base/QtText.h"
#include "ui/console/CalcEdit.h"

#include <QAction>
#include <QSignalBlocker>

namespace
{
struct Switch
{
    const char* pszSetting;
    const char* pszObjectName;
    Text text;
    void (*pfnSet)(CCalcEdit& console, bool bOn);
};

const Switch SWITCHES[] = {
    {CAssistSwitches::COMPLETE_SETTING,
     "completeNames",
     {"Complete names", "补全名称"},
     [](CCalcEdit& console, bool bOn) { console.SetCompleting(bOn); }},
    {CAssistSwitches::COLOUR_SETTING,
     "colourConsole",
     {"Colour the console", "控制台着色"},
     [](CCalcEdit& console, bool bOn) { console.SetColouring(bOn); }},
    {CAssistSwitches::PREVIEW_SETTING,
     "previewResult",
     {"Show the result while typing", "输入时显示结果"},
     [](CCalcEdit& console, bool bOn) { console.SetPreviewing(bOn); }},
};
} // namespace

CAssistSwitches::CAssistSwitches(CCalcEdit& console, ISettingsStore& store,
                                 const ILanguageSource& language, QObject* pParent)
    : QObject(pParent), m_console(console), m_store(store), m_language(language)
{
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        QAction* pAction = new QAction(this);
        pAction->setObjectName(QString::fromLatin1(SWITCHES[i].pszObjectName));
        pAction->setCheckable(true);
        const bool bOn = ReadSwitch(store, SWITCHES[i].pszSetting);
        pAction->setChecked(bOn);
        SWITCHES[i].pfnSet(m_console, bOn);
        connect(pAction, &QAction::toggled, this, [this, i](bool bChecked) { Apply(i, bChecked); });
        m_actions[i] = pAction;
    }
    m_pSeparator = new QAction(this);
    m_pSeparator->setSeparator(true);
    UpdateMenuItems();
}

QList<QAction*> CAssistSwitches::MenuItems() const
{
    QList<QAction*> items(m_actions.begin(), m_actions.end());
    items.append(m_pSeparator);
    return items;
}

void CAssistSwitches::UpdateMenuItems()
{
    for (std::size_t i = 0; i < m_actions.size(); ++i)
        m_actions[i]->setText(QtText(SWITCHES[i].text, m_language.CurrentLanguage()));
}

void CAssistSwitches::Apply(std::size_t nIndex, bool bOn)
{
    SWITCHES[nIndex].pfnSet(m_console, bOn);
    WriteSwitch(m_store, SWITCHES[nIndex].pszSetting, bOn);
}
