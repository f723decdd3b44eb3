#include "ui/varlist/VarListDlg.h"

#include "ui/base/DialogRect.h"
#include "ui/base/QtColor.h"
#include "ui/console/CalcEdit.h"
#include "ui/fonts/SystemFont.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace
{
constexpr Text COUNT_CAPTION{"Var num:", "变量数目:"};
constexpr int FONT_POINTS = 10;

constexpr DialogRect LIST_RECT{3, 3, 96, 118};
constexpr DialogRect COUNT_LABEL_RECT{30, 126, 37, 10};
constexpr DialogRect COUNT_RECT{68, 125, 31, 12};

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
    : CAuxWindow(aux::VARIABLE_LIST, language, pOwner), m_console(console)
{
    setFont(SystemFont(FONT_POINTS));
    CreateControls();
    SetColors(crText, crBack);
    ApplyLanguage();
}

void CVarListDlg::CreateControls()
{
    m_pList = Place(new QListWidget(this), "list", LIST_RECT);
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The label paints no background of its own, so the window's background shows through.
    m_pCountLabel = Place(new QLabel(this), "countLabel", COUNT_LABEL_RECT);
    m_pCount = Place(new QLineEdit(this), "count", COUNT_RECT);
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
    QPalette palette = m_pList->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, ToQColor(crText));
        palette.setColor(group, QPalette::Base, ToQColor(crBack));
    }
    m_pList->setPalette(palette);
    m_pList->viewport()->update();
}

void CVarListDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    m_pCountLabel->setText(QString::fromUtf8(COUNT_CAPTION.In(CurrentLanguage())));
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
