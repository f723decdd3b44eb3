#pragma once

#include "ui/frame/AuxWindow.h"

#include <string>

class QComboBox;
class QLineEdit;

// The unit converter: a category, a unit on each side and a value box under each. Typing in
// either box shows the value converted into the other box's unit at once. The controls carry
// the object names "category", "unit1", "unit2", "value1", "value2" and "categoryLabel".
class CUnitConvDlg : public CAuxWindow
{
    Q_OBJECT
public:
    CUnitConvDlg(const ILanguageSource& language, QWidget* pOwner);

    // Rebuilds the three lists in the current language, keeps the category, returns both units
    // to the first of it and empties both values.
    void ApplyLanguage() override;

private:
    void CreateControls();
    void OnCategoryChange();
    void OnUnitChange();
    void OnValue1Change();
    void OnValue2Change();
    // A closed list cuts a long name at its edge; its tooltip holds the whole current name.
    void ShowCurrentNames();
    void ReadBoxes();
    void ReadSelections();
    void EmptyValues();
    // Replaces the box's text only when it differs; the change this causes converts nothing.
    void WriteBox(QLineEdit* pBox, const std::string& strText);

    int m_nCategory = 0;
    int m_nUnit1 = 0;
    int m_nUnit2 = 0;
    std::string m_strValue1;
    std::string m_strValue2;
    bool m_bWriting = false;
    QComboBox* m_pCategory = nullptr;
    QComboBox* m_pUnit1 = nullptr;
    QComboBox* m_pUnit2 = nullptr;
    QLineEdit* m_pValue1 = nullptr;
    QLineEdit* m_pValue2 = nullptr;
};
