#pragma once

#include "core/app/CalcSettings.h"
#include "core/eval/EvalContext.h"
#include "ui/frame/AuxWindow.h"

class CCalcEdit;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The variable list: every console variable as "name = value", sorted without regard to case,
// and their number. The console's variable table refills it after every assignment; a double
// click puts the entry's name into the console at the caret. Object names: "list", "countLabel",
// "count".
class CVarListDlg : public CAuxWindow, public IVariableListener
{
    Q_OBJECT
public:
    CVarListDlg(CCalcEdit& console, const ILanguageSource& language, ColorRef crText,
                ColorRef crBack, QWidget* pOwner);

    void VariablesChanged(const std::vector<std::string>& lines, int nCount) override;
    // The list's text and background colours.
    void SetColors(ColorRef crText, ColorRef crBack);
    void ApplyLanguage() override;

private:
    void CreateControls();
    void OnDoubleClick(const QListWidgetItem* pItem);
    void ShowCount();

    CCalcEdit& m_console;
    int m_nCount = 0;
    QListWidget* m_pList = nullptr;
    QLineEdit* m_pCount = nullptr;
};
