#include "ui/units/UnitConvDlg.h"

#include "core/units/UnitConversion.h"
#include "core/units/UnitTable.h"
#include "ui/base/Accessibility.h"
#include "ui/base/ControlTable.h"
#include "ui/fonts/StandInFont.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyle>

#include <array>
#include <vector>

namespace
{
// The window's title, first place and size (see AuxWindowLook).
constexpr AuxWindowLook LOOK{{"Unit Converter", "单位转换"}, -1, -1, 418, 168, true};

constexpr int FONT_POINTS = 10;

// The controls in creation order, which is also the focus order and puts the group boxes
// beneath the controls they frame. The labels paint no background of their own, so the
// window's background shows through; the dropped lists size themselves.
constexpr std::array<ControlSpec, 9> CONTROLS{{
    {"categoryLabel", ControlKind::Label, {22, 11, 38, 11}, {"Category", "类  别"}},
    {"category", ControlKind::List, {66, 10, 73, 12}, NO_CAPTION},
    {"group1", ControlKind::Group, {4, 29, 90, 45}, {"Unit 1", "Unit 1"}},
    {"unit1", ControlKind::List, {10, 39, 80, 12}, NO_CAPTION},
    {"value1", ControlKind::Edit, {10, 55, 80, 12}, NO_CAPTION},
    {"between", ControlKind::Label, {97, 50, 13, 10}, {"<=>", "<=>"}},
    {"group2", ControlKind::Group, {112, 29, 90, 45}, {"Unit 2", "Unit 2"}},
    {"unit2", ControlKind::List, {117, 39, 80, 12}, NO_CAPTION},
    {"value2", ControlKind::Edit, {117, 55, 80, 12}, NO_CAPTION},
}};

constexpr std::array<SpokenName, 6> NAMES{{
    {"category", {"Category", "类别"}},
    {"unit1", {"Unit 1", "单位 1"}},
    {"value1", {"Value in unit 1", "单位 1 的数值"}},
    {"between", {"equals", "等于"}},
    {"unit2", {"Unit 2", "单位 2"}},
    {"value2", {"Value in unit 2", "单位 2 的数值"}},
}};

// The closed box keeps its place; the opened list grows to show its longest entry in full.
void FitOpenedList(QComboBox* pList)
{
    QAbstractItemView* pView = pList->view();
    int nWidth = pView->sizeHintForColumn(0) + 2 * pView->frameWidth();
    if (pList->count() > pList->maxVisibleItems())
        nWidth += pView->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, pView);
    pView->setMinimumWidth(nWidth);
}

// Fills a list from the table, stopping at the first empty name or after the most it shows.
void FillList(QComboBox* pList, const std::vector<std::string>& names)
{
    const QSignalBlocker blocker(pList);
    pList->clear();
    for (const std::string& strName : names) {
        if (strName.empty() || pList->count() == UnitTable::MAX_NAMES)
            break;
        pList->addItem(QString::fromStdString(strName));
    }
    FitOpenedList(pList);
}
} // namespace

CUnitConvDlg::CUnitConvDlg(const ILanguageSource& language, QWidget* pOwner)
    : CAuxWindow(LOOK, language, pOwner)
{
    setFont(CourierFont(FONT_POINTS));
    CreateControls();
    ApplyLanguage();
}

void CUnitConvDlg::CreateControls()
{
    MakeControls(*this, CONTROLS, CurrentLanguage());
    m_pCategory = ControlNamed<QComboBox>(*this, "category");
    m_pUnit1 = ControlNamed<QComboBox>(*this, "unit1");
    m_pUnit2 = ControlNamed<QComboBox>(*this, "unit2");
    m_pValue1 = ControlNamed<QLineEdit>(*this, "value1");
    m_pValue2 = ControlNamed<QLineEdit>(*this, "value2");
    for (QLineEdit* pBox : {m_pValue1, m_pValue2})
        pBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(m_pCategory, &QComboBox::currentIndexChanged, this, &CUnitConvDlg::OnCategoryChange);
    connect(m_pUnit1, &QComboBox::currentIndexChanged, this, &CUnitConvDlg::OnUnitChange);
    connect(m_pUnit2, &QComboBox::currentIndexChanged, this, &CUnitConvDlg::OnUnitChange);
    connect(m_pValue1, &QLineEdit::textChanged, this, &CUnitConvDlg::OnValue1Change);
    connect(m_pValue2, &QLineEdit::textChanged, this, &CUnitConvDlg::OnValue2Change);
}

void CUnitConvDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    const Language language = CurrentLanguage();
    FillList(m_pCategory, UnitTable::CategoryNames(language));
    Relabel(*this, CONTROLS, language);
    NameControls(*this, NAMES, language);
    {
        const QSignalBlocker blocker(m_pCategory);
        m_pCategory->setCurrentIndex(m_nCategory);
    }
    OnCategoryChange();
}

void CUnitConvDlg::OnCategoryChange()
{
    m_nCategory = m_pCategory->currentIndex();
    const std::vector<std::string> names = UnitTable::UnitNames(m_nCategory, CurrentLanguage());
    for (QComboBox* pList : {m_pUnit1, m_pUnit2}) {
        FillList(pList, names);
        const QSignalBlocker blocker(pList);
        pList->setCurrentIndex(0);
    }
    ShowCurrentNames();
    EmptyValues();
}

void CUnitConvDlg::OnUnitChange()
{
    ShowCurrentNames();
    EmptyValues();
}

void CUnitConvDlg::ShowCurrentNames()
{
    for (QComboBox* pList : {m_pCategory, m_pUnit1, m_pUnit2})
        pList->setToolTip(pList->currentText());
}

void CUnitConvDlg::OnValue1Change()
{
    if (m_bWriting)
        return;
    ReadBoxes();
    ReadSelections();
    if (const auto converted = ConvertedText(m_nCategory, m_nUnit1, m_nUnit2, m_strValue1)) {
        m_strValue2 = *converted;
        WriteBox(m_pValue2, m_strValue2);
    }
}

void CUnitConvDlg::OnValue2Change()
{
    if (m_bWriting)
        return;
    ReadBoxes();
    ReadSelections();
    if (const auto converted = ConvertedText(m_nCategory, m_nUnit2, m_nUnit1, m_strValue2)) {
        m_strValue1 = *converted;
        WriteBox(m_pValue1, m_strValue1);
    }
}

void CUnitConvDlg::ReadBoxes()
{
    m_strValue1 = m_pValue1->text().toStdString();
    m_strValue2 = m_pValue2->text().toStdString();
}

void CUnitConvDlg::ReadSelections()
{
    m_nCategory = m_pCategory->currentIndex();
    m_nUnit2 = m_pUnit2->currentIndex();
    m_nUnit1 = m_pUnit1->currentIndex();
}

void CUnitConvDlg::EmptyValues()
{
    m_strValue1.clear();
    m_strValue2.clear();
    WriteBox(m_pValue1, m_strValue1);
    WriteBox(m_pValue2, m_strValue2);
}

void CUnitConvDlg::WriteBox(QLineEdit* pBox, const std::string& strText)
{
    const QString strNew = QString::fromStdString(strText);
    if (pBox->text() == strNew)
        return;
    // Only the box the user is not typing in is ever written, and writing it must not convert
    // back into the box being typed in: "1." would become "1" under the caret.
    const QScopedValueRollback<bool> writing(m_bWriting, true);
    pBox->setText(strNew);
}
