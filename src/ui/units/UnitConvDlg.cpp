#include "ui/units/UnitConvDlg.h"

#include "core/units/UnitConversion.h"
#include "core/units/UnitTable.h"
#include "ui/base/DialogRect.h"
#include "ui/fonts/StandInFont.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyle>

#include <vector>

namespace
{
constexpr Text CATEGORY_CAPTION{"Category", "类  别"};
constexpr const char* BETWEEN_SIDES = "<=>";
constexpr const char* UNIT_1_CAPTION = "Unit 1";
constexpr const char* UNIT_2_CAPTION = "Unit 2";
constexpr int FONT_POINTS = 10;

// A list's height is its closed height; the dropped list sizes itself.
constexpr int CLOSED_LIST_HEIGHT = 12;

constexpr DialogRect CATEGORY_LABEL_RECT{22, 11, 38, 11};
constexpr DialogRect CATEGORY_LIST_RECT{66, 10, 73, CLOSED_LIST_HEIGHT};
constexpr DialogRect GROUP_1_RECT{4, 29, 90, 45};
constexpr DialogRect UNIT_1_LIST_RECT{10, 39, 80, CLOSED_LIST_HEIGHT};
constexpr DialogRect VALUE_1_RECT{10, 55, 80, 12};
constexpr DialogRect BETWEEN_RECT{97, 50, 13, 10};
constexpr DialogRect GROUP_2_RECT{112, 29, 90, 45};
constexpr DialogRect UNIT_2_LIST_RECT{117, 39, 80, CLOSED_LIST_HEIGHT};
constexpr DialogRect VALUE_2_RECT{117, 55, 80, 12};

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

QLineEdit* MakeValueBox(QWidget* pParent, const char* pszName, const DialogRect& rect)
{
    auto* pBox = Place(new QLineEdit(pParent), pszName, rect);
    pBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return pBox;
}
} // namespace

CUnitConvDlg::CUnitConvDlg(const ILanguageSource& language, QWidget* pOwner)
    : CAuxWindow(aux::UNIT_CONVERTER, language, pOwner)
{
    setFont(CourierFont(FONT_POINTS));
    CreateControls();
    ApplyLanguage();
}

void CUnitConvDlg::CreateControls()
{
    // The labels paint no background of their own, so the window's background shows through.
    m_pCategoryLabel = Place(new QLabel(this), "categoryLabel", CATEGORY_LABEL_RECT);
    m_pCategory = Place(new QComboBox(this), "category", CATEGORY_LIST_RECT);
    // The group boxes come before the controls they frame so that they lie beneath them.
    Place(new QGroupBox(QString::fromLatin1(UNIT_1_CAPTION), this), "group1", GROUP_1_RECT);
    m_pUnit1 = Place(new QComboBox(this), "unit1", UNIT_1_LIST_RECT);
    m_pValue1 = MakeValueBox(this, "value1", VALUE_1_RECT);
    Place(new QLabel(QString::fromLatin1(BETWEEN_SIDES), this), "between", BETWEEN_RECT);
    Place(new QGroupBox(QString::fromLatin1(UNIT_2_CAPTION), this), "group2", GROUP_2_RECT);
    m_pUnit2 = Place(new QComboBox(this), "unit2", UNIT_2_LIST_RECT);
    m_pValue2 = MakeValueBox(this, "value2", VALUE_2_RECT);

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
    m_pCategoryLabel->setText(QString::fromUtf8(CATEGORY_CAPTION.In(language)));
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
