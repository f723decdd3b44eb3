#include "ui/varlist/VarListDlg.h"

#include "ui/base/Accessibility.h"
#include "ui/base/ControlTable.h"
#include "ui/base/EditColors.h"
#include "ui/console/CalcEdit.h"
#include "ui/fonts/SystemFont.h"

#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <array>

namespace
{
// The window's title, first place and size (see AuxWindowLook).
constexpr AuxWindowLook LOOK{{"Var List", "变量表"}, 600, 460, 210, 284, true};

constexpr int FONT_POINTS = 10;

// The label paints no background of its own, so the window's background shows through.
constexpr std::array<ControlSpec, 3> CONTROLS{{
    {"list", ControlKind::Other, {3, 3, 96, 118}, NO_CAPTION},
    {"countLabel", ControlKind::Label, {30, 126, 37, 10}, {"Var num:", "变量数目:"}},
    {"count", ControlKind::Edit, {68, 125, 31, 12}, NO_CAPTION},
}};

constexpr std::array<SpokenName, 2> NAMES{{
    {"list", {"Variables", "变量"}},
    {"count", {"Number of variables", "变量数目"}},
}};

// Entries in ascending order of their text compared without regard to case; entries equal
// that way keep the table's order.
QStringList SortedEntries(const std::vector<std::string>& lines)
{
    QStringList entries;
    for (const std::string& strLine : lines)
        entries.append(QString::fromStdString(strLine));
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return entries;
}
} // namespace

CVarListDlg::CVarListDlg(CCalcEdit& console, const ILanguageSource& language, ColorRef crText,
                         ColorRef crBack, QWidget* pOwner)
    : CAuxWindow(LOOK, language, pOwner), m_console(console)
{
    setFont(SystemFont(FONT_POINTS));
    CreateControls();
    SetColors(crText, crBack);
    ApplyLanguage();
}

void CVarListDlg::CreateControls()
{
    MakeControls(*this, CONTROLS, CurrentLanguage(),
                 [](const ControlSpec&, QWidget* pParent) { return new QListWidget(pParent); });
    m_pList = ControlNamed<QListWidget>(*this, "list");
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pCount = ControlNamed<QLineEdit>(*this, "count");
    m_pCount->setReadOnly(true);
    m_pCount->setAlignment(Qt::AlignCenter);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CVarListDlg::OnDoubleClick);
    ShowCount();
}

void CVarListDlg::VariablesChanged(const std::vector<std::string>& lines, int nCount)
{
    m_pList->clear();
    m_pList->addItems(SortedEntries(lines));
    m_nCount = nCount;
    ShowCount();
}

void CVarListDlg::SetColors(ColorRef crText, ColorRef crBack)
{
    SetEditColors(*m_pList, crText, crBack);
}

void CVarListDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    Relabel(*this, CONTROLS, CurrentLanguage());
    NameControls(*this, NAMES, CurrentLanguage());
    ShowCount();
}

// The name is the entry's text up to its first " =".
void CVarListDlg::OnDoubleClick(const QListWidgetItem* pItem)
{
    if (pItem == nullptr)
        return;
    const QString strEntry = pItem->text();
    m_console.TakeFocus();
    m_console.InsertText(strEntry.left(strEntry.indexOf(QStringLiteral(" ="))));
}

void CVarListDlg::ShowCount() { m_pCount->setText(QString::number(m_nCount)); }
